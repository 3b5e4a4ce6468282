#pragma once

#include <vector>

#include "run/grid.hpp"

namespace tolvek {

// A grid series holding `values` at points 1..size, with room beyond it that
// a routine must never touch.
inline Series series_of(const std::vector<double>& values, double guard = -777.0) {
    Series s(values.size() + 3, guard);
    for (std::size_t i = 0; i < values.size(); ++i) s[i + 1] = values[i];
    return s;
}

inline std::vector<double> points_of(const Series& s, std::size_t n) {
    return std::vector<double>(s.begin() + 1, s.begin() + 1 + static_cast<long>(n));
}

}  // namespace tolvek
