#include "ins_error.hpp"

#include <cmath>
#include <numbers>

#include "streams.hpp"

namespace flightsim {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kSchulerPeriod = 84.4 * 60.0;  // s
constexpr double kHorizontalNoise = 0.02;       // m, per record
constexpr double kVerticalNoise = 0.05;         // m, per record
constexpr double kWanderPeriod = 1200.0;        // s, good height
constexpr double kWanderAmplitude = 1.5;        // m
constexpr double kFastPeriod = 30.0;            // s, poor height
constexpr double kFastAmplitude = 3.0;          // m

// An oscillation that is zero at t = 0: the INS was aligned at the start.
double from_zero(double amplitude, double omega, double phase, double t) {
    return amplitude * (std::sin(omega * t + phase) - std::sin(phase));
}

}  // namespace

InsErrorModel::InsErrorModel(std::uint64_t seed, bool alt_height_is_better)
    : noise_(seed, kInsNoiseStream), alt_height_is_better_(alt_height_is_better) {
    Rng p(seed, kInsParameterStream);
    amp_north_ = p.uniform(80.0, 250.0);
    phase_north_ = p.uniform(0.0, kTwoPi);
    drift_north_ = p.signed_uniform(0.005, 0.02);
    amp_east_ = p.uniform(40.0, 200.0);
    phase_east_ = p.uniform(0.0, kTwoPi);
    drift_east_ = p.signed_uniform(0.005, 0.02);
    height_bias_ = p.uniform(-3.0, 3.0);
    height_drift_ = p.uniform(-0.003, 0.003);
    height_wander_phase_ = p.uniform(0.0, kTwoPi);
    poor_curvature_ = p.signed_uniform(1e-5, 2e-5);  // 130 to 260 m after an hour
    poor_phase_ = p.uniform(0.0, kTwoPi);
    roll_bias_ = p.uniform(-0.05, 0.05);
    pitch_bias_ = p.uniform(-0.05, 0.05);
    heading_bias_ = p.uniform(-0.3, 0.3);
}

InsError InsErrorModel::next(double t) {
    constexpr double schuler = kTwoPi / kSchulerPeriod;
    InsError e;
    e.north = from_zero(amp_north_, schuler, phase_north_, t) + drift_north_ * t +
              kHorizontalNoise * noise_.normal();
    e.east = from_zero(amp_east_, schuler, phase_east_, t) + drift_east_ * t +
             kHorizontalNoise * noise_.normal();
    const double good =
        height_bias_ + height_drift_ * t +
        kWanderAmplitude * std::sin(kTwoPi * t / kWanderPeriod + height_wander_phase_) +
        kVerticalNoise * noise_.normal();
    const double poor = good + poor_curvature_ * t * t +
                        kFastAmplitude * std::sin(kTwoPi * t / kFastPeriod + poor_phase_);
    e.up = alt_height_is_better_ ? poor : good;
    e.alt_up = alt_height_is_better_ ? good : poor;
    e.roll = roll_bias_;
    e.pitch = pitch_bias_;
    e.heading = heading_bias_;
    return e;
}

}  // namespace flightsim
