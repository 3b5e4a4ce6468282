#include "svg_plot.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "path_data.hpp"
#include "svg_text.hpp"
#include "ticks.hpp"

namespace difplot {

namespace {

constexpr double kWidth = 1100.0;
constexpr double kHeight = 900.0;
constexpr double kLeft = 90.0;
constexpr double kRight = 30.0;
constexpr double kTop = 80.0;
constexpr double kBottom = 55.0;
constexpr double kPanelGap = 22.0;
constexpr double kPanelHeight = (kHeight - kTop - kBottom - 2.0 * kPanelGap) / 3.0;
constexpr std::array<const char*, 3> kPanelNames = {"north (m)", "east (m)", "up (m)"};
constexpr std::array<const char*, 3> kColours = {"#1f4e9c", "#f08c2e", "#8a8a8a"};
constexpr std::array<double, 3> kLineWidths = {1.6, 1.0, 1.0};
constexpr const char* kOutageFill = "#d9d9d9";

struct Range {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    void include(double v) {
        if (std::isfinite(v)) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    // A little room above and below the data; an empty or flat range still gets a span.
    Range padded() const {
        if (!(high >= low)) return {-1.0, 1.0};
        if (high == low) return {low - 1.0, high + 1.0};
        const double pad = 0.05 * (high - low);
        return {low - pad, high + pad};
    }
};

Range time_range(const PlotContent& content) {
    Range r;
    for (const auto& c : content.curves)
        for (double h : c.series->hours) r.include(h);
    return r.high > r.low ? r : r.padded();
}

Range value_range(const PlotContent& content, int component) {
    Range r;
    for (const auto& c : content.curves)
        for (double v : c.series->values[component]) r.include(v);
    return r.padded();
}

std::string colour(std::size_t index) {
    return kColours[std::min(index, kColours.size() - 1)];
}
double line_width(std::size_t index) {
    return kLineWidths[std::min(index, kLineWidths.size() - 1)];
}

void draw_outages(SvgText& svg, const PlotContent& content, const Scale& x, double top) {
    for (const auto& o : content.outages) {
        const double x0 = std::max(x.pixel_low, x(o.start));
        const double x1 = std::min(x.pixel_high, x(o.end));
        if (x1 > x0)
            svg.add("<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" fill=\"%s\"/>\n",
                    x0, top, x1 - x0, kPanelHeight, kOutageFill);
    }
}

void draw_y_axis(SvgText& svg, const Scale& y, int component, double top) {
    const Ticks ticks = nice_ticks(y.data_low, y.data_high, 5);
    for (double v : ticks.values) {
        const double py = y(v);
        const bool zero = std::fabs(v) < 1e-12;
        svg.add("<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"%s\"%s/>\n", kLeft,
                py, kWidth - kRight, py, zero ? "#777777" : "#ececec",
                zero ? " stroke-dasharray=\"4 3\"" : "");
        svg.add("<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"black\"/>\n",
                kLeft - 5.0, py, kLeft, py);
        svg.add("<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"end\">%s</text>\n", kLeft - 8.0,
                py + 4.0, tick_label(v, ticks.decimals).c_str());
    }
    svg.add(
        "<text transform=\"translate(%.1f,%.1f) rotate(-90)\" text-anchor=\"middle\" "
        "font-size=\"13\">%s</text>\n",
        22.0, top + 0.5 * kPanelHeight, kPanelNames[component]);
}

void draw_x_ticks(SvgText& svg, const Scale& x, double bottom, bool labelled) {
    const Ticks ticks = nice_ticks(x.data_low, x.data_high, 8);
    for (double v : ticks.values) {
        const double px = x(v);
        svg.add("<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"black\"/>\n", px,
                bottom, px, bottom + 5.0);
        if (labelled)
            svg.add("<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"middle\">%s</text>\n", px,
                    bottom + 19.0, tick_label(v, ticks.decimals).c_str());
    }
}

void draw_panel(SvgText& svg, const PlotContent& content, const Scale& x, int component) {
    const double top = kTop + component * (kPanelHeight + kPanelGap);
    const double bottom = top + kPanelHeight;
    const Range values = value_range(content, component);
    const Scale y{values.low, values.high, bottom, top};
    svg.add("<g class=\"panel\" id=\"panel-%d\">\n", component + 1);
    svg.add(
        "<clipPath id=\"clip-%d\"><rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" "
        "height=\"%.1f\"/></clipPath>\n",
        component + 1, kLeft, top, kWidth - kLeft - kRight, kPanelHeight);
    draw_outages(svg, content, x, top);
    draw_y_axis(svg, y, component, top);
    svg.add("<g clip-path=\"url(#clip-%d)\" fill=\"none\" stroke-linejoin=\"round\">\n",
            component + 1);
    for (std::size_t k = content.curves.size(); k-- > 0;) {
        svg.add("<path stroke=\"%s\" stroke-width=\"%.1f\" d=\"", colour(k).c_str(), line_width(k));
        svg.raw(path_data(*content.curves[k].series, component, x, y));
        svg.raw("\"/>\n");
    }
    svg.raw("</g>\n");
    svg.add(
        "<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" fill=\"none\" "
        "stroke=\"black\"/>\n",
        kLeft, top, kWidth - kLeft - kRight, kPanelHeight);
    draw_x_ticks(svg, x, bottom, component == 2);
    svg.raw("</g>\n");
}

void draw_legend(SvgText& svg, const PlotContent& content) {
    double px = kLeft;
    const double py = 56.0;
    for (std::size_t k = 0; k < content.curves.size(); ++k) {
        svg.add(
            "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"%s\" "
            "stroke-width=\"%.1f\"/>\n",
            px, py - 4.0, px + 28.0, py - 4.0, colour(k).c_str(), line_width(k) + 1.0);
        svg.add("<text x=\"%.1f\" y=\"%.1f\">", px + 34.0, py);
        svg.raw(xml_escape(content.curves[k].label) + "</text>\n");
        px += 60.0 + 7.0 * static_cast<double>(content.curves[k].label.size());
    }
    if (content.outages.empty()) return;
    svg.add(
        "<rect x=\"%.1f\" y=\"%.1f\" width=\"28\" height=\"12\" fill=\"%s\" stroke=\"#999999\"/>\n",
        px, py - 10.0, kOutageFill);
    svg.add("<text x=\"%.1f\" y=\"%.1f\">GPS outage (differences bridged)</text>\n", px + 34.0, py);
}

}  // namespace

std::string render_svg(const PlotContent& content) {
    SvgText svg;
    svg.add(
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\" viewBox=\"0 0 "
        "%.0f %.0f\" "
        "font-family=\"sans-serif\" font-size=\"12\">\n",
        kWidth, kHeight, kWidth, kHeight);
    svg.add("<rect width=\"%.0f\" height=\"%.0f\" fill=\"white\"/>\n", kWidth, kHeight);
    svg.add("<text x=\"%.1f\" y=\"28\" font-size=\"16\" font-weight=\"bold\">", kLeft);
    svg.raw(xml_escape(content.title) + "</text>\n");
    draw_legend(svg, content);
    const Range t = time_range(content);
    const Scale x{t.low, t.high, kLeft, kWidth - kRight};
    for (int component = 0; component < 3; ++component) draw_panel(svg, content, x, component);
    svg.add(
        "<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"middle\" font-size=\"13\">time (decimal "
        "hours)</text>\n",
        0.5 * (kLeft + kWidth - kRight), kHeight - 12.0);
    svg.raw("</svg>\n");
    return svg.text();
}

}  // namespace difplot
