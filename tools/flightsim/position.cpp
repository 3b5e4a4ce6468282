#include "position.hpp"

#include <cmath>

#include "common/geo.hpp"

namespace flightsim {

namespace {
// The survey area, where the first record lies.
constexpr double kOriginLat = 56.2;
constexpr double kOriginLon = 9.4;
constexpr double kGravity = 9.81;
}  // namespace

Position geodetic(const FlightState& s) {
    Position p;
    p.lat = kOriginLat + s.north / tools::kMetresPerDegree;
    p.coslat = std::cos(tools::radians(p.lat));
    p.lon = kOriginLon + s.east / (tools::kMetresPerDegree * p.coslat);
    p.height = s.height;
    return p;
}

Attitude attitude(const FlightState& s) {
    // A coordinated turn banks so that lift balances gravity and the turn's pull.
    return {tools::degrees(std::atan(s.speed * s.turn_rate / kGravity)),
            tools::degrees(std::atan2(s.climb_rate, s.speed)),
            wrap_degrees(tools::degrees(s.heading))};
}

Position displaced(const Position& p, double north, double east, double up) {
    Position moved = p;
    moved.lat += north / tools::kMetresPerDegree;
    moved.lon += east / (tools::kMetresPerDegree * p.coslat);
    moved.height += up;
    return moved;
}

double wrap_degrees(double angle) {
    const double wrapped = std::fmod(angle, 360.0);
    return wrapped < 0.0 ? wrapped + 360.0 : wrapped;
}

}  // namespace flightsim
