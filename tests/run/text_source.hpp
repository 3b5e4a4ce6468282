#pragma once

#include <unistd.h>

#include <cstdio>
#include <string>

// Text behind a file descriptor, as the readers get it from a real file.
class TextSource {
  public:
    explicit TextSource(const std::string& text) : file_(std::tmpfile()) {
        std::fwrite(text.data(), 1, text.size(), file_);
        std::fflush(file_);
        std::rewind(file_);
        ::lseek(fileno(file_), 0, SEEK_SET);
    }
    ~TextSource() { std::fclose(file_); }
    int fd() const { return fileno(file_); }

  private:
    std::FILE* file_;
};
