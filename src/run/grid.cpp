#include "run/grid.hpp"

#include <cmath>

namespace tolvek {
namespace {

std::int32_t saturated(double v) {
    if (std::isnan(v)) return INT32_MIN;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return static_cast<std::int32_t>(v);
}

}  // namespace

std::int32_t nearest(double v) {
    return saturated(std::round(v));
}

bool Grid::setup(double t0_hours, double t1_hours) {
    t0 = t0_hours;
    // The capacity test uses the exact count, before it is held in 32 bits.
    double points = std::round((t1_hours - t0_hours) * 3600.0) + 1.0;
    if (points > maxn) return false;
    n = saturated(points);
    for (Series* s : {&glat, &glon, &gh, &dlat, &dlon, &dh, &coslat, &work}) {
        s->assign(maxn + 1, rmiss);
    }
    return true;
}

}  // namespace tolvek
