#pragma once

#include "flight_path.hpp"

namespace flightsim {

struct Position {
    double lat = 0.0;  // degrees
    double lon = 0.0;  // degrees
    double height = 0.0;
    double coslat = 1.0;  // cosine of lat, for converting east metres to degrees
};

struct Attitude {
    double roll = 0.0;  // degrees, positive right wing down
    double pitch = 0.0;
    double heading = 0.0;  // degrees, 0 to 360
};

Position geodetic(const FlightState& state);
Attitude attitude(const FlightState& state);

// Moves a position by metres north, east and up.
Position displaced(const Position& p, double north, double east, double up);

// Wraps an angle in degrees into [0, 360).
double wrap_degrees(double angle);

}  // namespace flightsim
