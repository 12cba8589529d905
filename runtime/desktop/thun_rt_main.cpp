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
#include <utility>

#include "application.h"
#include "form_window.h"
#include "look.h"
#include "real_clock.h"
#include "runtime.h"

namespace forms {
namespace {

constexpr const char* programName = "kestrune";

// A connection to the display that the window will open on, or none on a platform without X.
using DisplayHold = std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)>;

// Qt aborts when its X11 platform finds no display, so look for one before Qt does. The
// connection is held until Qt has its own: when the last client leaves, an X server resets,
// and a connection made during the reset fails.
std::optional<DisplayHold> openDisplay() {
    DisplayHold none(nullptr, xcb_disconnect);
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && platform.split(':').front() != "xcb") return none;
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty()) return std::nullopt;
    DisplayHold connection(xcb_connect(display.constData(), nullptr), xcb_disconnect);
    if (xcb_connection_has_error(connection.get()) != 0) return std::nullopt;
    return connection;
}

int run(const ProgramDescription& program, DisplayHold display) {
    static char name[] = "kestrune";
    static char* argv[] = {name, nullptr};
    static int argc = 1;
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
    clock.rearm();
    return QApplication::exec();
}

}  // namespace

void ThunRTMain(const ProgramDescription& program) {
    std::optional<DisplayHold> display = openDisplay();
    if (!display) {
        std::cerr << programName << ": no display: cannot open the window (is DISPLAY set?)\n";
        std::exit(1);
    }
    std::exit(run(program, std::move(*display)));
}

}  // namespace forms
