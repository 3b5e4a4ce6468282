#pragma once

#include <vector>

#include "options.hpp"
#include "outages.hpp"

namespace flightsim {

struct SimSummary {
    long ins_records = 0;
    long gps_records = 0;
    std::vector<Outage> outages;
    double t0_hours = 0.0;  // processing window written to the dialogue
    double t1_hours = 0.0;
    bool window_cut = false;  // the flight is longer than tolvek's longest window
};

// Writes gps.txt, ins.txt, truth.txt (unless switched off) and dialogue.txt into
// options.out_dir. Throws std::runtime_error when a file cannot be written.
SimSummary write_flight(const SimOptions& options);

}  // namespace flightsim
