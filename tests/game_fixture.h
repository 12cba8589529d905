// A headless game: Form1 built from its stored definition, on the simulated clock.
#pragma once

#include <array>
#include <string_view>

#include <gtest/gtest.h>

#include "runtime.h"
#include "window.h"

namespace kestrune::testing {

// The ten properties whose values make a game state.
struct StatePattern {
    bool timer1, timergame, timerplusspeed, up, down, stop, resume, newGame, logo, hero;
    bool operator==(const StatePattern&) const = default;
};

inline constexpr StatePattern idle{false, false, false, false, false,
                                   false, false, true,  true,  false};
inline constexpr StatePattern running{true, true, true, true, true, true, false, true, false, true};
inline constexpr StatePattern paused{false, false, false, false, false,
                                     false, true,  true,  false, true};
inline constexpr StatePattern over{false, false, false, false, false,
                                   false, false, true,  false, true};

inline std::ostream& operator<<(std::ostream& out, const StatePattern& p) {
    const std::array values{p.timer1, p.timergame, p.timerplusspeed, p.up,   p.down,
                            p.stop,   p.resume,    p.newGame,        p.logo, p.hero};
    for (const bool v : values) out << (v ? 'T' : 'F');
    return out;
}

// A loaded game with a fixed seed clock.
class HeadlessGame {
public:
    HeadlessGame() : rt(program()) {
        rt.setSeedClock([] { return 20261210u; });
        rt.load();
    }

    forms::Control& c(std::string_view name) { return rt.form().control(name); }
    const forms::Control::Values& v(std::string_view name) { return c(name).values(); }

    StatePattern pattern() {
        auto on = [this](std::string_view name) { return v(name).enabled != forms::False; };
        auto shown = [this](std::string_view name) { return v(name).visible != forms::False; };
        return {on("Timer1"),       on("Timergame"),     on("Timerplusspeed"),  on("Commandup"),
                on("Commanddown"),  on("Commandstop"),   on("Commandcontinue"), on("Command1"),
                shown("Imagelogo"), shown("Imagetravik")};
    }

    // Places a field object on a grid cell, as the game step would have left it.
    void place(std::string_view name, int column, int row) {
        c(name).storedValues().left = 120.0f + 480.0f * column;
        c(name).storedValues().top = 120.0f + 480.0f * row;
    }

    forms::Runtime rt;
};

class GameTest : public ::testing::Test, public HeadlessGame {};

}  // namespace kestrune::testing
