#include "run/real_parse.hpp"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstring>

namespace tolvek {
namespace {

constexpr int max_significant = 17;
constexpr std::int64_t exponent_ceiling = 1'000'000'000;  // far beyond any double

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

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

constexpr double exact_powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

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

bool is_plain_end(const char* p) {
    switch (*p) {
        case ' ':
        case '\t':
        case '\n':
        case ',':
        case '/':
            return true;
        case '\r':
            return p[1] == '\n';
        default:
            return false;
    }
}

// The value of eight ASCII digits at p, all eight checked and converted in
// one word; false when any of them is not a digit. The reader's blocks keep
// readable bytes past their end for these word reads.
bool eight_digits(const char* p, std::uint64_t& value) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    constexpr std::uint64_t high_nibbles = 0xf0f0f0f0f0f0f0f0ull;
    if (((v & high_nibbles) | (((v + 0x0606060606060606ull) & high_nibbles) >> 4)) !=
        0x3333333333333333ull)
        return false;
    v -= 0x3030303030303030ull;
    v = v * 10 + (v >> 8);  // pairs
    v = (((v & 0x000000ff000000ffull) * (100 + (1000000ull << 32))) +
         (((v >> 16) & 0x000000ff000000ffull) * (1 + (10000ull << 32)))) >>
        32;
    value = v;
    return true;
}

// The same for four digits.
bool four_digits(const char* p, std::uint64_t& value) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    constexpr std::uint32_t high_nibbles = 0xf0f0f0f0u;
    if (((v & high_nibbles) | (((v + 0x06060606u) & high_nibbles) >> 4)) != 0x33333333u)
        return false;
    v -= 0x30303030u;
    v = v * 10 + (v >> 8);  // pairs
    value = (v & 0xff) * 100 + ((v >> 16) & 0xff);
    return true;
}

}  // namespace

const char* parse_plain_real(const char* p, double& out) {
    bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    std::uint64_t mant = 0;
    int digits = 0;
    int decimals = 0;
    for (; is_digit(*p); ++p, ++digits) mant = mant * 10 + static_cast<std::uint64_t>(*p - '0');
    if (*p == '.') {
        const char* first = ++p;
        std::uint64_t group;
        if (digits <= max_significant - 8 && eight_digits(p, group)) {
            mant = mant * 100000000 + group;
            p += 8;
        }
        if (digits + (p - first) <= max_significant - 4 && four_digits(p, group)) {
            mant = mant * 10000 + group;
            p += 4;
        }
        for (; is_digit(*p); ++p) mant = mant * 10 + static_cast<std::uint64_t>(*p - '0');
        decimals = static_cast<int>(p - first);
        digits += decimals;
    }
    // Up to 17 digits, so no digit is dropped and none overflow; exact operands
    // up to 2^53 and 10^22, so the one division rounds correctly.
    if (digits == 0 || digits > max_significant || decimals > 22 ||
        mant > (std::uint64_t{1} << 53) || !is_plain_end(p))
        return nullptr;
    double magnitude = static_cast<double>(mant) / exact_powers[decimals];
    out = negative ? -magnitude : magnitude;
    return p;
}

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
