#include "outages.hpp"

#include <algorithm>
#include <cmath>

#include "rng.hpp"
#include "streams.hpp"

namespace flightsim {

std::vector<Outage> plan_outages(double duration_s, int count, double length_s,
                                 std::uint64_t seed) {
    Rng rng(seed, kOutageStream);
    std::vector<Outage> outages;
    const double share = duration_s / (count + 1);
    for (int k = 1; k <= count; ++k) {
        const double centre = share * (k + rng.uniform(-0.25, 0.25));
        const double start = std::clamp(centre - 0.5 * length_s, 0.05 * duration_s,
                                        std::max(0.05 * duration_s, 0.95 * duration_s - length_s));
        outages.push_back({std::round(start), std::round(start) + length_s});
    }
    return outages;
}

bool in_outage(const std::vector<Outage>& outages, double t) {
    return std::any_of(outages.begin(), outages.end(),
                       [t](const Outage& o) { return t >= o.start && t < o.end; });
}

}  // namespace flightsim
