#pragma once

#include <unistd.h>

#include <cstdio>
#include <string>

#include "../run/text_source.hpp"
#include "run/block_input.hpp"
#include "run/console.hpp"
#include "run/free_reader.hpp"

namespace tolvek {

// Captures what a pass writes to the console.
class CapturedConsole {
  public:
    CapturedConsole()
        : out_(std::tmpfile()), err_(std::tmpfile()), con(fileno(out_), fileno(err_)) {}
    ~CapturedConsole() {
        std::fclose(out_);
        std::fclose(err_);
    }
    std::string out() const { return contents(out_); }

  private:
    static std::string contents(std::FILE* f) {
        std::string s;
        char buf[4096];
        ::lseek(fileno(f), 0, SEEK_SET);
        for (ssize_t n; (n = ::read(fileno(f), buf, sizeof buf)) > 0;)
            s.append(buf, static_cast<std::size_t>(n));
        return s;
    }
    std::FILE* out_;
    std::FILE* err_;

  public:
    Console con;
};

// A free-form reader over a text, as a pass gets it from its file.
struct TrackText {
    explicit TrackText(const std::string& text, const char* name = "track file \"t.txt\"")
        : src(text), in(src.fd(), name, 1 << 16), reader(in) {}
    TextSource src;
    BlockInput in;
    FreeReader reader;
};

}  // namespace tolvek
