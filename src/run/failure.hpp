#pragma once

#include <string>

namespace tolvek {

// Exit codes of the tool, one per kind of failure.
inline constexpr int exit_ok = 0;
inline constexpr int exit_bad_value = 4;  // a value that cannot be read
inline constexpr int exit_missing = 8;    // an input file missing, a directory, or an empty name
inline constexpr int exit_file =
    12;  // cannot open, end of file where a record is needed, write failure
inline constexpr int exit_capacity =
    16;  // the window holds more grid points than the grid can take

// A fatal condition: it unwinds to the driver, which reports `message` on
// standard error, closes the files as at a normal end and exits with `code`.
struct RunFailure {
    int code;
    std::string message;
};

}  // namespace tolvek
