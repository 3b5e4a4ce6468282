#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace tolvek {

// A text source read in large blocks from a file descriptor. The unread bytes
// of the current block are [pos, end) of `data()`; a NUL sentinel always
// follows them so scanning loops can stop at the end without a bounds check,
// and a few readable bytes follow that, for parsers that read whole words.
class BlockInput {
  public:
    static constexpr std::size_t word_slack = 8;

    BlockInput(int fd, std::string name, std::size_t capacity);

    const char* data() const { return buf_.get(); }
    std::size_t pos = 0;
    std::size_t end = 0;

    // Reads more bytes, first moving the unread bytes [pos, end) to the front.
    // Returns false at end of file or when the block is full of unread bytes.
    bool fill();
    bool full() const { return pos == 0 && end == capacity_; }
    std::size_t capacity() const { return capacity_; }
    const std::string& name() const { return name_; }

  private:
    int fd_;
    std::string name_;
    std::size_t capacity_;
    std::unique_ptr<char[]> buf_;
    bool at_eof_ = false;
};

}  // namespace tolvek
