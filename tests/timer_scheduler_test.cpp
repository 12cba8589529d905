// When timers fire, on the simulated clock and on the real-clock path, run through the runtime.
#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "program.h"
#include "runtime.h"

namespace {

using forms::Long;
using forms::Millis;
using forms::Runtime;

struct Firing {
    Millis at;
    std::string timer;
    bool operator==(const Firing&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Firing& f) {
    return out << f.timer << '@' << f.at;
}

enum class Write { Enable, Disable, Interval };

// A write to a timer's Enabled or Interval.
struct Change {
    std::string_view timer;
    Write write;
    Long value = 0;
};

// A change made between events at a moment, after the firings due at that moment.
struct Step {
    Millis at;
    Change change;
};

// A change a timer's handler makes each time the timer fires.
struct Reaction {
    std::string_view firing;
    Change change;
};

std::vector<Firing> firings;
std::vector<Reaction> reactions;

void apply(Runtime& runtime, const Change& change) {
    forms::Control& timer = runtime.form().control(change.timer);
    switch (change.write) {
        case Write::Enable:
            timer.setEnabled(forms::True);
            break;
        case Write::Disable:
            timer.setEnabled(forms::False);
            break;
        case Write::Interval:
            timer.setInterval(change.value);
            break;
    }
}

void record(Runtime& runtime, std::string_view timer) {
    firings.push_back({runtime.now(), std::string(timer)});
    for (const Reaction& r : reactions) {
        if (r.firing == timer) apply(runtime, r.change);
    }
}

void onT1(Runtime& runtime) {
    record(runtime, "T1");
}
void onT2(Runtime& runtime) {
    record(runtime, "T2");
}

struct TimerSetup {
    std::string_view name;
    Long interval;
    bool enabled = true;
};

// A form holding the timers in the order given, each with its stored settings.
std::string definition(const std::vector<TimerSetup>& timers) {
    std::string text = "Form Form1\n";
    for (const TimerSetup& t : timers) {
        text += "  Timer " + std::string(t.name) + "\n";
        text += "    Interval = " + std::to_string(t.interval) + "\n";
        if (!t.enabled) text += "    Enabled = False\n";
    }
    return text;
}

forms::ProgramDescription program(std::string_view text) {
    return {text, {}, {{"T1_Timer", onT1}, {"T2_Timer", onT2}}};
}

class TimerLog : public ::testing::Test {
protected:
    void SetUp() override {
        firings.clear();
        reactions.clear();
    }
    void TearDown() override { reactions.clear(); }
};

struct Scenario {
    std::string name;
    std::vector<TimerSetup> timers;  // always T1 and T2, in definition order
    std::vector<Step> steps;
    std::vector<Reaction> reactions;
    Millis span;
    std::vector<Firing> expected;
};

std::ostream& operator<<(std::ostream& out, const Scenario& s) {
    return out << s.name;
}

class TimerScenarioTest : public TimerLog, public ::testing::WithParamInterface<Scenario> {};

// Each scenario's firings over its span are exactly the expected ones, in order.
TEST_P(TimerScenarioTest, FiresAsScheduled) {
    const Scenario& s = GetParam();
    const std::string text = definition(s.timers);
    Runtime runtime(program(text));
    reactions = s.reactions;
    runtime.load();
    for (const Step& step : s.steps) {
        runtime.advance(step.at - runtime.now());
        apply(runtime, step.change);
    }
    runtime.advance(s.span - runtime.now());
    EXPECT_EQ(runtime.now(), s.span);
    EXPECT_EQ(firings, s.expected);
}

const Change t1Enable{"T1", Write::Enable};
const Change t1Disable{"T1", Write::Disable};
Change t1Interval(Long ms) {
    return {"T1", Write::Interval, ms};
}

INSTANTIATE_TEST_SUITE_P(
    Rules, TimerScenarioTest,
    ::testing::Values(
        Scenario{"EveryInterval",
                 {{"T1", 20}, {"T2", 0}},
                 {},
                 {},
                 100,
                 {{20, "T1"}, {40, "T1"}, {60, "T1"}, {80, "T1"}, {100, "T1"}}},
        Scenario{"ZeroOrNegativeIntervalNeverFires", {{"T1", 0}, {"T2", -5}}, {}, {}, 1000, {}},
        Scenario{"IntervalZeroStopsARunningTimer",
                 {{"T1", 20}, {"T2", 0}},
                 {{50, t1Interval(0)}},
                 {},
                 200,
                 {{20, "T1"}, {40, "T1"}}},
        Scenario{"APositiveIntervalAfterZeroCountsFromThen",
                 {{"T1", 20}, {"T2", 0}},
                 {{50, t1Interval(0)}, {70, t1Interval(30)}},
                 {},
                 140,
                 {{20, "T1"}, {40, "T1"}, {100, "T1"}, {130, "T1"}}},
        Scenario{"NegativeIntervalStopsARunningTimer",
                 {{"T1", 20}, {"T2", 0}},
                 {{50, t1Interval(-5)}},
                 {},
                 200,
                 {{20, "T1"}, {40, "T1"}}},
        Scenario{"EnablingStartsTheCountThen",
                 {{"T1", 30, false}, {"T2", 0}},
                 {{45, t1Enable}},
                 {},
                 140,
                 {{75, "T1"}, {105, "T1"}, {135, "T1"}}},
        Scenario{"EnablingAnEnabledTimerKeepsPhase",
                 {{"T1", 20}, {"T2", 0}},
                 {{30, t1Enable}, {50, t1Enable}},
                 {},
                 70,
                 {{20, "T1"}, {40, "T1"}, {60, "T1"}}},
        Scenario{"EqualIntervalKeepsPhase",
                 {{"T1", 20}, {"T2", 0}},
                 {{30, t1Interval(20)}, {50, t1Interval(20)}},
                 {},
                 70,
                 {{20, "T1"}, {40, "T1"}, {60, "T1"}}},
        Scenario{"RewritingAnothersUnchangedIntervalInStep",
                 {{"T1", 20}, {"T2", 20}},
                 {},
                 {{"T1", {"T2", Write::Interval, 20}}},
                 60,
                 {{20, "T1"}, {20, "T2"}, {40, "T1"}, {40, "T2"}, {60, "T1"}, {60, "T2"}}},
        Scenario{"RewritingAnothersUnchangedIntervalOutOfStep",
                 {{"T1", 7}, {"T2", 20}},
                 {},
                 {{"T1", {"T2", Write::Interval, 20}}},
                 45,
                 {{7, "T1"},
                  {14, "T1"},
                  {20, "T2"},
                  {21, "T1"},
                  {28, "T1"},
                  {35, "T1"},
                  {40, "T2"},
                  {42, "T1"}}},
        Scenario{"ChangedIntervalCountsFromLastFiring",
                 {{"T1", 100}, {"T2", 0}},
                 {{150, t1Interval(70)}},
                 {},
                 250,
                 {{100, "T1"}, {170, "T1"}, {240, "T1"}}},
        Scenario{"ChangedIntervalCountsFromStart",
                 {{"T1", 600}, {"T2", 0}},
                 {{500, t1Interval(550)}},
                 {},
                 1200,
                 {{550, "T1"}, {1100, "T1"}}},
        Scenario{"ChangedIntervalAlreadyDueFiresAtOnce",
                 {{"T1", 600}, {"T2", 0}},
                 {{500, t1Interval(20)}},
                 {},
                 560,
                 {{500, "T1"}, {520, "T1"}, {540, "T1"}, {560, "T1"}}},
        Scenario{"HandlerShorteningItsOwnInterval",
                 {{"T1", 100}, {"T2", 0}},
                 {},
                 {{"T1", t1Interval(30)}},
                 200,
                 {{100, "T1"}, {130, "T1"}, {160, "T1"}, {190, "T1"}}},
        Scenario{"IntervalWrittenWhileDisabledCountsFromEnabling",
                 {{"T1", 20, false}, {"T2", 0}},
                 {{10, t1Interval(50)}, {30, t1Enable}},
                 {},
                 140,
                 {{80, "T1"}, {130, "T1"}}},
        Scenario{"SameMomentFollowsDefinitionOrder",
                 {{"T2", 20}, {"T1", 30}},
                 {},
                 {},
                 60,
                 {{20, "T2"}, {30, "T1"}, {40, "T2"}, {60, "T2"}, {60, "T1"}}},
        Scenario{"DisablingStopsFirings",
                 {{"T1", 20}, {"T2", 0}},
                 {{50, t1Disable}},
                 {},
                 200,
                 {{20, "T1"}, {40, "T1"}}},
        Scenario{"ReenablingRestartsTheCount",
                 {{"T1", 20}, {"T2", 0}},
                 {{50, t1Disable}, {55, t1Enable}},
                 {},
                 100,
                 {{20, "T1"}, {40, "T1"}, {75, "T1"}, {95, "T1"}}},
        Scenario{"DisablingItselfInItsHandler",
                 {{"T1", 20}, {"T2", 0}},
                 {},
                 {{"T1", t1Disable}},
                 200,
                 {{20, "T1"}}},
        Scenario{"EnablingAnotherFromAHandler",
                 {{"T1", 50}, {"T2", 20, false}},
                 {},
                 {{"T1", {"T2", Write::Enable}}},
                 120,
                 {{50, "T1"}, {70, "T2"}, {90, "T2"}, {100, "T1"}, {110, "T2"}}}),
    [](const ::testing::TestParamInfo<Scenario>& info) { return info.param.name; });

// Over a long game a 20 ms timer fires exactly once per period, however the clock is stepped.
TEST_F(TimerLog, LongRunFiresTheExactCount) {
    const std::string text = definition({{"T1", 20}, {"T2", 0}});
    Runtime runtime(program(text));
    constexpr Millis span = 300'000;
    while (runtime.now() < span) runtime.advance(std::min<Millis>(7, span - runtime.now()));
    ASSERT_EQ(firings.size(), static_cast<std::size_t>(span / 20));
    for (std::size_t i = 0; i < firings.size(); ++i) {
        ASSERT_EQ(firings[i].at, static_cast<Millis>(i + 1) * 20) << "firing " << i;
    }
}

// On the real clock a timer that fell behind fires once and stays on its original phase.
TEST_F(TimerLog, RealClockCatchUpFiresOnceWithoutDrift) {
    const std::string text = definition({{"T1", 20}, {"T2", 0}});
    Runtime runtime(program(text));
    runtime.fireDueAt(19);
    EXPECT_TRUE(firings.empty());
    EXPECT_EQ(runtime.nextDue(), std::optional<Millis>(20));

    runtime.fireDueAt(75);
    EXPECT_EQ(firings, (std::vector<Firing>{{75, "T1"}}));
    EXPECT_EQ(runtime.nextDue(), std::optional<Millis>(80));

    runtime.fireDueAt(80);
    runtime.fireDueAt(99);
    EXPECT_EQ(firings, (std::vector<Firing>{{75, "T1"}, {80, "T1"}}));
    EXPECT_EQ(runtime.nextDue(), std::optional<Millis>(100));
}

// On the real clock each due timer fires once, in definition order, unless one before it stops it.
TEST_F(TimerLog, RealClockFiresEachDueTimerInOrder) {
    const std::string text = definition({{"T2", 20}, {"T1", 20}});
    Runtime runtime(program(text));
    runtime.fireDueAt(45);
    EXPECT_EQ(firings, (std::vector<Firing>{{45, "T2"}, {45, "T1"}}));

    reactions = {{"T2", {"T1", Write::Disable}}};
    runtime.fireDueAt(60);
    EXPECT_EQ(firings, (std::vector<Firing>{{45, "T2"}, {45, "T1"}, {60, "T2"}}));
}

// The real clock never goes back: an earlier reading changes nothing.
TEST_F(TimerLog, RealClockNeverGoesBack) {
    const std::string text = definition({{"T1", 20}, {"T2", 0}});
    Runtime runtime(program(text));
    runtime.fireDueAt(100);
    runtime.fireDueAt(50);
    EXPECT_EQ(runtime.now(), 100);
    EXPECT_EQ(firings, (std::vector<Firing>{{100, "T1"}}));
    EXPECT_EQ(runtime.nextDue(), std::optional<Millis>(120));
}

// Each timer's own due time is when it fires next, through a changed Interval and a fall behind
// on the real clock; one that cannot fire has none.
TEST_F(TimerLog, EachTimerTellsWhenItIsDue) {
    const std::string text = definition({{"T1", 20}, {"T2", 30, false}});
    Runtime runtime(program(text));
    const forms::Control& t1 = runtime.form().control("T1");
    const forms::Control& t2 = runtime.form().control("T2");
    EXPECT_EQ(runtime.nextDue(t1), std::optional<Millis>(20));
    EXPECT_EQ(runtime.nextDue(t2), std::nullopt);

    runtime.advance(25);
    apply(runtime, t1Interval(50));
    apply(runtime, {"T2", Write::Enable});
    EXPECT_EQ(runtime.nextDue(t1), std::optional<Millis>(70));
    EXPECT_EQ(runtime.nextDue(t2), std::optional<Millis>(55));

    // Far behind, each fires once, earliest due first, and passes over the due times it
    // missed: T1's 120 and 170.
    runtime.fireDueAt(200);
    EXPECT_EQ(firings, (std::vector<Firing>{{20, "T1"}, {200, "T2"}, {200, "T1"}}));
    EXPECT_EQ(runtime.nextDue(t1), std::optional<Millis>(220));
    EXPECT_EQ(runtime.nextDue(t2), std::optional<Millis>(205));

    apply(runtime, {"T2", Write::Disable});
    EXPECT_EQ(runtime.nextDue(t2), std::nullopt);
    runtime.fireDueAt(219);
    EXPECT_EQ(firings.size(), 3u);
    runtime.fireDueAt(220);
    EXPECT_EQ(firings.back(), (Firing{220, "T1"}));
}
}  // namespace
