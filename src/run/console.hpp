#pragma once

#include <cstdint>
#include <string_view>

namespace tolvek {

// The console streams of a run. Lines are written in their visible form and
// go out at once, so progress shows while a long run works.
class Console {
  public:
    Console(int out_fd, int err_fd) : out_fd_(out_fd), err_fd_(err_fd) {}

    // A line as given (a free-form text or a composed fixed-form line).
    void line(std::string_view text);
    // A free-form line with a number: the text, then one blank and the number.
    void line(std::string_view text, std::int64_t number);
    // One line on standard error.
    void error(std::string_view text);

  private:
    int out_fd_;
    int err_fd_;
};

}  // namespace tolvek
