#include "simulate.hpp"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <initializer_list>
#include <memory>

#include "common/dialogue.hpp"
#include "common/text_writer.hpp"
#include "flight_path.hpp"
#include "ins_error.hpp"
#include "position.hpp"
#include "rng.hpp"
#include "streams.hpp"

namespace flightsim {

namespace {

constexpr double kSecondsPerHour = 3600.0;
constexpr double kSecondsPerDay = 86400.0;
// tolvek's grid holds at most 43200 one-second points, so its window spans at most 43199 s.
constexpr double kLongestWindow = 43199.0;

constexpr int kTimeDecimals = 10;
constexpr int kAngleDecimals = 10;
constexpr int kHeightDecimals = 4;
constexpr int kAttitudeDecimals = 4;
constexpr int kGpsTimeDecimals = 4;

long record_count(double duration_s, double rate_hz) {
    // The small allowance keeps a last record that lands on the end despite rounding.
    return static_cast<long>(std::floor(duration_s * rate_hz + 1e-9)) + 1;
}

struct Field {
    double value;
    int decimals;
};

void put_line(tools::TextWriter& out, std::initializer_list<Field> fields) {
    const char* separator = "";
    for (const auto& f : fields) {
        out.put(separator);
        out.fixed(f.value, f.decimals);
        separator = " ";
    }
    out.put('\n');
}

void put_track_line(tools::TextWriter& out, double hours, const Position& p, const Attitude& a,
                    double alt_height) {
    put_line(out, {{hours, kTimeDecimals},
                   {p.lat, kAngleDecimals},
                   {p.lon, kAngleDecimals},
                   {p.height, kHeightDecimals},
                   {a.roll, kAttitudeDecimals},
                   {a.pitch, kAttitudeDecimals},
                   {a.heading, kAttitudeDecimals},
                   {alt_height, kHeightDecimals}});
}

// INS and truth are written in one sweep: the truth is needed for both anyway.
long write_ins_and_truth(const SimOptions& o, const FlightPath& path, double start_s) {
    const std::string dir = o.out_dir + "/";
    tools::TextWriter ins(dir + "ins.txt");
    std::unique_ptr<tools::TextWriter> truth;
    if (o.write_truth) truth = std::make_unique<tools::TextWriter>(dir + "truth.txt");
    InsErrorModel model(o.seed, o.ins_alt_height);
    const long count = record_count(o.duration_s, o.ins_rate_hz);
    for (long j = 0; j < count; ++j) {
        const double t = static_cast<double>(j) / o.ins_rate_hz;
        const double hours = (start_s + t) / kSecondsPerHour;
        const FlightState state = path.at(t);
        const Position p = geodetic(state);
        const Attitude a = attitude(state);
        const InsError e = model.next(t);
        if (truth) put_track_line(*truth, hours, p, a, p.height);
        const Attitude sensed{a.roll + e.roll, a.pitch + e.pitch,
                              wrap_degrees(a.heading + e.heading)};
        put_track_line(ins, hours, displaced(p, e.north, e.east, e.up), sensed,
                       p.height + e.alt_up);
    }
    ins.close();
    if (truth) truth->close();
    return count;
}

void put_gps_line(tools::TextWriter& out, const SimOptions& o, long number, double seconds,
                  const Position& p) {
    if (o.gps_header) {
        out.integer(number);
        out.put(' ');
        put_line(out, {{p.lat, kAngleDecimals},
                       {p.lon, kAngleDecimals},
                       {p.height, kHeightDecimals},
                       {seconds, kGpsTimeDecimals}});
    } else {
        put_line(out, {{seconds, kGpsTimeDecimals},
                       {p.lat, kAngleDecimals},
                       {p.lon, kAngleDecimals},
                       {p.height, kHeightDecimals}});
    }
}

long write_gps(const SimOptions& o, const FlightPath& path, double start_s,
               const std::vector<Outage>& outages) {
    tools::TextWriter out(o.out_dir + "/gps.txt");
    if (o.gps_header) out.put("    no       latitude      longitude     height      time\n");
    Rng noise(o.seed, kGpsNoiseStream);
    const double vertical_noise = 2.0 * o.gps_noise_m;
    const double stamp_offset = start_s + o.tshift_s + o.gps_days * kSecondsPerDay;
    const long epochs = record_count(o.duration_s, o.gps_rate_hz);
    long written = 0;
    for (long k = 0; k < epochs; ++k) {
        const double t = static_cast<double>(k) / o.gps_rate_hz;
        if (in_outage(outages, t)) continue;
        const Position truth = geodetic(path.at(t));
        const double north = o.gps_noise_m * noise.normal();
        const double east = o.gps_noise_m * noise.normal();
        const double up = vertical_noise * noise.normal();
        put_gps_line(out, o, ++written, stamp_offset + t, displaced(truth, north, east, up));
    }
    out.close();
    return written;
}

void write_dialogue(const SimOptions& o, const SimSummary& summary) {
    tools::Dialogue d;
    d.ins_file = "ins.txt";
    d.gps_file = "gps.txt";
    d.t0_hours = summary.t0_hours;
    d.t1_hours = summary.t1_hours;
    d.tshift_s = o.tshift_s;
    d.tau_s = o.tau_s;
    d.gps_header = o.gps_header;
    d.ins_alt_height = o.ins_alt_height;
    tools::TextWriter out(o.out_dir + "/dialogue.txt");
    out.put(tools::format_dialogue(d));
    out.close();
}

}  // namespace

SimSummary write_flight(const SimOptions& o) {
    std::filesystem::create_directories(o.out_dir);
    // The first record lies on a whole second, so the GPS epochs meet tolvek's one-second grid.
    const double start_s = std::round(o.start_hour * kSecondsPerHour);
    const FlightPath path(o.duration_s, o.seed);
    SimSummary summary;
    summary.outages = plan_outages(o.duration_s, o.outages, o.outage_length_s, o.seed);
    summary.ins_records = write_ins_and_truth(o, path, start_s);
    summary.gps_records = write_gps(o, path, start_s, summary.outages);
    summary.window_cut = o.duration_s > kLongestWindow;
    summary.t0_hours = start_s / kSecondsPerHour;
    summary.t1_hours = (start_s + std::min(o.duration_s, kLongestWindow)) / kSecondsPerHour;
    write_dialogue(o, summary);
    return summary;
}

}  // namespace flightsim
