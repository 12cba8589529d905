// The play, headless: the game step, the hero's moves, the contact check, the check tick and
// the speed-up, driven through their handlers and through the simulated clock.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "game_fixture.h"
#include "play.h"
#include "random_generator.h"
#include "runtime.h"

namespace kestrune::testing {
namespace {

using forms::Property;

// Grid places, in twips.
constexpr float cellLeft(int column) {
    return 120.0f + 480.0f * static_cast<float>(column);
}
constexpr float cellTop(int row) {
    return 120.0f + 480.0f * static_cast<float>(row);
}

const std::vector<std::string_view> fieldObjects{
    "Image1",     "Image2",     "Image3",     "Image4",     "Image5",     "Image6",
    "Imagering1", "Imagering2", "Imagering3", "Imagering4", "Imagering5", "Imagering6"};

bool isRing(std::string_view name) {
    return name.starts_with("Imagering");
}

std::string number(float x) {
    if (x == std::trunc(x)) return std::to_string(static_cast<long long>(x));
    return std::to_string(x);
}

// Every read and write, in order, as text: "get Image1.Top", "set Image1.Left=120".
// A write shows the value it left, so a sequence of writes also checks what was written.
class AccessTrace : public forms::AccessObserver {
public:
    explicit AccessTrace(forms::Form& form) : form_(form) { form_.addObserver(this); }
    ~AccessTrace() override { form_.removeObserver(this); }
    AccessTrace(const AccessTrace&) = delete;
    AccessTrace& operator=(const AccessTrace&) = delete;

    void propertyRead(const forms::Control& c, Property p) override {
        lines.push_back("get " + c.name() + "." + std::string(forms::propertyName(p)));
    }
    void propertyWritten(const forms::Control& c, Property p) override {
        lines.push_back("set " + c.name() + "." + std::string(forms::propertyName(p)) + "=" +
                        value(c, p));
    }

    // Only the writes.
    std::vector<std::string> sets() const { return matching("set "); }
    // Only the accesses to one control's property, like "Labelgenerator.Caption".
    std::vector<std::string> about(std::string_view what) const {
        std::vector<std::string> found;
        for (const std::string& line : lines) {
            const std::string_view rest = std::string_view(line).substr(4);
            if (rest.starts_with(what) &&
                (rest.size() == what.size() || rest[what.size()] == '=')) {
                found.push_back(line);
            }
        }
        return found;
    }
    // The writes of a property of that name to any control, like ".Visible".
    std::vector<std::string> setsOf(std::string_view property) const {
        std::vector<std::string> found;
        for (const std::string& line : sets()) {
            if (line.find(std::string(property) + "=") != std::string::npos) found.push_back(line);
        }
        return found;
    }
    void clear() { lines.clear(); }

    std::vector<std::string> lines;

private:
    std::vector<std::string> matching(std::string_view prefix) const {
        std::vector<std::string> found;
        for (const std::string& line : lines) {
            if (line.starts_with(prefix)) found.push_back(line);
        }
        return found;
    }

    static std::string value(const forms::Control& c, Property p) {
        const forms::Control::Values& v = c.values();
        switch (p) {
            case Property::Left:
                return number(v.left);
            case Property::Top:
                return number(v.top);
            case Property::Visible:
                return v.visible != forms::False ? "T" : "F";
            case Property::Enabled:
                return v.enabled != forms::False ? "T" : "F";
            case Property::Interval:
                return std::to_string(v.interval);
            case Property::Caption:
                return "\"" + v.caption + "\"";
            default:
                return "?";
        }
    }

