#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace flightsim {

struct SimOptions {
    std::string out_dir;
    double duration_s = 3600.0;
    double gps_rate_hz = 1.0;
    double ins_rate_hz = 50.0;
    std::uint64_t seed = 1;
    int outages = 2;
    double outage_length_s = 60.0;
    double gps_noise_m = 0.5;  // horizontal, per axis; the vertical noise is twice this
    bool gps_header = false;
    int gps_days = 0;
    double tshift_s = 0.0;
    bool ins_alt_height = false;
    double tau_s = 60.0;
    double start_hour = 10.0;
    bool write_truth = true;
};

struct ParsedArgs {
    SimOptions options;
    bool help = false;
    std::string error;  // empty when the arguments are usable
};

ParsedArgs parse_args(std::span<const std::string_view> args);
std::string usage();

}  // namespace flightsim
