// The game on the real clock, in Qt's event loop, as a player runs it: CPU time and wake-ups
// in each state, the game step's timing at the 20 ms floor, and what each repaint costs.
//
// The states in turn, each measured for 10 s (or the seconds given) after half a second to
// settle: Idle; a game held at the 20 ms floor with the hero moving every 100 ms; Paused; Over.
// The game step is measured against the schedule the runtime keeps for its timer, whose
// Interval the speed-up and check ticks keep changing (timer_schedule.h): each step's lateness
// from the due time it served, due times passed over counted as skipped, and the mean period
// over the schedule's slots from the first step to the last.
// Goals: no timer wake-up while Idle, Paused or Over; under 3% of one core while running; the
// game step's mean period within 0.2% of its due periods' mean, p99 lateness under 1.5 ms, no
// due time skipped.
#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPushButton>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "application.h"
#include "form_window.h"
#include "held_game.h"
#include "real_clock.h"
#include "runtime.h"
#include "statistics.h"
#include "surface.h"
#include "timer_schedule.h"

namespace {

using bench::mean;
using bench::percentile;

constexpr int settleMs = 500;

double cpuSeconds() {
    timespec used{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return double(used.tv_sec) + double(used.tv_nsec) / 1e9;
}

long contextSwitches() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_nvcsw + usage.ru_nivcsw;
}

// Times every repaint of the window: it delivers the window's update requests itself.
class RepaintTimer : public QObject {
public:
    RepaintTimer(QWidget& window, forms::RealClock& clock) : window_(window), clock_(clock) {}

    bool counting = false;
    double stepEndedMs = -1;            // the end of a step not yet painted
    std::vector<double> paintMs;        // each repaint
    std::vector<double> stepToPaintMs;  // from a step's end to the end of its repaint

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &window_ || event->type() != QEvent::UpdateRequest || inside_) return false;
        inside_ = true;
        const double start = nowMs();
        static_cast<QObject&>(window_).event(event);
        const double end = nowMs();
        inside_ = false;
        if (counting) {
            paintMs.push_back(end - start);
            if (stepEndedMs >= 0) stepToPaintMs.push_back(end - stepEndedMs);
        }
        stepEndedMs = -1;
        return true;
    }

private:
    double nowMs() const { return double(clock_.elapsedNs()) / 1e6; }

    QWidget& window_;
    forms::RealClock& clock_;
    bool inside_ = false;
};

struct StateFigures {
    const char* state;
    double seconds = 0;
    double cpu = 0;
    qint64 wakeUps = 0;
    long switches = 0;
};

}  // namespace

