#include "display_probes.h"

#include <QByteArray>
#include <QDebug>
#include <QString>
#include <QtGlobal>

#include <wayland-client.h>
#include <xcb/xcb.h>

#include <cstdarg>
#include <string>

namespace forms {
namespace {

void waylandLog(const char* format, va_list arguments) {
    qWarning().noquote() << QString::vasprintf(format, arguments).trimmed();
}

}  // namespace

DisplayAnswer askX(XConnection& held) {
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty()) return {false, "DISPLAY is not set", false};
    XConnection connection(xcb_connect(display.constData(), nullptr), xcb_disconnect);
    const std::string shown = quoted(display.toStdString());
    switch (xcb_connection_has_error(connection.get())) {
        case 0:
            held = std::move(connection);
            return {true, {}, true};
        case XCB_CONN_CLOSED_PARSE_ERR:
            return {false, "DISPLAY " + shown + " names no X display", true};
        case XCB_CONN_CLOSED_INVALID_SCREEN:
            return {false, "the X display at " + shown + " has no such screen", true};
        default:
            return {false, "no X display answers at " + shown, true};
    }
}

DisplayAnswer askWayland() {
    // A socket the compositor handed over is Qt's to take, and it can be taken only once.
    if (!qEnvironmentVariableIsEmpty("WAYLAND_SOCKET")) return {true, {}, true};
    const bool named = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    const std::string name = named ? qgetenv("WAYLAND_DISPLAY").toStdString() : "wayland-0";
    const std::string unnamed = "WAYLAND_DISPLAY is not set";
    // A name is looked for in the runtime folder, which must be a full path; without one the
    // library would complain on standard error before it gives up.
    if (!name.starts_with('/') && !qgetenv("XDG_RUNTIME_DIR").startsWith('/')) {
        if (!named) return {false, unnamed, false};
        const std::string folder = qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")
                                       ? "XDG_RUNTIME_DIR is not set"
                                       : "XDG_RUNTIME_DIR " +
                                             quoted(qgetenv("XDG_RUNTIME_DIR").toStdString()) +
                                             " is not a full path";
        return {false, "no Wayland compositor can be found at " + quoted(name) + ": " + folder,
                true};
    }
    wl_display* display = wl_display_connect(nullptr);
    if (display != nullptr) {
        wl_display_disconnect(display);
        return {true, {}, true};
    }
    if (!named) return {false, unnamed, false};
    return {false, "no Wayland compositor answers at " + quoted(name), true};
}

void routeWaylandLog() {
    wl_log_set_handler_client(waylandLog);
}

}  // namespace forms
