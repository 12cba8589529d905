#include "platform_choice.h"

namespace forms {

std::optional<std::string> choosePlatform(std::string_view asked, const DisplayProbes& probes) {
    if (!asked.empty()) {
        // "xcb" may carry options after a colon: "xcb:nomitshm".
        const bool x11 = asked.substr(0, asked.find(':')) == "xcb";
        if (x11 && !probes.x11()) return std::nullopt;
        return std::string(asked);
    }
    if (probes.x11()) return "xcb";
    if (probes.wayland()) return "wayland";
    return std::nullopt;
}

}  // namespace forms
