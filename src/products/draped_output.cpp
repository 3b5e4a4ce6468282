#include "products/draped_output.hpp"

#include "run/fixed_form.hpp"

namespace tolvek {
namespace {

constexpr std::size_t line_length = 72;  // 70 characters and CR LF

struct Correction {
    double lat = 0.0, lon = 0.0, h = 0.0;
};

// The differences interpolated linearly to grid position x, held at the first
// and last point beyond the grid; none at all when the grid has no point.
Correction correction_at(const Grid& g, double x) {
    if (g.n < 1) return {};
    std::int32_t i;
    double f;
    if (g.n == 1 || x < 1.0) {
        i = 1;
        f = 0.0;
    } else if (x >= g.n) {
        i = g.n - 1;
        f = 1.0;
    } else {
        i = truncated(x);
        f = x - i;
    }
    double w = 1.0 - f;
    std::int32_t j = g.n == 1 ? 1 : i + 1;
    return {w * g.dlat[i] + f * g.dlat[j], w * g.dlon[i] + f * g.dlon[j],
            w * g.dh[i] + f * g.dh[j]};
}

}  // namespace

void write_draped(const Grid& g, InsBuffer& buffer, OutputFile& out) {
    Insrec r;
    while (buffer.next(r)) {
        Correction c = correction_at(g, g.position(r.time));
        char* p = out.reserve(line_length);
        *p++ = ' ';
        p = put_field<10, 7>(p, r.time);
        p = put_field<12, 7>(p, r.lat - c.lat);
        p = put_field<13, 7>(p, r.lon - c.lon);
        p = put_field<9, 2>(p, r.h - c.h);
        p = put_field<8, 3>(p, r.a1);
        p = put_field<8, 3>(p, r.a2);
        p = put_field<9, 3>(p, r.a3);
        p = put_text(p, "\r\n");
        out.commit(p);
    }
}

}  // namespace tolvek
