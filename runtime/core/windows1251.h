// The window definition's code page.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace forms {

// Windows-1251 bytes as UTF-8 text; nothing when a byte is not Windows-1251 text (the one
// unassigned code, or a control character other than a tab).
std::optional<std::string> decodeWindows1251(std::string_view bytes);

}  // namespace forms