int main(int argc, char** argv) {
    const auto app = forms::makeApplication(argc, argv);
    const int phaseMs = argc > 1 ? std::atoi(argv[1]) * 1000 : 10'000;

    forms::Runtime rt(bench::heldGame());
    forms::RealClock clock(rt);
    forms::FormWindow window(rt, &clock);
    bench::TimerSchedule gameSteps(rt, clock, "Timergame");
    gameSteps.recording = false;
    RepaintTimer repaints(window, clock);
    window.installEventFilter(&repaints);

    bench::stepStarting = [&](forms::Runtime&) { gameSteps.fired(); };
    bench::stepEnded = [&](forms::Runtime&) {
        repaints.stepEndedMs = double(clock.elapsedNs()) / 1e6;
    };

    rt.load();
    window.show();
    clock.rearm();

    auto button = [&](const char* name) {
        return window.findChild<QPushButton*>(QString::fromLatin1(name));
    };
    QTimer moves;
    moves.setTimerType(Qt::PreciseTimer);
    int move = 0;
    QObject::connect(&moves, &QTimer::timeout,
                     [&] { button(move++ % 3 == 2 ? "Commanddown" : "Commandup")->click(); });

    StateFigures states[4] = {
        {"Idle"}, {"running at the 20 ms floor, a move every 100 ms"}, {"Paused"}, {"Over"}};
    double cpuAt = 0;
    qint64 wakeUpsAt = 0;
    long switchesAt = 0;
    double startedMs = 0;
    auto begin = [&] {
        cpuAt = cpuSeconds();
        wakeUpsAt = clock.wakeUps();
        switchesAt = contextSwitches();
        startedMs = double(clock.elapsedNs()) / 1e6;
    };
    auto end = [&](StateFigures& figures) {
        figures.cpu = cpuSeconds() - cpuAt;
        figures.wakeUps = clock.wakeUps() - wakeUpsAt;
        figures.switches = contextSwitches() - switchesAt;
        figures.seconds = (double(clock.elapsedNs()) / 1e6 - startedMs) / 1000;
    };

    // Each step starts the next state, then waits to settle before measuring it.
    const std::vector<std::function<void()>> steps = {
        [&] { begin(); },
        [&] {
            end(states[0]);
            button("Command1")->click();
            moves.start(100);
        },
        [&] {
            begin();
            gameSteps.recording = true;
            repaints.counting = true;
        },
        [&] {
            end(states[1]);
            gameSteps.recording = false;
            repaints.counting = false;
            moves.stop();
            button("Commandstop")->click();
        },
        [&] { begin(); },
        [&] {
            end(states[2]);
            button("Commandcontinue")->click();
            // The next check tick finds no lives left and ends the game.
            rt.form().control("Labellife").setCaption("0");
        },
        [&] { begin(); },
        [&] {
            end(states[3]);
            QApplication::quit();
        },
    };
    int at = settleMs;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        QTimer::singleShot(at, Qt::PreciseTimer, &window, steps[i]);
        at += i % 2 == 0 ? phaseMs : settleMs;
    }
    QApplication::exec();

    const std::string platform = QGuiApplication::platformName().toStdString();
    std::printf("CPU time and wake-ups by state (%s platform)\n\n", platform.c_str());
    std::printf(
        "| state | measured | process CPU time | share of one core | timer wake-ups | "
        "context switches |\n|---|---|---|---|---|---|\n");
    for (const StateFigures& s : states) {
        std::printf("| %s | %.1f s | %.1f ms | %.3f%% | %lld | %ld |\n", s.state, s.seconds,
                    s.cpu * 1000, 100 * s.cpu / s.seconds, static_cast<long long>(s.wakeUps),
                    s.switches);
    }
    std::printf("goals: 0 timer wake-ups while Idle, Paused, Over; under 3%% while running\n\n");

    const bench::Timing t = bench::timing(gameSteps.firings);
    std::printf("Game step at the 20 ms floor, %.1f s (%s platform)\n\n", states[1].seconds,
                platform.c_str());
    std::printf(
        "| firings | skipped due times | mean period per schedule slot | mean due period | error | "
        "p50 lateness | p99 lateness | max lateness |\n|---|---|---|---|---|---|---|---|\n");
    std::printf("| %zu | %ld | %.3f ms | %.3f ms | %+.3f%% | %.3f ms | %.3f ms | %.3f ms |\n",
                t.firings, t.skipped, t.meanPeriod, t.meanDuePeriod, t.error, t.p50, t.p99, t.max);
    std::printf(
        "goals: mean period within 0.2%% of the due periods' mean, p99 lateness < 1.5 ms, 0 "
        "skipped\n(%zu firings came at once after a speed-up tick shortened the period below the "
        "time gone; they count from that tick)\n\n",
        t.broughtForward);

    std::printf("Repaints in the running game (%s platform)\n\n", platform.c_str());
    std::printf(
        "| repaints | mean repaint | p99 repaint | mean from a step's end to its repaint's end | "
        "p99 |\n|---|---|---|---|---|\n");
    std::printf("| %zu | %.3f ms | %.3f ms | %.3f ms | %.3f ms |\n", repaints.paintMs.size(),
                mean(repaints.paintMs), percentile(repaints.paintMs, 0.99),
                mean(repaints.stepToPaintMs), percentile(repaints.stepToPaintMs, 0.99));
}
