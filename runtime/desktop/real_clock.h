// Drives the runtime's timers on the real clock.
//
// One timer waits for the earliest due time, to the nanosecond: a Linux timerfd armed at an
// absolute time on the monotonic clock and watched by the Qt event loop. (Qt's own timers
// count whole milliseconds from the moment they are started, which would make every firing up
// to a millisecond late.) It is disarmed while no timer can fire, so an idle game never wakes.
#pragma once

#include <QSocketNotifier>

#include <memory>

#include "runtime.h"

namespace forms {

class RealClock {
public:
    // The clock's time starts now, with the runtime's.
    explicit RealClock(Runtime& runtime);
    ~RealClock();

    // Time since the start, in whole ms and in ns.
    Millis elapsed() const { return elapsedNs() / 1'000'000; }
    qint64 elapsedNs() const;

    // Fires every timer due by now, so the runtime's clock is current before an event.
    void catchUp();

    // Waits for the next due time; to call after anything that may have changed the timers.
    void rearm();

    // How often the clock has woken the program.
    qint64 wakeUps() const { return wakeUps_; }

private:
    void wake();

    Runtime& runtime_;
    int timerFd_ = -1;
    qint64 epochNs_ = 0;
    std::unique_ptr<QSocketNotifier> notifier_;
    qint64 wakeUps_ = 0;
};

}  // namespace forms
