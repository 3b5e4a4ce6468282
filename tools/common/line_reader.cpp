#include "line_reader.hpp"

#include <cstring>
#include <stdexcept>

namespace tools {

namespace {
constexpr std::size_t kBufferSize = 1 << 20;
}

LineReader::LineReader(const std::string& path)
    : path_(path), file_(std::fopen(path.c_str(), "rb")), buffer_(kBufferSize) {
    if (file_ == nullptr) throw std::runtime_error("cannot open " + path);
}

LineReader::~LineReader() {
    std::fclose(file_);
}

// Moves the unread rest to the front and reads more behind it; grows the buffer
// when a single line fills it. Returns false when nothing more could be read.
bool LineReader::refill() {
    if (at_eof_) return false;
    const std::size_t rest = end_ - begin_;
    std::memmove(buffer_.data(), buffer_.data() + begin_, rest);
    begin_ = 0;
    end_ = rest;
    if (end_ == buffer_.size()) buffer_.resize(buffer_.size() * 2);
    const std::size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
    if (got == 0) {
        if (std::ferror(file_)) throw std::runtime_error("cannot read " + path_);
        at_eof_ = true;
        return false;
    }
    end_ += got;
    return true;
}

bool LineReader::next(std::string_view& line) {
    std::size_t scanned = begin_;
    for (;;) {
        const void* found = std::memchr(buffer_.data() + scanned, '\n', end_ - scanned);
        if (found != nullptr) {
            const auto newline =
                static_cast<std::size_t>(static_cast<const char*>(found) - buffer_.data());
            line = std::string_view(buffer_.data() + begin_, newline - begin_);
            begin_ = newline + 1;
            break;
        }
        const std::size_t searched = end_ - begin_;  // holds no line end
        if (!refill()) {
            if (begin_ == end_) return false;
            line =
                std::string_view(buffer_.data() + begin_, end_ - begin_);  // last line, no line end
            begin_ = end_;
            break;
        }
        scanned = begin_ + searched;
    }
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++line_number_;
    return true;
}

}  // namespace tools
