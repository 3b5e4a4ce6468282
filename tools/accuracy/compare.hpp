#pragma once

#include <string>

#include "common/dialogue.hpp"
#include "scores.hpp"

namespace accuracy {

struct Inputs {
    tools::Dialogue dialogue;  // window, GPS layout, time shift, which INS height
    std::string truth_path;
    std::string ins_path;
    std::string gps_path;
    std::string pos_path;
};

struct Scores {
    TrackScore ins;     // raw INS records of the window
    TrackScore gps;     // GPS records of the window against the truth at their time
    TrackScore draped;  // tolvek.pos lines matched to truth records by time
    long ins_in_window = 0;
    long pos_unreadable = 0;  // lines with a field that is not a number
    long pos_unmatched = 0;   // lines whose time is not a truth record's time
};

// Reads all four files once, side by side. The INS and truth files must hold the
// same times line for line. Throws std::runtime_error on unreadable input.
Scores compare_tracks(const Inputs& inputs);

}  // namespace accuracy
