#pragma once

#include <cstdint>

#include "rng.hpp"

namespace flightsim {

// Error of one INS record: position in metres, attitude in degrees.
struct InsError {
    double north = 0.0;
    double east = 0.0;
    double up = 0.0;      // of the 4th value
    double alt_up = 0.0;  // of the 8th value
    double roll = 0.0;
    double pitch = 0.0;
    double heading = 0.0;
};

// A free inertial solution: Schuler oscillations with different amplitude and
// phase on the north and east axes, a slow drift and a little noise. Of the two
// heights one is good (a bias, a slow drift and a slow wander) and the other is
// poorer: an unbounded vertical-channel drift plus a fast oscillation that no
// draping time constant removes. Which of the two is the 8th value decides whether
// tolvek must be told to use it.
class InsErrorModel {
  public:
    InsErrorModel(std::uint64_t seed, bool alt_height_is_better);
    // Records must be asked for in time order: each call draws the noise of one record.
    InsError next(double t);

  private:
    Rng noise_;
    bool alt_height_is_better_;
    double amp_north_, phase_north_, drift_north_;
    double amp_east_, phase_east_, drift_east_;
    double height_bias_, height_drift_, height_wander_phase_;
    double poor_curvature_, poor_phase_;
    double roll_bias_, pitch_bias_, heading_bias_;
};

}  // namespace flightsim
