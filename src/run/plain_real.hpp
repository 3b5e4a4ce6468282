#pragma once

// The reader's fast path for ordinary reals, inline so that it folds into the
// per-value loop.

#include <cstdint>
#include <cstring>

namespace tolvek::plain {

inline constexpr int max_significant = 17;

inline constexpr double exact_powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                          1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                          1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

constexpr bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

inline bool is_plain_end(const char* p) {
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
inline bool eight_digits(const char* p, std::uint64_t& value) {
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
inline bool four_digits(const char* p, std::uint64_t& value) {
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

}  // namespace tolvek::plain

namespace tolvek {

// The common case on a fast path: a real of at most 17 digits, no exponent,
// that ends at a blank, tab, comma, slash or line end, and converts exactly in
// one rounded operation. Reads from p up to and including that terminator,
// and words of eight bytes: the caller's text must end in a NUL sentinel
// followed by at least seven readable bytes. Returns the end of the token;
// returns nullptr, with `out` untouched, for anything else, which
// parse_real then decides. Where both give a value it is the same.
inline const char* parse_plain_real(const char* p, double& out) {
    using namespace plain;
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

}  // namespace tolvek
