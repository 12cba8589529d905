// Which platform the game's window opens on, from the displays that answer and what the player
// asked for.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform_choice.h"

namespace {

struct ChoiceCase {
    const char* name;
    const char* asked;
    bool x11, wayland;
    std::optional<std::string> chosen;
    std::vector<std::string> probed;  // which displays were asked, in order
};

std::ostream& operator<<(std::ostream& out, const ChoiceCase& c) {
    return out << c.name;
}

class PlatformChoice : public ::testing::TestWithParam<ChoiceCase> {};

// X where it answers, Wayland where only a compositor does, the player's own choice as asked;
// a display is asked only when the choice turns on it.
TEST_P(PlatformChoice, FollowsTheDisplaysThatAnswer) {
    const ChoiceCase& c = GetParam();
    std::vector<std::string> probed;
    const forms::DisplayProbes probes{
        [&] {
            probed.emplace_back("x11");
            return c.x11;
        },
        [&] {
            probed.emplace_back("wayland");
            return c.wayland;
        },
    };
    EXPECT_EQ(forms::choosePlatform(c.asked, probes), c.chosen);
    EXPECT_EQ(probed, c.probed);
}

INSTANTIATE_TEST_SUITE_P(
    Start, PlatformChoice,
    ::testing::Values(
        ChoiceCase{"XOnly", "", true, false, "xcb", {"x11"}},
        ChoiceCase{"XBesideACompositor", "", true, true, "xcb", {"x11"}},
        ChoiceCase{"CompositorOnly", "", false, true, "wayland", {"x11", "wayland"}},
        ChoiceCase{"Neither", "", false, false, std::nullopt, {"x11", "wayland"}},
        ChoiceCase{"AskedForWayland", "wayland", true, false, "wayland", {}},
        ChoiceCase{"AskedForOffscreen", "offscreen", false, false, "offscreen", {}},
        ChoiceCase{"AskedForX", "xcb", true, true, "xcb", {"x11"}},
        ChoiceCase{"AskedForXWithOptions", "xcb:nomitshm", true, false, "xcb:nomitshm", {"x11"}},
        ChoiceCase{"AskedForXWithoutIt", "xcb", false, true, std::nullopt, {"x11"}}),
    [](const ::testing::TestParamInfo<ChoiceCase>& info) { return info.param.name; });

}  // namespace
