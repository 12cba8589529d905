// The runtime's number and text conversions, and its checked arithmetic.
//
// Texts are UTF-8. The game only ever converts whole numbers; for everything else the
// behaviour below is what a player reading the window would expect.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace forms {

using Single = float;
using Double = double;
using Long = std::int32_t;

// The number at the start of the text, as a double: leading blanks and tabs are skipped, then
// an optional sign, digits with an optional decimal point and an optional exponent are read,
// and the rest is ignored. "12x" gives 12, "-1" gives -1; "", "abc" and "-" give 0.
// A number too large for a double raises the overflow run-time error.
Double rtcR8ValFromBstr(std::string_view text);

// A whole number is written as its decimal digits with "-" first if negative, no blank and
// no decimal point (50 gives "50", -1 gives "-1"). Other values get up to 15 (doubles) or 7
// (singles) significant digits, with an exponent only where plain digits would not fit.
// NaN and infinities never reach a caption: the arithmetic below traps them first.
std::string vbaStrR8(Double value);
std::string vbaStrR4(Single value);
std::string vbaStrI4(Long value);

// The greatest whole number not above x, still as a single.
Single vbaFPInt(Single x);

// x taken as a double.
Double vbaFpR8(Double x);

// 0 exactly when the texts are equal character for character; otherwise -1 or 1 by code point.
int vbaStrCmp(std::string_view a, std::string_view b);

// Floating add, subtract and multiply. A result that is not finite means the operation was
// invalid, divided by zero or overflowed: it raises the floating-point run-time error.
Single addSingle(Single a, Single b);
Single subSingle(Single a, Single b);
Single mulSingle(Single a, Single b);
Double addDouble(Double a, Double b);
Double subDouble(Double a, Double b);

// 32-bit whole-number add and subtract; leaving the range raises the overflow run-time error.
Long addLong(Long a, Long b);
Long subLong(Long a, Long b);

}  // namespace forms
