#include "runner.hpp"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace e2e {

namespace fs = std::filesystem;

std::string read_file(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + p.string());
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

Workdir::Workdir() {
    std::string pattern = (fs::temp_directory_path() / "tolvek-e2e-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    dir_ = pattern;
    tmp_ = dir_ / ".tmp";
    fs::create_directory(tmp_);
}

Workdir::~Workdir() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
}

void Workdir::write(const std::string& name, const std::string& content) const {
    std::ofstream out(dir_ / name, std::ios::binary);
    out << content;
}

std::string Workdir::read(const std::string& name) const {
    return read_file(dir_ / name);
}

bool Workdir::exists(const std::string& name) const {
    return fs::exists(fs::symlink_status(dir_ / name));
}

bool Workdir::tmp_is_empty() const {
    return fs::is_empty(tmp_);
}

Result run_program(const Workdir& dir, const std::vector<std::string>& argv,
                   const std::string& input) {
    fs::path in = dir.tmp().parent_path() / ".stdin";
    fs::path out = dir.tmp().parent_path() / ".stdout";
    fs::path err = dir.tmp().parent_path() / ".stderr";
    {
        std::ofstream f(in, std::ios::binary);
        f << input;
    }
    pid_t pid = ::fork();
    if (pid == 0) {
        int fin = ::open(in.c_str(), O_RDONLY);
        int fout = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int ferr = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fin < 0 || fout < 0 || ferr < 0 || ::chdir(dir.path().c_str()) != 0) ::_exit(127);
        ::dup2(fin, 0);
        ::dup2(fout, 1);
        ::dup2(ferr, 2);
        ::setenv("TMPDIR", dir.tmp().c_str(), 1);
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    Result r;
    r.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    r.out = read_file(out);
    r.err = read_file(err);
    fs::remove(in);
    fs::remove(out);
    fs::remove(err);
    return r;
}

Result run_tolvek(const Workdir& dir, const std::string& input) {
    return run_program(dir, {TOLVEK_BINARY}, input);
}

}  // namespace e2e
