#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace tools {

// Writes a text file through one large buffer. The simulator produces files of
// a gigabyte and more, so numbers are formatted by hand into the buffer instead
// of going through streams value by value.
class TextWriter {
  public:
    explicit TextWriter(const std::string& path);
    ~TextWriter();
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    void put(char c);
    void put(std::string_view text);
    // Fixed-point number with exactly `decimals` decimals, rounded to nearest.
    void fixed(double value, int decimals);
    void integer(long long value);
    // Flushes and closes; throws std::runtime_error when the data did not reach the file.
    void close();

  private:
    void reserve(std::size_t bytes);
    void flush();

    std::string path_;
    std::FILE* file_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
};

// Appends `value` in fixed-point form to `out`; returns the number of characters written.
// `out` needs room for 32 characters.
std::size_t format_fixed(double value, int decimals, char* out);

}  // namespace tools
