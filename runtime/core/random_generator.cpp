#include "random_generator.h"

namespace forms {

// Queued numbers stay: a game seeds at its start, after the test has queued what it draws.
void RandomGenerator::seed(std::uint64_t value) {
    engine_.seed(value);
}

float RandomGenerator::next() {
    if (!queued_.empty()) {
        const float number = queued_.front();
        queued_.pop_front();
        return number;
    }
    constexpr float scale = 1.0f / 16777216.0f;  // 2^-24
    return static_cast<float>(engine_() >> 40) * scale;
}

}  // namespace forms