    forms::Form& form_;
};

// A game with its handlers at hand: a running game is one that Command1 started.
class PlayTest : public GameTest {
protected:
    void newGame() { ASSERT_TRUE(rt.click("Command1")); }
    void heroOnRow(int row) { c("Imagetravik").storedValues().top = cellTop(row); }
    float heroTop() { return v("Imagetravik").top; }
    forms::Long stepPeriod() { return v("Timergame").interval; }
    forms::Long checkPeriod() { return v("Timer1").interval; }
    const std::string& lives() { return v("Labellife").caption; }
    const std::string& score() { return v("Labelscore").caption; }
    bool shown(std::string_view name) { return v(name).visible != forms::False; }
    // Moves the clock on to an absolute time.
    void advanceTo(forms::Millis when) {
        ASSERT_GE(when, rt.now());
        rt.advance(when - rt.now());
    }
    // Clears column 0, so that only what a test places there can be hit.
    void clearColumnZero() {
        for (const std::string_view name : fieldObjects) {
            if (v(name).left == cellLeft(0)) place(name, 6, 0);
        }
    }
};

// ---------------------------------------------------------------------------------------------
// The game step

struct StepRow {
    std::vector<std::string_view> reenter;     // re-enter during the step
    std::vector<std::string_view> columnZero;  // stand in column 0 after it
};

// By the step's number modulo 12, from the stored field.
const std::vector<StepRow> cycle{
    /* 0 */ {{"Image4"}, {}},
    /* 1 */ {{}, {"Image5"}},
    /* 2 */ {{"Image5"}, {"Imagering1", "Imagering3"}},
    /* 3 */ {{"Imagering1", "Imagering3"}, {"Image6"}},
    /* 4 */ {{"Image6"}, {"Imagering2"}},
    /* 5 */ {{"Imagering2"}, {"Image3"}},
    /* 6 */ {{}, {"Imagering4"}},
    /* 7 */ {{"Image3", "Imagering4"}, {"Image2"}},
    /* 8 */ {{"Image2"}, {"Imagering5"}},
    /* 9 */ {{"Imagering5"}, {"Image1"}},
    /* 10 */ {{"Image1"}, {"Imagering6"}},
    /* 11 */ {{"Imagering6"}, {"Image4"}},
};

// Each object re-enters and reaches column 0 on the twelve-step cycle, drawing one row a re-entry.
TEST_F(PlayTest, StepsFollowTheTwelveStepCycle) {
    AccessTrace trace(rt.form());
    int draws = 0;
    for (int n = 1; n <= 24; ++n) {
        SCOPED_TRACE("step " + std::to_string(n));
        const StepRow& expected = cycle[n % 12];
        // One number per expected re-entry, each naming a different row in turn.
        for (std::size_t k = 0; k < expected.reenter.size(); ++k) {
            rt.random().queue({(static_cast<float>((draws + k) % 8) + 0.5f) / 8.0f});
        }
        trace.clear();
        Timergame_Timer(rt);

        std::vector<std::string_view> reentered;
        for (const std::string_view name : fieldObjects) {
            for (const std::string& line : trace.about(std::string(name) + ".Left")) {
                if (line.ends_with("=5400")) reentered.push_back(name);
            }
        }
        EXPECT_EQ(reentered, expected.reenter);
        for (const std::string_view name : expected.reenter) {
            EXPECT_EQ(v(name).top, cellTop(draws % 8)) << name << " takes the drawn row";
            ++draws;
        }
        EXPECT_EQ(trace.setsOf("Labelgenerator.Caption").size(), expected.reenter.size());

        std::vector<std::string_view> inColumnZero;
        for (const std::string_view name : fieldObjects) {
            if (v(name).left == cellLeft(0)) inColumnZero.push_back(name);
        }
        EXPECT_EQ(inColumnZero, expected.columnZero);

        // Rings re-enter visible; a block's visibility is never written.
        std::vector<std::string> visibleWrites;
        for (const std::string_view name : expected.reenter) {
            if (isRing(name)) visibleWrites.push_back("set " + std::string(name) + ".Visible=T");
        }
        EXPECT_EQ(trace.setsOf(".Visible"), visibleWrites);
    }
}

// Image3 is tested for the exit before it moves: a step at -360, then column 10.
TEST_F(PlayTest, Image3PassesThroughTheExitPosition) {
    const std::vector<float> lefts{2040, 1560, 1080, 600, 120, -360, 4920, 4440};
    for (std::size_t n = 0; n < lefts.size(); ++n) {
        Timergame_Timer(rt);
        EXPECT_EQ(v("Image3").left, lefts[n]) << "after step " << n + 1;
    }
    for (int n = 9; n <= 17; ++n) Timergame_Timer(rt);
    EXPECT_EQ(v("Image3").left, cellLeft(0)) << "after step 17";
    Timergame_Timer(rt);
    EXPECT_EQ(v("Image3").left, -360) << "after step 18";
}

// A step in which nothing re-enters draws no number and leaves the row digit alone.
TEST_F(PlayTest, StepWithoutReentryLeavesTheRowDigit) {
    AccessTrace trace(rt.form());
    rt.random().queue({0.99f});
    Timergame_Timer(rt);
    EXPECT_EQ(v("Labelgenerator").caption, "0");
    EXPECT_TRUE(trace.about("Labelgenerator.Caption").empty());
    // The queued number is still there for the next step's re-entry of Image5.
    Timergame_Timer(rt);
    EXPECT_EQ(v("Image5").top, cellTop(7));
    EXPECT_EQ(v("Labelgenerator").caption, "7");
}

// A drawn row is written to the digit, then matched by reading the digit anew for each row.
TEST_F(PlayTest, RowDrawGoesThroughTheDigit) {
    Timergame_Timer(rt);         // step 1: no re-entry
    rt.random().queue({0.40f});  // row 3
    AccessTrace trace(rt.form());
    Timergame_Timer(rt);  // step 2: Image5 re-enters
    std::vector<std::string> expected{"set Labelgenerator.Caption=\"3\""};
    for (int d = 0; d < 8; ++d) {
        expected.push_back("get Labelgenerator.Caption");
        if (d == 3) expected.push_back("set Image5.Top=1560");
    }
    std::vector<std::string> seen;
    for (const std::string& line : trace.lines) {
        if (line.find("Labelgenerator.Caption") != std::string::npos ||
            line.starts_with("set Image5.Top")) {
            seen.push_back(line);
        }
    }
    EXPECT_EQ(seen, expected);
}

struct DrawCase {
    const char* name;
    float u1, u2;
    int row1, row2;
};

// The shortest text that reads back as the same float, so a draw just below a boundary shows.
std::string exact(float x) {
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, x).ptr);
}

// A failing case reads by its name and draws rather than as the table row's raw bytes.
void PrintTo(const DrawCase& p, std::ostream* out) {
    *out << p.name << ": draws " << exact(p.u1) << " and " << exact(p.u2) << " give rows " << p.row1
         << " and " << p.row2;
}

