// Free-form records of every shape the tool reads, over arbitrary bytes.
// Input: two bytes choosing the block size (16 to 4096), a byte giving how
// many shape bytes follow (1 to 8), the shape bytes, used in turn, then the text.
//
// Each text is read twice: through the small block, which forces refills
// inside values and line ends, and through one block holding all of it. Both
// readings must agree step by step until the small block meets a value
// longer than itself. Values cut by a block end take the general parser and
// whole ones mostly the fast path, so this also sets the two against each
// other; the text's first token is set against both directly.

#include <sys/mman.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "run/block_input.hpp"
#include "run/free_reader.hpp"
#include "run/real_parse.hpp"

namespace {

using tolvek::ReadStatus;

enum Shape { dialogue, gps_plain, gps_numbered, ins_record, whole_line, skip, shape_count };

constexpr std::size_t name_width = 72;

// The variables of all shapes. Like the tool's, they keep their values from
// one read to the next.
struct Vars {
    std::array<double, 8> real{};
    std::int32_t number = 0;
    std::array<bool, 2> logical{};
    std::array<char, name_width> line{};

    bool operator==(const Vars& o) const {
        return std::memcmp(real.data(), o.real.data(), sizeof real) == 0 && number == o.number &&
               logical == o.logical && line == o.line;
    }
};

struct Step {
    ReadStatus status;
    Vars vars;
    std::string bad;  // the diagnostic of a bad value

    bool operator==(const Step&) const = default;
};

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "fuzz_reader: %s\n", what);
    std::abort();
}

std::vector<tolvek::Target> targets(Shape shape, Vars& v) {
    using tolvek::integer_var, tolvek::logical_var, tolvek::real_var;
    auto& r = v.real;
    switch (shape) {
        case dialogue:
            return {real_var(r[0]),
                    real_var(r[1]),
                    real_var(r[2]),
                    real_var(r[3]),
                    logical_var(v.logical[0]),
                    logical_var(v.logical[1])};
        case gps_plain:
            return {real_var(r[0]), real_var(r[1]), real_var(r[2]), real_var(r[3])};
        case gps_numbered:
            return {integer_var(v.number), real_var(r[0]), real_var(r[1]), real_var(r[2]),
                    real_var(r[3])};
        default:
            return {real_var(r[0]), real_var(r[1]), real_var(r[2]), real_var(r[3]),
                    real_var(r[4]), real_var(r[5]), real_var(r[6]), real_var(r[7])};
    }
}

// A diagnostic must stay one line of printable text, point into the input,
// and not quote more than a shortened value.
void check_diagnostic(const tolvek::FreeReader& in, const std::string& message, long lines) {
    for (char c : message) {
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7f)
            fail("diagnostic with a control character or a non-ASCII byte");
    }
    if (in.bad().line < 1 || in.bad().line > lines)
        fail("diagnostic names a line outside the text");
    if (in.bad().text.empty() || in.bad().text.size() > 4 * 40 + 3)
        fail("diagnostic quotes nothing or too much");
}

std::vector<Step> read_all(int fd, std::size_t capacity, std::span<const std::uint8_t> shapes,
                           std::size_t text_size, long lines) {
    if (::lseek(fd, 0, SEEK_SET) != 0) fail("lseek");
    tolvek::BlockInput block(fd, "fuzz input", capacity);
    tolvek::FreeReader in(block);
    Vars v;
    std::vector<Step> steps;
    // Every step that does not end the text consumes at least one byte of it.
    for (std::size_t k = 0; k <= text_size + 1; ++k) {
        auto shape = static_cast<Shape>(shapes[k % shapes.size()] % shape_count);
        Step step{ReadStatus::complete, {}, {}};
        if (shape == whole_line) {
            if (!in.read_line(v.line.data(), name_width)) step.status = ReadStatus::end_of_file;
            if (std::memchr(v.line.data(), '\n', name_width) != nullptr) fail("line end in a line");
        } else if (shape == skip) {
            if (!in.skip_line()) step.status = ReadStatus::end_of_file;
        } else {
            std::vector<tolvek::Target> t = targets(shape, v);
            step.status = in.read(t);
            if (step.status == ReadStatus::complete) {
                for (double r : v.real) {
                    if (!std::isfinite(r)) fail("a complete read gave a value that is not finite");
                }
            } else if (step.status == ReadStatus::bad_value) {
                step.bad = in.bad_message();
                check_diagnostic(in, step.bad, lines);
            }
        }
        step.vars = v;
        steps.push_back(step);
        if (step.status != ReadStatus::complete) return steps;
    }
    fail("reads go on without consuming the text");
}

// Wherever the fast path of plain reals takes a value, the general parser
// takes the same token to the same double. The text is laid out as in a
// block: a NUL sentinel, then slack bytes that may still hold old digits.
void check_plain_real(const std::uint8_t* text, std::size_t size) {
    constexpr std::size_t slack = tolvek::BlockInput::word_slack;
    std::unique_ptr<char[]> block(new char[size + 1 + slack]);
    std::memcpy(block.get(), text, size);
    block[size] = '\0';
    std::memset(block.get() + size + 1, '9', slack);
    double fast = 0.0;
    const char* end = tolvek::parse_plain_real(block.get(), fast);
    if (end == nullptr) return;
    if (end > block.get() + size) fail("the fast path read a value past the sentinel");
    double general = 0.0;
    if (tolvek::parse_real(block.get(), end, general) != tolvek::ParseStatus::ok ||
        std::memcmp(&fast, &general, sizeof fast) != 0)
        fail("the fast path and the general parser differ");
}

int memfd_holding(const std::uint8_t* data, std::size_t size) {
    int fd = ::memfd_create("fuzz_reader", MFD_CLOEXEC);
    if (fd < 0) fail("memfd_create");
    for (std::size_t done = 0; done < size;) {
        ssize_t n = ::write(fd, data + done, size - done);
        if (n <= 0) fail("write to memfd");
        done += static_cast<std::size_t>(n);
    }
    return fd;
}

bool too_long(const Step& s, std::size_t capacity) {
    return s.status == ReadStatus::bad_value &&
           s.bad.find("a value longer than " + std::to_string(capacity)) != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    std::size_t capacity = 16 + (data[0] | data[1] << 8) % 4081;
    std::size_t count = 1 + data[2] % 8;
    if (size < 3 + count) return 0;
    std::span<const std::uint8_t> shapes(data + 3, count);
    const std::uint8_t* text = data + 3 + count;
    std::size_t text_size = size - 3 - count;
    long lines = 1;
    for (std::size_t i = 0; i < text_size; ++i) lines += text[i] == '\n';

    check_plain_real(text, text_size);
    int fd = memfd_holding(text, text_size);
    std::vector<Step> small = read_all(fd, capacity, shapes, text_size, lines);
    std::vector<Step> whole = read_all(fd, text_size + 1, shapes, text_size, lines);
    ::close(fd);

    if (too_long(whole.back(), text_size + 1)) fail("a value longer than the whole text");
    std::size_t compared = small.size();
    if (too_long(small.back(), capacity)) {
        --compared;
        if (whole.size() < compared) fail("the whole text ended before the small blocks did");
    } else if (small.size() != whole.size()) {
        fail("small blocks and one block read a different number of records");
    }
    for (std::size_t k = 0; k < compared; ++k) {
        if (!(small[k] == whole[k])) fail("small blocks and one block read different records");
    }
    return 0;
}
