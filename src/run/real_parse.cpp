#include "run/real_parse.hpp"

#include <charconv>
#include <cmath>
#include <cstddef>

namespace tolvek {
namespace {

using plain::exact_powers;
using plain::is_digit;
using plain::max_significant;

constexpr std::int64_t exponent_ceiling = 1'000'000'000;  // far beyond any double

// The decimal value mant x 10^exp10 of a real token, cut to 17 significant digits.
struct Decimal {
    bool negative = false;
    std::uint64_t mant = 0;
    int significant = 0;
    std::int64_t exp10 = 0;

    void add_digit(int d, bool fraction) {
        if (significant == 0 && d == 0) {
            if (fraction) --exp10;  // a leading zero after the point only shifts the scale
            return;
        }
        if (significant < max_significant) {
            mant = mant * 10 + static_cast<std::uint64_t>(d);
            ++significant;
            if (fraction) --exp10;
        } else if (!fraction) {
            ++exp10;  // dropped digit before the point still scales the value
        }
    }
};

bool is_exponent_letter(char c) {
    return c == 'E' || c == 'e' || c == 'D' || c == 'd' || c == 'Q' || c == 'q';
}

// Exponent part starting at p: a letter with an optional sign, or a bare sign;
// then at least one digit up to the end of the token.
bool read_exponent(const char* p, const char* e, std::int64_t& exp10) {
    if (is_exponent_letter(*p))
        ++p;
    else if (*p != '+' && *p != '-')
        return false;
    bool negative = false;
    if (p < e && (*p == '+' || *p == '-')) negative = *p++ == '-';
    if (p == e) return false;
    std::int64_t value = 0;
    for (; p < e; ++p) {
        if (!is_digit(*p)) return false;
        if (value < exponent_ceiling) value = value * 10 + (*p - '0');
    }
    exp10 += negative ? -value : value;
    return true;
}

bool read_decimal(const char* p, const char* e, Decimal& dec) {
    if (p < e && (*p == '+' || *p == '-')) dec.negative = *p++ == '-';
    bool any_digit = false;
    for (; p < e && is_digit(*p); ++p, any_digit = true) dec.add_digit(*p - '0', false);
    if (p < e && *p == '.') {
        for (++p; p < e && is_digit(*p); ++p, any_digit = true) dec.add_digit(*p - '0', true);
    }
    if (!any_digit) return false;
    return p == e || read_exponent(p, e, dec.exp10);
}

// Correctly rounded conversion of the 17-digit decimal value.
ParseStatus to_double(const Decimal& dec, double& out) {
    double magnitude;
    if (dec.mant == 0) {
        magnitude = 0.0;
    } else if (dec.mant <= (std::uint64_t{1} << 53) && dec.exp10 >= -22 && dec.exp10 <= 22) {
        // Both operands are exact doubles, so one rounded operation is exact rounding.
        double m = static_cast<double>(dec.mant);
        magnitude = dec.exp10 >= 0 ? m * exact_powers[dec.exp10] : m / exact_powers[-dec.exp10];
    } else {
        char text[48];
        char* end = std::to_chars(text, text + 24, dec.mant).ptr;
        *end++ = 'e';
        end = std::to_chars(end, text + sizeof text, dec.exp10).ptr;
        auto [ptr, ec] = std::from_chars(text, end, magnitude);
        if (ec == std::errc::result_out_of_range) {
            if (dec.exp10 + dec.significant > 0) return ParseStatus::out_of_range;
            magnitude = 0.0;
        }
    }
    out = dec.negative ? -magnitude : magnitude;
    return ParseStatus::ok;
}

}  // namespace

ParseStatus parse_real(const char* b, const char* e, double& out) {
    Decimal dec;
    if (!read_decimal(b, e, dec)) return ParseStatus::bad;
    return to_double(dec, out);
}

ParseStatus parse_integer(const char* b, const char* e, std::int32_t& out) {
    bool negative = false;
    if (b < e && (*b == '+' || *b == '-')) negative = *b++ == '-';
    if (b == e) return ParseStatus::bad;
    std::int64_t value = 0;
    for (; b < e; ++b) {
        if (!is_digit(*b)) return ParseStatus::bad;
        value = value * 10 + (*b - '0');
        if (value > std::int64_t{1} << 31) return ParseStatus::out_of_range;
    }
    if (negative) value = -value;
    if (value > INT32_MAX) return ParseStatus::out_of_range;
    out = static_cast<std::int32_t>(value);
    return ParseStatus::ok;
}

ParseStatus parse_logical(const char* b, const char* e, bool& out) {
    while (b < e && *b == '.') ++b;
    if (b == e) return ParseStatus::bad;
    switch (*b) {
        case 'T':
        case 't':
            out = true;
            return ParseStatus::ok;
        case 'F':
        case 'f':
            out = false;
            return ParseStatus::ok;
        default:
            return ParseStatus::bad;
    }
}

}  // namespace tolvek
