#include "runtime.h"

#include <algorithm>
#include <chrono>
#include <iostream>
#include <stdexcept>
#include <string>

#include "definition_reader.h"

namespace forms {

Runtime::Runtime(const ProgramDescription& program) : program_(program) {
    form_ = DefinitionReader::read(
        program_.definition, [this](std::string_view name) { return !picture(name).empty(); });

    std::vector<Control*> timers;
    for (const auto& c : form_->controls()) {
        if (c->controlClass() == ControlClass::Timer) timers.push_back(c.get());
    }
    scheduler_ = std::make_unique<TimerScheduler>(std::move(timers));

    for (const auto& [name, handler] : program_.handlers) {
        if (name == "Form_Load") {
            loadHandler_ = handler;
            continue;
        }
        const std::size_t underscore = name.rfind('_');
        const Control* control = underscore == std::string_view::npos
                                     ? nullptr
                                     : form_->find(name.substr(0, underscore));
        const std::string_view event =
            underscore == std::string_view::npos ? std::string_view{} : name.substr(underscore + 1);
        if (control != nullptr && event == "Click") {
            clickHandlers_[control] = handler;
        } else if (control != nullptr && event == "Timer" &&
                   control->controlClass() == ControlClass::Timer) {
            timerHandlers_[control] = handler;
        } else {
            throw std::invalid_argument("handler " + std::string(name) +
                                        " names no event of a control of the form");
        }
    }

    seedClock_ = [] {
        return static_cast<std::uint64_t>(
            std::chrono::system_clock::now().time_since_epoch().count());
    };
    onError_ = [](const RuntimeError& error) { std::cerr << describe(error) << '\n'; };
    form_->addObserver(this);
}

Runtime::~Runtime() {
    form_->removeObserver(this);
}

std::string_view Runtime::picture(std::string_view name) const {
    for (const auto& [file, bytes] : program_.pictures) {
        if (file == name) return bytes;
    }
    return {};
}

void Runtime::load() {
    refuseInsideHandler();
    if (loaded_) return;
    loaded_ = true;
    if (loadHandler_ != nullptr) dispatch(loadHandler_);
}

bool Runtime::click(std::string_view name) {
    refuseInsideHandler();
    Control* control = form_->find(name);
    if (control == nullptr || halted()) return false;
    const auto handler = clickHandlers_.find(control);
    if (handler == clickHandlers_.end()) return false;
    if (!control->shownWithContainers() || !control->enabledWithContainers()) return false;
    dispatch(handler->second);
    return true;
}

void Runtime::advance(Millis ms) {
    refuseInsideHandler();
    const Millis target = now_ + ms;
    while (!halted()) {
        const auto due = scheduler_->nextDue();
        if (!due || *due > target) break;
        now_ = std::max(now_, *due);
        fire(*scheduler_->dueBy(now_));
    }
    now_ = std::max(now_, target);
}

void Runtime::fireDueAt(Millis now) {
    refuseInsideHandler();
    now_ = std::max(now_, now);
    // Each timer due now fires once; one that a handler before it stopped does not.
    for (Control* timer : scheduler_->allDueBy(now_)) {
        if (halted()) return;
        const auto still = scheduler_->allDueBy(now_);
        if (std::find(still.begin(), still.end(), timer) != still.end()) fire(*timer);
    }
}

std::optional<Millis> Runtime::nextDue() const {
    if (halted()) return std::nullopt;
    return scheduler_->nextDue();
}

std::optional<Millis> Runtime::nextDue(const Control& timer) const {
    if (halted()) return std::nullopt;
    return scheduler_->nextDue(timer);
}

void Runtime::rtcRandomize() {
    random_.seed(seedClock_());
}

void Runtime::fire(Control& timer) {
    scheduler_->fired(timer, now_);
    const auto handler = timerHandlers_.find(&timer);
    if (handler != timerHandlers_.end()) {
        dispatch(handler->second);
    } else if (afterEvent_) {
        afterEvent_();
    }
}

// Refused before anything moves, so a refused event leaves no trace: no time passes, no timer
// counts as fired, the form is not marked loaded.
void Runtime::refuseInsideHandler() const {
    if (inHandler_) throw std::logic_error("an event was raised inside a handler");
}

void Runtime::dispatch(Handler handler) {
    if (halted()) return;
    refuseInsideHandler();
    {
        // Cleared however the handler ends, so that an exception other than a run-time error
        // passing out of it leaves the runtime taking events.
        struct Running {
            bool& flag;
            explicit Running(bool& f) : flag(f) { flag = true; }
            ~Running() { flag = false; }
        } running{inHandler_};
        try {
            handler(*this);
        } catch (const RuntimeError& error) {
            error_ = error;
            scheduler_->stopAll();
        }
    }
    // The writes a failed handler made before its error stand, and the window shows them
    // before the error is reported over it.
    if (afterEvent_) afterEvent_();
    if (error_) onError_(*error_);
}

void Runtime::propertyWritten(const Control& control, Property property) {
    if (control.controlClass() == ControlClass::Timer &&
        (property == Property::Enabled || property == Property::Interval)) {
        scheduler_->written(control, now_);
    }
}

}  // namespace forms
