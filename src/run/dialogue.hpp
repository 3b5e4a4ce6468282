#pragma once

#include <string>

#include "run/free_reader.hpp"

namespace tolvek {

// The run parameters, read once from the dialogue and never changed after.
struct Params {
    std::string insfile;
    std::string gpsfile;
    double t0 = 0.0;      // window start, decimal hours
    double t1 = 0.0;      // window end, decimal hours
    double tshift = 0.0;  // offset subtracted from GPS times, hours (entered in seconds)
    double tau = 0.0;     // draping time constant, seconds
    bool gpshead = false;
    bool insalth = false;
};

inline constexpr std::size_t name_width = 72;

// Reads the two file-name lines and the six values from the console input;
// converts tshift to hours. Ends the run on a bad value or early end of input.
Params read_dialogue(FreeReader& console_in);

// A file name from its 72-character line: trailing blanks dropped, leading kept.
std::string file_name(const char* line, std::size_t width);

}  // namespace tolvek