class RowDrawTest : public PlayTest, public ::testing::WithParamInterface<DrawCase> {};

// A drawn number u gives row floor(8u); the digit keeps the step's last draw.
TEST_P(RowDrawTest, DrawnNumbersGiveRows) {
    const DrawCase& p = GetParam();
    for (int n = 1; n <= 6; ++n) Timergame_Timer(rt);
    rt.random().queue({p.u1, p.u2});
    Timergame_Timer(rt);
    EXPECT_EQ(v("Image3").left, cellLeft(10));
    EXPECT_EQ(v("Image3").top, cellTop(p.row1));
    EXPECT_EQ(v("Imagering4").left, cellLeft(11));
    EXPECT_EQ(v("Imagering4").top, cellTop(p.row2));
    EXPECT_EQ(v("Labelgenerator").caption, std::to_string(p.row2));
}

const float belowOne = std::nextafter(1.0f, 0.0f);
const float belowEighth = std::nextafter(0.125f, 0.0f);

INSTANTIATE_TEST_SUITE_P(Draws, RowDrawTest,
                         ::testing::Values(DrawCase{"ZeroThenLargest", 0.0f, belowOne, 0, 7},
                                           DrawCase{"LargestThenZero", belowOne, 0.0f, 7, 0},
                                           DrawCase{"EighthBoundary", 0.125f, belowEighth, 1, 0},
                                           DrawCase{"Middle", 0.5f, 0.874f, 4, 6}),
                         [](const auto& info) { return std::string(info.param.name); });

// A hidden ring shows again when it re-enters, and not before.
TEST_F(PlayTest, HiddenRingShowsAgainOnReentry) {
    c("Imagering1").storedValues().visible = forms::False;
    Timergame_Timer(rt);
    Timergame_Timer(rt);
    EXPECT_FALSE(shown("Imagering1")) << "in column 0 after step 2";
    Timergame_Timer(rt);
    EXPECT_EQ(v("Imagering1").left, cellLeft(11));
    EXPECT_TRUE(shown("Imagering1"));
}

// ---------------------------------------------------------------------------------------------
// The hero's moves

struct WrapCase {
    const char* button;
    int from;
    std::vector<std::string> topWrites;
    int to;
};

// A move off the bottom or top row parks the hero one row beyond, then lands on the far edge.
TEST_F(PlayTest, MovesWrapAtTheEdges) {
    newGame();
    const std::vector<WrapCase> cases{
        {"Commanddown", 7, {"set Imagetravik.Top=-360", "set Imagetravik.Top=120"}, 0},
        {"Commandup", 0, {"set Imagetravik.Top=3960", "set Imagetravik.Top=3480"}, 7},
        {"Commanddown", 3, {"set Imagetravik.Top=2040"}, 4},
        {"Commandup", 3, {"set Imagetravik.Top=1080"}, 2},
    };
    for (const WrapCase& w : cases) {
        SCOPED_TRACE(std::string(w.button) + " from row " + std::to_string(w.from));
        heroOnRow(w.from);
        AccessTrace trace(rt.form());
        ASSERT_TRUE(rt.click(w.button));
        EXPECT_EQ(trace.setsOf("Imagetravik.Top"), w.topWrites);
        EXPECT_EQ(heroTop(), cellTop(w.to));
    }
}

// Eight moves either way from any row come back to it; the hero stays in column 0.
TEST_F(PlayTest, EightMovesComeBack) {
    newGame();
    for (const bool down : {true, false}) {
        for (int start = 0; start < 8; ++start) {
            heroOnRow(start);
            for (int k = 1; k <= 8; ++k) {
                ASSERT_TRUE(rt.click(down ? "Commanddown" : "Commandup"));
                const int row = ((down ? start + k : start - k) % 8 + 8) % 8;
                ASSERT_EQ(heroTop(), cellTop(row)) << (down ? "down" : "up") << " from " << start;
                ASSERT_EQ(v("Imagetravik").left, cellLeft(0));
            }
        }
    }
    EXPECT_EQ(lives(), "3") << "the stored field leaves column 0 empty";
}

// A move checks contacts on the cell it lands on, at the click, not on the one it leaves.
TEST_F(PlayTest, MoveChecksTheCellItLandsOn) {
    newGame();
    place("Imagering2", 0, 2);
    heroOnRow(1);
    ASSERT_TRUE(rt.click("Commanddown"));
    EXPECT_EQ(score(), "50");
    EXPECT_FALSE(shown("Imagering2"));

    place("Image1", 0, 5);
    for (const char* button : {"Commanddown", "Commandup"}) {
        SCOPED_TRACE(button);
        heroOnRow(5);
        ASSERT_TRUE(rt.click(button));
        EXPECT_EQ(lives(), "3");
        EXPECT_EQ(stepPeriod(), 600);
    }
    // Stepping back onto the block hits it.
    ASSERT_TRUE(rt.click("Commanddown"));
    EXPECT_EQ(lives(), "2");
}

