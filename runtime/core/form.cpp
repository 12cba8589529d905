#include "form.h"

#include <algorithm>

#include "runtime_error.h"

namespace forms {

Form::~Form() = default;

Control& Form::control(std::string_view name) {
    Control* found = find(name);
    if (found == nullptr) vbaHresultCheckObj(std::string(name), {});
    return *found;
}

Control* Form::find(std::string_view name) {
    return const_cast<Control*>(static_cast<const Form*>(this)->find(name));
}

const Control* Form::find(std::string_view name) const {
    const auto found = byName_.find(name);
    return found == byName_.end() ? nullptr : found->second;
}

void Form::removeObserver(AccessObserver* observer) {
    std::erase(observers_, observer);
}

Control& Form::add(ControlClass cls, std::string name, Control* container) {
    auto control = std::make_unique<Control>(cls, std::move(name), container);
    control->setObserver(this);
    if (container != nullptr) container->addChild(control.get());
    byName_.emplace(control->name(), control.get());
    controls_.push_back(std::move(control));
    return *controls_.back();
}

void Form::propertyRead(const Control& control, Property property) {
    for (AccessObserver* o : observers_) o->propertyRead(control, property);
}

void Form::propertyWritten(const Control& control, Property property) {
    for (AccessObserver* o : observers_) o->propertyWritten(control, property);
}

}  // namespace forms
