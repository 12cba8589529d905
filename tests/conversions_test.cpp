// The runtime's number and text conversions and its checked arithmetic.
#include <array>
#include <cfloat>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "conversions.h"
#include "runtime_error.h"

namespace {

using forms::ErrorKind;
using forms::RuntimeError;

// Runs the operation and checks it raised the run-time error of that kind.
void expectRaises(const std::function<void()>& operation, ErrorKind kind) {
    try {
        operation();
        ADD_FAILURE() << "no run-time error was raised";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.kind(), kind) << describe(error);
    }
}

struct ValCase {
    std::string_view text;
    double value;
};

// Val reads the number at the start of the text and ignores the rest.
TEST(ValTest, ReadsTheLeadingNumber) {
    constexpr std::array cases{
        ValCase{"3", 3},      ValCase{"-1", -1},         ValCase{"12x", 12},  ValCase{"", 0},
        ValCase{"abc", 0},    ValCase{"0", 0},           ValCase{"50", 50},   ValCase{"  7", 7},
        ValCase{"\t8", 8},    ValCase{"-", 0},           ValCase{"1.5", 1.5}, ValCase{"1e3", 1000},
        ValCase{"+4", 4},     ValCase{".5", 0.5},        ValCase{"2e", 2},    ValCase{"3e+", 3},
        ValCase{"1e-999", 0}, ValCase{"-25 lives", -25},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(forms::rtcR8ValFromBstr(c.text), c.value) << '"' << c.text << '"';
    }
}

// A number too large for a double raises the overflow error rather than reading as 0.
TEST(ValTest, TooLargeRaisesOverflow) {
    const std::string longDigits(400, '9');
    for (const std::string text :
         {"1e999", "-1e999", "  1E400x", longDigits.c_str(), "0.001e999"}) {
        SCOPED_TRACE(text);
        expectRaises([&] { forms::rtcR8ValFromBstr(text); }, ErrorKind::Overflow);
    }
}

struct StrCase {
    double value;
    std::string_view text;
};

// Str writes whole numbers as bare digits and other values in their shortest plain form.
TEST(StrTest, WritesDoubles) {
    constexpr std::array cases{
        StrCase{50, "50"},       StrCase{-1, "-1"},
        StrCase{0, "0"},         StrCase{-0.0, "0"},
        StrCase{100, "100"},     StrCase{1.5, "1.5"},
        StrCase{-2.25, "-2.25"}, StrCase{123456789, "123456789"},
    };
    for (const auto& c : cases) EXPECT_EQ(forms::vbaStrR8(c.value), c.text) << c.value;
}

// Every score and life count the game writes reads back as the same number.
TEST(StrTest, WholeNumbersRoundTrip) {
    for (int score = 0; score <= 2'000'000; score += 50) {
        const std::string text = forms::vbaStrR8(score);
        ASSERT_EQ(text, std::to_string(score));
        ASSERT_EQ(forms::rtcR8ValFromBstr(text), score);
    }
    for (int lives = -5; lives <= 99; ++lives) {
        const std::string text = forms::vbaStrR8(lives);
        ASSERT_EQ(text, std::to_string(lives));
        ASSERT_EQ(forms::rtcR8ValFromBstr(text), lives);
    }
}

// Longs and singles follow the same writing as doubles.
TEST(StrTest, WritesLongsAndSingles) {
    EXPECT_EQ(forms::vbaStrI4(600), "600");
    EXPECT_EQ(forms::vbaStrI4(0), "0");
    EXPECT_EQ(forms::vbaStrI4(std::numeric_limits<std::int32_t>::min()), "-2147483648");
    EXPECT_EQ(forms::vbaStrI4(std::numeric_limits<std::int32_t>::max()), "2147483647");
    for (int n = 0; n <= 7; ++n) {
        EXPECT_EQ(forms::vbaStrR4(static_cast<float>(n)), std::to_string(n));
    }
    EXPECT_EQ(forms::vbaStrR4(1.5f), "1.5");
    EXPECT_EQ(forms::vbaStrR4(-3.0f), "-3");
}

