#pragma once

namespace tolvek {

// One whole run: the dialogue from in_fd, console lines to out_fd, diagnostics
// to err_fd, the output files in the working directory. Returns the exit code.
int run(int in_fd, int out_fd, int err_fd);

}  // namespace tolvek
