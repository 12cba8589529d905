// Which platform the game's window opens on, from the displays that answer and what the player
// asked for.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform_choice.h"

namespace {

using forms::DisplayAnswer;

// What the displays may answer.
const DisplayAnswer xAnswers{true, {}, true};
const DisplayAnswer xGone{false, "no X display answers at \":57\"", true};
const DisplayAnswer xUnnamed{false, "DISPLAY is not set", false};
const DisplayAnswer waylandAnswers{true, {}, true};
const DisplayAnswer waylandGone{false, "no Wayland compositor answers at \"nowhere-7\"", true};
const DisplayAnswer waylandUnnamed{false, "WAYLAND_DISPLAY is not set", false};

struct ChoiceCase {
    const char* name;
    const char* asked;
    DisplayAnswer x11, wayland;
    std::optional<std::string> chosen;
    std::vector<std::string> probed;  // which displays were asked, in order
    std::string failure;              // the rest of the line that begins "cannot open the window"
};

std::ostream& operator<<(std::ostream& out, const ChoiceCase& c) {
    return out << c.name;
}

class PlatformChoice : public ::testing::TestWithParam<ChoiceCase> {};

// X where it answers, Wayland where only a compositor does, the player's own choice as asked;
// a display is asked only when the choice turns on it. Where there is none, the line says what
// was tried and why it failed, or, where nothing names a display at all, asks whether one is set.
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
    const forms::PlatformChoice choice = forms::choosePlatform(c.asked, probes);
    EXPECT_EQ(choice.platform, c.chosen);
    EXPECT_EQ(choice.failure, c.failure);
    EXPECT_EQ(probed, c.probed);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Start, PlatformChoice,
    ::testing::Values(
        ChoiceCase{"XOnly", "", xAnswers, waylandGone, "xcb", {"x11"}, ""},
        ChoiceCase{"XBesideACompositor", "", xAnswers, waylandAnswers, "xcb", {"x11"}, ""},
        ChoiceCase{"CompositorOnly", "", xGone, waylandAnswers, "wayland", {"x11", "wayland"}, ""},
        ChoiceCase{"NeitherNamed", "", xUnnamed, waylandUnnamed, std::nullopt, {"x11", "wayland"},
                   " (is DISPLAY or WAYLAND_DISPLAY set?)"},
        ChoiceCase{"NeitherAnswers", "", xGone, waylandGone, std::nullopt, {"x11", "wayland"},
                   ": no X display answers at \":57\", and no Wayland compositor answers at "
                   "\"nowhere-7\""},
        ChoiceCase{"XGoneAndNoCompositorNamed", "", xGone, waylandUnnamed, std::nullopt,
                   {"x11", "wayland"},
                   ": no X display answers at \":57\", and WAYLAND_DISPLAY is not set"},
        ChoiceCase{"CompositorGoneAndNoXNamed", "", xUnnamed, waylandGone, std::nullopt,
                   {"x11", "wayland"},
                   ": DISPLAY is not set, and no Wayland compositor answers at \"nowhere-7\""},
        ChoiceCase{"AskedForWayland", "wayland", xAnswers, waylandGone, "wayland", {}, ""},
        ChoiceCase{"AskedForOffscreen", "offscreen", xGone, waylandGone, "offscreen", {}, ""},
        ChoiceCase{"AskedForX", "xcb", xAnswers, waylandAnswers, "xcb", {"x11"}, ""},
        ChoiceCase{"AskedForXWithOptions", "xcb:nomitshm", xAnswers, waylandGone, "xcb:nomitshm",
                   {"x11"}, ""},
        ChoiceCase{"AskedForXWithoutIt", "xcb", xUnnamed, waylandAnswers, std::nullopt, {"x11"},
                   ": X was asked for (QT_QPA_PLATFORM \"xcb\"), but no X display answers: "
                   "DISPLAY is not set"},
        ChoiceCase{"AskedForXWhereNoneAnswers", "xcb", xGone, waylandAnswers, std::nullopt,
                   {"x11"},
                   ": X was asked for (QT_QPA_PLATFORM \"xcb\"), but no X display answers at "
                   "\":57\""}),
    [](const ::testing::TestParamInfo<ChoiceCase>& info) { return info.param.name; });
// clang-format on

struct QuotedCase {
    const char* name;
    std::string value;
    std::string quoted;
};

std::ostream& operator<<(std::ostream& out, const QuotedCase& c) {
    return out << c.name;
}

class QuotedValue : public ::testing::TestWithParam<QuotedCase> {};

// A variable's value is quoted on one line whatever it holds: control characters, quotes and
// backslashes escaped, and at most 40 characters, cut between characters, never inside one.
TEST_P(QuotedValue, StaysOneShortLine) {
    EXPECT_EQ(forms::quoted(GetParam().value), GetParam().quoted);
}

const std::string forty(40, '7');
const std::string fortyCyrillic = [] {
    std::string text;
    for (int i = 0; i < 40; ++i) text += "\xD0\x96";  // Ж
    return text;
}();

INSTANTIATE_TEST_SUITE_P(
    Start, QuotedValue,
    ::testing::Values(
        QuotedCase{"Plain", ":57", "\":57\""}, QuotedCase{"Empty", "", "\"\""},
        QuotedCase{"QuotesAndBackslashes", "a\"b\\c", "\"a\\\"b\\\\c\""},
        QuotedCase{"ControlCharacters", "two\nlines\r\x1B\x7F", "\"two\\x0Alines\\x0D\\x1B\\x7F\""},
        QuotedCase{"FortyCharacters", forty, "\"" + forty + "\""},
        QuotedCase{"FortyOne", forty + "8", "\"" + forty + "...\""},
        QuotedCase{"FortyOneCyrillic", fortyCyrillic + "\xD0\x96", "\"" + fortyCyrillic + "...\""}),
    [](const ::testing::TestParamInfo<QuotedCase>& info) { return info.param.name; });

}  // namespace
