#pragma once

#include <string>

#include "dif_file.hpp"

namespace difplot {

// Linear map from data values onto pixels; pixel_high may lie below pixel_low.
struct Scale {
    double data_low = 0.0;
    double data_high = 1.0;
    double pixel_low = 0.0;
    double pixel_high = 1.0;
    double operator()(double v) const {
        return pixel_low + (v - data_low) * (pixel_high - pixel_low) / (data_high - data_low);
    }
};

// SVG path commands for one component of a series. Missing values break the line.
// Where many points share a pixel column only the first, lowest, highest and last
// of them are kept, which draws the same picture with far fewer points.
std::string path_data(const DifSeries& series, int component, const Scale& x, const Scale& y);

}  // namespace difplot
