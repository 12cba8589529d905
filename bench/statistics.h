// Figures over a benchmark's samples.
#pragma once

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <vector>

namespace bench {

// The sample p of the way up the sorted samples (0.5 the middle, 0.99 the 99th percentile);
// 0 when there are none.
inline double percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[std::size_t(p * double(values.size() - 1) + 0.5)];
}

// The middle sample, or the mean of the two middle ones; 0 when there are none.
inline double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// 0 when there are no samples.
inline double mean(const std::vector<double>& values) {
    if (values.empty()) return 0;
    return std::accumulate(values.begin(), values.end(), 0.0) / double(values.size());
}

}  // namespace bench
