#pragma once

#include <array>
#include <cstdint>

namespace flightsim {

// xoshiro256** seeded through splitmix64, with our own uniform and normal
// variates: the standard library's distributions differ between implementations,
// and the simulator must give the same bytes everywhere for the same seed.
class Rng {
  public:
    // Generators with the same seed and different streams are independent.
    Rng(std::uint64_t seed, std::uint64_t stream);

    std::uint64_t next();
    double uniform();                         // [0, 1), 53 random bits
    double uniform(double low, double high);  // [low, high)
    double normal();                          // mean 0, standard deviation 1 (Box-Muller)
    double sign();                            // -1 or +1
    // A magnitude in [low, high) with a random sign. One call fixes the order of the
    // two draws, which an expression like sign() * uniform() would leave open.
    double signed_uniform(double low, double high);

  private:
    std::array<std::uint64_t, 4> state_;
    double spare_ = 0.0;
    bool has_spare_ = false;
};

}  // namespace flightsim
