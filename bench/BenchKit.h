// Timing helpers of the benchmark programs.
#pragma once
#include <windows.h>

#include <algorithm>
#include <vector>

namespace tarn::bench {

inline double NowMs() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The value below which the given share of the sorted values lies (0.5: the median).
inline double Quantile(std::vector<double> values, double share) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const double at = share * static_cast<double>(values.size() - 1);
    const size_t low = static_cast<size_t>(at);
    const size_t high = std::min(low + 1, values.size() - 1);
    return values[low] + (values[high] - values[low]) * (at - static_cast<double>(low));
}

inline double Median(const std::vector<double>& values) { return Quantile(values, 0.5); }

}  // namespace tarn::bench
