#pragma once

#include <string>
#include <vector>

#include "dif_file.hpp"
#include "gaps.hpp"

namespace difplot {

struct Curve {
    const DifSeries* series = nullptr;
    std::string label;
};

struct PlotContent {
    std::string title;
    std::vector<Curve> curves;      // the first is drawn on top of the others
    std::vector<Interval> outages;  // shaded in every panel
};

// A self-contained SVG document: north, east and up panels stacked over one time axis.
std::string render_svg(const PlotContent& content);

}  // namespace difplot