// Outside a running game the move buttons are disabled and move nothing.
TEST_F(PlayTest, DisabledMoveButtonsMoveNothing) {
    const auto triesToMove = [this](const char* state) {
        SCOPED_TRACE(state);
        const float before = heroTop();
        EXPECT_FALSE(rt.click("Commanddown"));
        EXPECT_FALSE(rt.click("Commandup"));
        EXPECT_EQ(heroTop(), before);
    };
    ASSERT_EQ(pattern(), idle);
    triesToMove("idle");

    newGame();
    heroOnRow(4);
    ASSERT_TRUE(rt.click("Commandstop"));
    ASSERT_EQ(pattern(), paused);
    triesToMove("paused");

    ASSERT_TRUE(rt.click("Commandcontinue"));
    c("Labellife").storedValues().caption = "0";
    Timer1_Timer(rt);
    ASSERT_EQ(pattern(), over);
    heroOnRow(4);
    triesToMove("over");
}

// ---------------------------------------------------------------------------------------------
// The contact check

struct Placed {
    std::string_view name;
    int column, row;
    bool visible = true;
};

struct ContactCase {
    const char* name;
    std::vector<Placed> objects;
    bool heroVisible;
    const char* livesBefore;
    const char* scoreBefore;
    const char* lives;
    const char* score;
    forms::Long period;
    std::vector<std::string_view> hiddenAfter;  // every other placed ring stays as it was
};

void PrintTo(const ContactCase& p, std::ostream* out) {
    *out << p.name << ":";
    for (const Placed& o : p.objects) {
        *out << " " << o.name << " at " << o.column << "," << o.row << (o.visible ? "" : " hidden");
    }
    *out << (p.heroVisible ? "" : ", hero hidden") << ", lives " << p.livesBefore << ", score "
         << p.scoreBefore;
}

class ContactTest : public PlayTest, public ::testing::WithParamInterface<ContactCase> {};

// A contact is exact equality of cells, whatever the visibility: blocks cost, rings score.
TEST_P(ContactTest, CellContentsGiveResults) {
    const ContactCase& p = GetParam();
    newGame();
    constexpr int heroRow = 4;
    heroOnRow(heroRow);
    c("Imagetravik").storedValues().visible = p.heroVisible ? forms::True : forms::False;
    c("Labellife").storedValues().caption = p.livesBefore;
    c("Labelscore").storedValues().caption = p.scoreBefore;
    for (const Placed& o : p.objects) {
        place(o.name, o.column, o.row);
        c(o.name).storedValues().visible = o.visible ? forms::True : forms::False;
    }

    CheckContacts(rt);

    EXPECT_EQ(lives(), p.lives);
    EXPECT_EQ(score(), p.score);
    EXPECT_EQ(stepPeriod(), p.period);
    EXPECT_EQ(checkPeriod(), p.period);
    for (const Placed& o : p.objects) {
        bool hidden = !o.visible;
        for (const std::string_view h : p.hiddenAfter) hidden = hidden || h == o.name;
        EXPECT_EQ(shown(o.name), !hidden) << o.name;
        EXPECT_EQ(v(o.name).left, cellLeft(o.column)) << o.name << " stays where it is";
    }
    EXPECT_EQ(heroTop(), cellTop(heroRow));
}

INSTANTIATE_TEST_SUITE_P(
    Cells, ContactTest,
    ::testing::Values(
        ContactCase{"Ring", {{"Imagering2", 0, 4}}, true, "3", "0", "3", "50", 600, {"Imagering2"}},
        // clang-format off
        ContactCase{"Block", {{"Image4", 0, 4}}, true, "3", "0", "2", "0", 610, {}},
        ContactCase{"BlockAndRing",
                    {{"Image1", 0, 4}, {"Imagering5", 0, 4}},
                    true, "3", "0", "2", "50", 610, {"Imagering5"}},
        ContactCase{"TwoRings",
                    {{"Imagering1", 0, 4}, {"Imagering3", 0, 4}},
                    true, "3", "0", "3", "100", 600, {"Imagering1", "Imagering3"}},
        ContactCase{"TwoBlocks",
                    {{"Image2", 0, 4}, {"Image6", 0, 4}},
                    true, "3", "0", "1", "0", 620, {}},
        ContactCase{"HiddenRingScoresAgain",
                    {{"Imagering6", 0, 4, false}},
                    true, "3", "50", "3", "100", 600, {"Imagering6"}},
        ContactCase{"LastLifeGoesNegative", {{"Image3", 0, 4}}, true, "0", "0", "-1", "0", 610, {}},
        ContactCase{"HiddenHeroStillHits", {{"Image5", 0, 4}}, false, "3", "0", "2", "0", 610, {}},
        ContactCase{"OtherRowsInColumnZero",
                    {{"Image2", 0, 3}, {"Imagering2", 0, 5}},
                    true, "3", "0", "3", "0", 600, {}},
        ContactCase{"HerosRowInColumnOne",
                    {{"Image2", 1, 4}, {"Imagering2", 1, 4}},
                    true, "3", "0", "3", "0", 600, {}}),
    // clang-format on
    [](const auto& info) { return std::string(info.param.name); });

