#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "common/command.hpp"
#include "dif_file.hpp"
#include "gaps.hpp"
#include "svg_plot.hpp"

namespace {

constexpr const char* kUsage = R"(usage: difplot FILE [SECOND] -o OUT.svg [options]

Plots the north, east and up INS-minus-GPS differences of a tolvek.dif file in
three stacked panels against time. An optional second file (typically a run
with tau = 0, the raw differences) is drawn underneath the first.

  -o, --out FILE     SVG file to write (required)
  --label1 TEXT      legend text of the first file (default: its name)
  --label2 TEXT      legend text of the second file (default: its name)
  --title TEXT       title (default: INS minus GPS differences)
  --gps DIALOGUE     shade the GPS outages of the GPS file named in this
                     dialogue file (gaps between GPS records longer than
                     1.5 times the usual spacing and at least 1.5 s)
)";

struct Args {
    std::vector<std::string> files;
    std::string out;
    std::string labels[2];
    std::string title = "INS minus GPS differences";
    std::string gps_dialogue;
};

bool parse(const std::vector<std::string_view>& argv, Args& a) {
    for (std::size_t i = 0; i < argv.size(); ++i) {
        const auto arg = argv[i];
        if (!arg.starts_with("-")) {
            a.files.emplace_back(arg);
            continue;
        }
        if (i + 1 == argv.size()) return false;
        const std::string value(argv[++i]);
        if (arg == "-o" || arg == "--out")
            a.out = value;
        else if (arg == "--label1")
            a.labels[0] = value;
        else if (arg == "--label2")
            a.labels[1] = value;
        else if (arg == "--title")
            a.title = value;
        else if (arg == "--gps")
            a.gps_dialogue = value;
        else
            return false;
    }
    return !a.out.empty() && (a.files.size() == 1 || a.files.size() == 2);
}

void write_file(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

void plot(const Args& a) {
    std::vector<difplot::DifSeries> series;
    for (const auto& f : a.files) series.push_back(difplot::read_dif(f));
    difplot::PlotContent content;
    content.title = a.title;
    for (std::size_t k = 0; k < series.size(); ++k) {
        const auto name = std::filesystem::path(a.files[k]).filename().string();
        content.curves.push_back({&series[k], a.labels[k].empty() ? name : a.labels[k]});
    }
    if (!a.gps_dialogue.empty())
        content.outages = difplot::find_gaps(difplot::gps_hours(a.gps_dialogue));
    write_file(a.out, difplot::render_svg(content));
}

}  // namespace

int main(int argc, char** argv) {
    return tools::run_command<Args>({"difplot", kUsage, 1}, argc, argv, parse, [](const Args& a) {
        plot(a);
        return 0;
    });
}
