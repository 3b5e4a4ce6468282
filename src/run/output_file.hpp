#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace tolvek {

// A text output file of the run, written from its start through a large
// block. It is opened without cutting it, so an input of the same name can
// still be read whole before it is rewritten; it is cut when writing starts,
// so a run killed while writing leaves only its own lines, and at the end it
// is cut to the length this run wrote, whether the run completed or failed.
// Devices such as /dev/null are written but never cut.
class OutputFile {
  public:
    static constexpr std::size_t block_size = 1 << 20;

    explicit OutputFile(std::string name) : name_(std::move(name)) {}
    ~OutputFile() { abandon(); }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void open();
    // Drops the old content: called once all input has been read.
    void start();

    // Room for one record of at most `n` bytes (n <= block_size); commit() what was used.
    char* reserve(std::size_t n) {
        if (used_ + n > block_size) flush();
        return block_.get() + used_;
    }
    void commit(char* end) { used_ = static_cast<std::size_t>(end - block_.get()); }

    // Writes what is pending, cuts the file to the written length and closes it.
    void finish();
    // After a failure: cuts the file to what reached it and closes it, without throwing.
    void abandon();

  private:
    void flush();
    [[noreturn]] void fail(const char* what) const;

    std::string name_;
    int fd_ = -1;
    bool regular_ = false;
    std::unique_ptr<char[]> block_;
    std::size_t used_ = 0;
    long long written_ = 0;
};

}  // namespace tolvek
