#include "real_clock.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <cstdint>
#include <ctime>
#include <stdexcept>

namespace forms {
namespace {

qint64 monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

}  // namespace

RealClock::RealClock(Runtime& runtime) : runtime_(runtime) {
    timerFd_ = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (timerFd_ < 0) throw std::runtime_error("cannot create the timer of the real clock");
    epochNs_ = monotonicNs();
    notifier_ = std::make_unique<QSocketNotifier>(timerFd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { wake(); });
}

RealClock::~RealClock() {
    notifier_.reset();
    close(timerFd_);
}

qint64 RealClock::elapsedNs() const {
    return monotonicNs() - epochNs_;
}

void RealClock::catchUp() {
    runtime_.fireDueAt(elapsed());
}

void RealClock::rearm() {
    itimerspec when{};
    if (const auto due = runtime_.nextDue()) {
        // An absolute time already past fires at once; zero would disarm, so never arm at 0.
        const qint64 at = epochNs_ + *due * 1'000'000;
        when.it_value.tv_sec = at / 1'000'000'000;
        when.it_value.tv_nsec = at % 1'000'000'000;
        if (when.it_value.tv_sec == 0 && when.it_value.tv_nsec == 0) when.it_value.tv_nsec = 1;
    }
    timerfd_settime(timerFd_, TFD_TIMER_ABSTIME, &when, nullptr);
}

void RealClock::wake() {
    std::uint64_t expirations = 0;
    if (read(timerFd_, &expirations, sizeof expirations) < 0) return;  // a stale wake-up
    ++wakeUps_;
    catchUp();
    rearm();
}

}  // namespace forms
