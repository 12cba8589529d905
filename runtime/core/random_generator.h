// The runtime's one random sequence.
#pragma once

#include <cstdint>
#include <deque>
#include <random>

namespace forms {

class RandomGenerator {
public:
    // Starts from a fixed seed until seeded.
    RandomGenerator() = default;

    void seed(std::uint64_t value);

    // The next single in [0, 1): 24 random bits over 2^24, so evenly spread and never 1.0.
    float next();

    // For tests: the next calls to next() yield these numbers first, in order.
    void queue(std::initializer_list<float> numbers) { queued_.insert(queued_.end(), numbers); }

private:
    std::mt19937_64 engine_{0};
    std::deque<float> queued_;
};

}  // namespace forms
