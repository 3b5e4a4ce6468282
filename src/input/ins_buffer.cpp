#include "input/ins_buffer.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "run/failure.hpp"

namespace tolvek {
namespace {

std::string temp_dir() {
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
    return ec ? std::string("/tmp") : dir.string();
}

// A file without a name where the file system allows it; otherwise a named one
// that is unlinked at once, so nothing is left behind in either case.
int anonymous_file(const std::string& dir) {
    int fd = ::open(dir.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) return fd;
    std::string pattern = dir + "/tolvek-XXXXXX";
    fd = ::mkstemp(pattern.data());
    if (fd >= 0) ::unlink(pattern.c_str());
    return fd;
}

}  // namespace

void InsBuffer::fail(const char* what) const {
    throw RunFailure{exit_file, std::string("cannot ") + what + " the INS buffer in \"" + dir_ +
                                    "\": " + std::strerror(errno)};
}

void InsBuffer::open() {
    dir_ = temp_dir();
    file_ = FileHandle(anonymous_file(dir_));
    if (file_.get() < 0) fail("create");
    block_.resize(block_records);
}

void InsBuffer::flush() {
    const char* bytes = reinterpret_cast<const char*>(block_.data());
    std::size_t size = used_ * sizeof(Insrec);
    std::size_t done = 0;
    while (done < size) {
        ssize_t n = ::write(file_.get(), bytes + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            fail("write");
        }
        done += static_cast<std::size_t>(n);
    }
    used_ = 0;
}

void InsBuffer::rewind() {
    flush();
    if (::lseek(file_.get(), 0, SEEK_SET) != 0) fail("rewind");
    read_pos_ = 0;
}

bool InsBuffer::refill() {
    char* bytes = reinterpret_cast<char*>(block_.data());
    std::size_t size = 0;
    const std::size_t room = block_records * sizeof(Insrec);
    while (size < room) {
        ssize_t n = ::read(file_.get(), bytes + size, room - size);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail("read");
        if (n == 0) break;
        size += static_cast<std::size_t>(n);
    }
    used_ = size / sizeof(Insrec);
    read_pos_ = 0;
    return used_ > 0;
}

}  // namespace tolvek
