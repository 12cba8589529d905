// Which of Qt's window-system platforms a form's window opens on.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace forms {

// Whether each kind of display answers; each is asked at most once, and only when needed.
struct DisplayProbes {
    std::function<bool()> x11;
    std::function<bool()> wayland;
};

// The platform the player asked for (QT_QPA_PLATFORM) stands as asked, though X ("xcb") is
// taken only where an X display answers. Otherwise X wherever a display answers there, since
// only on X can the window keep off the taskbar; else Wayland where a compositor answers.
// Nothing when there is no display to open the window on.
std::optional<std::string> choosePlatform(std::string_view asked, const DisplayProbes& probes);

}  // namespace forms
