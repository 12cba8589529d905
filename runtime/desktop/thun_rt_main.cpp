#include "thun_rt_main.h"

#include <QApplication>
#include <QByteArray>
#include <QMessageBox>
#include <QString>
#include <QtGlobal>

#include <wayland-client.h>
#include <xcb/xcb.h>

#include <cstdarg>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "application.h"
#include "form_window.h"
#include "look.h"
#include "platform_choice.h"
#include "platform_start.h"
#include "real_clock.h"
#include "runtime.h"

namespace forms {
namespace {

constexpr const char* programName = "kestrune";
// How every line that tells of a window not opened begins.
const std::string cannotOpen = std::string(programName) + ": no display: cannot open the window";

// A connection to an X display.
using DisplayHold = std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)>;

// Qt's X11 platform aborts when it finds no display, so the game looks for one before Qt does.
// The connection is held until Qt has its own: when the last client leaves, an X server resets,
// and a connection made during the reset fails.
DisplayHold connectX() {
    DisplayHold none(nullptr, xcb_disconnect);
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty()) return none;
    DisplayHold connection(xcb_connect(display.constData(), nullptr), xcb_disconnect);
    if (xcb_connection_has_error(connection.get()) != 0) return none;
    return connection;
}

// The Wayland library writes its complaints straight to standard error. Passed to Qt's
// messages instead, they are held while the window opens, as Qt's own notes are.
void waylandLog(const char* format, va_list arguments) {
    qWarning().noquote() << QString::vasprintf(format, arguments).trimmed();
}

bool waylandAnswers() {
    // A socket the compositor handed over is Qt's to take, and it can be taken only once.
    if (!qEnvironmentVariableIsEmpty("WAYLAND_SOCKET")) return true;
    // A socket named relative to no runtime folder cannot be found, and the library would
    // complain on standard error before it gives up.
    if (!qgetenv("WAYLAND_DISPLAY").startsWith('/') && !qgetenv("XDG_RUNTIME_DIR").startsWith('/'))
        return false;
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) return false;
    wl_display_disconnect(display);
    return true;
}

int run(const ProgramDescription& program, const std::string& platform, DisplayHold display) {
    static char name[] = "kestrune";
    static char* argv[] = {name, nullptr};
    static int argc = 1;
    std::optional<PlatformStartGuard> guard;
    guard.emplace(cannotOpen + " on Qt's \"" + platform + "\" platform");
    // A test may already have an application; the game never does.
    std::unique_ptr<QApplication> application;
    if (QApplication::instance() == nullptr) application = makeApplication(argc, argv);
    display.reset();

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
    // Some platforms find out only here that they have no screen to show a window on.
    guard.reset();
    clock.rearm();
    return QApplication::exec();
}

}  // namespace

void ThunRTMain(const ProgramDescription& program) {
    wl_log_set_handler_client(waylandLog);
    DisplayHold x(nullptr, xcb_disconnect);
    const auto xAnswers = [&x] {
        x = connectX();
        return x != nullptr;
    };
    const std::optional<std::string> platform =
        choosePlatform(qgetenv("QT_QPA_PLATFORM").toStdString(), {xAnswers, waylandAnswers});
    if (!platform) {
        std::cerr << cannotOpen << " (is DISPLAY or WAYLAND_DISPLAY set?)\n";
        std::exit(1);
    }
    qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(*platform));
    std::exit(run(program, *platform, std::move(x)));
}

}  // namespace forms
