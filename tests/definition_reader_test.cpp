// Reading stored window definitions: what a good one builds, and where a bad one is refused.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "control.h"
#include "definition_reader.h"
#include "form.h"

namespace {

using forms::Control;
using forms::ControlClass;
using forms::DefinitionError;
using forms::DefinitionReader;

bool onlyShip(std::string_view name) {
    return name == "ship.bmp";
}

std::unique_ptr<forms::Form> read(std::string_view text) {
    return DefinitionReader::read(text, onlyShip);
}

struct Malformed {
    std::string name;
    std::string text;
    std::int64_t line;
    std::string_view mentions;  // what the message must name
};

std::ostream& operator<<(std::ostream& out, const Malformed& m) {
    return out << m.name;
}

class MalformedDefinitionTest : public ::testing::TestWithParam<Malformed> {};

// A malformed definition is refused with the line at fault and a message naming the fault.
TEST_P(MalformedDefinitionTest, IsRefusedAtItsLine) {
    const Malformed& m = GetParam();
    try {
        read(m.text);
        FAIL() << "the definition was accepted";
    } catch (const DefinitionError& error) {
        EXPECT_EQ(error.line(), m.line) << error.what();
        EXPECT_NE(std::string(error.what()).find(m.mentions), std::string::npos) << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, MalformedDefinitionTest,
    ::testing::Values(
        Malformed{"UnknownClass", "Form F\n  Widget W\n", 2, "Widget"},
        Malformed{"UnknownProperty", "Form F\n  Label L\n    Colour = 5\n", 3, "Colour"},
        Malformed{"PropertyTheClassLacks", "Form F\n  Timer T\n    Caption = \"x\"\n", 3,
                  "Caption"},
        Malformed{"BadNumber", "Form F\n  Label L\n    Left = 12x\n", 3, "12x"},
        Malformed{"FortyCharactersQuotedWhole",
                  "Form F\n  Label L\n    Left = 777777777777777777777777777777777777777x\n", 3,
                  "\"777777777777777777777777777777777777777x\""},
        Malformed{"NumberNotFinite", "Form F\n  Label L\n    Left = inf\n", 3, "inf"},
        Malformed{"NumberNotANumber", "Form F\n  Label L\n    Top = nan\n", 3, "nan"},
        Malformed{"FractionForAWholeNumber", "Form F\n  Timer T\n    Interval = 2.5\n", 3, "2.5"},
        Malformed{"WholeNumberOutOfRange", "Form F\n  Timer T\n    Interval = 99999999999\n", 3,
                  "99999999999"},
        Malformed{"BadBoolean", "Form F\n  Label L\n    Visible = Yes\n", 3, "Yes"},
        Malformed{"BadColourDigits", "Form F\n  Label L\n    BackColor = &H00GG0000&\n", 3,
                  "&H00GG0000&"},
        Malformed{"ColourWithoutNotation", "Form F\n  Label L\n    ForeColor = 255\n", 3, "255"},
        Malformed{"UnterminatedText", "Form F\n  Caption = \"Kestrune\n", 2, "unterminated"},
        Malformed{"UnterminatedAfterQuotePair", "Form F\n  Caption = \"say \"\"hi\"\"\n", 2,
                  "unterminated"},
        Malformed{"UnterminatedOpeningQuoteOnly", "Form F\n  Caption = \"\n", 2, "unterminated"},
        Malformed{"DuplicateControlName", "Form F\n  Label L\n  Frame P\n    Label L\n", 4,
                  "\"L\""},
        Malformed{"ControlNamedLikeTheForm", "Form F\n  Label F\n", 2, "\"F\""},
        Malformed{"SettingGivenTwice",
                  "Form F\n  Label L\n    Left = 1\n    Top = 2\n    Left = 3\n", 5, "Left"},
        Malformed{"MissingPicture", "Form F\n  Image I\n    Picture = \"gone.bmp\"\n", 3,
                  "gone.bmp"},
        Malformed{"UnassignedByte", "Form F\n  Caption = \"\x98\"\n", 2, "Windows-1251"},
        Malformed{"ControlCharacter", "Form F\n  Label L\n    Caption = \"a\x01\"\n", 3,
                  "Windows-1251"},
        Malformed{"OpensWithoutAForm", "Label L\n  Caption = \"x\"\n", 1, "Form"},
        Malformed{"HoldsNoForm", "# nothing here\n", 1, "Form"},
        Malformed{"EmptyIsRefusedAtLineOne", "", 1, "no Form"},
        Malformed{"SecondForm", "Form F\nForm G\n", 2, "Form"},
        Malformed{"OddIndentation", "Form F\n   Label L\n", 2, "two blanks"},
        Malformed{"TabIndentation", "Form F\n\tLabel L\n", 2, "tab"},
        Malformed{"IndentedTooDeep", "Form F\n      Label L\n", 2, "deeper"},
        Malformed{"ControlUnderALabel", "Form F\n  Label L\n    CommandButton B\n", 3, "Label L"},
        Malformed{"ControlUnderATimer", "Form F\n  Timer T\n    Label L\n", 3, "Timer T"},
        Malformed{"LinesCountedAcrossCommentsAndCrLf",
                  "# title screen\r\n\r\nForm F\r\n  # the score\r\n  Label L\r\n    Left = x\r\n",
                  6, "\"x\""}),
    [](const ::testing::TestParamInfo<Malformed>& info) { return info.param.name; });

constexpr std::size_t maxDepth = DefinitionReader::maxDepth;
constexpr std::size_t maxControls = DefinitionReader::maxControls;

// A Form holding `depth` controls of class `outer`, each inside the one before, and in the
// innermost `count` controls of class `inner` side by side. Every control is two lines, its
// header and a Caption, so the nth control opens at line 2n.
struct Shape {
    std::string name;
    std::string_view outer;
    std::size_t depth;
    std::string_view inner;
    std::size_t count;
    std::int64_t refusedAt;  // 0: accepted
    std::string_view mentions = {};
};

std::ostream& operator<<(std::ostream& out, const Shape& s) {
    return out << s.name;
}

std::string definitionOf(const Shape& s) {
    std::string text = "Form F\n";
    std::size_t number = 0;
    auto control = [&](std::string_view cls, std::size_t level) {
        const std::string indent(2 * level, ' ');
        text += indent + std::string(cls) + " C" + std::to_string(++number) + "\n";
        text += indent + "  Caption = \"x\"\n";
    };
    for (std::size_t level = 1; level <= s.depth; ++level) control(s.outer, level);
    for (std::size_t i = 0; i < s.count; ++i) control(s.inner, s.depth + 1);
    return text;
}

std::size_t depthOf(const Control& control) {
    std::size_t depth = 0;
    for (const Control* c = control.container(); c != nullptr; c = c->container()) ++depth;
    return depth;
}

class ShapeLimitTest : public ::testing::TestWithParam<Shape> {};

// Up to the limits a definition is read whole; the first control past one is refused at its
// line, whether it goes too deep or one too many, in a frame or a menu.
TEST_P(ShapeLimitTest, IsReadUpToTheLimitsAndRefusedPastThem) {
    const Shape& s = GetParam();
    const std::string text = definitionOf(s);
    if (s.refusedAt == 0) {
        const auto form = read(text);
        ASSERT_EQ(form->controls().size(), 1 + s.depth + s.count);
        EXPECT_EQ(depthOf(*form->controls().back()), s.depth + (s.count > 0 ? 1 : 0));
        return;
    }
    try {
        read(text);
        FAIL() << "the definition was accepted";
    } catch (const DefinitionError& error) {
        EXPECT_EQ(error.line(), s.refusedAt) << error.what();
        EXPECT_NE(std::string(error.what()).find(s.mentions), std::string::npos) << error.what();
    }
}

constexpr std::int64_t lineOfControl(std::size_t n) {
    return std::int64_t(2 * n);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, ShapeLimitTest,
    ::testing::Values(Shape{"FramesNestedToTheLimit", "Frame", maxDepth - 1, "CommandButton", 1, 0},
                      Shape{"ButtonNestedOnePast", "Frame", maxDepth, "CommandButton", 1,
                            lineOfControl(maxDepth + 1), "nested more than 64 deep"},
                      Shape{"FramesNestedOnePast", "Frame", maxDepth + 1, "", 0,
                            lineOfControl(maxDepth + 1), "nested more than 64 deep"},
                      Shape{"MenusNestedToTheLimit", "Menu", maxDepth, "", 0, 0},
                      Shape{"MenusNestedOnePast", "Menu", maxDepth + 1, "", 0,
                            lineOfControl(maxDepth + 1), "nested more than 64 deep"},
                      Shape{"ButtonsSideBySideToTheLimit", "", 0, "CommandButton", maxControls, 0},
                      Shape{"ButtonsSideBySideOnePast", "", 0, "CommandButton", maxControls + 1,
                            lineOfControl(maxControls + 1), "more than 4096 controls"},
                      Shape{"MenusCountAsControls", "Menu", 1, "Menu", maxControls,
                            lineOfControl(maxControls + 1), "more than 4096 controls"},
                      Shape{"ControlsOfFramesCount", "Frame", maxDepth - 1, "Label",
                            maxControls - maxDepth + 1, 0},
                      Shape{"ControlsOfFramesCountOnePast", "Frame", maxDepth - 1, "Label",
                            maxControls - maxDepth + 2, lineOfControl(maxControls + 1),
                            "more than 4096 controls"}),
    [](const ::testing::TestParamInfo<Shape>& info) { return info.param.name; });

// The pattern with every @ in it replaced.
std::string withAt(std::string_view pattern, std::string_view at) {
    std::string out;
    for (const char c : pattern) {
        if (c == '@') {
            out += at;
        } else {
            out += c;
        }
    }
    return out;
}

struct LongToken {
    std::string name;
    std::string_view definition;  // with @ where the token goes
    char byte;                    // the token is this Windows-1251 byte, megabytes of it
    std::string_view character;   // which reads as this character
    std::string_view ending;      // how the message ends, with @ where the excerpt goes
    std::string_view lead = {};   // what the quoted value holds before the token
};

std::ostream& operator<<(std::ostream& out, const LongToken& t) {
    return out << t.name;
}

class LongTokenTest : public ::testing::TestWithParam<LongToken> {};

// A refusal quotes only the first 40 characters of what it refuses, cut between characters.
// The excerpt is matched between the words around it, so that one character more or less
// shows.
TEST_P(LongTokenTest, IsQuotedShort) {
    const LongToken& t = GetParam();
    const std::string text = withAt(t.definition, std::string(std::size_t{4} << 20, t.byte));
    std::string shown(t.lead);
    for (std::size_t i = t.lead.size(); i < 40; ++i) shown += t.character;
    shown += "...";
    try {
        read(text);
        FAIL() << "the definition was accepted";
    } catch (const DefinitionError& error) {
        const std::string message = error.what();
        EXPECT_LT(message.size(), 200u) << message.substr(0, 200);
        EXPECT_TRUE(message.ends_with(withAt(t.ending, shown))) << message.substr(0, 200);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, LongTokenTest,
    ::testing::Values(
        LongToken{"UnknownClass", "Form F\n  @ L\n", '\xC6', "Ж", "class \"@\""},
        LongToken{"BadControlName", "Form F\n  Label @\n", '\xC6', "Ж", "name \"@\""},
        LongToken{"DuplicateName", "Form F\n  Label @\n  Label @\n", 'n', "n", "name \"@\""},
        LongToken{"ContainerThatHoldsNothing", "Form F\n  Label @\n    Label B\n", 'n', "n",
                  "Label @ cannot hold controls"},
        LongToken{"SettingGivenTwice", "Form F\n  Label @\n    Left = 1\n    Left = 2\n", 'n', "n",
                  "twice for @"},
        LongToken{"UnknownProperty", "Form F\n  Label L\n    @ = 1\n", '\xC6', "Ж",
                  "property \"@\""},
        LongToken{"BadNumber", "Form F\n  Label L\n    Left = @\n", '1', "1", "number \"@\""},
        LongToken{"BadWholeNumber", "Form F\n  Timer T\n    Interval = @\n", '9', "9",
                  "number \"@\""},
        LongToken{"BadBoolean", "Form F\n  Label L\n    Visible = @\n", '\xC6', "Ж", "not \"@\""},
        LongToken{"BadColour", "Form F\n  Label L\n    BackColor = &H@&\n", '\xC6', "Ж",
                  "not \"@\"", "&H"},
        LongToken{"MissingPicture", "Form F\n  Image I\n    Picture = \"@\"\n", '\xC6', "Ж",
                  "picture \"@\""}),
    [](const ::testing::TestParamInfo<LongToken>& info) { return info.param.name; });

// The error carries a line number past 2^31 and prints it whole, for the longest definitions
// a string can hold. That the reader counts that far is checked by hand, as it takes a
// definition of more than 4 GiB.
TEST(DefinitionErrorTest, CarriesAndPrintsALinePastTwoToTheThirtyFirst) {
    const DefinitionError error(std::int64_t{3'000'000'000}, "bad number");
    EXPECT_EQ(error.line(), std::int64_t{3'000'000'000});
    EXPECT_NE(std::string(error.what()).find("line 3000000000:"), std::string::npos);
}

// Windows-1251 captions arrive as UTF-8, with "" standing for a quote.
TEST(DefinitionReaderTest, DecodesTexts) {
    const auto form = read(
        "Form F\n"
        "  Caption = \"\xc8\xe3\xf0\xe0 \xb8\xa8 \xb9"
        "1\"\n"
        "  Label Said\n"
        "    Caption = \"say \"\"hi\"\"\"\n"
        "  Label Quote\n"
        "    Caption = \"\"\"\"\n"
        "  Label Blank\n"
        "    Caption = \"\"\n"
        "  Label Sign\n"
        "    Caption = \"a = b # c\"\n");
    EXPECT_EQ(form->window().values().caption, "Игра ёЁ №1");
    EXPECT_EQ(form->control("Said").values().caption, "say \"hi\"");
    EXPECT_EQ(form->control("Quote").values().caption, "\"");
    EXPECT_EQ(form->control("Blank").values().caption, "");
    EXPECT_EQ(form->control("Sign").values().caption, "a = b # c");
}

std::vector<std::string> names(const std::vector<Control*>& controls) {
    std::vector<std::string> out;
    for (const Control* c : controls) out.push_back(c->name());
    return out;
}

// Controls stand in their containers front first, as listed, and the form lists them all in order.
TEST(DefinitionReaderTest, ListingGivesTheZOrder) {
    const auto form = read(
        "Form F\n"
        "  Label Top\n"
        "  Frame Panel\n"
        "    CommandButton A\n"
        "    Frame Inner\n"
        "      Label Deep\n"
        "    CommandButton B\n"
        "  Caption = \"after the frame\"\n"
        "  Image Back\n");
    EXPECT_EQ(names(form->window().children()), (std::vector<std::string>{"Top", "Panel", "Back"}));
    EXPECT_EQ(names(form->control("Panel").children()),
              (std::vector<std::string>{"A", "Inner", "B"}));
    EXPECT_EQ(names(form->control("Inner").children()), std::vector<std::string>{"Deep"});
    EXPECT_EQ(form->control("Deep").container(), form->find("Inner"));
    EXPECT_EQ(form->window().values().caption, "after the frame");

    std::vector<Control*> all;
    for (const auto& c : form->controls()) all.push_back(c.get());
    EXPECT_EQ(names(all),
              (std::vector<std::string>{"F", "Top", "Panel", "A", "Inner", "Deep", "B", "Back"}));
}

// What a definition does not set keeps the class default; what it sets is stored as written.
TEST(DefinitionReaderTest, StoresSettingsOverClassDefaults) {
    const auto form = read(
        "Form F\n"
        "  Timer Plain\n"
        "  Timer Off\n"
        "    Enabled = False\n"
        "    Interval = 600\n"
        "  Image Ship\n"
        "    Picture = \"ship.bmp\"\n"
        "    Stretch = True\n"
        "  Label L\n"
        "    Left = -360\n"
        "    Top = 3480\n"
        "    BackColor = &H0000C0C0&\n"
        "    FontSize = 8.25\n"
        "    FontBold = True\n");
    EXPECT_EQ(form->control("Plain").values().enabled, forms::True);
    EXPECT_EQ(form->control("Plain").values().interval, 0);
    EXPECT_EQ(form->control("Off").values().enabled, forms::False);
    EXPECT_EQ(form->control("Off").values().interval, 600);

    const Control::Values& ship = form->control("Ship").values();
    EXPECT_EQ(ship.visible, forms::True);
    EXPECT_EQ(ship.picture, "ship.bmp");
    EXPECT_EQ(ship.stretch, forms::True);

    const Control::Values& label = form->control("L").values();
    EXPECT_EQ(label.visible, forms::True);
    EXPECT_EQ(label.left, -360.0f);
    EXPECT_EQ(label.top, 3480.0f);
    EXPECT_EQ(label.backColor, forms::Colour{0x0000C0C0});
    EXPECT_FALSE(label.foreColor.has_value());
    ASSERT_TRUE(label.font.has_value());
    EXPECT_EQ(label.font->size, 8.25f);
    EXPECT_TRUE(label.font->bold);
    EXPECT_EQ(form->control("L").controlClass(), ControlClass::Label);
}

}  // namespace
