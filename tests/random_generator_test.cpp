// The runtime's random sequence: its range, its seeding and the numbers tests queue.
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "conversions.h"
#include "program.h"
#include "random_generator.h"
#include "runtime.h"

namespace {

using forms::RandomGenerator;

std::vector<float> draw(RandomGenerator& generator, int count) {
    std::vector<float> numbers;
    for (int i = 0; i < count; ++i) numbers.push_back(generator.next());
    return numbers;
}

// Every number is a 24-bit fraction in [0, 1), so Int(Rnd * n) always lands in 0..n-1.
TEST(RandomGeneratorTest, NumbersStayInTheUnitInterval) {
    for (const std::uint64_t seed : {0ULL, 1ULL, 0xFFFFFFFFFFFFFFFFULL}) {
        RandomGenerator generator;
        generator.seed(seed);
        std::array<int, 8> hits{};
        for (int i = 0; i < 200'000; ++i) {
            const float x = generator.next();
            ASSERT_GE(x, 0.0f);
            ASSERT_LT(x, 1.0f);
            const float scaled = x * 16777216.0f;
            ASSERT_EQ(scaled, std::floor(scaled)) << x << " is not a 24-bit fraction";
            ++hits[static_cast<std::size_t>(forms::vbaFPInt(forms::mulSingle(x, 8)))];
        }
        for (const int h : hits) EXPECT_GT(h, 20'000) << "seed " << seed;
    }
}

// The largest number the generator can give still picks the last of eight choices.
TEST(RandomGeneratorTest, LargestNumberStaysBelowOne) {
    const float largest = 16777215.0f / 16777216.0f;
    EXPECT_LT(largest, 1.0f);
    EXPECT_EQ(forms::vbaFPInt(forms::mulSingle(largest, 8)), 7.0f);
}

// The same seed gives the same sequence; a different one, a different sequence.
TEST(RandomGeneratorTest, SeedDecidesTheSequence) {
    RandomGenerator a, b, c, unseeded1, unseeded2;
    a.seed(12345);
    draw(a, 7);
    a.seed(12345);
    b.seed(12345);
    c.seed(12346);
    const auto first = draw(a, 100);
    EXPECT_EQ(first, draw(b, 100));
    EXPECT_NE(first, draw(c, 100));
    EXPECT_EQ(draw(unseeded1, 100), draw(unseeded2, 100));
}

// Queued numbers come first, in order, and the sequence then goes on where it was.
TEST(RandomGeneratorTest, QueuedNumbersComeFirst) {
    RandomGenerator queued, plain;
    queued.seed(99);
    plain.seed(99);
    queued.queue({0.25f, 0.0f, 0.999f});
    EXPECT_EQ(queued.next(), 0.25f);
    EXPECT_EQ(queued.next(), 0.0f);
    EXPECT_EQ(queued.next(), 0.999f);
    EXPECT_EQ(draw(queued, 50), draw(plain, 50));
}

// Seeding (as Randomize does at the start of a game) keeps the numbers a test queued.
TEST(RandomGeneratorTest, SeedingKeepsQueuedNumbers) {
    RandomGenerator generator;
    generator.queue({0.5f, 0.125f});
    generator.seed(7);
    EXPECT_EQ(generator.next(), 0.5f);
    EXPECT_EQ(generator.next(), 0.125f);
    RandomGenerator plain;
    plain.seed(7);
    EXPECT_EQ(generator.next(), plain.next());
}

constexpr std::string_view emptyForm = "Form Form1\n";

// Draws after Randomize with the seed clock reading the given value.
std::vector<float> afterRandomize(std::uint64_t reading) {
    forms::Runtime runtime(forms::ProgramDescription{emptyForm, {}, {}});
    runtime.setSeedClock([reading] { return reading; });
    runtime.rtcRandomize();
    std::vector<float> numbers;
    for (int i = 0; i < 50; ++i) numbers.push_back(runtime.rtcRandomNext());
    return numbers;
}

// Randomize seeds from the seed clock: equal readings repeat a game, different ones do not.
TEST(RandomizeTest, SeedsFromTheSeedClock) {
    EXPECT_EQ(afterRandomize(1000), afterRandomize(1000));
    EXPECT_NE(afterRandomize(1000), afterRandomize(1001));

    forms::Runtime runtime(forms::ProgramDescription{emptyForm, {}, {}});
    std::uint64_t ticks = 0;
    runtime.setSeedClock([&ticks] { return ++ticks; });
    runtime.rtcRandomize();
    const float first = runtime.rtcRandomNext();
    runtime.rtcRandomize();
    EXPECT_EQ(ticks, 2u);
    EXPECT_NE(runtime.rtcRandomNext(), first);
}

}  // namespace
