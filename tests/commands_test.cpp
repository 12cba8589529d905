// The game commands and the help box, headless.
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "access_log.h"
#include "field.h"
#include "game_fixture.h"

namespace kestrune::testing {
namespace {

enum class From { Idle, Running, Paused, Over };

void enter(HeadlessGame& game, From state) {
    if (state == From::Idle) return;
    ASSERT_TRUE(game.rt.click("Command1"));
    if (state == From::Paused) {
        ASSERT_TRUE(game.rt.click("Commandstop"));
    }
    if (state == From::Over) {
        // No lives left: the next check tick ends the game.
        game.c("Labellife").storedValues().caption = "0";
        game.rt.advance(600);
    }
    ASSERT_EQ(game.pattern(), state == From::Running  ? running
                              : state == From::Paused ? paused
                                                      : over);
}

using CommandsTest = GameTest;

struct Transition {
    const char* command;  // a button or a menu item
    From from;
    std::optional<StatePattern> after;  // nothing: the button is disabled and takes no click
};

constexpr StatePattern idleWithContinue{false, false, false, false, false,
                                        false, true,  true,  true,  false};
constexpr StatePattern runningUnderLogo{true, true,  true, true, true,
                                        true, false, true, true, false};

const std::vector<Transition> transitions{
    {"Command1", From::Idle, running},
    {"Command1", From::Running, running},
    {"Command1", From::Paused, running},
    {"Command1", From::Over, running},
    {"aa", From::Idle, running},
    {"aa", From::Running, running},
    {"aa", From::Paused, running},
    {"aa", From::Over, running},
    {"Commandstop", From::Idle, std::nullopt},
    {"Commandstop", From::Running, paused},
    {"Commandstop", From::Paused, std::nullopt},
    {"Commandstop", From::Over, std::nullopt},
    {"ab", From::Idle, idleWithContinue},
    {"ab", From::Running, paused},
    {"ab", From::Paused, paused},
    {"ab", From::Over, paused},
    {"Commandcontinue", From::Idle, std::nullopt},
    {"Commandcontinue", From::Running, std::nullopt},
    {"Commandcontinue", From::Paused, running},
    {"Commandcontinue", From::Over, std::nullopt},
    {"ac", From::Idle, runningUnderLogo},
    {"ac", From::Running, running},
    {"ac", From::Paused, running},
    {"ac", From::Over, running},
};

// Every command from every state gives the state the transition table names; a disabled
// button changes nothing.
TEST_F(CommandsTest, TransitionTable) {
    for (const Transition& t : transitions) {
        HeadlessGame game;
        SCOPED_TRACE(std::string(t.command) + " from state " + std::to_string(int(t.from)));
        enter(game, t.from);
        const StatePattern before = game.pattern();
        const bool raised = game.rt.click(t.command);
        EXPECT_EQ(raised, t.after.has_value());
        EXPECT_EQ(game.pattern(), t.after.value_or(before));
    }
}

// New game makes its fourteen writes in order and reads nothing.
TEST_F(CommandsTest, NewGameWritesInOrder) {
    AccessLog log;
    rt.form().addObserver(&log);
    ASSERT_TRUE(rt.click("aa"));
    const std::vector<Access> expected{
        write("Imagelogo", "Visible"),      write("Imagetravik", "Visible"),
        write("Timer1", "Enabled"),         write("Timer1", "Interval"),
        write("Timergame", "Enabled"),      write("Timergame", "Interval"),
        write("Timerplusspeed", "Enabled"), write("Commandup", "Enabled"),
        write("Commanddown", "Enabled"),    write("Labelscore", "Caption"),
        write("Labellife", "Caption"),      write("Commandcontinue", "Enabled"),
        write("Commandstop", "Enabled"),    write("Imagetravik", "Top"),
    };
    EXPECT_EQ(log.accesses, expected);
    EXPECT_EQ(v("Labelscore").caption, "0");
    EXPECT_EQ(v("Labellife").caption, "3");
    EXPECT_EQ(v("Timer1").interval, 600);
    EXPECT_EQ(v("Timergame").interval, 600);
    EXPECT_EQ(v("Imagetravik").top, 120.0f);
}

// Pause and continue write the same seven properties in the same order, and read nothing.
TEST_F(CommandsTest, PauseAndContinueWriteInOrder) {
    const std::vector<Access> seven{
        write("Timergame", "Enabled"),       write("Timerplusspeed", "Enabled"),
        write("Timer1", "Enabled"),          write("Commandup", "Enabled"),
        write("Commanddown", "Enabled"),     write("Commandstop", "Enabled"),
        write("Commandcontinue", "Enabled"),
    };
    for (const char* command : {"ab", "ac", "Commandstop", "Commandcontinue"}) {
        SCOPED_TRACE(command);
        if (std::string(command) == "Commandstop") {
            ASSERT_TRUE(rt.click("Command1"));
        }
        AccessLog log;
        rt.form().addObserver(&log);
        ASSERT_TRUE(rt.click(command));
        rt.form().removeObserver(&log);
        EXPECT_EQ(log.accesses, seven);
    }
}

// A new game in the middle of a game resets score, lives, period and row, but leaves the field
// objects, the speed-up period and the two hidden labels where they stand.
TEST_F(CommandsTest, NewGameLeavesTheFieldAlone) {
    ASSERT_TRUE(rt.click("Command1"));
    rt.advance(1200);  // two game steps: a row draw may have happened, Labeltimer is written
    ASSERT_TRUE(rt.click("Commanddown"));
    c("Imagering2").storedValues().visible = forms::False;  // as if taken
    c("Labelscore").storedValues().caption = "250";
    c("Labellife").storedValues().caption = "1";
    c("Timergame").storedValues().interval = 18;

    std::vector<forms::Control::Values> field;
    for (auto name : fieldObjects) field.push_back(v(name));
    const std::string timerText = v("Labeltimer").caption;
    const std::string generatorText = v("Labelgenerator").caption;

    ASSERT_TRUE(rt.click("Command1"));
    for (std::size_t i = 0; i < fieldObjects.size(); ++i) {
        SCOPED_TRACE(fieldObjects[i]);
        EXPECT_EQ(v(fieldObjects[i]).left, field[i].left);
        EXPECT_EQ(v(fieldObjects[i]).top, field[i].top);
        EXPECT_EQ(v(fieldObjects[i]).visible, field[i].visible);
    }
    EXPECT_EQ(v("Imagering2").visible, forms::False);
    EXPECT_EQ(v("Labeltimer").caption, timerText);
    EXPECT_EQ(v("Labelgenerator").caption, generatorText);
    EXPECT_EQ(v("Timerplusspeed").interval, 600);
    EXPECT_EQ(v("Labelscore").caption, "0");
    EXPECT_EQ(v("Labellife").caption, "3");
    EXPECT_EQ(v("Timergame").interval, 600);
    EXPECT_EQ(v("Imagetravik").top, 120.0f);
}

// The title picture and the hero change only at the first new game and never change back.
TEST_F(CommandsTest, VisibleRowsNeverChangeBack) {
    ASSERT_TRUE(rt.click("Command1"));
    for (const char* command : {"ab", "ac", "Commandstop", "aa", "ab", "Commandcontinue"}) {
        rt.click(command);
        rt.advance(700);
        EXPECT_EQ(v("Imagelogo").visible, forms::False);
        EXPECT_EQ(v("Imagetravik").visible, forms::True);
    }
    c("Labellife").storedValues().caption = "0";
    rt.advance(1200);
    EXPECT_EQ(pattern(), over);
}

// The help box opens from its button and menu item, stays open on a second click, closes with
// "X", and pauses nothing.
TEST_F(CommandsTest, HelpBoxStates) {
    struct Step {
        const char* command;
        bool raised;
        bool shownAfter;
    };
    const std::vector<Step> steps{
        {"Command3", false, false},  // "X" is hidden with its box
        {"Command2", true, true},   {"Command2", true, true}, {"Command3", true, false},
        {"ba", true, true},         {"ba", true, true},       {"Command3", true, false},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.command);
        EXPECT_EQ(rt.click(s.command), s.raised);
        EXPECT_EQ(v("Frame1").visible != forms::False, s.shownAfter);
        EXPECT_EQ(pattern(), idle);
    }
}

// Opening the help box touches only its frame.
TEST_F(CommandsTest, HelpBoxWritesOnlyItsFrame) {
    for (const char* command : {"Command2", "ba", "Command3"}) {
        AccessLog log;
        rt.form().addObserver(&log);
        ASSERT_TRUE(rt.click(command));
        rt.form().removeObserver(&log);
        EXPECT_EQ(log.accesses, std::vector<Access>{write("Frame1", "Visible")}) << command;
    }
}

// The open help box stays open through new game, pause, continue and the end of a game, and
// the game goes on behind it.
TEST_F(CommandsTest, HelpBoxStaysOpenThroughTheGame) {
    ASSERT_TRUE(rt.click("Command2"));
    for (const char* command : {"Command1", "Commandstop", "Commandcontinue", "aa", "ab", "ac"}) {
        ASSERT_TRUE(rt.click(command)) << command;
        EXPECT_NE(v("Frame1").visible, forms::False) << command;
    }
    rt.advance(600);
    EXPECT_EQ(v("Labeltimer").caption, "600");  // the check tick ran behind the box
    c("Labellife").storedValues().caption = "0";
    rt.advance(600);
    EXPECT_EQ(pattern(), over);
    EXPECT_NE(v("Frame1").visible, forms::False);
}

}  // namespace
}  // namespace kestrune::testing
