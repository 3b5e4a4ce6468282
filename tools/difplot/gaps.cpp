#include "gaps.hpp"

#include <algorithm>
#include <filesystem>

#include "common/dialogue.hpp"
#include "common/tracks.hpp"

namespace difplot {

namespace {
constexpr double kGapFactor = 1.5;
constexpr double kShortestGap = 1.5 / 3600.0;  // h
}  // namespace

std::vector<Interval> find_gaps(const std::vector<double>& hours) {
    std::vector<Interval> gaps;
    if (hours.size() < 3) return gaps;
    std::vector<double> spacing;
    for (std::size_t i = 1; i < hours.size(); ++i) spacing.push_back(hours[i] - hours[i - 1]);
    auto middle = spacing.begin() + static_cast<std::ptrdiff_t>(spacing.size() / 2);
    std::nth_element(spacing.begin(), middle, spacing.end());
    const double threshold = std::max(kShortestGap, kGapFactor * *middle);
    for (std::size_t i = 1; i < hours.size(); ++i)
        if (hours[i] - hours[i - 1] > threshold) gaps.push_back({hours[i - 1], hours[i]});
    return gaps;
}

std::vector<double> gps_hours(const std::string& dialogue_path) {
    const auto d = tools::read_dialogue(dialogue_path);
    const auto dir = std::filesystem::path(dialogue_path).parent_path();
    tools::GpsReader reader((dir / d.gps_file).string(), d.gps_header, d.tshift_s);
    std::vector<double> hours;
    tools::GpsFix fix;
    while (reader.next(fix)) hours.push_back(fix.hours);
    return hours;
}

}  // namespace difplot
