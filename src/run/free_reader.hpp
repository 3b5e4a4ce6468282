#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "run/block_input.hpp"
#include "run/real_parse.hpp"

namespace tolvek {

enum class Kind : unsigned char { real, integer, logical };

// One variable of a free-form read.
struct Target {
    Kind kind;
    void* value;
};
inline Target real_var(double& v) {
    return {Kind::real, &v};
}
inline Target integer_var(std::int32_t& v) {
    return {Kind::integer, &v};
}
inline Target logical_var(bool& v) {
    return {Kind::logical, &v};
}

enum class ReadStatus { complete, end_of_file, bad_value };

enum class Fault { unreadable, out_of_range, bad_repeat, too_long };

// Where and why the last read failed on a value.
struct BadValue {
    std::string text;  // the offending token, shortened for a one-line message
    long line = 0;
    Kind kind = Kind::real;
    Fault fault = Fault::unreadable;
};

// Free-form records over a block input. Values are separated
// by blanks, tabs, commas and line ends; each read starts on a new line and
// ignores what is left of its last line. Null values, r* and a slash leave
// variables unchanged; r*v repeats v. Nothing is allocated per value.
class FreeReader {
  public:
    explicit FreeReader(BlockInput& in) : in_(in) {}

    ReadStatus read(std::span<const Target> vars);

    // Whole-line text input: the first `width` characters of the next line,
    // padded with blanks. Returns false at end of input.
    bool read_line(char* out, std::size_t width);

    // Passes over the next line unread. Returns false at end of input.
    bool skip_line();

    const BadValue& bad() const { return bad_; }
    // One line for a person: the source, the line and what is wrong with the value.
    std::string bad_message() const;
    const std::string& name() const { return in_.name(); }

  private:
    int peek(std::size_t ahead);
    int next_value_char();
    bool read_plain(std::span<const Target> vars);
    ReadStatus take_value(std::span<const Target> vars, std::size_t& k);
    bool take_token(const char*& b, const char*& e);
    bool is_token_end(const char* p);
    ReadStatus assign(const char* b, const char* e, std::span<const Target> vars, std::size_t& k);
    bool store(const char* b, const char* e, const Target& var);
    ReadStatus fail(const char* b, const char* e, Kind kind, Fault fault);

    BlockInput& in_;
    long line_ = 1;
    bool line_open_ = false;  // part of the current line has been read
    BadValue bad_;
};

}  // namespace tolvek
