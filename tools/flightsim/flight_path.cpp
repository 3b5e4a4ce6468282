#include "flight_path.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "rng.hpp"
#include "streams.hpp"

namespace flightsim {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kAcceleration = 0.5;  // m/s^2 for speed changes
constexpr double kClimbRate = 2.5;     // m/s, average over a height change
constexpr double kMinClimbTime = 60.0;
constexpr double kTurnRate = 3.0 * kPi / 180.0;  // a rate-one turn
constexpr double kMinSpeed = 60.0;
constexpr double kMaxSpeed = 80.0;
constexpr double kMinHeight = 300.0;
constexpr double kMaxHeight = 2000.0;

struct Along {
    double distance;
    double speed;
};

// Distance and speed after tau seconds of accelerating from v0 towards v1.
Along along_track(double v0, double v1, double tau) {
    const double accel = v1 >= v0 ? kAcceleration : -kAcceleration;
    const double ramp = std::fabs(v1 - v0) / kAcceleration;
    if (tau < ramp) return {v0 * tau + 0.5 * accel * tau * tau, v0 + accel * tau};
    return {v0 * ramp + 0.5 * accel * ramp * ramp + v1 * (tau - ramp), v1};
}

// Height change along half a cosine wave: no jump in climb rate at its ends.
void apply_climb(const Segment& s, double tau, FlightState& state) {
    const double change = s.target_height - s.initial.height;
    if (tau >= s.climb_time) {
        state.height = s.target_height;
        state.climb_rate = 0.0;
        return;
    }
    const double phase = kPi * tau / s.climb_time;
    state.height = s.initial.height + change * 0.5 * (1.0 - std::cos(phase));
    state.climb_rate = change * kPi / (2.0 * s.climb_time) * std::sin(phase);
}

Segment straight_leg(double start, double length, const FlightState& from, double speed,
                     double height) {
    Segment s;
    s.start = start;
    s.end = start + length;
    s.initial = from;
    s.target_speed = speed;
    s.target_height = height;
    s.climb_time = std::max(kMinClimbTime, std::fabs(height - from.height) / kClimbRate);
    return s;
}

Segment level_turn(double start, double angle, double direction, const FlightState& from) {
    Segment s;
    s.start = start;
    s.end = start + angle / kTurnRate;
    s.initial = from;
    s.target_speed = from.speed;
    s.target_height = from.height;
    s.turn_rate = direction * kTurnRate;
    return s;
}

FlightState state_in(const Segment& s, double t) {
    const double tau = t - s.start;
    FlightState state = s.initial;
    state.turn_rate = s.turn_rate;
    if (s.turn_rate == 0.0) {
        const Along along = along_track(s.initial.speed, s.target_speed, tau);
        state.north += along.distance * std::cos(s.initial.heading);
        state.east += along.distance * std::sin(s.initial.heading);
        state.speed = along.speed;
    } else {
        // Circular arc of radius speed / turn rate.
        const double radius = s.initial.speed / s.turn_rate;
        state.heading = s.initial.heading + s.turn_rate * tau;
        state.north += radius * (std::sin(state.heading) - std::sin(s.initial.heading));
        state.east -= radius * (std::cos(state.heading) - std::cos(s.initial.heading));
    }
    apply_climb(s, tau, state);
    return state;
}

}  // namespace

FlightPath::FlightPath(double duration_s, std::uint64_t seed) {
    Rng rng(seed, kPlanStream);
    FlightState state;
    state.heading = rng.uniform(0.0, 2.0 * kPi);
    state.speed = rng.uniform(kMinSpeed, kMaxSpeed);
    state.height = rng.uniform(600.0, 1200.0);
    double turn_direction = rng.sign();
    double t = 0.0;
    // Plan past the end so that the last record never runs off the plan.
    while (t <= duration_s + 1.0) {
        const bool first = segments_.empty();
        const double speed = first ? state.speed : rng.uniform(kMinSpeed, kMaxSpeed);
        double height = state.height;
        if (!first && rng.uniform() < 0.5)
            height = std::clamp(height + rng.signed_uniform(100.0, 300.0), kMinHeight, kMaxHeight);
        segments_.push_back(straight_leg(t, rng.uniform(300.0, 600.0), state, speed, height));
        t = segments_.back().end;
        state = state_in(segments_.back(), t);

        // Mostly a turn onto the next line in the opposite direction, now and then a cross line.
        const double angle = rng.uniform() < 0.25 ? 0.5 * kPi : kPi;
        segments_.push_back(level_turn(t, angle, turn_direction, state));
        t = segments_.back().end;
        state = state_in(segments_.back(), t);
        turn_direction = -turn_direction;
    }
}

FlightState FlightPath::at(double t) const {
    const auto after =
        std::upper_bound(segments_.begin(), segments_.end(), t,
                         [](double time, const Segment& s) { return time < s.start; });
    const auto& segment = after == segments_.begin() ? segments_.front() : *std::prev(after);
    return state_in(segment, t);
}

}  // namespace flightsim