// The check reads each object's place and the hero's afresh, in order, writing nothing.
TEST_F(PlayTest, ContactCheckReadsEveryPlaceAfresh) {
    newGame();
    AccessTrace trace(rt.form());
    CheckContacts(rt);
    std::vector<std::string> expected;
    for (const std::string_view name : fieldObjects) {
        expected.push_back("get " + std::string(name) + ".Top");
        expected.push_back("get " + std::string(name) + ".Left");
        expected.push_back("get Imagetravik.Top");
        expected.push_back("get Imagetravik.Left");
    }
    EXPECT_EQ(trace.lines, expected);
}

// On a cell with a block and a ring, the block's three writes come before the ring's two.
TEST_F(PlayTest, BlockWritesBeforeRing) {
    newGame();
    heroOnRow(2);
    place("Image6", 0, 2);
    place("Imagering1", 0, 2);
    AccessTrace trace(rt.form());
    CheckContacts(rt);
    EXPECT_EQ(trace.sets(), (std::vector<std::string>{
                                "set Timergame.Interval=610",
                                "set Timer1.Interval=610",
                                "set Labellife.Caption=\"2\"",
                                "set Labelscore.Caption=\"50\"",
                                "set Imagering1.Visible=F",
                            }));
}

struct OverflowCase {
    const char* name;
    const char* timer;
    forms::Long stepPeriodAfter;  // the step period is written first
};

// Five below the largest 32-bit value: a block hit's 10 takes it past.
constexpr forms::Long nearTop = std::numeric_limits<std::int32_t>::max() - 5;

void PrintTo(const OverflowCase& p, std::ostream* out) {
    *out << p.name << ": " << p.timer << " five below the top";
}

class OverflowTest : public PlayTest, public ::testing::WithParamInterface<OverflowCase> {};

// A block hit taking a period past the 32-bit range is the overflow run-time error.
TEST_P(OverflowTest, PeriodOverflowHalts) {
    const OverflowCase& p = GetParam();
    std::vector<forms::RuntimeError> errors;
    rt.setErrorHandler([&errors](const forms::RuntimeError& e) { errors.push_back(e); });
    newGame();
    c(p.timer).storedValues().interval = nearTop;
    heroOnRow(0);
    place("Image3", 0, 1);

    EXPECT_TRUE(rt.click("Commanddown"));
    ASSERT_TRUE(rt.halted());
    ASSERT_TRUE(rt.error().has_value());
    EXPECT_EQ(rt.error()->kind(), forms::ErrorKind::Overflow);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(stepPeriod(), p.stepPeriodAfter);
    EXPECT_EQ(lives(), "3");

    // Nothing runs after the error.
    const float image1 = v("Image1").left;
    rt.advance(5000);
    EXPECT_EQ(v("Image1").left, image1);
    EXPECT_FALSE(rt.click("Commandup"));
}

INSTANTIATE_TEST_SUITE_P(Periods, OverflowTest,
                         ::testing::Values(OverflowCase{"StepPeriod", "Timergame", nearTop},
                                           OverflowCase{"CheckPeriod", "Timer1", 610}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------
// The check tick

struct FloorCase {
    const char* name;
    forms::Long step, check;
    forms::Long stepAfter, checkAfter;
    const char* shown;
    std::vector<std::string> intervalWrites;
};

void PrintTo(const FloorCase& p, std::ostream* out) {
    *out << p.name << ": step " << p.step << ", check " << p.check;
}

class FloorTest : public PlayTest, public ::testing::WithParamInterface<FloorCase> {};

// Each period at or below 20 is written 20, by its own value; the record follows the floor.
TEST_P(FloorTest, PeriodsAreFlooredAtTwenty) {
    const FloorCase& p = GetParam();
    newGame();
    c("Timergame").storedValues().interval = p.step;
    c("Timer1").storedValues().interval = p.check;
    AccessTrace trace(rt.form());
    Timer1_Timer(rt);
    EXPECT_EQ(stepPeriod(), p.stepAfter);
    EXPECT_EQ(checkPeriod(), p.checkAfter);
    EXPECT_EQ(v("Labeltimer").caption, p.shown);
    EXPECT_EQ(trace.setsOf(".Interval"), p.intervalWrites);
    EXPECT_EQ(pattern(), running);
}

INSTANTIATE_TEST_SUITE_P(
    Floors, FloorTest,
    ::testing::Values(
        // clang-format off
        FloorCase{"AboveFloor", 22, 22, 22, 22, "22", {}},
        FloorCase{"AtFloor", 20, 20, 20, 20, "20",
                  {"set Timergame.Interval=20", "set Timer1.Interval=20"}},
        FloorCase{"BelowFloor", 18, 18, 20, 20, "20",
                  {"set Timergame.Interval=20", "set Timer1.Interval=20"}},
        FloorCase{"OnlyCheckLow", 600, 1, 600, 20, "600", {"set Timer1.Interval=20"}},
        FloorCase{"OnlyStepLow", 20, 600, 20, 600, "20", {"set Timergame.Interval=20"}},
        FloorCase{"Zero", 0, 0, 20, 20, "20",
                  {"set Timergame.Interval=20", "set Timer1.Interval=20"}},
        FloorCase{"Negative", -4, -30, 20, 20, "20",
                  {"set Timergame.Interval=20", "set Timer1.Interval=20"}}),
    // clang-format on
    [](const auto& info) { return std::string(info.param.name); });

// With no lives left the check tick ends the game with nine writes in a fixed order.
TEST_F(PlayTest, NoLivesEndsTheGame) {
    newGame();
    heroOnRow(5);
    c("Labellife").storedValues().caption = "0";
    AccessTrace trace(rt.form());
    Timer1_Timer(rt);
    EXPECT_EQ(trace.sets(), (std::vector<std::string>{
                                "set Labeltimer.Caption=\"600\"",
                                "set Imagetravik.Top=120",
                                "set Timergame.Enabled=F",
                                "set Timerplusspeed.Enabled=F",
                                "set Commandup.Enabled=F",
                                "set Commanddown.Enabled=F",
                                "set Commandstop.Enabled=F",
                                "set Commandcontinue.Enabled=F",
                                "set Command1.Enabled=T",
                                "set Timer1.Enabled=F",
                            }));
    // The contact check still runs, on the hero's new place.
    ASSERT_GE(trace.lines.size(), 48u);
    const std::vector<std::string> tail(trace.lines.end() - 4, trace.lines.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"get Imagering6.Top", "get Imagering6.Left",
                                              "get Imagetravik.Top", "get Imagetravik.Left"}));
    EXPECT_EQ(pattern(), over);
}

