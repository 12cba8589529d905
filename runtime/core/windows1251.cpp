#include "windows1251.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

namespace forms {

std::optional<std::string> decodeWindows1251(std::string_view bytes) {
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && byte != '\t') || byte == 0x7f) return std::nullopt;
    }
    const iconv_t converter = iconv_open("UTF-8", "CP1251");
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    const std::unique_ptr<void, int (*)(iconv_t)> closer(converter, iconv_close);

    // A Windows-1251 character takes at most three bytes in UTF-8.
    std::string out(bytes.size() * 3, '\0');
    std::string in(bytes);
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    if (iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
        return std::nullopt;
    }
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace forms
