// The Qt application the way a form's window wants it.
#pragma once

#include <QApplication>

#include <memory>

namespace forms {

// Makes the application, before any widget: Qt's own theme and the Fusion style, and window
// contents sent to an X server in the request stream. argc and argv must outlive it.
std::unique_ptr<QApplication> makeApplication(int& argc, char** argv);

}  // namespace forms
