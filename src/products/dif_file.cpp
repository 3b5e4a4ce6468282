#include "products/dif_file.hpp"

#include <cmath>

#include "run/fixed_form.hpp"

namespace tolvek {
namespace {

constexpr double metres_per_degree = 111120.0;
constexpr double per_3600 = 1.0 / 3600.0;
constexpr double per_1852 = 1.0 / 1852.0;
constexpr std::size_t line_length = 49;  // 47 characters and CR LF

}  // namespace

DriftReport write_dif_file(const Grid& g, OutputFile& out) {
    DriftReport r;
    double k = 0.0;  // a real counter, so the time is k/3600 exactly as rounded here
    for (std::int32_t i = 1; i <= g.n; ++i, k += 1.0) {
        double hr = k * per_3600;
        double dn = metres_per_degree * g.dlat[i];
        double de = metres_per_degree * (g.coslat[i] * g.dlon[i]);
        char* p = out.reserve(line_length);
        p = put_field<11, 7>(p, hr + g.t0);
        p = put_field<12, 3>(p, dn);
        p = put_field<12, 3>(p, de);
        p = put_field<12, 3>(p, g.dh[i]);
        p = put_text(p, "\r\n");
        out.commit(p);
        double sep = std::sqrt(de * de + dn * dn);
        if (sep > r.posmax) {
            r.posmax = sep;
            r.tposmax = hr;
        }
    }
    return r;
}

void report_drift(const DriftReport& r, Console& con) {
    if (!(r.tposmax > 0.0)) return;
    double rate = r.posmax / r.tposmax * per_1852;
    char line[64];
    char* p = put_text(line, "Maximum position error:");
    p = put_real(p, r.posmax, 8, 1);
    p = put_text(p, " m,");
    p = put_real(p, rate, 8, 2);
    p = put_text(p, " nm/hr");
    con.line({line, static_cast<std::size_t>(p - line)});
}

}  // namespace tolvek
