#include "dialogue.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <stdexcept>
#include <string_view>

#include "line_reader.hpp"
#include "text_writer.hpp"
#include "values.hpp"

namespace tools {

namespace {

constexpr std::size_t kValueCount = 6;

std::string file_name_line(LineReader& reader) {
    std::string_view line;
    if (!reader.next(line)) throw std::runtime_error(reader.path() + ": file name line missing");
    // Trailing blanks are not part of a name; leading ones are.
    const auto last = line.find_last_not_of(" \t");
    return std::string(line.substr(0, last == std::string_view::npos ? 0 : last + 1));
}

// Collects the blank-, tab- or comma-separated tokens of the value lines.
std::array<std::string, kValueCount> value_tokens(LineReader& reader) {
    std::array<std::string, kValueCount> tokens;
    std::size_t count = 0;
    std::string_view line;
    while (count < kValueCount && reader.next(line)) {
        std::size_t pos = 0;
        while (count < kValueCount) {
            pos = line.find_first_not_of(" \t,", pos);
            if (pos == std::string_view::npos) break;
            const auto stop = std::min(line.find_first_of(" \t,", pos), line.size());
            tokens[count++] = std::string(line.substr(pos, stop - pos));
            pos = stop;
        }
    }
    if (count < kValueCount)
        throw std::runtime_error(reader.path() + ": fewer than six run values");
    return tokens;
}

double number(const std::string& token, const std::string& path) {
    double value = 0.0;
    if (!parse_number(token, value)) throw std::runtime_error(path + ": not a number: " + token);
    return value;
}

bool logical(const std::string& token, const std::string& path) {
    bool value = false;
    if (!parse_logical(token, value)) throw std::runtime_error(path + ": not a logical: " + token);
    return value;
}

std::string shortest(double value) {
    std::array<char, 32> text;
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value);
    return std::string(text.data(), result.ptr);
}

std::string fixed(double value, int decimals) {
    std::array<char, 32> text;
    return std::string(text.data(), format_fixed(value, decimals, text.data()));
}

}  // namespace

Dialogue read_dialogue(const std::string& path) {
    LineReader reader(path);
    Dialogue d;
    d.ins_file = file_name_line(reader);
    d.gps_file = file_name_line(reader);
    const auto tokens = value_tokens(reader);
    d.t0_hours = number(tokens[0], path);
    d.t1_hours = number(tokens[1], path);
    d.tshift_s = number(tokens[2], path);
    d.tau_s = number(tokens[3], path);
    d.gps_header = logical(tokens[4], path);
    d.ins_alt_height = logical(tokens[5], path);
    return d;
}

std::string format_dialogue(const Dialogue& d) {
    // The window bounds carry the same ten decimals as the INS times, so a bound
    // placed on a record's time reads back as exactly that time.
    return d.ins_file + '\n' + d.gps_file + '\n' + fixed(d.t0_hours, 10) + ' ' +
           fixed(d.t1_hours, 10) + ' ' + shortest(d.tshift_s) + ' ' + shortest(d.tau_s) + ' ' +
           (d.gps_header ? 'T' : 'F') + ' ' + (d.ins_alt_height ? 'T' : 'F') + '\n';
}

}  // namespace tools
