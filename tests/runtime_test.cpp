// The runtime's events, property access and run-time errors.
#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "control.h"
#include "conversions.h"
#include "form.h"
#include "program.h"
#include "runtime.h"
#include "runtime_error.h"

namespace {

using forms::Control;
using forms::ErrorKind;
using forms::Handler;
using forms::Property;
using forms::Runtime;
using forms::RuntimeError;

constexpr std::string_view definition =
    "Form Form1\n"
    "  Caption = \"Kestrune!!!\"\n"
    "  Label Score\n"
    "    Left = 120\n"
    "    Caption = \"0\"\n"
    "  CommandButton Go\n"
    "  CommandButton Off\n"
    "    Enabled = False\n"
    "  CommandButton Nest\n"
    "  CommandButton Boom\n"
    "  Frame Panel\n"
    "    Visible = False\n"
    "    CommandButton Inner\n"
    "  Frame Locked\n"
    "    Enabled = False\n"
    "    CommandButton Held\n"
    "  Timer Tick\n"
    "    Interval = 20\n"
    "  Image Ship\n"
    "  Line Edge\n";

std::vector<std::string> events;

void onLoad(Runtime&) {
    events.emplace_back("Load");
}
void onGo(Runtime&) {
    events.emplace_back("Go");
}
void onOff(Runtime&) {
    events.emplace_back("Off");
}
void onInner(Runtime&) {
    events.emplace_back("Inner");
}
void onHeld(Runtime&) {
    events.emplace_back("Held");
}
void onBoom(Runtime&) {
    events.emplace_back("Boom");
}
void onTick(Runtime& r) {
    events.push_back("Tick@" + std::to_string(r.now()));
}

// What the Nest button's handler tries from inside itself, and whether it catches the refusal.
void (*nestedCall)(Runtime&) = nullptr;
bool catchNested = true;

void onNest(Runtime& r) {
    events.emplace_back("Nest");
    if (!catchNested) {
        nestedCall(r);
        return;
    }
    try {
        nestedCall(r);
    } catch (const std::logic_error&) {
        events.emplace_back("refused");
    }
}

using HandlerList = std::vector<std::pair<std::string_view, Handler>>;

HandlerList baseHandlers() {
    return {{"Form_Load", onLoad},    {"Go_Click", onGo},     {"Off_Click", onOff},
            {"Inner_Click", onInner}, {"Held_Click", onHeld}, {"Nest_Click", onNest},
            {"Boom_Click", onBoom},   {"Tick_Timer", onTick}};
}

class RuntimeTest : public ::testing::Test {
protected:
    void SetUp() override {
        events.clear();
        nestedCall = nullptr;
        catchNested = true;
    }
    Control& control(std::string_view name) { return runtime.form().control(name); }

