#pragma once

#include <string_view>

namespace accuracy {

// The position part of one line of tolvek.pos.
struct PosRecord {
    double hours = 0.0;
    double lat = 0.0;
    double lon = 0.0;
    double height = 0.0;
};

// Reads the fixed columns of a draped line. False when the line is too short or a
// field does not hold a number (a value too wide for its field prints as asterisks).
bool parse_pos_line(std::string_view line, PosRecord& record);

}  // namespace accuracy
