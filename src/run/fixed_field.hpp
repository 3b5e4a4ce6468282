#pragma once

// The fast path of the fixed-form real field, inline so that a caller with
// a constant width and decimal count gets all its shifts and masks folded.

#include <bit>
#include <cstdint>
#include <cstring>

namespace tolvek::field {

__extension__ typedef unsigned __int128 u128;  // exact scaled values up to 2^117

inline constexpr std::uint64_t powers_of_ten[] = {1ull,
                                                  10ull,
                                                  100ull,
                                                  1000ull,
                                                  10000ull,
                                                  100000ull,
                                                  1000000ull,
                                                  10000000ull,
                                                  100000000ull,
                                                  1000000000ull,
                                                  10000000000ull,
                                                  100000000000ull,
                                                  1000000000000ull,
                                                  10000000000000ull,
                                                  100000000000000ull,
                                                  1000000000000000ull,
                                                  10000000000000000ull,
                                                  100000000000000000ull,
                                                  1000000000000000000ull,
                                                  10000000000000000000ull};

inline constexpr int max_decimals = 7;
inline constexpr int min_width = 8;
inline constexpr int max_width = 16;
inline constexpr std::uint64_t integer_limit = 10000000;  // integer parts of up to seven digits
inline constexpr std::uint64_t blank_word = 0x2020202020202020ull;
static_assert(std::endian::native == std::endian::little);

constexpr bool fits_short(int w, int d) {
    return d <= max_decimals && w >= min_width && w <= max_width;
}

// round(|v| x 10^d) exactly, ties to even, for d <= 7, from the double's own
// mantissa and exponent; false when the value is too large for 64 bits.
[[gnu::always_inline]] inline bool scaled_exact(std::uint64_t bits, int d, std::uint64_t& q) {
    int biased = static_cast<int>((bits >> 52) & 0x7ff);
    std::uint64_t mant = bits & ((std::uint64_t{1} << 52) - 1);
    int e = -1074;
    if (biased != 0) {
        mant |= std::uint64_t{1} << 52;
        e = biased - 1075;
    }
    if (e >= 0) return false;  // 2^52 and more: no field of the fast path holds it
    u128 scaled = u128{mant} * powers_of_ten[d];  // below 2^77
    int s = -e;
    // Adding half a unit less one, plus one more when the truncated result
    // is odd, rounds to nearest with ties to even.
    if (s < 64) {  // the usual magnitudes, in 64-bit halves
        auto high = static_cast<std::uint64_t>(scaled >> 64);
        auto low = static_cast<std::uint64_t>(scaled);
        if ((high >> s) != 0) return false;
        std::uint64_t truncated = (high << (64 - s)) | (low >> s);
        std::uint64_t rest = low & ((std::uint64_t{1} << s) - 1);
        std::uint64_t half = std::uint64_t{1} << (s - 1);
        q = truncated + ((rest + (half - 1) + (truncated & 1)) >> s);
        return q >= truncated;  // false only if the sum wrapped
    }
    if (s > 78) {  // below half a unit of the last decimal
        q = 0;
        return true;
    }
    u128 half = u128{1} << (s - 1);
    u128 exact = (scaled + (half - 1) + ((scaled >> s) & 1)) >> s;
    if (exact > UINT64_MAX) return false;
    q = static_cast<std::uint64_t>(exact);
    return true;
}

// The eight decimal digits of x < 10^8, leading zeros included, as the
// bytes of one little-endian word: worked out in its lanes as two groups of
// four digits, split into pairs, then into single digits (x / 100 and x / 10
// by exact multiply-shift).
[[gnu::always_inline]] inline std::uint64_t digits8(std::uint32_t x) {
    std::uint64_t v = (x / 10000) | (std::uint64_t{x % 10000} << 32);
    std::uint64_t hundreds = ((v * 10486) >> 20) & 0x0000007f0000007full;
    v = hundreds | ((v - hundreds * 100) << 16);
    std::uint64_t tens = ((v * 103) >> 10) & 0x000f000f000f000full;
    v = tens | ((v - tens * 10) << 8);
    return v | 0x3030303030303030ull;
}

// The same for x < 10^4, cheaper: four digits in the high bytes, zeros before.
[[gnu::always_inline]] inline std::uint64_t digits4(std::uint32_t x) {
    std::uint64_t v = x;
    std::uint64_t hundreds = ((v * 10486) >> 20) & 0x7f;
    v = hundreds | ((v - hundreds * 100) << 16);
    std::uint64_t tens = ((v * 103) >> 10) & 0x000f000full;
    v = tens | ((v - tens * 10) << 8);
    return (v << 32) | 0x3030303030303030ull;
}

// Decimal digits of q > 0: estimated from its bit width, then corrected.
inline int digit_count(std::uint64_t q) {
    int n = (std::bit_width(q) * 1233) >> 12;  // 1233 / 4096 is just above log10(2)
    return n + (q >= powers_of_ten[n] ? 1 : 0);
}

// Word shifts by whole bytes that give 0 for a shift of 64 bits.
constexpr std::uint64_t shl(std::uint64_t x, int bits) {
    return bits >= 64 ? 0 : x << bits;
}
constexpr std::uint64_t shr(std::uint64_t x, int bits) {
    return bits >= 64 ? 0 : x >> bits;
}

// The field built in two words and written with two overlapping stores: the
// integer word (digits after blanks, the sign before them), the fraction
// word, and the point between them. False when it needs the general path.
[[gnu::always_inline]] inline bool put_short(char* out, double v, int w, int d) {
    auto bits = std::bit_cast<std::uint64_t>(v);
    std::uint64_t q;
    if (!scaled_exact(bits, d, q)) return false;
    std::uint64_t ip = q / powers_of_ten[d];
    if (ip >= integer_limit) return false;
    bool minus = (bits >> 63) != 0 && q != 0;

    int shown = ip != 0 ? digit_count(ip) : 0;
    if (shown == 0 && (minus ? 3 : 2) + d <= w) shown = 1;  // a zero before the point with room
    if ((minus ? 1 : 0) + shown + 1 + d > w) return false;  // too wide: asterisks
    // The integer digits right-aligned in one word, the fraction digits at
    // the top of another: one conversion gives both when q has at most eight
    // digits.
    std::uint64_t integer, fraction;
    if (q < powers_of_ten[8]) {
        fraction = digits8(static_cast<std::uint32_t>(q));
        integer = fraction << (8 * d);
    } else {
        auto ip32 = static_cast<std::uint32_t>(ip);
        auto fp32 = static_cast<std::uint32_t>(q - ip * powers_of_ten[d]);
        integer = ip < 10000 ? digits4(ip32) : digits8(ip32);
        fraction = d <= 4 ? digits4(fp32) : digits8(fp32);
    }
    std::uint64_t keep = shl(~std::uint64_t{0}, 8 * (8 - shown));
    integer = (integer & keep) | (blank_word & ~keep);
    if (minus) integer ^= std::uint64_t{' ' ^ '-'} << (8 * (7 - shown));
    // The last eight characters: integer tail, point, d fraction digits.
    std::uint64_t tail = (fraction & shl(~std::uint64_t{0}, 8 * (8 - d))) |
                         (std::uint64_t{'.'} << (8 * (7 - d))) | shr(integer, 8 * (d + 1));
    // The eight before them: blanks, then the integer head.
    std::uint64_t head = shl(integer, 8 * (7 - d)) | shr(blank_word, 8 * (d + 1));
    std::uint64_t first = shr(head, 8 * (max_width - w));
    std::memcpy(out, &first, 8);
    std::memcpy(out + w - 8, &tail, 8);
    return true;
}

}  // namespace tolvek::field
