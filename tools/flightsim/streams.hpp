#pragma once

#include <cstdint>

namespace flightsim {

// Every random process draws from its own stream, so that changing one part of a
// simulation (another GPS rate, no truth file) leaves the others' numbers alone.
inline constexpr std::uint64_t kPlanStream = 1;
inline constexpr std::uint64_t kInsParameterStream = 2;
inline constexpr std::uint64_t kInsNoiseStream = 3;
inline constexpr std::uint64_t kGpsNoiseStream = 4;
inline constexpr std::uint64_t kOutageStream = 5;

}  // namespace flightsim
