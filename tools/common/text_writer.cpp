#include "text_writer.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace tools {

namespace {

constexpr std::size_t kBufferSize = 1 << 20;
constexpr std::size_t kLongestNumber = 32;

constexpr std::array<double, 11> kPowersOfTen = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5,
                                                 1e6, 1e7, 1e8, 1e9, 1e10};
constexpr std::array<long long, 11> kIntPowersOfTen = {
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000, 10000000000};

// Scaled values below this are integers held exactly in a double.
constexpr double kExactLimit = 9.0e15;

// Writes the decimal digits of `value` (>= 0), at least `min_digits` of them, right to left.
char* digits_backwards(long long value, int min_digits, char* end) {
    int written = 0;
    do {
        *--end = static_cast<char>('0' + value % 10);
        value /= 10;
        ++written;
    } while (value != 0 || written < min_digits);
    return end;
}

}  // namespace

std::size_t format_fixed(double value, int decimals, char* out) {
    const bool in_table = decimals >= 0 && decimals < static_cast<int>(kPowersOfTen.size());
    const double scaled = in_table ? value * kPowersOfTen[decimals] : 0.0;
    if (!in_table || !(std::fabs(scaled) < kExactLimit)) {
        auto result =
            std::to_chars(out, out + kLongestNumber, value, std::chars_format::fixed, decimals);
        // Far too large for fixed form: fall back to the shortest exact form.
        if (result.ec != std::errc{}) result = std::to_chars(out, out + kLongestNumber, value);
        return static_cast<std::size_t>(result.ptr - out);
    }
    long long units = std::llround(scaled);
    const bool negative = units < 0;
    if (negative) units = -units;
    const long long scale = kIntPowersOfTen[decimals];

    std::array<char, kLongestNumber> tmp;
    char* end = tmp.data() + tmp.size();
    char* begin = end;
    if (decimals > 0) {
        begin = digits_backwards(units % scale, decimals, begin);
        *--begin = '.';
    }
    begin = digits_backwards(units / scale, 1, begin);
    if (negative) *--begin = '-';
    const auto length = static_cast<std::size_t>(end - begin);
    std::memcpy(out, begin, length);
    return length;
}

TextWriter::TextWriter(const std::string& path)
    : path_(path), file_(std::fopen(path.c_str(), "wb")), buffer_(kBufferSize) {
    if (file_ == nullptr) throw std::runtime_error("cannot create " + path);
}

TextWriter::~TextWriter() {
    if (file_ == nullptr) return;
    // An unclosed writer is being abandoned, usually while an error unwinds: keep what
    // can be kept, but never throw from here.
    try {
        flush();
    } catch (const std::runtime_error&) {
    }
    std::fclose(file_);
}

void TextWriter::reserve(std::size_t bytes) {
    if (used_ + bytes > buffer_.size()) flush();
}

void TextWriter::flush() {
    if (used_ > 0 && std::fwrite(buffer_.data(), 1, used_, file_) != used_) {
        used_ = 0;
        throw std::runtime_error("cannot write " + path_);
    }
    used_ = 0;
}

void TextWriter::put(char c) {
    reserve(1);
    buffer_[used_++] = c;
}

void TextWriter::put(std::string_view text) {
    if (text.size() > buffer_.size()) {
        flush();
        if (std::fwrite(text.data(), 1, text.size(), file_) != text.size())
            throw std::runtime_error("cannot write " + path_);
        return;
    }
    reserve(text.size());
    std::memcpy(buffer_.data() + used_, text.data(), text.size());
    used_ += text.size();
}

void TextWriter::fixed(double value, int decimals) {
    reserve(kLongestNumber);
    used_ += format_fixed(value, decimals, buffer_.data() + used_);
}

void TextWriter::integer(long long value) {
    reserve(kLongestNumber);
    const auto result =
        std::to_chars(buffer_.data() + used_, buffer_.data() + used_ + kLongestNumber, value);
    used_ = static_cast<std::size_t>(result.ptr - buffer_.data());
}

void TextWriter::close() {
    if (file_ == nullptr) return;
    flush();
    const bool failed = std::fclose(file_) != 0;
    file_ = nullptr;
    if (failed) throw std::runtime_error("cannot write " + path_);
}

}  // namespace tools
