#include "platform_start.h"

#include <QByteArray>
#include <QMessageLogContext>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <stdexcept>
#include <utility>
#include <vector>

namespace forms {
namespace {

struct Note {
    QtMsgType type;
    QString message;
    // Copies, null where Qt gave none: the plugin that gave a note may be unloaded since.
    QByteArray file, function, category;
    int line;
};

const char* orNull(const QByteArray& text) {
    return text.isNull() ? nullptr : text.constData();
}

// Qt's message handler is one plain function, so what the standing guard keeps is here; a
// plugin may talk from a thread of its own.
struct GuardState {
    std::mutex mutex;
    bool standing = false;
    std::string failureLine;
    std::vector<Note> notes;
    QtMessageHandler passedOn = nullptr;
};

GuardState state;

QString firstLine(const QString& text) {
    return text.section(u'\n', 0, 0).trimmed();
}

// What went wrong, as near its cause as Qt told: its first critical note (a platform that
// found no display), else its first warning about platforms (a plugin not found), else its last
// word (which, when no plugin could start, says only that).
QString reason(const QString& lastWord) {
    for (const Note& note : state.notes) {
        if (note.type == QtCriticalMsg) return note.message;
    }
    for (const Note& note : state.notes) {
        if (note.type == QtWarningMsg && note.category.startsWith("qt.qpa")) return note.message;
    }
    return lastWord;
}

void hold(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    const std::lock_guard lock(state.mutex);
    if (type != QtFatalMsg) {
        state.notes.push_back({type, message, QByteArray(context.file),
                               QByteArray(context.function), QByteArray(context.category),
                               context.line});
        return;
    }
    std::fprintf(stderr, "%s: %s\n", state.failureLine.c_str(),
                 firstLine(reason(message)).toLocal8Bit().constData());
    std::fflush(stderr);
    // Returning would let Qt abort; nothing of the half-made application is worth tearing down.
    std::_Exit(1);
}

}  // namespace

PlatformStartGuard::PlatformStartGuard(std::string failure) {
    const std::lock_guard lock(state.mutex);
    // A second guard would save the first's handler as the one to put back, and so keep
    // every later message from the program's own handler for good.
    if (state.standing) throw std::logic_error("a platform start guard already stands");
    state.standing = true;
    state.failureLine = std::move(failure);
    state.notes.clear();
    state.passedOn = qInstallMessageHandler(hold);
}

PlatformStartGuard::~PlatformStartGuard() {
    std::vector<Note> held;
    QtMessageHandler passedOn = nullptr;
    {
        const std::lock_guard lock(state.mutex);
        passedOn = state.passedOn;
        qInstallMessageHandler(passedOn);
        held = std::move(state.notes);
        state.notes.clear();
        state.standing = false;
    }
    for (const Note& note : held) {
        const QMessageLogContext context(orNull(note.file), note.line, orNull(note.function),
                                         orNull(note.category));
        passedOn(note.type, context, note.message);
    }
}

}  // namespace forms
