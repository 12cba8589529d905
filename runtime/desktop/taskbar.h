// Keeping a window off the taskbar.
#pragma once

class QWidget;

namespace forms {

// Asks the window manager to leave the window off the taskbar. Qt has no window flag for
// it, so on X11 the window's _NET_WM_STATE gets it before the window is first shown; on
// other platforms this does nothing.
void skipTaskbar(QWidget& window);

}  // namespace forms
