#pragma once

#include <string>

namespace tools {

// The run parameters that tolvek reads from standard input.
struct Dialogue {
    std::string ins_file;
    std::string gps_file;
    double t0_hours = 0.0;
    double t1_hours = 0.0;
    double tshift_s = 0.0;  // GPS time stamps lie this far ahead of the INS time scale
    double tau_s = 0.0;
    bool gps_header = false;
    bool ins_alt_height = false;
};

// Throws std::runtime_error naming the file when it cannot be read or is incomplete.
Dialogue read_dialogue(const std::string& path);

// The three lines of the dialogue, each ending in a line feed.
std::string format_dialogue(const Dialogue& dialogue);

}  // namespace tools
