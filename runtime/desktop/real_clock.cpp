#include "real_clock.h"

#include <algorithm>
#include <limits>

namespace forms {

RealClock::RealClock(Runtime& runtime) : runtime_(runtime) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { wake(); });
    elapsed_.start();
}

void RealClock::catchUp() {
    runtime_.fireDueAt(elapsed());
}

void RealClock::rearm() {
    const auto due = runtime_.nextDue();
    if (!due) {
        timer_.stop();
        return;
    }
    const Millis wait = std::clamp<Millis>(*due - elapsed(), 0, std::numeric_limits<int>::max());
    timer_.start(int(wait));
}

void RealClock::wake() {
    ++wakeUps_;
    catchUp();
    rearm();
}

}  // namespace forms
