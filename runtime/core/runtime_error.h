// The runtime's run-time error: the one way a handler's failure ends the program.
#pragma once

#include <stdexcept>
#include <string>

namespace forms {

enum class ErrorKind {
    PropertyAccess,  // a control the form lacks, or a property its class lacks
    Overflow,        // a 32-bit whole-number sum left its range
    FloatingPoint,   // invalid operation, division by zero or overflow
};

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(ErrorKind kind, std::string control = {}, std::string property = {});

    ErrorKind kind() const { return kind_; }
    const std::string& control() const { return control_; }
    const std::string& property() const { return property_; }

private:
    ErrorKind kind_;
    std::string control_;
    std::string property_;
};

// One line naming the error and, where there is one, the control and property.
std::string describe(const RuntimeError& error);

[[noreturn]] void vbaHresultCheckObj(const std::string& control, const std::string& property);
[[noreturn]] void vbaErrorOverflow();
[[noreturn]] void vbaFPException();

}  // namespace forms
