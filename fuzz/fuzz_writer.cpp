// Fixed-form fields against an exact decimal rendering of the same value:
// the run-time writer, its general path, and the compile-time writer of every
// shape up to 20 characters wide (the fast path lies within them).
// Input: a mode byte, eight value bytes, a width byte and a decimals byte.

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "exact_decimal.hpp"
#include "run/fixed_form.hpp"

namespace {

// Raw bit patterns reach every double; the other modes aim at the values
// where rounding is hard: exact binary ties and the doubles next to a
// decimal tie of the field.
double value_of(std::uint8_t mode, std::uint64_t bits, int d) {
    auto low = static_cast<std::int32_t>(bits);
    int high = static_cast<int>(bits >> 32);
    switch (mode % 3) {
        case 1:
            return std::ldexp(static_cast<double>(low), -(high & 127));
        case 2:
            return (static_cast<double>(low) + 0.5) / std::pow(10.0, d) +
                   std::ldexp(static_cast<double>(high % 5), -60);
        default:
            return std::bit_cast<double>(bits);
    }
}

using Writer = char* (*)(char*, double);
constexpr int widest_shape = 20;

template <int W, int D>
constexpr Writer shape_writer() {
    if constexpr (D < W) {
        return &tolvek::put_field<W, D>;
    } else {
        return nullptr;
    }
}

template <int W, int... D>
constexpr std::array<Writer, sizeof...(D)> shapes_of_width(std::integer_sequence<int, D...>) {
    return {shape_writer<W, D>()...};
}

template <int... W>
constexpr auto shape_table(std::integer_sequence<int, W...>) {
    return std::array{shapes_of_width<W>(std::make_integer_sequence<int, widest_shape>{})...};
}

// shapes[w][d] is put_field<w, d>, for d < w <= widest_shape.
constexpr auto shapes = shape_table(std::make_integer_sequence<int, widest_shape + 1>{});

// Writes into a buffer of exactly w bytes so that a byte too many is caught.
template <typename Write>
std::string field(int w, Write write) {
    std::unique_ptr<char[]> buf(new char[static_cast<std::size_t>(w)]);
    char* end = write(buf.get());
    if (end != buf.get() + w) {
        std::fprintf(stderr, "field of %d characters ended after %td\n", w, end - buf.get());
        std::abort();
    }
    return {buf.get(), static_cast<std::size_t>(w)};
}

void expect(const std::string& got, const std::string& want, const char* what) {
    if (got == want) return;
    std::fprintf(stderr, "%s: got \"%s\", want \"%s\"\n", what, got.c_str(), want.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 11) return 0;
    std::uint64_t bits;
    std::memcpy(&bits, data + 1, sizeof bits);
    int w = 1 + data[9] % tolvek::max_field_width;
    int d = data[10] % w;
    double v = value_of(data[0], bits, d);

    const std::string want = fuzz::expected_real_field(v, w, d);
    char what[96];
    std::snprintf(what, sizeof what, "put_real(%a, %d, %d)", v, w, d);
    expect(field(w, [&](char* out) { return tolvek::put_real(out, v, w, d); }), want, what);
    std::snprintf(what, sizeof what, "put_general(%a, %d, %d)", v, w, d);
    expect(field(w, [&](char* out) { return tolvek::put_general(out, v, w, d); }), want, what);
    if (w <= widest_shape) {
        Writer put = shapes[w][d];
        std::snprintf(what, sizeof what, "put_field<%d, %d>(%a)", w, d, v);
        expect(field(w, [&](char* out) { return put(out, v); }), want, what);
    }

    auto n = static_cast<std::int64_t>(bits);
    std::snprintf(what, sizeof what, "put_integer(%lld, %d)", static_cast<long long>(n), w);
    expect(field(w, [&](char* out) { return tolvek::put_integer(out, n, w); }),
           fuzz::expected_integer_field(n, w), what);
    return 0;
}
