#include "run/fixed_form.hpp"

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

// Room for the digits of DBL_MAX with the most decimals a field can have.
constexpr int digit_room = 310 + max_field_width;

char* stars(char* out, int w) {
    std::memset(out, '*', static_cast<std::size_t>(w));
    return out + w;
}

// Decimal digits of q, most significant first; "" for zero.
int u128_digits(u128 q, char* digits) {
    if (q <= UINT64_MAX) {
        if (q == 0) return 0;
        return static_cast<int>(
            std::to_chars(digits, digits + 40, static_cast<std::uint64_t>(q)).ptr - digits);
    }
    char rev[40];
    int n = 0;
    for (; q != 0; q /= 10) rev[n++] = static_cast<char>('0' + static_cast<int>(q % 10));
    for (int i = 0; i < n; ++i) digits[i] = rev[n - 1 - i];
    return n;
}

// round(a x 10^d) exactly, ties to even, in 128-bit integers; false when the
// value is too large for them.
bool scaled_exact(double a, int d, u128& q) {
    if (d > 19) return false;
    int exp;
    double frac = std::frexp(a, &exp);
    auto mant = static_cast<std::uint64_t>(std::ldexp(frac, 53));  // exact: a = mant x 2^(exp-53)
    int e = exp - 53;
    if (e >= 0) {
        if (e > 10) return false;
        q = (u128{mant} << e) * powers_of_ten[d];
        return true;
    }
    u128 scaled = u128{mant} * powers_of_ten[d];
    int s = -e;
    if (s >= 128) {  // below half a unit of the last decimal
        q = 0;
        return true;
    }
    q = scaled >> s;
    u128 rest = scaled - (q << s);
    u128 half = u128{1} << (s - 1);
    if (rest > half || (rest == half && (q & 1) != 0)) ++q;
    return true;
}

// The digits of round(a x 10^d) without leading zeros; their count.
int scaled_digits(double a, int d, char* digits) {
    u128 q;
    if (scaled_exact(a, d, q)) return u128_digits(q, digits);
    // Exact fallback: the library's fixed notation rounds the binary value exactly.
    char text[digit_room];
    char* end = std::to_chars(text, text + sizeof text, a, std::chars_format::fixed, d).ptr;
    int n = 0;
    for (const char* p = text; p < end; ++p) {
        if (*p == '.' || (n == 0 && *p == '0')) continue;
        digits[n++] = *p;
    }
    return n;
}

}  // namespace

char* put_real(char* out, double v, int w, int d) {
    if (!std::isfinite(v)) return stars(out, w);
    char digits[digit_room];
    int nd = scaled_digits(std::fabs(v), d, digits);
    int int_digits = nd > d ? nd - d : 0;
    bool minus = std::signbit(v) && nd > 0;
    int length = (minus ? 1 : 0) + int_digits + 1 + d;
    bool lead_zero = int_digits == 0 && length < w;
    if (lead_zero) ++length;
    if (length > w) return stars(out, w);

    char* p = out;
    std::memset(p, ' ', static_cast<std::size_t>(w - length));
    p += w - length;
    if (minus) *p++ = '-';
    if (lead_zero) *p++ = '0';
    std::memcpy(p, digits, static_cast<std::size_t>(int_digits));
    p += int_digits;
    *p++ = '.';
    int frac_digits = nd - int_digits;
    std::memset(p, '0', static_cast<std::size_t>(d - frac_digits));
    p += d - frac_digits;
    std::memcpy(p, digits + int_digits, static_cast<std::size_t>(frac_digits));
    return p + frac_digits;
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