// The check tick fires first among timers due together, so game over stops the others.
TEST_F(PlayTest, GameOverTickStopsTheOtherTimers) {
    newGame();
    c("Labellife").storedValues().caption = "0";
    rt.advance(599);
    EXPECT_EQ(pattern(), running);
    rt.advance(1);
    EXPECT_EQ(pattern(), over);
    EXPECT_EQ(stepPeriod(), 600) << "no speed-up";
    EXPECT_EQ(v("Image1").left, cellLeft(9)) << "no game step";
    rt.advance(10000);
    EXPECT_EQ(v("Image1").left, cellLeft(9));
    EXPECT_FALSE(rt.nextDue().has_value());
}

// Lives are judged before the tick's contact check: the last life lost ends the next tick.
TEST_F(PlayTest, LastLifeEndsTheGameAtTheNextTick) {
    newGame();
    c("Labellife").storedValues().caption = "1";
    heroOnRow(3);
    place("Image2", 0, 3);

    Timer1_Timer(rt);
    EXPECT_EQ(lives(), "0");
    EXPECT_EQ(pattern(), running);
    EXPECT_EQ(heroTop(), cellTop(3));

    Timer1_Timer(rt);
    EXPECT_EQ(pattern(), over);
    EXPECT_EQ(heroTop(), cellTop(0));
    EXPECT_EQ(lives(), "0") << "the block on row 3 is no longer the hero's cell";
}

// The game-over tick's contact check still hits a block on row 0.
TEST_F(PlayTest, GameOverTickHitsWhatIsOnRowZero) {
    newGame();
    c("Labellife").storedValues().caption = "0";
    heroOnRow(6);
    place("Image4", 0, 0);
    Timer1_Timer(rt);
    EXPECT_EQ(pattern(), over);
    EXPECT_EQ(lives(), "-1");
    EXPECT_EQ(stepPeriod(), 610);
}

// The period record is written before the contact check: a hit shows from the next tick.
TEST_F(PlayTest, RecordShowsAHitFromTheNextTick) {
    newGame();
    heroOnRow(2);
    place("Image1", 0, 2);
    Timer1_Timer(rt);
    EXPECT_EQ(stepPeriod(), 610);
    EXPECT_EQ(v("Labeltimer").caption, "600");
    clearColumnZero();
    Timer1_Timer(rt);
    EXPECT_EQ(v("Labeltimer").caption, "610");
}

// ---------------------------------------------------------------------------------------------
// The speed-up

// A speed-up takes 2 from the step period, then 2 from the check period, each its own.
TEST_F(PlayTest, SpeedUpShortensBothPeriods) {
    newGame();
    c("Timergame").storedValues().interval = 100;
    c("Timer1").storedValues().interval = 51;
    AccessTrace trace(rt.form());
    Timerplusspeed_Timer(rt);
    EXPECT_EQ(trace.sets(),
              (std::vector<std::string>{"set Timergame.Interval=98", "set Timer1.Interval=49"}));
    EXPECT_EQ(v("Timerplusspeed").interval, 600);
}

// A new game's periods reach 20 at the 290th speed-up; 18 lasts until the next check tick.
TEST_F(PlayTest, SpeedUpsReachTheFloor) {
    newGame();
    for (int k = 1; k <= 290; ++k) Timerplusspeed_Timer(rt);
    EXPECT_EQ(stepPeriod(), 20);
    EXPECT_EQ(checkPeriod(), 20);

    Timerplusspeed_Timer(rt);
    EXPECT_EQ(stepPeriod(), 18);
    EXPECT_EQ(checkPeriod(), 18);
    Timer1_Timer(rt);
    EXPECT_EQ(stepPeriod(), 20);
    EXPECT_EQ(checkPeriod(), 20);
    EXPECT_EQ(v("Labeltimer").caption, "20");

    Timerplusspeed_Timer(rt);
    heroOnRow(1);
    place("Image5", 0, 1);
    CheckContacts(rt);
    EXPECT_EQ(stepPeriod(), 28);
    EXPECT_EQ(checkPeriod(), 28);
    clearColumnZero();
    Timer1_Timer(rt);
    EXPECT_EQ(stepPeriod(), 28);
    EXPECT_EQ(checkPeriod(), 28);
    EXPECT_EQ(v("Labeltimer").caption, "28");
    EXPECT_EQ(v("Timerplusspeed").interval, 600);
}

