#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "difplot/dif_file.hpp"
#include "difplot/gaps.hpp"
#include "difplot/path_data.hpp"
#include "difplot/svg_plot.hpp"
#include "difplot/ticks.hpp"
#include "temp_dir.hpp"

namespace {

// Checks that every element is closed in order, and counts elements by name.
bool well_formed(const std::string& xml, std::map<std::string, int>& counts) {
    std::vector<std::string> open;
    const std::regex tag(R"(<(/?)([A-Za-z]+)[^>]*?(/?)>)");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), tag); it != std::sregex_iterator();
         ++it) {
        const auto& m = *it;
        if (m[1].length() > 0) {
            if (open.empty() || open.back() != m[2].str()) return false;
            open.pop_back();
            continue;
        }
        ++counts[m[2].str()];
        if (m[3].length() == 0) open.push_back(m[2].str());
    }
    return open.empty() && xml.find("&&") == std::string::npos;
}

TEST(Difplot, DrawsThreePanelsFromATinyDifFile) {
    TempDir tmp;
    tmp.write("tolvek.dif",
              " 10.0000000       1.250      -2.500       0.100\r\n"
              " 10.0002778       1.300      -2.400       0.200\r\n"
              " 10.0005556************      -2.300       0.300\r\n"
              " 10.0008333       1.400      -2.200       0.400\r\n");
    const auto dif = difplot::read_dif(tmp.file("tolvek.dif"));
    ASSERT_EQ(dif.hours.size(), 4u);
    EXPECT_TRUE(std::isnan(dif.values[0][2]));
    EXPECT_EQ(dif.values[1][2], -2.3);

    difplot::PlotContent content;
    content.title = "a & b <test>";
    content.curves = {{&dif, "smoothed (tau = 60 s)"}, {&dif, "raw"}};
    content.outages = {{10.0002778, 10.0005556}};
    const auto svg = difplot::render_svg(content);

    std::map<std::string, int> counts;
    ASSERT_TRUE(well_formed(svg, counts)) << svg;
    EXPECT_EQ(svg.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\"", 0), 0u);
    EXPECT_EQ(counts["svg"], 1);
    EXPECT_NE(svg.find("a &amp; b &lt;test&gt;"), std::string::npos);
    for (const char* text : {"north (m)", "east (m)", "up (m)", "time (decimal hours)",
                             "smoothed (tau = 60 s)", "GPS outage"})
        EXPECT_NE(svg.find(text), std::string::npos) << text;
    EXPECT_EQ(counts["path"], 6);  // two curves in each of three panels
    std::size_t panels = 0;
    for (auto p = svg.find("class=\"panel\""); p != std::string::npos;
         p = svg.find("class=\"panel\"", p + 1))
        ++panels;
    EXPECT_EQ(panels, 3u);
}

TEST(Difplot, MissingValuesBreakTheLineAndDenseDataIsThinned) {
    difplot::DifSeries s;
    for (int i = 0; i < 10000; ++i) {
        s.hours.push_back(i);
        s.values[0].push_back(i == 5000 ? NAN : std::sin(i * 0.01) + (i == 1234 ? 50.0 : 0.0));
    }
    const difplot::Scale x{0.0, 9999.0, 0.0, 100.0};
    const difplot::Scale y{-2.0, 60.0, 100.0, 0.0};
    const auto d = difplot::path_data(s, 0, x, y);
    EXPECT_EQ(std::count(d.begin(), d.end(), 'M'), 2);
    EXPECT_LE(std::count(d.begin(), d.end(), 'L'), 4 * 102);
    // The spike survives the thinning.
    char spike[40];
    std::snprintf(spike, sizeof spike, "L%.1f %.1f", x(1234.0), y(s.values[0][1234]));
    EXPECT_NE(d.find(spike), std::string::npos) << spike;
}

TEST(Ticks, AreRoundNumbersCoveringTheRange) {
    struct Case {
        double low, high;
        int about;
        std::vector<double> expected;
        int decimals;
    };
    const std::vector<Case> cases = {
        {0.0, 1.0, 5, {0.0, 0.2, 0.4, 0.6, 0.8, 1.0}, 1},
        {10.0, 11.0, 8, {10.0, 10.1, 10.2, 10.3, 10.4, 10.5, 10.6, 10.7, 10.8, 10.9, 11.0}, 1},
        {-37.0, 412.0, 5, {0.0, 100.0, 200.0, 300.0, 400.0}, 0},
        {-0.013, 0.012, 5, {-0.01, -0.005, 0.0, 0.005, 0.01}, 3},
    };
    for (const auto& c : cases) {
        const auto t = difplot::nice_ticks(c.low, c.high, c.about);
        ASSERT_EQ(t.values.size(), c.expected.size()) << c.low << " " << c.high;
        for (std::size_t i = 0; i < t.values.size(); ++i)
            EXPECT_NEAR(t.values[i], c.expected[i], 1e-12);
        EXPECT_EQ(t.decimals, c.decimals);
    }
    EXPECT_EQ(difplot::tick_label(-1e-17, 1), "0.0");
}

TEST(Gaps, FindsOutagesWhateverTheGpsRate) {
    auto series = [](double rate, double from, double to) {
        std::vector<double> hours;
        for (double t = 0.0; t <= 600.0; t += 1.0 / rate)
            if (t < from || t >= to) hours.push_back(10.0 + t / 3600.0);
        return hours;
    };
    const auto one_hz = difplot::find_gaps(series(1.0, 100.0, 160.0));
    ASSERT_EQ(one_hz.size(), 1u);
    EXPECT_NEAR(one_hz[0].start, 10.0 + 99.0 / 3600.0, 1e-9);
    EXPECT_NEAR(one_hz[0].end, 10.0 + 160.0 / 3600.0, 1e-9);
    EXPECT_TRUE(difplot::find_gaps(series(0.5, 0.0, 0.0)).empty());  // a 2 s spacing is no outage
    EXPECT_EQ(difplot::find_gaps(series(10.0, 300.0, 302.0)).size(), 1u);
}

}  // namespace
