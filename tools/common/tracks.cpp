#include "tracks.hpp"

#include <array>
#include <cmath>
#include <stdexcept>

#include "values.hpp"

namespace tools {

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kSecondsPerHour = 3600.0;

// Reads the next line that is not blank and parses `values.size()` numbers from it.
bool next_values(LineReader& lines, std::span<double> values) {
    std::string_view line;
    do {
        if (!lines.next(line)) return false;
    } while (trim(line).empty());
    if (parse_values(line, values) != static_cast<int>(values.size()))
        throw std::runtime_error(lines.path() + " line " + std::to_string(lines.line_number()) +
                                 ": expected " + std::to_string(values.size()) + " numbers");
    return true;
}

}  // namespace

bool TrackReader::next(TrackRecord& r) {
    std::array<double, 8> v;
    if (!next_values(lines_, v)) return false;
    r = {v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]};
    return true;
}

GpsReader::GpsReader(const std::string& path, bool header, double tshift_s)
    : lines_(path), header_(header), tshift_hours_(tshift_s / kSecondsPerHour) {
    std::string_view skipped;
    if (header_ && !lines_.next(skipped)) throw std::runtime_error(path + ": header line missing");
}

bool GpsReader::next(GpsFix& fix) {
    std::array<double, 5> v;
    double seconds = 0.0;
    if (header_) {
        if (!next_values(lines_, v)) return false;
        fix = {0.0, v[1], v[2], v[3]};
        seconds = v[4];
    } else {
        if (!next_values(lines_, std::span<double>(v.data(), 4))) return false;
        fix = {0.0, v[1], v[2], v[3]};
        seconds = v[0];
    }
    if (first_) {
        day_seconds_ = std::trunc(seconds / kSecondsPerDay) * kSecondsPerDay;
        first_ = false;
    }
    fix.hours = (seconds - day_seconds_) / kSecondsPerHour - tshift_hours_;
    return true;
}

}  // namespace tools
