#include "conditioning/rfill.hpp"

#include <array>
#include <cmath>

namespace tolvek {
namespace {

constexpr double threshold = 9.98e9;

// The neighbour search passes over values at or above the threshold and stops
// at anything else, a NaN included.
bool is_neighbour(double v) {
    return !(v >= threshold);
}

}  // namespace

void rfill(Series& s, const std::int32_t& n, std::int32_t& nfill, std::int32_t& maxgap) {
    // New values go here first, so every test and neighbour of the call sees
    // the series as it was when the call began.
    static std::array<double, maxn + 1> wfill;
    nfill = 0;
    maxgap = 0;
    std::int32_t ilo = 0;  // the last neighbour below the current point
    std::int32_t ihi = 0;  // the first neighbour above it, once searched
    for (std::int32_t i = 1; i <= n; ++i) {
        if (needs_filling(s[i])) {
            ++nfill;
            if (ihi <= i) {
                ihi = i + 1;
                while (ihi <= n && !is_neighbour(s[ihi])) ++ihi;
            }
            std::int32_t igap;
            if (ilo == 0) {
                wfill[i] = ihi <= n ? s[ihi] : 0.0;
                igap = ihi;
            } else if (ihi == n + 1) {
                wfill[i] = s[ilo];
                igap = n - ilo;
            } else {
                wfill[i] = (s[ilo] * (ihi - i) + s[ihi] * (i - ilo)) / (ihi - ilo);
                igap = ihi - ilo - 1;
            }
            if (igap > maxgap) maxgap = igap;
        } else {
            wfill[i] = s[i];
        }
        if (is_neighbour(s[i])) ilo = i;
    }
    for (std::int32_t i = 1; i <= n; ++i) s[i] = wfill[i];
}

}  // namespace tolvek
