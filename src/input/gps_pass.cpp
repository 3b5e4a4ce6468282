#include "input/gps_pass.hpp"

#include <array>
#include <cstdint>

#include "run/failure.hpp"
#include "run/fixed_form.hpp"

namespace tolvek {
namespace {

constexpr double per_86400 = 1.0 / 86400.0;
constexpr double per_3600 = 1.0 / 3600.0;

struct GpsRecord {
    std::int32_t number = 0;  // numbered layout only; not used
    double time = 0.0, lat = 0.0, lon = 0.0, h = 0.0;
};

void start_line(Console& con, double hr, double sec) {
    char line[64];
    char* p = put_text(line, "GPS data start (dechr and sec): ");
    p = put_real(p, hr, 7, 2);
    p = put_real(p, sec, 13, 6);
    con.line({line, static_cast<std::size_t>(p - line)});
}

}  // namespace

void gps_pass(FreeReader& in, const Params& p, Grid& g, Console& con) {
    con.line("- reading GPS data");
    if (p.gpshead && !in.skip_line())
        throw RunFailure{exit_file, in.name() + " is empty: its header line is missing"};

    GpsRecord r;
    const std::array<Target, 5> numbered = {integer_var(r.number), real_var(r.lat), real_var(r.lon),
                                            real_var(r.h), real_var(r.time)};
    const std::array<Target, 4> plain = {real_var(r.time), real_var(r.lat), real_var(r.lon),
                                         real_var(r.h)};
    const std::span<const Target> layout =
        p.gpshead ? std::span<const Target>(numbered) : std::span<const Target>(plain);

    std::int64_t count = 0;
    double iday = 0.0;  // whole days of the first record, removed from every time
    for (;;) {
        ReadStatus s = in.read(layout);
        if (s == ReadStatus::end_of_file) break;
        if (s == ReadStatus::bad_value) throw RunFailure{exit_bad_value, in.bad_message()};
        if (count == 0) iday = truncated(r.time * per_86400);
        double sec = r.time - iday * 86400.0;
        double hr = sec * per_3600;
        if (count == 0) start_line(con, hr, sec);
        ++count;
        double th = hr - p.tshift;
        if (th < g.t0) continue;
        if (th > p.t1) break;  // the rest of the file lies after the window
        std::int32_t i = nearest((th - g.t0) * 3600.0) + 1;
        if (i < 1 || i > g.n) continue;
        g.glat[i] = r.lat;
        g.glon[i] = r.lon;
        g.gh[i] = r.h;
    }
    con.line("no of gps data read: ", count);
}

}  // namespace tolvek
