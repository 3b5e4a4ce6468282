#pragma once

#include <string>

namespace fuzz {

// The text a fixed-form real field of width w with d decimals must hold for v,
// worked out from the exact binary value of v with decimal big-integer
// arithmetic, independently of the writer under test.
std::string expected_real_field(double v, int w, int d);

// The text a fixed-form integer field of width w must hold for v.
std::string expected_integer_field(long long v, int w);

}  // namespace fuzz
