// A form: the window and the controls that its stored definition creates.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "control.h"

namespace forms {

class Form : private AccessObserver {
public:
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    ~Form() override;

    // The control of that name; a name the form lacks raises the property-access error.
    Control& control(std::string_view name);
    Control* find(std::string_view name);
    const Control* find(std::string_view name) const;

    // The window itself.
    Control& window() { return *controls_.front(); }
    const Control& window() const { return *controls_.front(); }

    // Every control, the window first, then in definition order (containers before contents).
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

    void addObserver(AccessObserver* observer) { observers_.push_back(observer); }
    void removeObserver(AccessObserver* observer);

private:
    friend class DefinitionReader;
    friend class DefinitionParser;
    Form() = default;
    Control& add(ControlClass cls, std::string name, Control* container);

    void propertyRead(const Control& control, Property property) override;
    void propertyWritten(const Control& control, Property property) override;

    std::vector<std::unique_ptr<Control>> controls_;
    std::map<std::string, Control*, std::less<>> byName_;
    std::vector<AccessObserver*> observers_;
};

}  // namespace forms
