// Random play, a million events: whatever is clicked in whatever state, and however the clock
// moves between clicks, the field stays on its grid and the game's numbers keep their form.
#include <array>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "game_fixture.h"
#include "runtime.h"

namespace kestrune::testing {
namespace {

using Values = forms::Control::Values;

// What an event can be: the clock moving on, or a click on one of these.
constexpr std::array<std::string_view, 11> clickables{
    "Command1",  "aa",          "Commandstop", "ab", "Commandcontinue", "ac",
    "Commandup", "Commanddown", "Command2",    "ba", "Command3",
};

// Weights of an event: the clock first, then each clickable in the order above.
using Weights = std::array<int, 1 + clickables.size()>;

// Every click as likely as every other: each command meets every state.
constexpr Weights frantic{11, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
// A player: mostly waiting and moving, now and then a pause, rarely a new game, so that games
// run long enough to lose lives and end.
constexpr Weights steady{9000, 2, 2, 10, 10, 30, 30, 400, 400, 10, 10, 20};

constexpr std::array<std::string_view, 12> fieldObjects{
    "Image1",     "Image2",     "Image3",     "Image4",     "Image5",     "Image6",
    "Imagering1", "Imagering2", "Imagering3", "Imagering4", "Imagering5", "Imagering6",
};

bool onRow(float top) {
    if (!(top >= 120.0f && top <= 3480.0f)) return false;
    const long row = std::lround((top - 120.0f) / 480.0f);
    return 120.0f + 480.0f * static_cast<float>(row) == top;
}

bool onColumn(float left) {
    if (!(left >= 120.0f && left <= 5400.0f)) return false;
    const long column = std::lround((left - 120.0f) / 480.0f);
    return 120.0f + 480.0f * static_cast<float>(column) == left;
}

bool on(const Values& v) {
    return v.enabled != forms::False;
}

// The values every check looks at, found once per game.
struct Watched {
    explicit Watched(HeadlessGame& game)
        : hero(game.v("Imagetravik")),
          timer1(game.v("Timer1")),
          timergame(game.v("Timergame")),
          timerplusspeed(game.v("Timerplusspeed")),
          generator(game.v("Labelgenerator")),
          score(game.v("Labelscore")),
          lives(game.v("Labellife")),
          up(game.v("Commandup")),
          down(game.v("Commanddown")),
          stop(game.v("Commandstop")),
          resume(game.v("Commandcontinue")),
          newGame(game.v("Command1")),
          logo(game.v("Imagelogo")) {
        for (std::size_t i = 0; i < fieldObjects.size(); ++i) {
            objects[i] = &game.v(fieldObjects[i]);
        }
    }

    // The first rule broken, or null.
    const char* broken(bool started) const {
        if (!onRow(hero.top)) return "the hero's Top is on a row";
        for (std::size_t i = 0; i < objects.size(); ++i) {
            const Values& o = *objects[i];
            const bool image3 = i == 2;
            if (!onColumn(o.left) && !(image3 && o.left == -360.0f)) {
                return "a field object's Left is on a column, or -360 for Image3";
            }
            if (!onRow(o.top)) return "a field object's Top is on a row";
        }
        if (on(timer1) != on(timergame) || on(timer1) != on(timerplusspeed)) {
            return "the three timers are all enabled or all disabled";
        }
        if (started) {
            const forms::Long step = timergame.interval;
            if (step != timer1.interval) return "both step periods are equal";
            if (step % 2 != 0) return "the step period is even";
            if (step < 18) return "the step period is at least 18";
        }
        const std::string& digit = generator.caption;
        if (digit.size() != 1 || digit[0] < '0' || digit[0] > '7') {
            return "the row digit is one of 0..7";
        }
        const forms::Double points = forms::rtcR8ValFromBstr(score.caption);
        if (points < 0 || std::fmod(points, 50.0) != 0) return "the score is a multiple of 50";
        if (timerplusspeed.interval != 600) return "the speed-up period stays 600";
        return nullptr;
    }

    // Which of the four game states the buttons, timers and pictures show, if any.
    int state() const {
        const bool timers = on(timer1);
        const bool moves = on(up);
        const bool shownHero = hero.visible != forms::False;
        const bool shownLogo = logo.visible != forms::False;
        if (timers && moves && on(stop) && !on(resume) && !shownLogo && shownHero) return 1;
        if (timers || moves || on(stop) || !on(newGame)) return -1;
        if (on(resume)) return shownLogo || !shownHero ? -1 : 2;
        if (shownLogo && !shownHero) return 0;
        if (!shownLogo && shownHero) return 3;
        return -1;
    }

    const Values& hero;
    const Values& timer1;
    const Values& timergame;
    const Values& timerplusspeed;
    const Values& generator;
    const Values& score;
    const Values& lives;
    const Values& up;
    const Values& down;
    const Values& stop;
    const Values& resume;
    const Values& newGame;
    const Values& logo;
    std::array<const Values*, 12> objects{};
};

struct Coverage {
    std::array<long, 4> inState{};  // idle, running, paused, over
    long atFloor = 0;               // events with a step period of 20 or less
    long outOfLives = 0;            // events with lives at 0 or below
    long scored = 0;                // events with a score above 0
};

enum class Mode { Frantic, Steady, LateGame };

// Plays from start-up through seeded events; false at the first broken rule.
bool play(std::uint64_t seed, Mode mode, int events, Coverage& coverage) {
    HeadlessGame game;
    game.rt.setErrorHandler([](const forms::RuntimeError&) {});
    game.rt.random().seed(seed);
    const Watched watched(game);
    std::mt19937_64 next(seed);

    const Weights& weights = mode == Mode::Frantic ? frantic : steady;
    int total = 0;
    for (const int w : weights) total += w;

    bool started = false;
    for (int event = 0; event < events; ++event) {
        int pick = static_cast<int>(next() % static_cast<std::uint64_t>(total));
        std::size_t kind = 0;
        while (pick >= weights[kind]) pick -= weights[kind++];
        if (kind == 0) {
            game.rt.advance(static_cast<forms::Millis>(1 + next() % 40));
        } else {
            const bool ran = game.rt.click(clickables[kind - 1]);
            if (ran && kind <= 2) {
                started = true;
                if (mode == Mode::LateGame) {
                    // Each new game starts as if late: one speed-up from the floor, with lives
                    // to spare. Block hits soon lengthen the periods again.
                    game.c("Timergame").storedValues().interval = 22;
                    game.c("Timer1").storedValues().interval = 22;
                    game.c("Labellife").storedValues().caption = "20";
                }
            }
        }

        if (game.rt.halted()) {
            ADD_FAILURE() << "seed " << seed << ", event " << event << ": a run-time error, "
                          << forms::describe(*game.rt.error());
            return false;
        }
        if (const char* rule = watched.broken(started)) {
            ADD_FAILURE() << "seed " << seed << ", event " << event << " at " << game.rt.now()
                          << " ms: " << rule << "; step period " << watched.timergame.interval
                          << ", check period " << watched.timer1.interval << ", hero Top "
                          << watched.hero.top << ", lives " << watched.lives.caption;
            return false;
        }
        const int state = watched.state();
        if (state >= 0) ++coverage.inState[static_cast<std::size_t>(state)];
        if (started && watched.timergame.interval <= 20) ++coverage.atFloor;
        const std::string& lives = watched.lives.caption;
        if (started && (lives == "0" || lives.starts_with('-'))) ++coverage.outOfLives;
        if (watched.score.caption != "0") ++coverage.scored;
    }
    return true;
}

// After every one of a million random events the field, timers, periods and captions keep form.
TEST(SoakTest, RulesHoldAfterEveryEvent) {
    constexpr int games = 125;
    constexpr int eventsPerGame = 8000;  // a million events in all
    Coverage coverage;
    for (int g = 0; g < games; ++g) {
        const Mode mode = g % 3 == 0 ? Mode::Frantic : g % 3 == 1 ? Mode::Steady : Mode::LateGame;
        ASSERT_TRUE(play(1000 + static_cast<std::uint64_t>(g), mode, eventsPerGame, coverage));
    }
    // The events reached every state and the situations the rules are about.
    EXPECT_GT(coverage.inState[0], 0) << "idle";
    EXPECT_GT(coverage.inState[1], 0) << "running";
    EXPECT_GT(coverage.inState[2], 0) << "paused";
    EXPECT_GT(coverage.inState[3], 0) << "over";
    EXPECT_GT(coverage.atFloor, 0);
    EXPECT_GT(coverage.outOfLives, 0);
    EXPECT_GT(coverage.scored, 0);
}

}  // namespace
}  // namespace kestrune::testing
