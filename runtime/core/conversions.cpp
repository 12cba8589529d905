#include "conversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "runtime_error.h"

namespace forms {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string formatNonWhole(double value, int digits) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*G", digits, value);
    return buffer;
}

// The power of ten of the first nonzero digit of the plain decimal mantissa, whose point
// (or its end) stands at pointAt: 2 for "123.4", -3 for "0.001"; 0 when every digit is 0.
long long decimalOrder(std::string_view mantissa, std::size_t pointAt) {
    for (std::size_t i = 0; i < mantissa.size(); ++i) {
        if (mantissa[i] == '.' || mantissa[i] == '0') continue;
        return i < pointAt ? static_cast<long long>(pointAt - i) - 1
                           : -static_cast<long long>(i - pointAt);
    }
    return 0;
}

template <typename T>
T checkedFloat(T result) {
    if (!std::isfinite(result)) vbaFPException();
    return result;
}

}  // namespace

Double rtcR8ValFromBstr(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    const std::size_t start = pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    const std::size_t mantissaStart = pos;
    while (pos < text.size() && isDigit(text[pos])) ++pos;
    const std::size_t pointAt = pos;
    std::size_t digits = pos - mantissaStart;
    if (pos < text.size() && text[pos] == '.') {
        const std::size_t fraction = ++pos;
        while (pos < text.size() && isDigit(text[pos])) ++pos;
        digits += pos - fraction;
    }
    const std::size_t mantissaEnd = pos;
    if (digits == 0) return 0.0;
    long long exponent = 0;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t at = pos + 1;
        bool negative = false;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
        if (at < text.size() && isDigit(text[at])) {
            for (pos = at; pos < text.size() && isDigit(text[pos]); ++pos) {
                // Held well past any double's range, without overflowing itself.
                exponent = std::min(exponent * 10 + (text[pos] - '0'), 1'000'000'000LL);
            }
            if (negative) exponent = -exponent;
        }
    }
    // from_chars takes no leading '+'.
    std::size_t from = text[start] == '+' ? start + 1 : start;
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data() + from, text.data() + pos, value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // from_chars leaves value alone then, so the number's decimal order tells the two
        // apart: too small rounds to zero; too large cannot be held.
        const std::string_view mantissa = text.substr(mantissaStart, mantissaEnd - mantissaStart);
        if (decimalOrder(mantissa, pointAt - mantissaStart) + exponent >= 0) vbaErrorOverflow();
        return 0.0;
    }
    return value;
}

std::string vbaStrR8(Double value) {
    if (value == std::trunc(value) && std::abs(value) < 1e15) {
        return std::to_string(static_cast<long long>(value));
    }
    return formatNonWhole(value, 15);
}

std::string vbaStrR4(Single value) {
    if (value == std::trunc(value) && std::abs(value) < 1e7f) {
        return std::to_string(static_cast<long long>(value));
    }
    return formatNonWhole(value, 7);
}

std::string vbaStrI4(Long value) {
    return std::to_string(value);
}

Single vbaFPInt(Single x) {
    return std::floor(x);
}

Double vbaFpR8(Double x) {
    return x;
}

int vbaStrCmp(std::string_view a, std::string_view b) {
    const int order = a.compare(b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

Single addSingle(Single a, Single b) {
    return checkedFloat(a + b);
}
Single subSingle(Single a, Single b) {
    return checkedFloat(a - b);
}
Single mulSingle(Single a, Single b) {
    return checkedFloat(a * b);
}
Double addDouble(Double a, Double b) {
    return checkedFloat(a + b);
}
Double subDouble(Double a, Double b) {
    return checkedFloat(a - b);
}

Long addLong(Long a, Long b) {
    Long sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) vbaErrorOverflow();
    return sum;
}

Long subLong(Long a, Long b) {
    Long difference = 0;
    if (__builtin_sub_overflow(a, b, &difference)) vbaErrorOverflow();
    return difference;
}

}  // namespace forms
