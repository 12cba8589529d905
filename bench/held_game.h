// The game as the benchmarks drive it: the shipped handlers, with two wrapped.
//
// A new game is held at the 20 ms floor, with a lives count that never runs out, so that a
// benchmark can watch a long game at full speed: both step periods start at 20, as the check
// tick keeps them, and the 10 ms a block takes off the pace is given back at once. Every game
// step is reported before and after it runs.
#pragma once

#include <functional>

#include "play.h"
#include "runtime.h"
#include "window.h"

namespace bench {

inline bool holdAtFloor = true;
inline std::function<void(forms::Runtime&)> stepStarting;
inline std::function<void(forms::Runtime&)> stepEnded;

inline void heldNewGame(forms::Runtime& rt) {
    kestrune::Command1_Click(rt);
    if (!holdAtFloor) return;
    rt.form().control("Timergame").setInterval(20);
    rt.form().control("Timer1").setInterval(20);
    rt.form().control("Labellife").setCaption("1000000");
}

// After anything that checks contacts, a block's slow-down is undone; the speed-up tick's
// 18 ms, which the next check tick floors again, stays.
inline void keepFloor(forms::Runtime& rt) {
    if (!holdAtFloor) return;
    for (const char* name : {"Timergame", "Timer1"}) {
        forms::Control& timer = rt.form().control(name);
        if (timer.values().interval > 20) timer.setInterval(20);
    }
}

template <forms::Handler handler>
void heldAtFloor(forms::Runtime& rt) {
    handler(rt);
    keepFloor(rt);
}

inline void reportedStep(forms::Runtime& rt) {
    if (stepStarting) stepStarting(rt);
    kestrune::Timergame_Timer(rt);
    if (stepEnded) stepEnded(rt);
}

inline forms::ProgramDescription heldGame() {
    forms::ProgramDescription program = kestrune::program();
    for (auto& [name, handler] : program.handlers) {
        if (name == "Command1_Click" || name == "aa_Click") handler = heldNewGame;
        if (name == "Timergame_Timer") handler = reportedStep;
        if (name == "Timer1_Timer") handler = heldAtFloor<kestrune::Timer1_Timer>;
        if (name == "Commandup_Click") handler = heldAtFloor<kestrune::Commandup_Click>;
        if (name == "Commanddown_Click") handler = heldAtFloor<kestrune::Commanddown_Click>;
    }
    return program;
}

}  // namespace bench
