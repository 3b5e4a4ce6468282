#include "ticks.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace difplot {

Ticks nice_ticks(double low, double high, int about) {
    Ticks ticks;
    const double span = high - low;
    if (!(span > 0.0) || about < 1) return ticks;
    const double raw = span / about;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double norm = raw / magnitude;
    const double step = (norm < 1.5 ? 1.0 : norm < 3.0 ? 2.0 : norm < 7.0 ? 5.0 : 10.0) * magnitude;
    // Index-based positions avoid adding up rounding errors along the axis.
    const double first = std::ceil(low / step - 1e-9);
    for (double k = first; k * step <= high + 1e-9 * step; k += 1.0)
        ticks.values.push_back(k * step);
    ticks.decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
    return ticks;
}

std::string tick_label(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string label = text;
    // A tick at a tiny negative rounding error would read "-0".
    if (label.find_first_not_of("-0.") == std::string::npos && label.front() == '-')
        label.erase(0, 1);
    return label;
}

}  // namespace difplot