// Collects the step period each time it is written.
class StepPeriodWrites : public forms::AccessObserver {
public:
    explicit StepPeriodWrites(forms::Form& form) : form_(form) { form_.addObserver(this); }
    ~StepPeriodWrites() override { form_.removeObserver(this); }
    StepPeriodWrites(const StepPeriodWrites&) = delete;
    StepPeriodWrites& operator=(const StepPeriodWrites&) = delete;

    void propertyWritten(const forms::Control& c, Property p) override {
        if (p == Property::Interval && c.name() == "Timergame") {
            values.push_back(c.values().interval);
        }
    }
    std::vector<forms::Long> values;

private:
    forms::Form& form_;
};

// Through the clock, speed-ups every 600 ms reach 20 at 174000 ms and dip to 18 once after.
TEST_F(PlayTest, SpeedUpsThroughTheClock) {
    // Every drawn row is 7, and the hero waits on row 6, where no block ever passes.
    for (int k = 0; k < 3000; ++k) rt.random().queue({0.99f});
    newGame();
    ASSERT_TRUE(rt.click("Commandup"));
    ASSERT_TRUE(rt.click("Commandup"));
    ASSERT_EQ(heroTop(), cellTop(6));

    StepPeriodWrites writes(rt.form());
    rt.advance(174000);
    EXPECT_EQ(stepPeriod(), 20);
    EXPECT_EQ(checkPeriod(), 20);
    ASSERT_GE(writes.values.size(), 290u);
    for (int k = 1; k <= 290; ++k) {
        ASSERT_EQ(writes.values[k - 1], 600 - 2 * k) << "write " << k;
    }
    for (std::size_t k = 290; k < writes.values.size(); ++k) {
        EXPECT_EQ(writes.values[k], 20) << "only the floor writes between";
    }

    writes.values.clear();
    rt.advance(600);
    EXPECT_EQ(std::count(writes.values.begin(), writes.values.end(), 18), 1)
        << "one speed-up in the 600 ms";
    EXPECT_EQ(std::count(writes.values.begin(), writes.values.end(), 20) + 1,
              static_cast<std::ptrdiff_t>(writes.values.size()))
        << "every other write is the check tick's floor";
    rt.advance(20);
    EXPECT_EQ(stepPeriod(), 20);
    EXPECT_EQ(checkPeriod(), 20);
    EXPECT_EQ(v("Timerplusspeed").interval, 600);
    EXPECT_EQ(lives(), "3") << "no hit on the way";
}

// ---------------------------------------------------------------------------------------------
// Continue outside a game

struct ClicksCase {
    const char* name;
    std::vector<const char*> clicks;
};

void PrintTo(const ClicksCase& p, std::ostream* out) {
    *out << p.name << ":";
    for (const char* click : p.clicks) *out << " " << click;
}

class ContinueFromIdleTest : public PlayTest, public ::testing::WithParamInterface<ClicksCase> {};

// Continue before any game: the check tick at 1 ms ends it, leaving start-up's pattern.
TEST_P(ContinueFromIdleTest, FirstCheckTickEndsIt) {
    for (const char* command : GetParam().clicks) ASSERT_TRUE(rt.click(command)) << command;
    EXPECT_TRUE(v("Timer1").enabled && v("Timergame").enabled && v("Timerplusspeed").enabled);
    EXPECT_EQ(checkPeriod(), 1);

    rt.advance(1);
    EXPECT_EQ(pattern(), idle);
    EXPECT_EQ(checkPeriod(), 20);
    EXPECT_EQ(stepPeriod(), 600);
    EXPECT_EQ(v("Labeltimer").caption, "600");
    EXPECT_EQ(lives(), "0");

    rt.advance(5000);
    EXPECT_EQ(v("Image1").left, cellLeft(9)) << "no game step ran";
}

INSTANTIATE_TEST_SUITE_P(Commands, ContinueFromIdleTest,
                         ::testing::Values(ClicksCase{"Menu", {"ac"}},
                                           ClicksCase{"PauseThenButton",
                                                      {"ab", "Commandcontinue"}}),
                         [](const auto& info) { return std::string(info.param.name); });

// Continue after a game over plays on until the next check tick ends it again.
TEST_F(PlayTest, ContinueAfterGameOverRunsUntilTheNextTick) {
    newGame();
    c("Labellife").storedValues().caption = "0";
    rt.advance(600);
    ASSERT_EQ(pattern(), over);

    rt.advance(100);
    ASSERT_TRUE(rt.click("ac"));
    EXPECT_EQ(pattern(), running);
    place("Imagering3", 0, 1);
    ASSERT_TRUE(rt.click("Commanddown"));
    EXPECT_EQ(heroTop(), cellTop(1));
    EXPECT_EQ(score(), "50");
    ASSERT_TRUE(rt.click("Commanddown"));

    rt.advance(599);
    EXPECT_EQ(pattern(), running);
    EXPECT_EQ(heroTop(), cellTop(2));
    rt.advance(1);
    EXPECT_EQ(pattern(), over);
    EXPECT_EQ(heroTop(), cellTop(0));
    EXPECT_EQ(lives(), "0");
}

