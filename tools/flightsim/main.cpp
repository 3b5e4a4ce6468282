#include <cstdio>
#include <exception>
#include <string_view>
#include <vector>

#include "options.hpp"
#include "simulate.hpp"

namespace {

void print_summary(const flightsim::SimOptions& o, const flightsim::SimSummary& s) {
    std::printf("flightsim: %.0f s flight, seed %llu, written to %s\n", o.duration_s,
                static_cast<unsigned long long>(o.seed), o.out_dir.c_str());
    std::printf("  INS  %ld records at %g Hz%s\n", s.ins_records, o.ins_rate_hz,
                o.write_truth ? " (and as many truth records)" : "");
    std::printf("  GPS  %ld records at %g Hz, noise %g m horizontal, %g m vertical\n",
                s.gps_records, o.gps_rate_hz, o.gps_noise_m, 2.0 * o.gps_noise_m);
    for (const auto& outage : s.outages)
        std::printf("  GPS outage %.0f s from %.4f h\n", outage.end - outage.start,
                    s.t0_hours + outage.start / 3600.0);
    std::printf("  window %.4f to %.4f h, tau %g s\n", s.t0_hours, s.t1_hours, o.tau_s);
    if (s.window_cut)
        std::fprintf(stderr,
                     "flightsim: note: the window in dialogue.txt is cut to 43199 s, "
                     "the longest that tolvek accepts\n");
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const auto parsed = flightsim::parse_args(args);
    if (parsed.help) {
        std::fputs(flightsim::usage().c_str(), stdout);
        return 0;
    }
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "flightsim: %s\n\n%s", parsed.error.c_str(),
                     flightsim::usage().c_str());
        return 2;
    }
    try {
        print_summary(parsed.options, flightsim::write_flight(parsed.options));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "flightsim: %s\n", e.what());
        return 1;
    }
    return 0;
}
