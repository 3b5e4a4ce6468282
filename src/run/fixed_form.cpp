#include "run/fixed_form.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace tolvek {
namespace {

// Room for the digits of the largest double with the most decimals a field can have.
constexpr int digit_room = 310 + max_field_width;

char* stars(char* out, int w) {
    for (int i = 0; i < w; ++i) out[i] = '*';
    return out + w;
}

}  // namespace

// Fields beyond the fast path: the library's fixed notation rounds the
// binary value exactly; only the field layout is added here.
char* put_general(char* out, double v, int w, int d) {
    if (!std::isfinite(v)) return stars(out, w);
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

char* put_real(char* out, double v, int w, int d) {
    if (field::fits_short(w, d) && field::put_short(out, v, w, d)) return out + w;
    return put_general(out, v, w, d);
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
