// The forms runtime: one form, its events and timers, the random sequence, run-time errors.
//
// Events are delivered one at a time on the caller's thread; a handler runs to its end before
// the next, and nothing is nested. After a run-time error no handler runs again.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string_view>

#include "form.h"
#include "program.h"
#include "random_generator.h"
#include "runtime_error.h"
#include "timer_scheduler.h"

namespace forms {

class Runtime : private AccessObserver {
public:
    // Builds the form from the program's definition; a malformed one throws DefinitionError,
    // a handler that names no control of the form throws std::invalid_argument.
    explicit Runtime(const ProgramDescription& program);
    ~Runtime() override;

    Form& form() { return *form_; }
    const ProgramDescription& program() const { return program_; }
    std::string_view picture(std::string_view name) const;

    // Raises Load, once.
    void load();

    // A click on a button, menu item or other control: raises its Click when the control and
    // its containers are shown and enabled. Returns whether a handler ran.
    bool click(std::string_view name);

    // Time, in ms from the start of the run.
    Millis now() const { return now_; }
    // Simulated clock: moves time on by ms, firing each timer at its exact due time, in order.
    void advance(Millis ms);
    // Real clock: the time is now (never earlier than before); each due timer fires once.
    void fireDueAt(Millis now);
    // When the next timer is due, if any timer can fire.
    std::optional<Millis> nextDue() const;
    // When this timer is next due, if it can fire; a firing late by more than its Interval
    // moves this on past the due times it missed.
    std::optional<Millis> nextDue(const Control& timer) const;

    // The random generator, and its seed clock (the system clock unless a test sets another).
    RandomGenerator& random() { return random_; }
    void setSeedClock(std::function<std::uint64_t()> clock) { seedClock_ = std::move(clock); }
    void rtcRandomize();
    Single rtcRandomNext() { return random_.next(); }

    // Run-time errors: after one, every timer and all event delivery stop.
    bool halted() const { return error_.has_value(); }
    const std::optional<RuntimeError>& error() const { return error_; }
    // Called once, at the error; the default writes its one line on standard error.
    void setErrorHandler(std::function<void(const RuntimeError&)> handler) {
        onError_ = std::move(handler);
    }

    // Called after every delivered event, between events, where the window redraws; after one
    // that failed, too, before its error is reported.
    void setAfterEvent(std::function<void()> hook) { afterEvent_ = std::move(hook); }

private:
    // Events raised from inside a handler are refused with std::logic_error.
    void refuseInsideHandler() const;
    void dispatch(Handler handler);
    void fire(Control& timer);
    void propertyWritten(const Control& control, Property property) override;

    ProgramDescription program_;
    std::unique_ptr<Form> form_;
    std::unique_ptr<TimerScheduler> scheduler_;
    std::map<const Control*, Handler> clickHandlers_;
    std::map<const Control*, Handler> timerHandlers_;
    Handler loadHandler_ = nullptr;
    bool loaded_ = false;
    bool inHandler_ = false;
    Millis now_ = 0;
    RandomGenerator random_;
    std::function<std::uint64_t()> seedClock_;
    std::optional<RuntimeError> error_;
    std::function<void(const RuntimeError&)> onError_;
    std::function<void()> afterEvent_;
};

}  // namespace forms
