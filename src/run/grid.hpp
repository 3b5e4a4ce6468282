#pragma once

#include <cstdint>
#include <vector>

namespace tolvek {

inline constexpr int maxn = 43200;       // twelve hours of one-second points
inline constexpr double rmiss = 9.99e9;  // a point without a value

// One series of the grid, indexed by grid point 1..n (index 0 is unused).
using Series = std::vector<double>;

// Nearest integer, halves away from zero, and truncation toward zero, both
// saturating at the 32-bit range so that far-off times can never wrap around.
std::int32_t nearest(double v);
// Inline and without a rounding call: it runs twice for every INS record.
inline std::int32_t truncated(double v) {
    if (!(v > -2147483649.0)) return INT32_MIN;  // NaN as well
    if (v >= 2147483648.0) return INT32_MAX;
    return static_cast<std::int32_t>(v);  // truncates toward zero
}

// The one-second time grid of the window and the series that live on it for
// the whole run. Point i stands for t0 + (i - 1)/3600 hours.
struct Grid {
    double t0 = 0.0;
    std::int32_t n = 0;
    Series glat, glon, gh, dlat, dlon, dh, coslat, work;

    // Sizes the grid for the window [t0, t1]; false when it would hold more
    // than maxn points. Every series but `work` starts missing.
    bool setup(double t0_hours, double t1_hours);

    // Grid position of a time: 1 at t0, n at the last point.
    double position(double t_hours) const { return (t_hours - t0) * 3600.0 + 1.0; }
};

}  // namespace tolvek
