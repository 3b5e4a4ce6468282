#include "run/dialogue.hpp"

#include <array>

#include "run/failure.hpp"

namespace tolvek {
namespace {

constexpr double per_3600 = 1.0 / 3600.0;

[[noreturn]] void early_end(const char* missing) {
    throw RunFailure{exit_file,
                     std::string("standard input ended before the dialogue was complete (") +
                         missing + " missing)"};
}

std::string read_name(FreeReader& in, const char* what) {
    char line[name_width];
    if (!in.read_line(line, name_width)) early_end(what);
    return file_name(line, name_width);
}

}  // namespace

std::string file_name(const char* line, std::size_t width) {
    while (width > 0 && line[width - 1] == ' ') --width;
    return std::string(line, width);
}

Params read_dialogue(FreeReader& in) {
    Params p;
    p.insfile = read_name(in, "the INS file name");
    p.gpsfile = read_name(in, "the GPS file name");
    const std::array<Target, 6> values = {real_var(p.t0),         real_var(p.t1),
                                          real_var(p.tshift),     real_var(p.tau),
                                          logical_var(p.gpshead), logical_var(p.insalth)};
    switch (in.read(values)) {
        case ReadStatus::end_of_file:
            early_end("t0, t1, tshift, tau, gpshead, insalth");
        case ReadStatus::bad_value:
            throw RunFailure{exit_bad_value, in.bad_message()};
        default:
            break;
    }
    p.tshift = p.tshift * per_3600;
    return p;
}

}  // namespace tolvek
