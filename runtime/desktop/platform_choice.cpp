#include "platform_choice.h"

#include <cstdio>

#include "excerpt.h"

namespace forms {

PlatformChoice choosePlatform(std::string_view asked, const DisplayProbes& probes) {
    if (!asked.empty()) {
        // "xcb" may carry options after a colon: "xcb:nomitshm".
        if (asked.substr(0, asked.find(':')) == "xcb") {
            const DisplayAnswer x11 = probes.x11();
            if (!x11.answers) {
                const std::string why =
                    x11.named ? x11.failure : "no X display answers: " + x11.failure;
                return {std::nullopt,
                        ": X was asked for (QT_QPA_PLATFORM " + quoted(asked) + "), but " + why};
            }
        }
        return {std::string(asked), {}};
    }
    const DisplayAnswer x11 = probes.x11();
    if (x11.answers) return {"xcb", {}};
    const DisplayAnswer wayland = probes.wayland();
    if (wayland.answers) return {"wayland", {}};
    if (!x11.named && !wayland.named)
        return {std::nullopt, " (is DISPLAY or WAYLAND_DISPLAY set?)"};
    return {std::nullopt, ": " + x11.failure + ", and " + wayland.failure};
}

std::string quoted(std::string_view value) {
    std::string out = "\"";
    for (const char c : excerpt(value)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '"' || byte == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace forms
