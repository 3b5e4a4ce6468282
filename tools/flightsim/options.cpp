#include "options.hpp"

#include <charconv>
#include <cmath>
#include <functional>
#include <map>

namespace flightsim {

namespace {

bool to_double(std::string_view text, double& value) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc{} && result.ptr == text.data() + text.size() &&
           std::isfinite(value);
}

template <typename Int>
bool to_integer(std::string_view text, Int& value) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc{} && result.ptr == text.data() + text.size();
}

using Setter = std::function<bool(SimOptions&, std::string_view)>;

Setter real(double SimOptions::*field) {
    return [field](SimOptions& o, std::string_view v) { return to_double(v, o.*field); };
}

template <typename Int>
Setter whole(Int SimOptions::*field) {
    return [field](SimOptions& o, std::string_view v) { return to_integer(v, o.*field); };
}

const std::map<std::string_view, Setter>& valued_flags() {
    static const std::map<std::string_view, Setter> flags = {
        {"--out",
         [](SimOptions& o, std::string_view v) {
             o.out_dir = v;
             return !v.empty();
         }},
        {"--duration", real(&SimOptions::duration_s)},
        {"--gps-rate", real(&SimOptions::gps_rate_hz)},
        {"--ins-rate", real(&SimOptions::ins_rate_hz)},
        {"--seed", whole(&SimOptions::seed)},
        {"--outages", whole(&SimOptions::outages)},
        {"--outage-length", real(&SimOptions::outage_length_s)},
        {"--gps-noise", real(&SimOptions::gps_noise_m)},
        {"--gps-days", whole(&SimOptions::gps_days)},
        {"--tshift", real(&SimOptions::tshift_s)},
        {"--tau", real(&SimOptions::tau_s)},
        {"--start-hour", real(&SimOptions::start_hour)},
    };
    return flags;
}

const std::map<std::string_view, bool SimOptions::*>& switches() {
    static const std::map<std::string_view, bool SimOptions::*> flags = {
        {"--gps-header", &SimOptions::gps_header},
        {"--insalth", &SimOptions::ins_alt_height},
    };
    return flags;
}

// Returns the complaint about the first out-of-range option, or an empty string.
std::string check(const SimOptions& o) {
    if (o.out_dir.empty()) return "--out DIR is required";
    if (!(o.duration_s >= 10.0 && o.duration_s <= 86400.0))
        return "--duration must be 10 to 86400 s";
    if (!(o.gps_rate_hz >= 0.5 && o.gps_rate_hz <= 10.0)) return "--gps-rate must be 0.5 to 10 Hz";
    if (!(o.ins_rate_hz >= 1.0 && o.ins_rate_hz <= 400.0)) return "--ins-rate must be 1 to 400 Hz";
    if (o.outages < 0 || o.outage_length_s < 0.0)
        return "--outages and --outage-length must not be negative";
    if (o.outages * o.outage_length_s > 0.5 * o.duration_s)
        return "outages may cover at most half of the flight";
    if (!(o.gps_noise_m >= 0.0)) return "--gps-noise must not be negative";
    if (o.gps_days < 0 || o.gps_days > 10000) return "--gps-days must be 0 to 10000";
    if (!(o.tau_s >= 0.0)) return "--tau must not be negative";
    if (!(o.start_hour >= 0.0 && o.start_hour < 24.0)) return "--start-hour must be 0 to 24";
    return {};
}

}  // namespace

ParsedArgs parse_args(std::span<const std::string_view> args) {
    ParsedArgs parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view flag = args[i];
        if (flag == "--help" || flag == "-h") {
            parsed.help = true;
            return parsed;
        }
        if (flag == "--no-truth") {
            parsed.options.write_truth = false;
        } else if (const auto sw = switches().find(flag); sw != switches().end()) {
            parsed.options.*(sw->second) = true;
        } else if (const auto va = valued_flags().find(flag); va != valued_flags().end()) {
            if (i + 1 == args.size() || !va->second(parsed.options, args[i + 1])) {
                parsed.error = "bad or missing value for " + std::string(flag);
                return parsed;
            }
            ++i;
        } else {
            parsed.error = "unknown option " + std::string(flag);
            return parsed;
        }
    }
    parsed.error = check(parsed.options);
    return parsed;
}

std::string usage() {
    return R"(usage: flightsim --out DIR [options]

Simulates a survey flight and writes DIR/gps.txt, DIR/ins.txt, DIR/truth.txt
and DIR/dialogue.txt (standard input for tolvek). The same options and seed
always give the same bytes.

  --out DIR             output directory, created if needed (required)
  --duration S          flight length in seconds (default 3600)
  --start-hour H        INS time of the first record, decimal hours (default 10)
  --ins-rate HZ         INS records per second, 1 to 400 (default 50)
  --gps-rate HZ         GPS records per second, 0.5 to 10 (default 1)
  --gps-noise M         GPS noise, standard deviation per horizontal axis in
                        metres; the vertical noise is twice as large (default 0.5)
  --outages N           number of GPS outages (default 2)
  --outage-length S     length of each outage in seconds (default 60)
  --gps-header          numbered GPS layout with a header line
  --gps-days N          whole days added to the GPS times (default 0)
  --tshift S            GPS time stamps run this many seconds ahead of INS time
  --insalth             the 8th INS value is the better height; the 4th is poorer
  --tau S               draping time constant written to the dialogue (default 60)
  --seed N              random seed (default 1)
  --no-truth            do not write truth.txt
  --help                show this text
)";
}

}  // namespace flightsim
