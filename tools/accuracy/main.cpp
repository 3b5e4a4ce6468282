#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/command.hpp"
#include "common/dialogue.hpp"
#include "compare.hpp"
#include "report.hpp"

namespace {

constexpr const char* kUsage = R"(usage: accuracy [--dir DIR] [--truth FILE] [--pos FILE]

Compares the raw INS, the GPS and the draped track of a tolvek run with the truth
of a simulated flight and prints RMS and largest errors. Reads DIR/dialogue.txt
(default DIR is the current directory) for the file names, window, GPS layout,
time shift and INS height; the truth defaults to DIR/truth.txt and the draped
track to DIR/tolvek.pos. File names in the dialogue are taken relative to DIR.

Exit code 0 when the draped track is far better than the raw INS and smoother
than GPS, 1 with a WARNING line when it is not, 2 on unusable input.
)";

struct Args {
    std::filesystem::path dir = ".";
    std::string truth;
    std::string pos;
};

bool parse(const std::vector<std::string_view>& argv, Args& args) {
    for (std::size_t i = 0; i < argv.size(); ++i) {
        if (i + 1 == argv.size()) return false;
        const auto value = argv[++i];
        if (argv[i - 1] == "--dir")
            args.dir = value;
        else if (argv[i - 1] == "--truth")
            args.truth = value;
        else if (argv[i - 1] == "--pos")
            args.pos = value;
        else
            return false;
    }
    return true;
}

accuracy::Inputs inputs_of(const Args& args) {
    accuracy::Inputs in;
    in.dialogue = tools::read_dialogue((args.dir / "dialogue.txt").string());
    in.ins_path = (args.dir / in.dialogue.ins_file).string();
    in.gps_path = (args.dir / in.dialogue.gps_file).string();
    in.truth_path = args.truth.empty() ? (args.dir / "truth.txt").string() : args.truth;
    in.pos_path = args.pos.empty() ? (args.dir / "tolvek.pos").string() : args.pos;
    return in;
}

// Prints the table and the verdict; 1 when the draped track fails it.
int check(const Args& args) {
    const auto in = inputs_of(args);
    const auto scores = accuracy::compare_tracks(in);
    std::fputs(accuracy::format_table(scores, in.dialogue).c_str(), stdout);
    const auto verdict = accuracy::judge(scores);
    for (const auto& warning : verdict.warnings) std::puts(warning.c_str());
    if (verdict.ok()) std::puts(verdict.summary.c_str());
    return verdict.ok() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    return tools::run_command<Args>({"accuracy", kUsage, 2}, argc, argv, parse, check);
}
