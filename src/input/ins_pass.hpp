#pragma once

#include "input/ins_buffer.hpp"
#include "run/console.hpp"
#include "run/dialogue.hpp"
#include "run/free_reader.hpp"
#include "run/grid.hpp"

namespace tolvek {

// Reads the whole INS track: forms the INS-minus-GPS differences at the grid
// points that record pairs newly enclose, and appends the records of the
// window to the INS buffer, which it rewinds at the end.
void ins_pass(FreeReader& in, const Params& p, Grid& g, InsBuffer& buffer, Console& con);

}  // namespace tolvek
