#pragma once

#include "run/console.hpp"
#include "run/grid.hpp"
#include "run/output_file.hpp"

namespace tolvek {

// The largest horizontal INS-GPS separation (metres) and when it first occurs
// (hours since t0).
struct DriftReport {
    double posmax = 0.0;
    double tposmax = 0.0;
};

// Writes one line per grid point to the difference file (metres north, east,
// up) and finds the largest horizontal separation.
DriftReport write_dif_file(const Grid& g, OutputFile& out);

// The closing report line, written only when the maximum lies after t0.
void report_drift(const DriftReport& r, Console& con);

}  // namespace tolvek
