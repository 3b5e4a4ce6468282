#pragma once

#include <cstdint>
#include <string_view>

#include "run/fixed_field.hpp"

namespace tolvek {

// Largest field the fixed-form writers accept; the tool's own fields are far smaller.
inline constexpr int max_field_width = 64;

// Fixed-form fields written into a caller's line buffer; each returns the
// position just past what it wrote and never writes a terminator.

// A real right-aligned in exactly `w` characters with `d` decimals
// (0 <= d < w <= max_field_width): the exact binary value rounded to d
// decimals, ties to even; a zero before the point only when there is room;
// no minus sign when every printed digit is zero; w asterisks when the number
// does not fit or is not finite.
char* put_real(char* out, double v, int w, int d);

// The general path of both: every width, every value.
char* put_general(char* out, double v, int w, int d);

// The same for a field whose shape is known where it is written: the common
// shapes take an inlined fast path.
template <int W, int D>
inline char* put_field(char* out, double v) {
    static_assert(0 <= D && D < W && W <= max_field_width);
    if constexpr (field::fits_short(W, D)) {
        if (field::put_short(out, v, W, D)) return out + W;
    }
    return put_general(out, v, W, D);
}

// An integer right-aligned in exactly `w` characters, or w asterisks.
char* put_integer(char* out, std::int64_t v, int w);

// A literal text, unchanged.
char* put_text(char* out, std::string_view text);

}  // namespace tolvek
