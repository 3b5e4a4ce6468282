#pragma once

#include <cstdio>
#include <exception>
#include <string_view>
#include <vector>

namespace tools {

// What a helper program shows of itself on the command line.
struct Command {
    const char* name;
    const char* usage;
    int failure_code;  // the exit code when the work itself fails
};

// The frame the helper programs share: "--help" alone prints the usage and
// exits 0; arguments that do not parse print it to standard error and exit 2;
// a failure of the work is one line "NAME: what went wrong" and the command's
// failure code. Otherwise the work's own exit code is returned.
template <class Args, class Parse, class Work>
int run_command(const Command& command, int argc, char** argv, Parse parse, Work work) {
    const std::vector<std::string_view> words(argv + 1, argv + argc);
    if (words.size() == 1 && words[0] == "--help") {
        std::fputs(command.usage, stdout);
        return 0;
    }
    Args args;
    if (!parse(words, args)) {
        std::fputs(command.usage, stderr);
        return 2;
    }
    try {
        return work(args);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", command.name, e.what());
        return command.failure_code;
    }
}

}  // namespace tools
