#pragma once

#include <cstdint>

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

// The common case on a fast path: a real of at most 17 digits, no exponent,
// that ends at a blank, tab, comma, slash or line end, and converts exactly in
// one rounded operation. Reads from p up to and including that terminator,
// and words of eight bytes: the caller's text must end in a NUL sentinel
// followed by at least seven readable bytes. Returns the end of the token; returns nullptr, with
// `out` untouched, for anything else, which parse_real then decides. Where both give a value it is
// the same.
const char* parse_plain_real(const char* p, double& out);

// A sign and digits only, within the signed 32-bit range.
ParseStatus parse_integer(const char* b, const char* e, std::int32_t& out);

// Any token whose first character other than a point is T or F, in either case.
ParseStatus parse_logical(const char* b, const char* e, bool& out);

}  // namespace tolvek
