#include "platform_choice.h"

#include <cstdio>

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
    constexpr std::size_t shown = 40;
    std::string out = "\"";
    std::size_t characters = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const auto byte = static_cast<unsigned char>(value[i]);
        // Counted by UTF-8 characters, so a cut never splits one.
        if ((byte & 0xC0) != 0x80 && characters++ == shown) {
            out += "...";
            break;
        }
        if (byte == '"' || byte == '\\') {
            out += '\\';
            out += char(byte);
        } else if (byte < 0x20 || byte == 0x7F) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            out += escape;
        } else {
            out += char(byte);
        }
    }
    return out + "\"";
}

}  // namespace forms
