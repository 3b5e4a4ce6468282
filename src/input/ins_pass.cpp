#include "input/ins_pass.hpp"

#include <array>
#include <cmath>
#include <cstdint>

#include "run/failure.hpp"

namespace tolvek {
namespace {

constexpr double present_below = 8999999488.0;  // 9e9 in single precision
constexpr double degree = 0.0174532925;         // the radians-per-degree factor of the tool

struct InsValues {
    double time = 0.0, lat = 0.0, lon = 0.0, h = 0.0, a1 = 0.0, a2 = 0.0, a3 = 0.0, alt = 0.0;
};

// The previous record of the pair.
struct Previous {
    double x, lat, lon, h;
    std::int32_t i;
};

// INS position interpolated to point i between the previous and this record,
// minus the GPS position there, for each component that GPS has.
void difference(Grid& g, std::int32_t i, const Previous& prev, double x, const InsValues& r,
                double height) {
    double dt = x - prev.x;
    double a = x - i;
    double b = i - prev.x;
    double lat = (a * prev.lat + b * r.lat) / dt;
    double lon = (a * prev.lon + b * r.lon) / dt;
    double h = (a * prev.h + b * height) / dt;
    if (g.glat[i] < present_below) {
        g.dlat[i] = lat - g.glat[i];
        g.coslat[i] = std::cos(g.glat[i] * degree);
    }
    if (g.glon[i] < present_below) g.dlon[i] = lon - g.glon[i];
    if (g.gh[i] < present_below) g.dh[i] = h - g.gh[i];
}

// The eight values of one record, read into the same variables each time:
// values a record leaves unchanged keep those of the record before.
class RecordReader {
  public:
    explicit RecordReader(FreeReader& in) : in_(in) {}
    InsValues r;

    ReadStatus next() {
        ReadStatus s = in_.read(vars_);
        if (s == ReadStatus::bad_value) throw RunFailure{exit_bad_value, in_.bad_message()};
        return s;
    }

  private:
    FreeReader& in_;
    const std::array<Target, 8> vars_ = {real_var(r.time), real_var(r.lat), real_var(r.lon),
                                         real_var(r.h),    real_var(r.a1),  real_var(r.a2),
                                         real_var(r.a3),   real_var(r.alt)};
};

}  // namespace

void ins_pass(FreeReader& in, const Params& p, Grid& g, InsBuffer& buffer, Console& con) {
    con.line("- reading ins data");
    RecordReader reader(in);
    const InsValues& r = reader.r;
    if (reader.next() != ReadStatus::complete)
        throw RunFailure{exit_file, in.name() + " holds no complete INS record"};
    double x = g.position(r.time);
    Previous prev{x, r.lat, r.lon, p.insalth ? r.alt : r.h, truncated(x)};

    std::int64_t nins = 0;
    while (reader.next() == ReadStatus::complete) {
        double height = p.insalth ? r.alt : r.h;
        x = g.position(r.time);
        std::int32_t i = truncated(x);
        if (prev.i >= 1 && i <= g.n) {
            if (prev.i < i) difference(g, i, prev, x, r, height);
            buffer.append({r.time, r.lat, r.lon, height, r.a1, r.a2, r.a3});
            ++nins;
        }
        prev = Previous{x, r.lat, r.lon, height, i};
    }
    con.line("number of ins data read in wanted time interval: ", nins);
    buffer.rewind();
}

}  // namespace tolvek
