#include "rng.hpp"

#include <cmath>
#include <numbers>

namespace flightsim {

namespace {

std::uint64_t splitmix64(std::uint64_t& x) {
    x += 0x9e3779b97f4a7c15ULL;
    std::uint64_t z = x;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

std::uint64_t rotl(std::uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

}  // namespace

Rng::Rng(std::uint64_t seed, std::uint64_t stream) {
    std::uint64_t x = seed;
    // Mixing the stream number through splitmix64 keeps nearby streams unrelated.
    std::uint64_t s = stream;
    x ^= splitmix64(s);
    for (auto& word : state_) word = splitmix64(x);
}

std::uint64_t Rng::next() {
    const std::uint64_t result = rotl(state_[1] * 5, 7) * 9;
    const std::uint64_t t = state_[1] << 17;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= t;
    state_[3] = rotl(state_[3], 45);
    return result;
}

double Rng::uniform() {
    return static_cast<double>(next() >> 11) * 0x1.0p-53;
}

double Rng::uniform(double low, double high) {
    return low + (high - low) * uniform();
}

double Rng::sign() {
    return (next() >> 63) != 0 ? 1.0 : -1.0;
}

double Rng::signed_uniform(double low, double high) {
    const double magnitude = uniform(low, high);
    return sign() * magnitude;
}

double Rng::normal() {
    if (has_spare_) {
        has_spare_ = false;
        return spare_;
    }
    const double u1 = 1.0 - uniform();  // (0, 1]: keeps the logarithm finite
    const double u2 = uniform();
    const double radius = std::sqrt(-2.0 * std::log(u1));
    const double angle = 2.0 * std::numbers::pi * u2;
    spare_ = radius * std::sin(angle);
    has_spare_ = true;
    return radius * std::cos(angle);
}

}  // namespace flightsim
