#include "dif_file.hpp"

#include <limits>
#include <stdexcept>

#include "common/line_reader.hpp"
#include "common/values.hpp"

namespace difplot {

namespace {

struct Columns {
    std::size_t first;  // zero-based
    std::size_t width;
};

constexpr Columns kTime{0, 11};
constexpr std::array<Columns, 3> kComponents = {Columns{11, 12}, Columns{23, 12}, Columns{35, 12}};

double field(std::string_view line, Columns c) {
    double value = 0.0;
    if (line.size() >= c.first + c.width &&
        tools::parse_number(tools::trim(line.substr(c.first, c.width)), value))
        return value;
    return std::numeric_limits<double>::quiet_NaN();
}

}  // namespace

bool add_dif_line(std::string_view line, DifSeries& series) {
    const double hours = field(line, kTime);
    if (hours != hours) return false;  // NaN: no time, nothing to place
    series.hours.push_back(hours);
    for (std::size_t k = 0; k < kComponents.size(); ++k)
        series.values[k].push_back(field(line, kComponents[k]));
    return true;
}

DifSeries read_dif(const std::string& path) {
    tools::LineReader lines(path);
    DifSeries series;
    std::string_view line;
    while (lines.next(line)) add_dif_line(line, series);
    if (series.hours.empty()) throw std::runtime_error(path + ": no line with a time");
    return series;
}

}  // namespace difplot
