#include "run/fixed_form.hpp"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

namespace tolvek {
namespace {

__extension__ typedef unsigned __int128 u128;  // exact scaled values up to 2^117

constexpr std::uint64_t powers_of_ten[] = {1ull,
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

// Room for the digits of the largest double with the most decimals a field can have.
constexpr int digit_room = 310 + max_field_width;

char* stars(char* out, int w) {
    for (int i = 0; i < w; ++i) out[i] = '*';
    return out + w;
}

// round(|v| x 10^d) exactly, ties to even, from the double's own mantissa and
// exponent; false when it does not fit in 64 bits (such a value is rare in a
// field and goes the library's way).
bool scaled_exact(std::uint64_t bits, int d, std::uint64_t& q) {
    int biased = static_cast<int>((bits >> 52) & 0x7ff);
    std::uint64_t mant = bits & ((std::uint64_t{1} << 52) - 1);
    int e = -1074;
    if (biased != 0) {
        mant |= std::uint64_t{1} << 52;
        e = biased - 1075;
    }
    if (d > 19 || e > 10) return false;
    u128 exact;
    if (e >= 0) {
        exact = (u128{mant} << e) * powers_of_ten[d];
    } else {
        u128 scaled = u128{mant} * powers_of_ten[d];
        int s = -e;
        if (s >= 118) {  // scaled < 2^117: below half a unit of the last decimal
            exact = 0;
        } else {
            exact = scaled >> s;
            u128 rest = scaled - (exact << s);
            u128 half = u128{1} << (s - 1);
            if (rest > half || (rest == half && (exact & 1) != 0)) ++exact;
        }
    }
    if (exact > UINT64_MAX) return false;
    q = static_cast<std::uint64_t>(exact);
    return true;
}

// The eight decimal digits of x < 10^8, leading zeros included, as the
// bytes of one little-endian word: worked out in its lanes as two groups of
// four digits, split into pairs, then into single digits (x / 100 and x / 10
// by exact multiply-shift).
std::uint64_t digits8(std::uint32_t x) {
    std::uint64_t v = (x / 10000) | (std::uint64_t{x % 10000} << 32);
    std::uint64_t hundreds = ((v * 10486) >> 20) & 0x0000007f0000007full;
    v = hundreds | ((v - hundreds * 100) << 16);
    std::uint64_t tens = ((v * 103) >> 10) & 0x000f000f000f000full;
    v = tens | ((v - tens * 10) << 8);
    return v | 0x3030303030303030ull;
}

// Decimal digits of q > 0: estimated from its bit width, then corrected.
int digit_count(std::uint64_t q) {
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

constexpr std::uint64_t blank_word = 0x2020202020202020ull;
constexpr std::uint64_t short_limit = 10000000;  // integer parts of up to seven digits
static_assert(std::endian::native == std::endian::little);

// The common field, 8 to 16 characters with up to 7 decimals and an integer
// part of up to seven digits, built in two words and written with two
// overlapping stores: the integer word (digits after blanks, the sign before
// them), the fraction word, and the point between them.
char* put_short(char* out, std::uint64_t ip, std::uint64_t fp, bool minus, int w, int d) {
    int shown = ip != 0 ? digit_count(ip) : 0;
    if (shown == 0 && (minus ? 3 : 2) + d <= w) shown = 1;  // a zero before the point with room
    if ((minus ? 1 : 0) + shown + 1 + d > w) return stars(out, w);
    std::uint64_t keep = shl(~std::uint64_t{0}, 8 * (8 - shown));
    std::uint64_t integer = (digits8(static_cast<std::uint32_t>(ip)) & keep) | (blank_word & ~keep);
    if (minus) integer ^= std::uint64_t{' ' ^ '-'} << (8 * (7 - shown));
    std::uint64_t fraction = digits8(static_cast<std::uint32_t>(fp));
    // The last eight characters: integer tail, point, d fraction digits.
    std::uint64_t tail = (fraction & shl(~std::uint64_t{0}, 8 * (8 - d))) |
                         (std::uint64_t{'.'} << (8 * (7 - d))) | shr(integer, 8 * (d + 1));
    // The eight before them: blanks, then the integer head.
    std::uint64_t head = shl(integer, 8 * (7 - d)) | shr(blank_word, 8 * (d + 1));
    std::uint64_t first = shr(head, 8 * (16 - w));
    std::memcpy(out, &first, 8);
    std::memcpy(out + w - 8, &tail, 8);
    return out + w;
}

// Values beyond the fast path: the library's fixed notation rounds
// the binary value exactly; only the field layout is added here.
char* put_large(char* out, double v, int w, int d) {
    char text[digit_room + 1];
    char* end =
        std::to_chars(text, text + digit_room, std::fabs(v), std::chars_format::fixed, d).ptr;
    if (d == 0) *end++ = '.';
    const char* digits = text;
    bool minus =
        std::signbit(v) && std::any_of(text, end, [](char c) { return c > '0' && c <= '9'; });
    auto length = static_cast<int>(end - digits) + (minus ? 1 : 0);
    if (length > w && digits[0] == '0') {  // no room for the zero before the point
        ++digits;
        --length;
    }
    if (length > w) return stars(out, w);
    char* p = out;
    for (int i = length; i < w; ++i) *p++ = ' ';
    if (minus) *p++ = '-';
    std::memcpy(p, digits, static_cast<std::size_t>(end - digits));
    return p + (end - digits);
}

}  // namespace

char* put_real(char* out, double v, int w, int d) {
    auto bits = std::bit_cast<std::uint64_t>(v);
    if (((bits >> 52) & 0x7ff) == 0x7ff) return stars(out, w);  // not finite
    std::uint64_t q;
    if (d <= 7 && w >= 8 && w <= 16 && scaled_exact(bits, d, q)) {
        // Split at the point; rounding may carry into the integer part.
        auto ip = static_cast<std::uint64_t>(std::fabs(v));
        std::uint64_t fp = q - ip * powers_of_ten[d];
        if (fp >= powers_of_ten[d]) {
            fp -= powers_of_ten[d];
            ++ip;
        }
        if (ip < short_limit) return put_short(out, ip, fp, (bits >> 63) != 0 && q != 0, w, d);
    }
    return put_large(out, v, w, d);
}

char* put_integer(char* out, std::int64_t v, int w) {
    char text[24];
    char* end = std::to_chars(text, text + sizeof text, v).ptr;
    int length = static_cast<int>(end - text);
    if (length > w) return stars(out, w);
    std::memset(out, ' ', static_cast<std::size_t>(w - length));
    std::memcpy(out + (w - length), text, static_cast<std::size_t>(length));
    return out + w;
}

char* put_text(char* out, std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

}  // namespace tolvek
