#include "thun_rt_main.h"

#include <QApplication>
#include <QByteArray>
#include <QMessageBox>

#include <xcb/xcb.h>

#include <cstdlib>
#include <exception>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "form_window.h"
#include "look.h"
#include "real_clock.h"
#include "runtime.h"

namespace forms {
namespace {

constexpr const char* programName = "kestrune";

// Qt aborts when its X11 platform finds no display, so look for one before Qt does.
bool displayAvailable() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && platform.split(':').front() != "xcb") return true;
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty()) return false;
    xcb_connection_t* connection = xcb_connect(display.constData(), nullptr);
    const bool opened = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return opened;
}

int run(const ProgramDescription& program) {
    static char name[] = "kestrune";
    static char* argv[] = {name, nullptr};
    static int argc = 1;
    // A test may already have an application; the game never does.
    std::optional<QApplication> application;
    if (QApplication::instance() == nullptr) {
        // The window looks the same on every desktop: Qt's own theme and style, so that no
        // desktop's theme swaps fonts or adds access keys of its own to the captions.
        qputenv("QT_QPA_PLATFORMTHEME", "generic");
        application.emplace(argc, argv);
        QApplication::setStyle(QStringLiteral("Fusion"));
    }

    std::unique_ptr<Runtime> runtime;
    try {
        runtime = std::make_unique<Runtime>(program);
    } catch (const std::exception& error) {
        std::cerr << programName << ": cannot start: " << error.what() << '\n';
        return 1;
    }
    RealClock clock(*runtime);
    FormWindow window(*runtime, &clock);

    runtime->setErrorHandler([&window](const RuntimeError& error) {
        const std::string description = describe(error);
        std::cerr << description << '\n';
        // Shown from the event loop, once the failed handler has returned.
        QMetaObject::invokeMethod(
            &window,
            [&window, text = qtext(description)] {
                QMessageBox::critical(&window, window.windowTitle(), text);
                QCoreApplication::exit(1);
            },
            Qt::QueuedConnection);
    });

    runtime->load();
    window.show();
    clock.rearm();
    return QApplication::exec();
}

}  // namespace

void ThunRTMain(const ProgramDescription& program) {
    if (!displayAvailable()) {
        std::cerr << programName << ": no display: cannot open the window (is DISPLAY set?)\n";
        std::exit(1);
    }
    std::exit(run(program));
}

}  // namespace forms
