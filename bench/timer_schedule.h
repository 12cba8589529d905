// One timer's firings on the real clock, measured against the schedule the runtime keeps for it.
//
// Each firing serves the due time the runtime had for the timer just before it fired, and is
// late by the time from then, or from the write that brought that due time forward to a moment
// already gone, since the clock could not fire it before that write. A timer that fell behind
// fires once and passes over the due times it missed (see timer_scheduler.h): the firing counts
// as late from the first one, and the others as skipped, so a single stall of the process shows
// as one late firing and a few skipped due times, not as every later firing late.
#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "real_clock.h"
#include "runtime.h"
#include "statistics.h"

namespace bench {

struct Firing {
    double firedMs;     // real time
    double dueMs;       // the due time it served
    double lateFromMs;  // the due time, or the write that brought it forward if later
    long skipped;       // the due times after this one that it passed over
};

class TimerSchedule : private forms::AccessObserver {
public:
    // Made after the runtime, so that the runtime's scheduler has taken each write before this
    // reads the due time it left; and before the timer fires, to know its first due time.
    TimerSchedule(forms::Runtime& rt, const forms::RealClock& clock, std::string_view timer)
        : rt_(rt), clock_(clock), timer_(rt.form().control(timer)) {
        rt_.form().addObserver(this);
        due_ = rt_.nextDue(timer_);
        if (due_) lateFromMs_ = double(*due_);
    }
    ~TimerSchedule() override { rt_.form().removeObserver(this); }
    TimerSchedule(const TimerSchedule&) = delete;
    TimerSchedule& operator=(const TimerSchedule&) = delete;

    // Firings are kept only while this is set.
    bool recording = true;
    std::vector<Firing> firings;

    // To call first in the timer's handler, before it writes anything.
    void fired() {
        const double now = nowMs();
        const forms::Millis interval = timer_.values().interval;
        const auto next = rt_.nextDue(timer_);
        if (recording && due_ && next) {
            // The next due time is one Interval past the one served and each one passed over.
            const long skipped = long((*next - interval - *due_) / interval);
            firings.push_back({now, double(*due_), lateFromMs_, skipped});
        }
        due_ = next;
        if (due_) lateFromMs_ = double(*due_);
    }

private:
    double nowMs() const { return double(clock_.elapsedNs()) / 1e6; }

    void propertyWritten(const forms::Control& control, forms::Property property) override {
        if (&control != &timer_) return;
        if (property != forms::Property::Enabled && property != forms::Property::Interval) return;
        const auto due = rt_.nextDue(timer_);
        if (due == due_) return;
        due_ = due;
        if (due_) lateFromMs_ = std::max(double(*due_), nowMs());
    }

    forms::Runtime& rt_;
    const forms::RealClock& clock_;
    const forms::Control& timer_;
    std::optional<forms::Millis> due_;
    double lateFromMs_ = 0;
};

struct Timing {
    std::size_t firings = 0;
    long skipped = 0;                // due times no firing served
    std::size_t broughtForward = 0;  // firings late from a write rather than their due time
    double meanPeriod = 0;           // over the schedule's slots between the first and last firing
    double meanDuePeriod = 0;        // the same slots' mean length
    double error = 0;                // of the mean period against the slots', in %
    double p50 = 0, p99 = 0, max = 0;  // lateness
};

// The figures of a run of firings; a skipped due time leaves a longer gap between two firings,
// so the mean periods divide by the slots of the schedule the gap spans, not by the firings.
inline Timing timing(const std::vector<Firing>& firings) {
    Timing t;
    t.firings = firings.size();
    if (firings.empty()) return t;
    std::vector<double> lateness;
    long spanned = 0;
    for (std::size_t i = 0; i < firings.size(); ++i) {
        const Firing& f = firings[i];
        lateness.push_back(f.firedMs - f.lateFromMs);
        t.skipped += f.skipped;
        if (f.lateFromMs > f.dueMs) ++t.broughtForward;
        if (i + 1 < firings.size()) spanned += 1 + f.skipped;
    }
    if (spanned > 0) {
        t.meanPeriod = (firings.back().firedMs - firings.front().firedMs) / double(spanned);
        t.meanDuePeriod = (firings.back().dueMs - firings.front().dueMs) / double(spanned);
        t.error = 100 * (t.meanPeriod - t.meanDuePeriod) / t.meanDuePeriod;
    }
    t.p50 = percentile(lateness, 0.5);
    t.p99 = percentile(lateness, 0.99);
    t.max = *std::max_element(lateness.begin(), lateness.end());
    return t;
}

}  // namespace bench
