#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "run/files.hpp"

namespace tolvek {

// One INS record of the window, as the draped output needs it back.
struct Insrec {
    double time, lat, lon, h, a1, a2, a3;
};

// The INS records of the window, kept in an anonymous temporary file so that
// memory stays small however long the flight; it vanishes with the process,
// even when the run is killed. Records go through a large block both ways.
class InsBuffer {
  public:
    static constexpr std::size_t block_records = (1 << 20) / sizeof(Insrec);

    void open();
    void append(const Insrec& r) {
        if (used_ == block_records) flush();
        block_[used_++] = r;
    }
    // Writes what is pending and goes back to the first record.
    void rewind();
    // The next record after rewind(); false after the last.
    bool next(Insrec& r) {
        if (used_ == read_pos_ && !refill()) return false;
        r = block_[read_pos_++];
        return true;
    }

  private:
    void flush();
    bool refill();
    [[noreturn]] void fail(const char* what) const;

    std::string dir_;
    FileHandle file_;
    std::vector<Insrec> block_;
    std::size_t used_ = 0;
    std::size_t read_pos_ = 0;
};

}  // namespace tolvek
