#pragma once

#include <cstdint>
#include <vector>

namespace flightsim {

// A stretch without GPS records: records at start <= t < end are missing.
struct Outage {
    double start = 0.0;  // s since the first record
    double end = 0.0;
};

// Spreads `count` outages of `length` seconds over the flight, each near its
// share of the flight with some random play, and never at its very ends.
std::vector<Outage> plan_outages(double duration_s, int count, double length_s, std::uint64_t seed);

bool in_outage(const std::vector<Outage>& outages, double t);

}  // namespace flightsim
