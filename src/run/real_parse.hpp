#pragma once

#include <cstdint>

#include "run/plain_real.hpp"

namespace tolvek {

enum class ParseStatus { ok, bad, out_of_range };

// Parsers for single free-form tokens [b, e); they never read outside the token.
//
// A real is a sign, digits with an optional point, and an optional exponent
// introduced by E, D or Q in either case or by a bare sign (1.5+3). Only the
// first 17 significant digits are used; the rest still count for the
// magnitude. The result is the double nearest to that decimal value, ties to
// even. A magnitude beyond the double range is out_of_range; one below it
// becomes the nearest representable value, possibly zero.
ParseStatus parse_real(const char* b, const char* e, double& out);

// A sign and digits only, within the signed 32-bit range.
ParseStatus parse_integer(const char* b, const char* e, std::int32_t& out);

// Any token whose first character other than a point is T or F, in either case.
ParseStatus parse_logical(const char* b, const char* e, bool& out);

}  // namespace tolvek
