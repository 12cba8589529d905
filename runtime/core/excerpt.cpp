#include "excerpt.h"

#include <cstddef>

namespace forms {

std::string excerpt(std::string_view utf8) {
    constexpr std::size_t shown = 40;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const bool starts = (static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80;
        if (starts && characters++ == shown) return std::string(utf8.substr(0, i)) + "...";
    }
    return std::string(utf8);
}

}  // namespace forms
