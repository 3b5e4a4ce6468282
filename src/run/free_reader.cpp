#include "run/free_reader.hpp"

#include <array>
#include <cstring>

namespace tolvek {
namespace {

constexpr int end_of_input = -1;
constexpr std::size_t shown_text = 40;

// Characters that may end a token; NUL and CR need a second look.
constexpr std::array<bool, 256> token_stops = [] {
    std::array<bool, 256> t{};
    for (unsigned char c : {' ', '\t', ',', '/', '\n', '\r', '\0'}) t[c] = true;
    return t;
}();

std::string shown(const char* b, const char* e) {
    std::string s;
    for (const char* p = b; p < e && s.size() < shown_text; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (c >= 0x20 && c < 0x7f) {
            s += static_cast<char>(c);
        } else {
            static const char hex[] = "0123456789abcdef";
            s += "\\x";
            s += hex[c >> 4];
            s += hex[c & 15];
        }
    }
    if (static_cast<std::size_t>(e - b) > shown_text) s += "...";
    return s;
}

}  // namespace

// The character `ahead` bytes past the read position, or end_of_input.
int FreeReader::peek(std::size_t ahead) {
    while (in_.pos + ahead >= in_.end) {
        if (!in_.fill()) return end_of_input;
    }
    return static_cast<unsigned char>(in_.data()[in_.pos + ahead]);
}

// Passes over blanks, tabs and line ends; returns the next character.
int FreeReader::next_value_char() {
    for (;;) {
        const char* d = in_.data();
        std::size_t p = in_.pos;
        for (;; ++p) {
            char c = d[p];
            if (c == ' ' || c == '\t') continue;
            if (c != '\n') break;
            ++line_;
        }
        in_.pos = p;
        if (d[p] != '\0' && d[p] != '\r') return static_cast<unsigned char>(d[p]);
        // The end of the block, a CR, or a NUL in the data: a closer look.
        int c = peek(0);
        if (c == '\r' && peek(1) == '\n') {
            in_.pos += 2;
            ++line_;
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\n') continue;  // only after a refill
        return c;
    }
}

// A NUL is data unless it is the sentinel; a CR ends a token only before LF.
bool FreeReader::is_token_end(const char* p) {
    switch (*p) {
        case '\0':
            return p == in_.data() + in_.end;
        case '\r':
            return peek(static_cast<std::size_t>(p - (in_.data() + in_.pos)) + 1) == '\n';
        default:
            return true;
    }
}

// The token at the read position, kept whole in the block; false when it is
// longer than the block itself.
bool FreeReader::take_token(const char*& b, const char*& e) {
    std::size_t length = 0;
    for (;;) {
        const char* start = in_.data() + in_.pos;
        const char* p = start + length;
        while (!token_stops[static_cast<unsigned char>(*p)]) ++p;
        length = static_cast<std::size_t>(p - start);
        if (*p == '\0' && p == in_.data() + in_.end) {
            if (in_.fill()) continue;
            if (in_.full()) return false;
            break;
        }
        if (is_token_end(p)) break;
        ++length;
    }
    b = in_.data() + in_.pos;
    e = b + length;
    in_.pos += length;
    return true;
}

ReadStatus FreeReader::fail(const char* b, const char* e, Kind kind, Fault fault) {
    bad_ = BadValue{shown(b, e), line_, kind, fault};
    return ReadStatus::bad_value;
}

std::string FreeReader::bad_message() const {
    static const char* const kinds[] = {"a real number", "an integer", "a logical (T or F)"};
    const char* kind = kinds[static_cast<int>(bad_.kind)];
    std::string where = in_.name() + ", line " + std::to_string(bad_.line) + ": ";
    std::string text = "\"" + bad_.text + "\"";
    switch (bad_.fault) {
        case Fault::out_of_range:
            return where + text + " is out of the range of " + kind;
        case Fault::bad_repeat:
            return where + text + " has an invalid repeat count";
        case Fault::too_long:
            return where + "a value longer than " + std::to_string(in_.capacity()) +
                   " characters (" + text + ")";
        default:
            return where + "cannot read " + text + " as " + kind;
    }
}

bool FreeReader::store(const char* b, const char* e, const Target& var) {
    ParseStatus s;
    switch (var.kind) {
        case Kind::real:
            s = parse_real(b, e, *static_cast<double*>(var.value));
            break;
        case Kind::integer:
            s = parse_integer(b, e, *static_cast<std::int32_t*>(var.value));
            break;
        default:
            s = parse_logical(b, e, *static_cast<bool*>(var.value));
            break;
    }
    if (s == ParseStatus::ok) return true;
    fail(b, e, var.kind, s == ParseStatus::bad ? Fault::unreadable : Fault::out_of_range);
    return false;
}

// Assigns one token to vars[k], or a repeat r*v / r* to vars[k] onwards;
// copies beyond the last variable are dropped.
ReadStatus FreeReader::assign(const char* b, const char* e, std::span<const Target> vars,
                              std::size_t& k) {
    const char* star =
        static_cast<const char*>(std::memchr(b, '*', static_cast<std::size_t>(e - b)));
    if (star == nullptr) {
        if (!store(b, e, vars[k])) return ReadStatus::bad_value;
        ++k;
        return ReadStatus::complete;
    }
    std::size_t count = 0;
    for (const char* p = b; p < star; ++p) {
        if (*p < '0' || *p > '9') return fail(b, e, vars[k].kind, Fault::bad_repeat);
        count = count * 10 + static_cast<std::size_t>(*p - '0');
        if (count > vars.size()) count = vars.size() + 1;  // more than enough copies
    }
    if (star == b || count == 0) return fail(b, e, vars[k].kind, Fault::bad_repeat);
    for (std::size_t c = 0; c < count && k < vars.size(); ++c, ++k) {
        if (star + 1 != e && !store(star + 1, e, vars[k])) return ReadStatus::bad_value;
    }
    return ReadStatus::complete;
}

// The value (or repeat) at the read position into vars[k] onwards; ordinary
// reals take the fast path, everything else the exact general one.
ReadStatus FreeReader::take_value(std::span<const Target> vars, std::size_t& k) {
    if (vars[k].kind == Kind::real) {
        const char* start = in_.data() + in_.pos;
        const char* end = parse_plain_real(start, *static_cast<double*>(vars[k].value));
        if (end != nullptr) {
            in_.pos += static_cast<std::size_t>(end - start);
            ++k;
            return ReadStatus::complete;
        }
    }
    const char* b;
    const char* e;
    if (!take_token(b, e))
        return fail(in_.data(), in_.data() + in_.end, vars[k].kind, Fault::too_long);
    return assign(b, e, vars, k);
}

// The common record on a fast path: reals of the plain form separated by
// blanks or tabs, all on the current line and in the current block. Anything
// else (nulls, repeats, slashes, a record over several lines, the end of the
// block) returns false before the read position or the line count moves; the
// general path then reads the record from its start and gives every variable
// the value this path may already have given it.
bool FreeReader::read_plain(std::span<const Target> vars) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    const char* p = in_.data() + in_.pos;
    while (blank(*p)) ++p;
    for (std::size_t k = 0;; ++k) {
        if (vars[k].kind != Kind::real) return false;
        p = parse_plain_real(p, *static_cast<double*>(vars[k].value));
        if (p == nullptr) return false;
        if (k + 1 == vars.size()) break;
        // Values in between end at a blank or tab, often a single one.
        if (!blank(*p)) return false;
        do ++p;
        while (blank(*p));
    }
    in_.pos = static_cast<std::size_t>(p - in_.data());
    return true;
}

ReadStatus FreeReader::read(std::span<const Target> vars) {
    if (line_open_) {
        if (in_.data()[in_.pos] == '\n') {  // the usual end of a record's line
            ++in_.pos;
            ++line_;
        } else if (!skip_line()) {
            return ReadStatus::end_of_file;
        }
    }
    line_open_ = true;
    if (read_plain(vars)) return ReadStatus::complete;
    std::size_t k = 0;
    for (int c = next_value_char();; c = next_value_char()) {
        if (c == end_of_input) return ReadStatus::end_of_file;
        if (c == '/') {
            ++in_.pos;
            return ReadStatus::complete;
        }
        if (c == ',') {
            ++in_.pos;
            ++k;  // a null value
        } else {
            if (take_value(vars, k) != ReadStatus::complete) return ReadStatus::bad_value;
            if (k < vars.size() && next_value_char() == ',') ++in_.pos;  // the value's separator
        }
        // The read ends with its last variable, on the line that gave it.
        if (k >= vars.size()) break;
    }
    return ReadStatus::complete;
}

bool FreeReader::skip_line() {
    line_open_ = false;
    bool any = false;
    for (;;) {
        if (in_.pos < in_.end) {
            any = true;
            const char* d = in_.data();
            const void* nl = std::memchr(d + in_.pos, '\n', in_.end - in_.pos);
            if (nl != nullptr) {
                in_.pos = static_cast<std::size_t>(static_cast<const char*>(nl) - d) + 1;
                ++line_;
                return true;
            }
            in_.pos = in_.end;
        }
        if (!in_.fill()) return any;
    }
}

bool FreeReader::read_line(char* out, std::size_t width) {
    if (line_open_ && !skip_line()) return false;
    std::memset(out, ' ', width);
    std::size_t taken = 0;
    int c = peek(0);
    if (c == end_of_input) return false;
    for (; c != end_of_input && c != '\n'; c = peek(0)) {
        if (c == '\r' && peek(1) == '\n') {
            ++in_.pos;
            continue;
        }
        if (taken < width) out[taken++] = static_cast<char>(c);
        ++in_.pos;
    }
    if (c == '\n') {
        ++in_.pos;
        ++line_;
    }
    line_open_ = false;
    return true;
}

}  // namespace tolvek
