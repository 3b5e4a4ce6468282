#include "values.hpp"

#include <charconv>

namespace tools {

namespace {
bool is_separator(char c) {
    return c == ' ' || c == '\t' || c == ',' || c == '\r';
}
}  // namespace

bool parse_number(std::string_view token, double& value) {
    if (!token.empty() && token.front() == '+') token.remove_prefix(1);
    const char* end = token.data() + token.size();
    const auto result = std::from_chars(token.data(), end, value);
    return !token.empty() && result.ec == std::errc{} && result.ptr == end;
}

int parse_values(std::string_view line, std::span<double> out) {
    std::size_t count = 0;
    std::size_t pos = 0;
    while (count < out.size()) {
        while (pos < line.size() && is_separator(line[pos])) ++pos;
        if (pos == line.size()) break;
        std::size_t stop = pos;
        while (stop < line.size() && !is_separator(line[stop])) ++stop;
        if (!parse_number(line.substr(pos, stop - pos), out[count])) return -1;
        ++count;
        pos = stop;
    }
    return static_cast<int>(count);
}

bool parse_logical(std::string_view token, bool& value) {
    if (!token.empty() && token.front() == '.') token.remove_prefix(1);
    if (token.empty()) return false;
    switch (token.front()) {
        case 'T':
        case 't':
            value = true;
            return true;
        case 'F':
        case 'f':
            value = false;
            return true;
        default:
            return false;
    }
}

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

}  // namespace tools
