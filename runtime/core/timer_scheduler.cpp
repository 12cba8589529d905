#include "timer_scheduler.h"

#include <algorithm>

namespace forms {
namespace {

bool canFire(const Control& timer) {
    return timer.values().enabled != False && timer.values().interval >= 1;
}

}  // namespace

TimerScheduler::TimerScheduler(std::vector<Control*> timers) {
    for (Control* t : timers) {
        // A timer enabled in the window definition counts from the start.
        entries_.push_back({t, canFire(*t), 0});
    }
}

const TimerScheduler::Entry* TimerScheduler::entry(const Control& timer) const {
    for (const Entry& e : entries_) {
        if (e.timer == &timer) return &e;
    }
    return nullptr;
}

TimerScheduler::Entry* TimerScheduler::entry(const Control& timer) {
    return const_cast<Entry*>(static_cast<const TimerScheduler*>(this)->entry(timer));
}

void TimerScheduler::written(const Control& timer, Millis now) {
    Entry* e = entry(timer);
    if (e == nullptr) return;
    const bool able = canFire(timer);
    if (able && !e->able) e->anchor = now;
    e->able = able;
}

std::optional<Millis> TimerScheduler::due(const Entry& e) const {
    if (stopped_ || !e.able) return std::nullopt;
    return e.anchor + e.timer->values().interval;
}

std::optional<Millis> TimerScheduler::nextDue() const {
    std::optional<Millis> earliest;
    for (const Entry& e : entries_) {
        const auto d = due(e);
        if (d && (!earliest || *d < *earliest)) earliest = d;
    }
    return earliest;
}

std::optional<Millis> TimerScheduler::nextDue(const Control& timer) const {
    const Entry* e = entry(timer);
    return e == nullptr ? std::nullopt : due(*e);
}

Control* TimerScheduler::dueBy(Millis now) const {
    const auto all = allDueBy(now);
    return all.empty() ? nullptr : all.front();
}

std::vector<Control*> TimerScheduler::allDueBy(Millis now) const {
    std::vector<std::pair<Millis, Control*>> due_;
    for (const Entry& e : entries_) {
        const auto d = due(e);
        if (d && *d <= now) due_.emplace_back(*d, e.timer);
    }
    // Stable, so equal due times keep definition order.
    std::stable_sort(due_.begin(), due_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Control*> timers;
    for (const auto& [d, t] : due_) timers.push_back(t);
    return timers;
}

void TimerScheduler::fired(const Control& timer, Millis now) {
    Entry* e = entry(timer);
    const auto d = e == nullptr ? std::nullopt : due(*e);
    if (!d) return;
    const Millis interval = timer.values().interval;
    e->anchor = *d;
    if (e->anchor + interval <= now) {
        // Fell behind: skip the firings that were missed, keeping the phase.
        const Millis missed = (now - e->anchor) / interval;
        e->anchor += missed * interval;
    }
}

}  // namespace forms
