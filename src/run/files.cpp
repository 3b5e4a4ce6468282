#include "run/files.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "run/failure.hpp"

namespace tolvek {

FileHandle::~FileHandle() {
    if (fd_ >= 0) ::close(fd_);
}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

std::string describe(const std::string& role, const std::string& name) {
    return role + " \"" + name + "\"";
}

FileHandle open_input(const std::string& role, const std::string& name) {
    if (name.empty()) throw RunFailure{exit_missing, role + " name is empty"};
    if (name.find('\0') != std::string::npos)
        throw RunFailure{exit_missing, describe(role, name) + " does not exist (NUL in its name)"};
    struct stat st;
    if (::stat(name.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            throw RunFailure{exit_missing, describe(role, name) + " does not exist"};
    } else if (S_ISDIR(st.st_mode)) {
        throw RunFailure{exit_missing, describe(role, name) + " is a directory"};
    }
    int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw RunFailure{exit_file,
                         "cannot open " + describe(role, name) + ": " + std::strerror(errno)};
    return FileHandle(fd);
}

}  // namespace tolvek