    Runtime runtime{forms::ProgramDescription{definition, {}, baseHandlers()}};
};

// Form_Load runs once, however often the form is loaded.
TEST_F(RuntimeTest, LoadRunsOnce) {
    runtime.load();
    runtime.load();
    EXPECT_EQ(events, std::vector<std::string>{"Load"});
}

struct ClickCase {
    std::string_view control;
    bool handled;
};

// A click runs a handler only on a shown, enabled control that has one.
TEST_F(RuntimeTest, ClickRunsOnlyReachableHandlers) {
    constexpr std::array cases{
        ClickCase{"Go", true},      // shown and enabled
        ClickCase{"Off", false},    // disabled
        ClickCase{"Inner", false},  // inside a hidden frame
        ClickCase{"Held", false},   // inside a disabled frame
        ClickCase{"Score", false},  // no handler
        ClickCase{"Nowhere", false},
    };
    for (const auto& c : cases) {
        events.clear();
        EXPECT_EQ(runtime.click(c.control), c.handled) << c.control;
        const std::vector<std::string> expected =
            c.handled ? std::vector<std::string>{std::string(c.control)}
                      : std::vector<std::string>{};
        EXPECT_EQ(events, expected) << c.control;
    }
}

// Showing or enabling a control or its container makes its clicks arrive; hiding stops them.
TEST_F(RuntimeTest, ClickFollowsVisibleAndEnabled) {
    control("Panel").setVisible(forms::True);
    control("Off").setEnabled(forms::True);
    control("Locked").setEnabled(forms::True);
    control("Go").setVisible(forms::False);
    EXPECT_TRUE(runtime.click("Inner"));
    EXPECT_TRUE(runtime.click("Off"));
    EXPECT_TRUE(runtime.click("Held"));
    EXPECT_FALSE(runtime.click("Go"));
    EXPECT_EQ(events, (std::vector<std::string>{"Inner", "Off", "Held"}));
}

// A handler whose name is no event of a control of the form is refused when the runtime is built.
TEST(RuntimeConstructionTest, HandlerNamingNoControlIsRefused) {
    for (const std::string_view name :
         {"Ghost_Click", "Score_Timer", "Tick_Tock", "Click", "Form1_Load", "_Click"}) {
        const forms::ProgramDescription program{definition, {}, {{name, onGo}}};
        EXPECT_THROW(Runtime{program}, std::invalid_argument) << name;
    }
}

struct NestedCase {
    const char* what;
    void (*call)(Runtime&);
};

// An event raised inside a handler is refused and leaves no trace: no handler, no time, no timer.
TEST_F(RuntimeTest, EventsInsideAHandlerAreRefused) {
    constexpr std::array cases{
        NestedCase{"click", [](Runtime& r) { r.click("Go"); }},
        NestedCase{"advance", [](Runtime& r) { r.advance(100); }},
        NestedCase{"fireDueAt", [](Runtime& r) { r.fireDueAt(100); }},
        NestedCase{"load", [](Runtime& r) { r.load(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        events.clear();
        nestedCall = c.call;
        Runtime fresh(forms::ProgramDescription{definition, {}, baseHandlers()});
        EXPECT_TRUE(fresh.click("Nest"));
        EXPECT_EQ(fresh.now(), 0);
        fresh.load();
        fresh.advance(20);
        fresh.click("Go");
        EXPECT_EQ(events, (std::vector<std::string>{"Nest", "refused", "Load", "Tick@20", "Go"}));
    }
}

// A refusal the handler lets through still leaves the runtime taking events afterwards.
TEST_F(RuntimeTest, EscapedRefusalLeavesTheRuntimeUsable) {
    catchNested = false;
    nestedCall = [](Runtime& r) { r.click("Go"); };
    EXPECT_THROW(runtime.click("Nest"), std::logic_error);
    EXPECT_TRUE(runtime.click("Go"));
    EXPECT_EQ(events, (std::vector<std::string>{"Nest", "Go"}));
}

// A read gives exactly the value stored in the definition, or last written.
TEST_F(RuntimeTest, ReadsGiveTheLastWrittenValue) {
    Control& score = control("Score");
    Control& tick = control("Tick");
    EXPECT_EQ(score.left(), 120.0f);
    EXPECT_EQ(score.caption(), "0");
    EXPECT_EQ(tick.interval(), 20);
    score.setLeft(-360);
    score.setTop(3480);
    tick.setInterval(-5);
    score.setCaption("Счёт: 1 250");
    control("Go").setCaption("");
    EXPECT_EQ(score.left(), -360.0f);
    EXPECT_EQ(score.top(), 3480.0f);
    EXPECT_EQ(tick.interval(), -5);
    EXPECT_EQ(score.caption(), "Счёт: 1 250");
    EXPECT_EQ(control("Go").caption(), "");
    score.setLeft(0.1f);
    EXPECT_EQ(score.left(), 0.1f);
}

// A Boolean write stores True as -1 and False as 0, whatever non-zero value was written.
TEST_F(RuntimeTest, BooleanWritesStoreTrueOrFalse) {
    constexpr std::array<std::pair<forms::Boolean, forms::Boolean>, 5> cases{{
        {forms::True, -1},
        {forms::False, 0},
        {1, -1},
        {5, -1},
        {-2, -1},
    }};
    for (const auto& [written, stored] : cases) {
        control("Score").setVisible(written);
        control("Go").setEnabled(written);
        EXPECT_EQ(control("Score").visible(), stored) << written;
        EXPECT_EQ(control("Go").enabled(), stored) << written;
    }
}

class Recorder : public forms::AccessObserver {
public:
    std::vector<std::string> seen;

    void propertyRead(const Control& c, Property p) override {
        seen.push_back("read " + c.name() + "." + std::string(forms::propertyName(p)));
    }
    void propertyWritten(const Control& c, Property p) override {
        seen.push_back("write " + c.name() + "." + std::string(forms::propertyName(p)));
    }
};

// An observer sees every read and write, in order, until it is removed.
TEST_F(RuntimeTest, ObserverSeesAccessesInOrder) {
    Recorder recorder;
    runtime.form().addObserver(&recorder);
    control("Score").setLeft(5);
    (void)control("Score").left();
    control("Tick").setInterval(3);
    (void)control("Tick").enabled();
    control("Score").setCaption("x");
    runtime.form().removeObserver(&recorder);
    control("Score").setTop(1);
    EXPECT_EQ(recorder.seen, (std::vector<std::string>{"write Score.Left", "read Score.Left",
                                                       "write Tick.Interval", "read Tick.Enabled",
                                                       "write Score.Caption"}));
}

// Naming a control the form lacks raises the property-access error naming it.
TEST_F(RuntimeTest, MissingControlRaisesPropertyAccess) {
    try {
        runtime.form().control("Ghost");
        FAIL() << "no run-time error was raised";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::PropertyAccess);
        EXPECT_EQ(error.control(), "Ghost");
        EXPECT_NE(describe(error).find("Ghost"), std::string::npos) << describe(error);
    }
}

struct LackingCase {
    std::string_view control;
    std::string_view property;
    void (*access)(Control&);
};

// Reading or writing a property the control's class lacks raises the error naming both.
TEST_F(RuntimeTest, PropertyTheClassLacksRaisesPropertyAccess) {
    constexpr std::array cases{
        LackingCase{"Score", "Interval", [](Control& c) { (void)c.interval(); }},
        LackingCase{"Tick", "Left", [](Control& c) { c.setLeft(0); }},
        LackingCase{"Tick", "Visible", [](Control& c) { (void)c.visible(); }},
        LackingCase{"Ship", "Caption", [](Control& c) { (void)c.caption(); }},
        LackingCase{"Edge", "Enabled", [](Control& c) { c.setEnabled(forms::True); }},
        LackingCase{"Go", "Interval", [](Control& c) { c.setInterval(5); }},
    };
    Recorder recorder;
    runtime.form().addObserver(&recorder);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.control) + "." + std::string(c.property));
        try {
            c.access(control(c.control));
            ADD_FAILURE() << "no run-time error was raised";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.kind(), ErrorKind::PropertyAccess);
            EXPECT_EQ(error.control(), c.control);
            EXPECT_EQ(error.property(), c.property);
            const std::string line = describe(error);
            EXPECT_NE(line.find(c.control), std::string::npos) << line;
            EXPECT_NE(line.find(c.property), std::string::npos) << line;
        }
    }
    EXPECT_EQ(control("Go").values().interval, 0);
    EXPECT_TRUE(recorder.seen.empty());
    runtime.form().removeObserver(&recorder);
}

