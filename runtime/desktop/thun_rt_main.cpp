#include "thun_rt_main.h"

#include <QApplication>
#include <QByteArray>
#include <QMessageBox>
#include <QString>
#include <QtGlobal>

#include <xcb/xcb.h>

#include <cstdlib>
#include <exception>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "application.h"
#include "display_probes.h"
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

int run(const ProgramDescription& program, const std::string& platform, XConnection display) {
    static char name[] = "kestrune";
    static char* argv[] = {name, nullptr};
    static int argc = 1;
    std::optional<PlatformStartGuard> guard;
    guard.emplace(cannotOpen + " on Qt's " + quoted(platform) + " platform");
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
    routeWaylandLog();
    XConnection x(nullptr, xcb_disconnect);
    const PlatformChoice choice = choosePlatform(qgetenv("QT_QPA_PLATFORM").toStdString(),
                                                 {[&x] { return askX(x); }, askWayland});
    if (!choice.platform) {
        std::cerr << cannotOpen << choice.failure << '\n';
        std::exit(1);
    }
    qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(*choice.platform));
    std::exit(run(program, *choice.platform, std::move(x)));
}

}  // namespace forms