// Int is the floor, so negative fractions go down, not towards zero.
TEST(IntTest, TakesTheFloor) {
    constexpr std::array<std::array<float, 2>, 6> cases{{
        {7.99999f, 7},
        {0, 0},
        {3, 3},
        {0.5f, 0},
        {-0.5f, -1},
        {-2, -2},
    }};
    for (const auto& [x, expected] : cases) EXPECT_EQ(forms::vbaFPInt(x), expected) << x;
}

struct CompareCase {
    std::string_view a, b;
    int order;
};

// Texts compare equal only character for character, and otherwise by code point.
TEST(StrCmpTest, EqualOnlyWhenIdentical) {
    constexpr std::array cases{
        CompareCase{"", "", 0},         CompareCase{"Game over", "Game over", 0},
        CompareCase{"Игра", "Игра", 0}, CompareCase{"Игра", "Игры", -1},
        CompareCase{"Иг", "Игра", -1},  CompareCase{"game", "Game", 1},
        CompareCase{"a", "a ", -1},     CompareCase{"z", "Я", -1},  // U+007A before U+042F
        CompareCase{"Я", "а", -1},                                  // U+042F before U+0430
    };
    for (const auto& c : cases) {
        EXPECT_EQ(forms::vbaStrCmp(c.a, c.b), c.order) << '"' << c.a << "\" vs \"" << c.b << '"';
        EXPECT_EQ(forms::vbaStrCmp(c.b, c.a), -c.order) << '"' << c.b << "\" vs \"" << c.a << '"';
    }
}

// Long sums that leave the 32-bit range raise overflow; those at the limits do not.
TEST(CheckedArithmeticTest, LongOverflowAtTheLimits) {
    constexpr std::int32_t max = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t min = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(forms::addLong(max - 1, 1), max);
    EXPECT_EQ(forms::addLong(min, max), -1);
    EXPECT_EQ(forms::subLong(min + 1, 1), min);
    EXPECT_EQ(forms::subLong(-1, max), min);
    expectRaises([] { forms::addLong(max, 1); }, ErrorKind::Overflow);
    expectRaises([] { forms::addLong(min, -1); }, ErrorKind::Overflow);
    expectRaises([] { forms::subLong(min, 1); }, ErrorKind::Overflow);
    expectRaises([] { forms::subLong(max, -1); }, ErrorKind::Overflow);
    expectRaises([] { forms::subLong(0, min); }, ErrorKind::Overflow);
}

// A floating result that is not finite raises the floating-point error.
TEST(CheckedArithmeticTest, NonFiniteResultsRaise) {
    constexpr float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(forms::addSingle(1.5f, 2.5f), 4.0f);
    EXPECT_EQ(forms::subSingle(1.0f, 3.0f), -2.0f);
    EXPECT_EQ(forms::mulSingle(FLT_MAX, 1.0f), FLT_MAX);
    EXPECT_EQ(forms::addDouble(0.5, 0.25), 0.75);
    expectRaises([] { forms::mulSingle(FLT_MAX, 2.0f); }, ErrorKind::FloatingPoint);
    expectRaises([] { forms::addSingle(FLT_MAX, FLT_MAX); }, ErrorKind::FloatingPoint);
    expectRaises([] { forms::subSingle(-FLT_MAX, FLT_MAX); }, ErrorKind::FloatingPoint);
    expectRaises([=] { forms::subSingle(inf, inf); }, ErrorKind::FloatingPoint);
    expectRaises([=] { forms::addSingle(inf, -inf); }, ErrorKind::FloatingPoint);
    expectRaises([=] { forms::mulSingle(0.0f, inf); }, ErrorKind::FloatingPoint);
    expectRaises([] { forms::addDouble(DBL_MAX, DBL_MAX); }, ErrorKind::FloatingPoint);
    expectRaises([] { forms::subDouble(-DBL_MAX, DBL_MAX); }, ErrorKind::FloatingPoint);
}

}  // namespace
