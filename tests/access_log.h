// Records property accesses, to check the order of a handler's reads and writes.
#pragma once

#include <string>
#include <vector>

#include "control.h"

namespace kestrune::testing {

struct Access {
    bool write;
    std::string control;
    std::string property;
    bool operator==(const Access&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Access& a) {
    return out << (a.write ? "write " : "read ") << a.control << '.' << a.property;
}

class AccessLog : public forms::AccessObserver {
public:
    void propertyRead(const forms::Control& c, forms::Property p) override {
        accesses.push_back({false, c.name(), std::string(forms::propertyName(p))});
    }
    void propertyWritten(const forms::Control& c, forms::Property p) override {
        accesses.push_back({true, c.name(), std::string(forms::propertyName(p))});
    }
    std::vector<Access> writes() const {
        std::vector<Access> only;
        for (const Access& a : accesses) {
            if (a.write) only.push_back(a);
        }
        return only;
    }
    std::vector<Access> accesses;
};

inline Access write(std::string control, std::string property) {
    return {true, std::move(control), std::move(property)};
}

}  // namespace kestrune::testing
