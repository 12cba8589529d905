// Drives the runtime's timers on the real clock.
//
// One single-shot precise QTimer waits for the earliest due time and is stopped altogether
// while no timer can fire, so an idle game never wakes up.
#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include "runtime.h"

namespace forms {

class RealClock {
public:
    // The clock's time starts now, with the runtime's.
    explicit RealClock(Runtime& runtime);

    // Time since the start, in whole ms and in ns.
    Millis elapsed() const { return elapsed_.elapsed(); }
    qint64 elapsedNs() const { return elapsed_.nsecsElapsed(); }

    // Fires every timer due by now, so the runtime's clock is current before an event.
    void catchUp();

    // Waits for the next due time; to call after anything that may have changed the timers.
    void rearm();

    // How often the QTimer has woken the program.
    qint64 wakeUps() const { return wakeUps_; }

private:
    void wake();

    Runtime& runtime_;
    QElapsedTimer elapsed_;
    QTimer timer_;
    qint64 wakeUps_ = 0;
};

}  // namespace forms
