#include "run/output_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "run/failure.hpp"

namespace tolvek {

void OutputFile::fail(const char* what) const {
    throw RunFailure{exit_file, std::string("cannot ") + what + " output file \"" + name_ +
                                    "\": " + std::strerror(errno)};
}

void OutputFile::open() {
    fd_ = ::open(name_.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) fail("open");
    struct stat st;
    regular_ = ::fstat(fd_, &st) == 0 && S_ISREG(st.st_mode);
    block_.reset(new char[block_size]);
}

// An empty file is left alone: on some file systems cutting a file to nothing
// marks it as replaced, and closing it then forces it out to disk at once.
void OutputFile::start() {
    struct stat st;
    if (!regular_ || (::fstat(fd_, &st) == 0 && st.st_size == 0)) return;
    if (::ftruncate(fd_, 0) != 0) fail("cut");
}

void OutputFile::flush() {
    std::size_t done = 0;
    while (done < used_) {
        ssize_t n = ::write(fd_, block_.get() + done, used_ - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            fail("write");
        }
        done += static_cast<std::size_t>(n);
        written_ += n;
    }
    used_ = 0;
}

void OutputFile::finish() {
    if (fd_ < 0) return;
    flush();
    if (regular_ && ::ftruncate(fd_, written_) != 0) fail("cut");
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) fail("close");
}

void OutputFile::abandon() {
    if (fd_ < 0) return;
    // What this run did write stays; nothing of an older, longer file does.
    if (regular_) (void)::ftruncate(fd_, written_);
    ::close(fd_);
    fd_ = -1;
}

}  // namespace tolvek
