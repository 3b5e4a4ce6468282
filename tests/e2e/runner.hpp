#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace e2e {

// A fresh working directory for one run of the tool, with a private
// temporary directory, removed afterwards.
class Workdir {
  public:
    Workdir();
    ~Workdir();
    Workdir(const Workdir&) = delete;
    Workdir& operator=(const Workdir&) = delete;

    const std::filesystem::path& path() const { return dir_; }
    const std::filesystem::path& tmp() const { return tmp_; }
    void write(const std::string& name, const std::string& content) const;
    std::string read(const std::string& name) const;
    bool exists(const std::string& name) const;
    // True when the run left nothing in its temporary directory.
    bool tmp_is_empty() const;

  private:
    std::filesystem::path dir_;
    std::filesystem::path tmp_;
};

struct Result {
    int exit_code = -1;
    std::string out;
    std::string err;
};

// Runs a program with arguments in `dir`, `input` on its standard input.
Result run_program(const Workdir& dir, const std::vector<std::string>& argv,
                   const std::string& input);

// Runs the built tool in `dir` with `input` on its standard input.
Result run_tolvek(const Workdir& dir, const std::string& input);

std::string read_file(const std::filesystem::path& p);

}  // namespace e2e
