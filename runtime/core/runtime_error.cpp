#include "runtime_error.h"

namespace forms {
namespace {

std::string message(ErrorKind kind, const std::string& control, const std::string& property) {
    std::string text;
    switch (kind) {
        case ErrorKind::PropertyAccess:
            text = "Run-time error: property access failed";
            break;
        case ErrorKind::Overflow:
            text = "Run-time error: overflow";
            break;
        case ErrorKind::FloatingPoint:
            text = "Run-time error: floating-point fault";
            break;
    }
    if (!control.empty()) {
        text += " (" + control;
        if (!property.empty()) text += "." + property;
        text += ")";
    }
    return text;
}

}  // namespace

RuntimeError::RuntimeError(ErrorKind kind, std::string control, std::string property)
    : std::runtime_error(message(kind, control, property)),
      kind_(kind),
      control_(std::move(control)),
      property_(std::move(property)) {}

std::string describe(const RuntimeError& error) {
    return error.what();
}

void vbaHresultCheckObj(const std::string& control, const std::string& property) {
    throw RuntimeError(ErrorKind::PropertyAccess, control, property);
}

void vbaErrorOverflow() {
    throw RuntimeError(ErrorKind::Overflow);
}

void vbaFPException() {
    throw RuntimeError(ErrorKind::FloatingPoint);
}

}  // namespace forms
