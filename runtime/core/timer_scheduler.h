// When each timer fires, on whatever clock drives it.
//
// The rules, the same on the simulated and the real clock:
// - An enabled timer with Interval 1 or more fires every Interval ms; Interval 0 or less never.
// - Enabling a disabled timer starts its count at that moment, and so does giving an enabled
//   timer with Interval 0 or less a positive one. Writing Enabled True to an enabled timer, or
//   an unchanged Interval, keeps its phase.
// - A changed Interval counts from the timer's last firing or start; a due time already past
//   fires at the next chance.
// - A timer that fell behind fires once, not in a burst, and keeps its schedule without drift.
// - Timers due at the same moment fire in the order the window definition lists them.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "control.h"

namespace forms {

using Millis = std::int64_t;

class TimerScheduler {
public:
    // The timers in definition order, which settles ties.
    explicit TimerScheduler(std::vector<Control*> timers);

    // Tell the scheduler that a timer's Enabled or Interval was just written.
    void written(const Control& timer, Millis now);

    // The earliest due time of any timer that can fire.
    std::optional<Millis> nextDue() const;
    // The due time of one timer, if it can fire.
    std::optional<Millis> nextDue(const Control& timer) const;

    // The timer due earliest at or before now (ties in definition order), or null.
    Control* dueBy(Millis now) const;

    // The timers due at or before now, earliest first.
    std::vector<Control*> allDueBy(Millis now) const;

    // The timer fires now: its next due time follows its schedule, past now.
    void fired(const Control& timer, Millis now);

    // No timer fires again.
    void stopAll() { stopped_ = true; }

private:
    struct Entry {
        Control* timer;
        bool able;      // enabled, with an Interval of 1 or more
        Millis anchor;  // the last firing or the start of the count
    };
    const Entry* entry(const Control& timer) const;
    Entry* entry(const Control& timer);
    std::optional<Millis> due(const Entry& e) const;

    std::vector<Entry> entries_;
    bool stopped_ = false;
};

}  // namespace forms
