#pragma once

#include <string>

namespace tolvek {

// A file descriptor closed when it goes out of scope.
class FileHandle {
  public:
    FileHandle() = default;
    explicit FileHandle(int fd) : fd_(fd) {}
    ~FileHandle();
    FileHandle(FileHandle&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    FileHandle& operator=(FileHandle&& other) noexcept;
    int get() const { return fd_; }

  private:
    int fd_ = -1;
};

// How a file is named in diagnostics: its role and its name, e.g. GPS file "gps.txt".
std::string describe(const std::string& role, const std::string& name);

// Opens an input file for reading. A missing file, a directory or an empty
// name ends the run with exit code 8; a file that exists but cannot be opened
// ends it with exit code 12.
FileHandle open_input(const std::string& role, const std::string& name);

}  // namespace tolvek
