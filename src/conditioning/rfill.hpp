#pragma once

#include <cstdint>

#include "run/grid.hpp"

namespace tolvek {

// A point that rfill replaces: one above 9.98e9, or not a number.
inline bool needs_filling(double v) {
    return !(v <= 9.98e9);
}

// Gives every missing point of s(1..n) a value from its nearest neighbours:
// a straight line between them inside the series, the nearest value beyond
// its ends, and 0 where the series has no neighbour at all. nfill counts the
// points replaced, maxgap the longest gap met, both for this call alone.
void rfill(Series& s, const std::int32_t& n, std::int32_t& nfill, std::int32_t& maxgap);

}  // namespace tolvek
