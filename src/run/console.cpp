#include "run/console.hpp"

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <string>

namespace tolvek {
namespace {

// A console that cannot take the line must not stop the run: the files are
// the product, so a failed write to the console is dropped.
void write_line(int fd, std::string_view text) {
    std::string out(text);
    out += '\n';
    std::size_t done = 0;
    while (done < out.size()) {
        ssize_t n = ::write(fd, out.data() + done, out.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
}

}  // namespace

void Console::line(std::string_view text) {
    write_line(out_fd_, text);
}

void Console::line(std::string_view text, std::int64_t number) {
    char digits[24];
    char* end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    std::string out(text);
    out += ' ';
    out.append(digits, end);
    write_line(out_fd_, out);
}

void Console::error(std::string_view text) {
    write_line(err_fd_, text);
}

}  // namespace tolvek
