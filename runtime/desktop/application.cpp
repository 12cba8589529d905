#include "application.h"

#include <QByteArray>
#include <QString>

namespace forms {

std::unique_ptr<QApplication> makeApplication(int& argc, char** argv) {
    // The window looks the same on every desktop: Qt's own theme and style, so that no
    // desktop's theme swaps fonts or adds access keys of its own to the captions.
    qputenv("QT_QPA_PLATFORMTHEME", "generic");
    // A game step repaints a few small rectangles. Through shared memory each repaint first
    // waits on a round trip to the X server; in the request stream it need not, and a running
    // game takes about a quarter less processor time.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
    auto application = std::make_unique<QApplication>(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    return application;
}

}  // namespace forms
