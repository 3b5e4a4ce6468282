#include "run/block_input.hpp"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "run/failure.hpp"

namespace tolvek {

BlockInput::BlockInput(int fd, std::string name, std::size_t capacity)
    : fd_(fd),
      name_(std::move(name)),
      capacity_(capacity),
      buf_(new char[capacity + 1 + word_slack]()) {}

bool BlockInput::fill() {
    if (at_eof_ || full()) return false;
    if (pos > 0) {
        std::memmove(buf_.get(), buf_.get() + pos, end - pos);
        end -= pos;
        pos = 0;
    }
    for (;;) {
        ssize_t got = ::read(fd_, buf_.get() + end, capacity_ - end);
        if (got > 0) {
            end += static_cast<std::size_t>(got);
            buf_[end] = '\0';
            return true;
        }
        if (got == 0) {
            at_eof_ = true;
            buf_[end] = '\0';
            return false;
        }
        if (errno != EINTR)
            throw RunFailure{exit_file, "cannot read " + name_ + ": " + std::strerror(errno)};
    }
}

}  // namespace tolvek
