// Reads a stored window definition.
//
// The definition is Windows-1251 text, one setting a line:
//
//   # a comment
//   Form Form1
//     Caption = "Kestrune!!!"
//     Label Label1
//       Left = 840
//       BackColor = &H0000C0C0&
//     Frame Frame1
//       CommandButton Command3
//         Caption = "X"
//
// A line "<Class> <Name>" opens a control; its settings and its own controls follow, indented
// two blanks deeper. The first line opens the one Form; every other control stands inside it.
// Within a container the controls are listed front first, so the order is the z-order.
// Values: numbers (8.25, -360), True and False, "text" with "" for a quote in it, colours as
// &H00BBGGRR&, and pictures as the quoted name of an embedded picture file.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string_view>

#include "form.h"

namespace forms {

class DefinitionError : public std::runtime_error {
public:
    DefinitionError(std::int64_t line, const std::string& what);
    std::int64_t line() const { return line_; }

private:
    std::int64_t line_;
};

class DefinitionReader {
public:
    using PictureExists = std::function<bool(std::string_view name)>;

    // Builds the form, or throws DefinitionError naming the line and what is wrong with it.
    static std::unique_ptr<Form> read(std::string_view windows1251, const PictureExists& pictures);
};

}  // namespace forms
