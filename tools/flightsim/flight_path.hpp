#pragma once

#include <cstdint>
#include <vector>

namespace flightsim {

// Kinematic state of the aircraft in a local level frame around the start point.
struct FlightState {
    double north = 0.0;       // m
    double east = 0.0;        // m
    double height = 0.0;      // m
    double speed = 0.0;       // horizontal, m/s
    double heading = 0.0;     // rad, clockwise from north
    double turn_rate = 0.0;   // rad/s, positive turning right
    double climb_rate = 0.0;  // m/s
};

// One piece of the flight: a straight leg (turn_rate 0) that may change speed and
// height, or a level turn at constant speed. Each piece has a closed form, so the
// truth at any time is exact, whatever rate it is sampled at.
struct Segment {
    double start = 0.0;  // s since the first record
    double end = 0.0;
    FlightState initial;
    double target_speed = 0.0;
    double target_height = 0.0;
    double climb_time = 0.0;  // s taken to reach target_height
    double turn_rate = 0.0;
};

// A survey pattern of straight lines joined by turns, with changes of speed and
// height on some lines, planned from the seed.
class FlightPath {
  public:
    FlightPath(double duration_s, std::uint64_t seed);
    FlightState at(double t) const;  // t in seconds since the first record

  private:
    std::vector<Segment> segments_;
};

}  // namespace flightsim
