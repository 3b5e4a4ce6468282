#pragma once

#include "input/ins_buffer.hpp"
#include "run/grid.hpp"
#include "run/output_file.hpp"

namespace tolvek {

// Reads the INS buffer from its start and writes each record with the
// smoothed differences, interpolated to its time, subtracted from its position.
void write_draped(const Grid& g, InsBuffer& buffer, OutputFile& out);

}  // namespace tolvek
