// Which of Qt's window-system platforms a form's window opens on, or why it opens on none.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace forms {

// What asking for one kind of display found.
struct DisplayAnswer {
    bool answers = false;
    // When it does not answer: what was tried and why that failed, as a clause of the line that
    // tells the player, such as: no X display answers at ":57".
    std::string failure;
    // Whether the environment named a display of this kind at all (DISPLAY, WAYLAND_DISPLAY).
    bool named = true;
};

// Asks each kind of display whether it answers; each is asked at most once, and only when the
// choice turns on it.
struct DisplayProbes {
    std::function<DisplayAnswer()> x11;
    std::function<DisplayAnswer()> wayland;
};

// The platform chosen, or, when there is none, why: the rest of the line that begins "cannot
// open the window".
struct PlatformChoice {
    std::optional<std::string> platform;
    std::string failure;
};

// The platform the player asked for (QT_QPA_PLATFORM) stands as asked, though X ("xcb") is
// taken only where an X display answers. Otherwise X wherever a display answers there, since
// only on X can the window keep off the taskbar; else Wayland where a compositor answers.
PlatformChoice choosePlatform(std::string_view asked, const DisplayProbes& probes);

// A value from the environment as the player's line quotes it: in double quotes, its first 40
// characters at most, and with control characters, quotes and backslashes escaped, so that
// whatever the variable holds, the line stays one line.
std::string quoted(std::string_view value);

}  // namespace forms