void raiseInBoom(Runtime& r) {
    events.emplace_back("Boom");
    (void)r.form().control("Score").interval();
}

void raiseInTick(Runtime& r) {
    onTick(r);
    if (r.now() >= 60) forms::addLong(std::numeric_limits<forms::Long>::max(), 1);
}

void raiseInLoad(Runtime& r) {
    onLoad(r);
    r.form().control("Ghost").setVisible(forms::True);
}

struct FailureCase {
    const char* what;
    std::string_view handler;
    Handler raiser;
    void (*trigger)(Runtime&);
    ErrorKind kind;
    std::string_view control;
    std::vector<std::string> delivered;
};

// A run-time error in a handler is reported once, over a window that shows what the handler
// wrote, and ends all delivery: no timer, click or load.
TEST(RuntimeErrorTest, ErrorInAHandlerHaltsTheProgram) {
    const std::array cases{
        FailureCase{"click",
                    "Boom_Click",
                    raiseInBoom,
                    [](Runtime& r) {
                        r.load();
                        r.advance(30);
                        r.click("Boom");
                    },
                    ErrorKind::PropertyAccess,
                    "Score",
                    {"Load", "Tick@20", "Boom"}},
        FailureCase{"timer",
                    "Tick_Timer",
                    raiseInTick,
                    [](Runtime& r) {
                        r.load();
                        r.advance(100);
                    },
                    ErrorKind::Overflow,
                    "",
                    {"Load", "Tick@20", "Tick@40", "Tick@60"}},
        FailureCase{"load",
                    "Form_Load",
                    raiseInLoad,
                    [](Runtime& r) { r.load(); },
                    ErrorKind::PropertyAccess,
                    "Ghost",
                    {"Load"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        events.clear();
        HandlerList handlers = baseHandlers();
        for (auto& [name, handler] : handlers) {
            if (name == c.handler) handler = c.raiser;
        }
        Runtime runtime(forms::ProgramDescription{definition, {}, handlers});
        std::vector<RuntimeError> reported;
        std::vector<std::string> shown;  // what the window would show, in order
        runtime.setAfterEvent([&shown] { shown.emplace_back("redrawn"); });
        runtime.setErrorHandler([&](const RuntimeError& e) {
            reported.push_back(e);
            shown.emplace_back("reported");
        });

        c.trigger(runtime);
        // The failed handler's writes are redrawn before the report goes up over them.
        ASSERT_GE(shown.size(), 2u);
        EXPECT_EQ(std::vector(shown.end() - 2, shown.end()),
                  (std::vector<std::string>{"redrawn", "reported"}));
        const std::size_t shownAtError = shown.size();
        ASSERT_EQ(reported.size(), 1u);
        EXPECT_EQ(reported.front().kind(), c.kind);
        EXPECT_EQ(reported.front().control(), c.control);
        EXPECT_TRUE(runtime.halted());
        ASSERT_TRUE(runtime.error().has_value());
        EXPECT_EQ(runtime.error()->kind(), c.kind);
        EXPECT_EQ(events, c.delivered);

        runtime.advance(1000);
        runtime.fireDueAt(5000);
        EXPECT_FALSE(runtime.click("Go"));
        EXPECT_FALSE(runtime.click("Boom"));
        runtime.load();
        EXPECT_EQ(events, c.delivered);
        EXPECT_EQ(runtime.nextDue(), std::nullopt);
        EXPECT_EQ(reported.size(), 1u);
        EXPECT_EQ(shown.size(), shownAtError);
    }
}

}  // namespace
