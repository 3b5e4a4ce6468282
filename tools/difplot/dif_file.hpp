#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace difplot {

// The north, east and up differences of a tolvek.dif file, one entry per line.
// A value whose field is not a number (asterisks when it was too wide) is NaN.
struct DifSeries {
    std::vector<double> hours;
    std::array<std::vector<double>, 3> values;  // north, east, up in metres
};

// Adds one line; false when its time field is not a number.
bool add_dif_line(std::string_view line, DifSeries& series);

// Throws std::runtime_error when the file cannot be read or holds no usable line.
DifSeries read_dif(const std::string& path);

}  // namespace difplot
