// The start of a text, short enough for a one-line message.
#pragma once

#include <string>
#include <string_view>

namespace forms {

// At most the first 40 characters of the UTF-8 text, then "..." where it goes on; the cut falls
// between characters, never inside one. A megabyte of digits or a runaway name still makes a
// one-line message.
std::string excerpt(std::string_view utf8);

}  // namespace forms
