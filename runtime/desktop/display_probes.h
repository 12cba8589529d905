// Asking the displays before Qt does: Qt's X11 platform aborts where it finds no X display, and
// the Wayland library complains on standard error where it finds no compositor, so the game asks
// first and can say in one line what it tried and why that failed.
#pragma once

#include <memory>

#include "platform_choice.h"

struct xcb_connection_t;

namespace forms {

// A connection to an X display. It is held until Qt has its own: when its last client leaves,
// an X server resets, and a connection made during the reset fails.
using XConnection = std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)>;

// Whether an X display answers at DISPLAY; where one does, its connection is left in held.
DisplayAnswer askX(XConnection& held);

// Whether a Wayland compositor answers at WAYLAND_DISPLAY (in XDG_RUNTIME_DIR unless a full
// path), or at the library's default name where that is not set.
DisplayAnswer askWayland();

// Sends the Wayland library's complaints to Qt's messages, which are held while the window
// opens, rather than straight to standard error.
void routeWaylandLog();

}  // namespace forms
