#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace tools {

// Reads a text file line by line through one large buffer. Lines come without
// their line end; both LF and CR LF endings are accepted.
class LineReader {
  public:
    explicit LineReader(const std::string& path);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The view stays valid until the next call. Returns false at the end of the file.
    bool next(std::string_view& line);
    long line_number() const { return line_number_; }
    const std::string& path() const { return path_; }

  private:
    bool refill();

    std::string path_;
    std::FILE* file_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool at_eof_ = false;
    long line_number_ = 0;
};

}  // namespace tools
