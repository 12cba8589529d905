// What a repaint costs after one game step, on the simulated clock: a game held at the 20 ms
// floor is stepped again and again, and the window's repaint of just the rectangles that
// changed, painted and flushed as soon as the step's handler ends, is timed. Only steps with all
// twelve objects shown count. Goal: under 1 ms a step.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QRegion>
#include <QThread>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "application.h"
#include "field.h"
#include "form_window.h"
#include "held_game.h"
#include "runtime.h"
#include "statistics.h"
#include "surface.h"

namespace {

using bench::mean;
using bench::percentile;

// Counts what the client area paints.
class PaintLog : public QObject {
public:
    int paints = 0;
    long long pixels = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Paint) return false;
        ++paints;
        for (const QRect& r : static_cast<QPaintEvent*>(event)->region()) {
            pixels += static_cast<long long>(r.width()) * r.height();
        }
        return false;
    }
};

bool allShown(forms::Runtime& rt) {
    return std::ranges::all_of(kestrune::fieldObjects, [&](std::string_view name) {
        return rt.form().control(name).values().visible != forms::False;
    });
}

}  // namespace

int main(int argc, char** argv) {
    const auto app = forms::makeApplication(argc, argv);
    const int steps = argc > 1 ? std::atoi(argv[1]) : 3000;

    forms::Runtime rt(bench::heldGame());
    rt.setSeedClock([] { return 20261210u; });
    forms::FormWindow window(rt);
    PaintLog log;
    window.clientArea().installEventFilter(&log);
    rt.load();
    window.show();
    while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    rt.click("Command1");

    // The window repaints as soon as the step's handler has ended: the clock starts there.
    bool stepped = false;
    QElapsedTimer sinceStep;
    bench::stepEnded = [&](forms::Runtime&) {
        stepped = true;
        sinceStep.start();
    };

    std::vector<double> times;
    long long pixels = 0;
    int missed = 0;
    for (int step = 0; step < steps + 50; ++step) {
        const bool shownBefore = allShown(rt);
        const int paints = log.paints;
        const long long pixelsBefore = log.pixels;
        stepped = false;
        while (!stepped) rt.advance(1);
        const double ms = double(sinceStep.nsecsElapsed()) / 1e6;
        // The first steps after the title picture went are left out, as are steps where a
        // ring had been taken.
        if (step < 50 || !shownBefore || !allShown(rt)) continue;
        if (log.paints == paints) ++missed;
        times.push_back(ms);
        pixels += log.pixels - pixelsBefore;
        // The X server gets time to take in the frame, as between steps of the real game.
        QApplication::processEvents();
        QThread::usleep(500);
        QApplication::processEvents();
    }

    const QSize client = window.clientArea().size();
    std::printf(
        "| platform | steps timed | mean repaint | p50 | p99 | area painted per step | goal |\n"
        "|---|---|---|---|---|---|---|\n");
    std::printf(
        "| %s | %zu | %.3f ms | %.3f ms | %.3f ms | %.0f px (%.1f%% of the client area) | "
        "< 1 ms |\n",
        QGuiApplication::platformName().toStdString().c_str(), times.size(), mean(times),
        percentile(times, 0.5), percentile(times, 0.99), double(pixels) / double(times.size()),
        100.0 * double(pixels) / double(times.size()) / (client.width() * client.height()));
    if (missed > 0) std::printf("(%d steps painted nothing)\n", missed);
}
