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
//
// A control stands as deep as it is indented: the Form's own controls at depth 1, a button in
// one of their frames at depth 2; menus count the same way. A definition holds at most 4096
// controls besides the Form, menus among them, none deeper than 64, and the line of the first
// control past either limit is refused. The game's window has 59 controls and 6 menus, at
// most 2 deep: the limits leave a real window room many times over, and stop far short of
// where the desktop fails. Qt paints a container's widgets by recursion, a stack frame for
// each widget in front of the one it paints and for each container above, so the number of
// widgets bounds the stack whatever the shape, and all side by side is the worst: about
// 28,800 buttons or frames in one container overflow an 8 MiB stack, the same under
// AddressSanitizer, as Qt's own code is not instrumented. Frames nested about 11,500 deep
// overflow it, in Qt's painting or, under AddressSanitizer, in the window's own recursive
// build, and the time to open grows faster than the depth: 2,000 levels take 0.4 s, 10,000
// take 30 s. Menus overflow the build of the menus somewhere past 20,000 levels. So 4096
// widgets take a seventh of the stack, and 64 levels open at once.
#pragma once

#include <cstddef>
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

    static constexpr std::size_t maxControls = 4096;  // besides the Form
    static constexpr std::size_t maxDepth = 64;       // the Form's own controls stand at 1

    // Builds the form, or throws DefinitionError naming the line and what is wrong with it.
    static std::unique_ptr<Form> read(std::string_view windows1251, const PictureExists& pictures);
};

}  // namespace forms
