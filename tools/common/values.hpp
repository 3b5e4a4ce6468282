#pragma once

#include <span>
#include <string_view>

namespace tools {

// Splits a line into numbers separated by blanks, tabs or commas and stores up to
// out.size() of them; later values are ignored. Returns how many were stored, or
// -1 when a token among them is not a number.
int parse_values(std::string_view line, std::span<double> out);

// Parses a whole token as a number; false if it is not one.
bool parse_number(std::string_view token, double& value);

// A logical written as T, .TRUE., f, .false. and the like.
bool parse_logical(std::string_view token, bool& value);

std::string_view trim(std::string_view text);

}  // namespace tools
