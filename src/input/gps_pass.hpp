#pragma once

#include "run/console.hpp"
#include "run/dialogue.hpp"
#include "run/free_reader.hpp"
#include "run/grid.hpp"

namespace tolvek {

// Reads the GPS track up to the first record after the window and stores
// every position of the window at its nearest grid point in glat, glon, gh.
void gps_pass(FreeReader& in, const Params& p, Grid& g, Console& con);

}  // namespace tolvek