// ---------------------------------------------------------------------------------------------
// A whole game

// A scripted game on the clock ends with the score, lives, period and field worked out below.
TEST_F(PlayTest, ScriptedGameToGameOver) {
    // New game at 0 ms. The field starts as stored, so during the first eight steps column 0
    // holds (after step: object row)
    //   1: Image5 7, 2: Imagering1 6 and Imagering3 3, 3: Image6 4, 4: Imagering2 1,
    //   5: Image3 0, 6: Imagering4 4, 7: Image2 3, 8: Imagering5 5.
    // Timing: the first check tick, speed-up and step come together at 600 ms, in that order.
    // The hit at 900 ms lengthens both periods by 10, so from then on each step falls a little
    // after the speed-up of its 600 ms and 2 ms before its check tick: steps 2..8 come at about
    // 1204, 1808, 2410, 3010, 3618, 4224 and 4838 ms. The clicks sit well inside those gaps.
    // The hero hits Image5 (by a move), takes Imagering1 and Imagering2, waits on row 0 for
    // Image3 (hit by the check tick after step 5), takes Imagering4 and moves onto Image2 for the
    // last life. The check tick after step 8 ends the game: by then 8 speed-ups and 3 hits make
    // the period 600 - 16 + 30 = 614. Every object that re-entered stands in column 5 or beyond,
    // so no draw reaches the hero, and the rows drawn come from the seeded sequence in re-entry
    // order.
    constexpr std::uint64_t seed = 7;
    rt.random().seed(seed);
    newGame();

    struct Click {
        forms::Millis at;
        const char* button;
        int row;  // the hero's row after the click
        const char* lives;
        const char* score;
    };
    // clang-format off
    const std::vector<Click> script{
        {900, "Commandup", 7, "2", "0"},      // onto Image5
        {1500, "Commandup", 6, "2", "50"},    // onto Imagering1
        {2600, "Commanddown", 7, "2", "50"},
        {2650, "Commanddown", 0, "2", "50"},
        {2700, "Commanddown", 1, "2", "100"},  // onto Imagering2
        {2800, "Commandup", 0, "2", "100"},    // to wait for Image3
        {3800, "Commanddown", 1, "1", "100"},  // Image3 hit at the tick after step 5
        {3850, "Commanddown", 2, "1", "100"},
        {3900, "Commanddown", 3, "1", "100"},
        {3950, "Commanddown", 4, "1", "150"},  // onto Imagering4
        {4500, "Commandup", 3, "0", "150"},    // onto Image2
    };
    // clang-format on
    for (const Click& click : script) {
        SCOPED_TRACE("click at " + std::to_string(click.at));
        advanceTo(click.at);
        ASSERT_EQ(pattern(), running);
        ASSERT_TRUE(rt.click(click.button));
        EXPECT_EQ(heroTop(), cellTop(click.row));
        EXPECT_EQ(lives(), click.lives);
        EXPECT_EQ(score(), click.score);
    }
    advanceTo(20000);

    EXPECT_EQ(pattern(), over);
    EXPECT_EQ(score(), "150");
    EXPECT_EQ(lives(), "0");
    EXPECT_EQ(heroTop(), cellTop(0));
    EXPECT_EQ(stepPeriod(), 614);
    EXPECT_EQ(checkPeriod(), 614);
    EXPECT_EQ(v("Labeltimer").caption, "614");

    forms::RandomGenerator draws;
    draws.seed(seed);
    const auto drawnRow = [&draws] { return static_cast<int>(std::floor(draws.next() * 8.0f)); };
    struct Cell {
        std::string_view name;
        int column, row;
    };
    // Re-entries in order: Image5 (step 2), Imagering1 and Imagering3 (3), Image6 (4),
    // Imagering2 (5), Image3 and Imagering4 (7), Image2 (8).
    std::vector<Cell> board;
    board.push_back({"Image5", 5, drawnRow()});
    board.push_back({"Imagering1", 6, drawnRow()});
    board.push_back({"Imagering3", 6, drawnRow()});
    board.push_back({"Image6", 7, drawnRow()});
    board.push_back({"Imagering2", 8, drawnRow()});
    board.push_back({"Image3", 9, drawnRow()});
    board.push_back({"Imagering4", 10, drawnRow()});
    const int lastRow = drawnRow();
    board.push_back({"Image2", 11, lastRow});
    // The rest have not left the field since start-up.
    board.push_back({"Image1", 1, 1});
    board.push_back({"Image4", 3, 5});
    board.push_back({"Imagering5", 0, 5});
    board.push_back({"Imagering6", 2, 2});
    for (const Cell& cell : board) {
        EXPECT_EQ(v(cell.name).left, cellLeft(cell.column)) << cell.name;
        EXPECT_EQ(v(cell.name).top, cellTop(cell.row)) << cell.name;
        EXPECT_TRUE(shown(cell.name)) << cell.name;
    }
    EXPECT_EQ(v("Labelgenerator").caption, std::to_string(lastRow));
}

}  // namespace
}  // namespace kestrune::testing
