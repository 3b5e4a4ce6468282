#pragma once

#include <string>
#include <vector>

namespace difplot {

struct Interval {
    double start = 0.0;  // hours
    double end = 0.0;
};

// Stretches between consecutive GPS records that are clearly longer than the
// usual spacing (1.5 times the median, and at least 1.5 s): the GPS outages whose
// differences tolvek bridges with straight lines.
std::vector<Interval> find_gaps(const std::vector<double>& hours);

// Times of the GPS records named in a dialogue file, on the INS time scale. The
// GPS file name is taken relative to the dialogue's directory.
std::vector<double> gps_hours(const std::string& dialogue_path);

}  // namespace difplot
