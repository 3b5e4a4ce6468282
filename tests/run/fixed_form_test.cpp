#include "run/fixed_form.hpp"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace tolvek {
namespace {

std::string real_field(double v, int w, int d) {
    char buf[max_field_width];
    return std::string(buf, put_real(buf, v, w, d));
}

TEST(FixedForm, RealFields) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double v;
        int w, d;
        const char* expect;
    } cases[] = {
        {60.0, 6, 1, "  60.0"},
        {12345.67, 6, 1, "******"},
        {-0.0004, 8, 3, "   0.000"},
        {-0.0, 6, 1, "   0.0"},
        {0.5, 10, 7, " 0.5000000"},
        {0.5, 9, 7, "0.5000000"},
        {0.5, 8, 7, ".5000000"},
        {0.125, 5, 2, " 0.12"},
        {0.375, 5, 2, " 0.38"},
        {-0.125, 5, 2, "-0.12"},
        {-0.5, 3, 1, "-.5"},
        {-0.5, 2, 1, "**"},
        {-1.5, 4, 1, "-1.5"},
        {9999.96, 6, 1, "******"},
        {999.96, 6, 1, "1000.0"},
        {999.94, 6, 1, " 999.9"},
        {2.5, 3, 0, " 2."},
        {3.5, 3, 0, " 4."},
        {0.0, 2, 0, "0."},
        {123456.789, 12, 3, "  123456.789"},
        {1e9, 12, 3, "************"},
        {1e300, 12, 3, "************"},
        {1e22, 30, 2, "    10000000000000000000000.00"},
        {5e-324, 10, 3, "     0.000"},
        {std::nan(""), 6, 1, "******"},
        {inf, 6, 1, "******"},
        {-inf, 8, 3, "********"},
        {-1e-30, 24, 21, " 0.000000000000000000000"},
        {-3e-21, 24, 21, "-0.000000000000000000003"},
        {-3e-21, 23, 21, "-.000000000000000000003"},
        // Across eight scaled digits, where the digits take another path.
        {9.99999994, 10, 7, " 9.9999999"},
        {9.99999996, 10, 7, "10.0000000"},
        {-99999.9996, 12, 3, " -100000.000"},
        // Either side of 2^-11, where rounding leaves 64-bit arithmetic.
        {0.00048828125, 10, 7, " 0.0004883"},
        {0.000244140625, 10, 7, " 0.0002441"},
        // Exact binary ties go to the even digit.
        {-0.0625, 8, 3, "  -0.062"},
        {0.1875, 8, 3, "   0.188"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(real_field(c.v, c.w, c.d), c.expect) << c.v << " in " << c.w << "." << c.d;
    }
}

TEST(FixedForm, IntegerFieldsAndTexts) {
    char buf[32];
    char* p = put_text(buf, "gap:");
    p = put_integer(p, 1234, 6);
    p = put_integer(p, -5, 3);
    p = put_integer(p, 123456, 5);
    EXPECT_EQ(std::string(buf, p), "gap:  1234 -5*****");
}

// The layout of a field built from the library's exact fixed notation.
std::string reference_field(double v, int w, int d) {
    const std::string stars(static_cast<std::size_t>(w), '*');
    if (!std::isfinite(v)) return stars;
    char text[400];
    char* end =
        std::to_chars(text, text + sizeof text, std::fabs(v), std::chars_format::fixed, d).ptr;
    std::string digits(text, end);
    if (d == 0) digits += '.';
    bool nonzero = digits.find_first_of("123456789") != std::string::npos;
    std::string sign = std::signbit(v) && nonzero ? "-" : "";
    std::string s = sign + digits;
    if (s.size() > static_cast<std::size_t>(w) && digits.rfind("0.", 0) == 0)
        s = sign + digits.substr(1);
    if (s.size() > static_cast<std::size_t>(w)) return stars;
    return std::string(static_cast<std::size_t>(w) - s.size(), ' ') + s;
}

// The integer path must agree with the exact fallback for every double.
TEST(FixedForm, MatchesExactDecimalRenderingOnRandomValues) {
    std::mt19937_64 rng(20261211);
    std::uniform_int_distribution<int> exponent(-40, 40);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::uniform_int_distribution<std::uint64_t> bits;
    for (int k = 0; k < 2'000'000; ++k) {
        double v;
        switch (k % 4) {
            case 0:
                v = unit(rng) * std::pow(10.0, exponent(rng));
                break;
            case 1: {  // any bit pattern at all
                std::uint64_t b = bits(rng);
                std::memcpy(&v, &b, sizeof v);
                break;
            }
            case 2:
                v = std::round(unit(rng) * 1e6) / 1000.0 + 0.0005;
                break;  // near ties
            default:
                v = std::ldexp(std::round(unit(rng) * 4096.0), -(k % 12));
                break;  // exact ties
        }
        int d = static_cast<int>(k % 10 == 9 ? k % 27 : k % 10);  // now and then beyond 19
        int w = d + 1 + static_cast<int>((k / 10) % 14);
        ASSERT_EQ(real_field(v, w, d), reference_field(v, w, d)) << v << " " << w << "." << d;
    }
}

// The shapes of the output files, inlined with their constant shape.
TEST(FixedForm, CompileTimeShapesMatchTheExactRendering) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-12, 9);
    char buf[max_field_width];
    for (int k = 0; k < 1'000'000; ++k) {
        double v = unit(rng) * std::pow(10.0, exponent(rng));
        if (k % 3 == 0) v = std::round(v * 1e4) / 1e4 + 0.00005;  // near ties
        ASSERT_EQ(std::string(buf, put_field<10, 7>(buf, v)), reference_field(v, 10, 7)) << v;
        ASSERT_EQ(std::string(buf, put_field<13, 7>(buf, v)), reference_field(v, 13, 7)) << v;
        ASSERT_EQ(std::string(buf, put_field<9, 2>(buf, v)), reference_field(v, 9, 2)) << v;
        ASSERT_EQ(std::string(buf, put_field<8, 3>(buf, v)), reference_field(v, 8, 3)) << v;
        ASSERT_EQ(std::string(buf, put_field<12, 3>(buf, v)), reference_field(v, 12, 3)) << v;
        ASSERT_EQ(std::string(buf, put_field<6, 1>(buf, v)), reference_field(v, 6, 1)) << v;
    }
}

}  // namespace
}  // namespace tolvek
