// Whole runs of the tool in this process, over arbitrary track files.
// Input: a 17-byte header, then the GPS text and the INS text.
//   bytes 0-7   t0, the raw bits of a double (decimal hours)
//   bytes 8-9   window length: (value % 1065) - 64 seconds, so runs stay short
//   bytes 10-11 tshift in seconds, signed
//   bytes 12-13 tau in tenths of a second, signed
//   byte 14     bit 0 gpshead, bit 1 insalth
//   bytes 15-16 length of the GPS text; the rest is the INS text
// Each run must end with one of the tool's exit codes, a one-line diagnostic
// on failure, well-formed output files, and nothing left in TMPDIR.

#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "run/driver.hpp"

namespace {

constexpr std::size_t header_size = 17;
constexpr std::size_t dif_line = 49;
constexpr std::size_t pos_line = 72;

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "fuzz_run: %s\n", what.c_str());
    std::abort();
}

// A private working directory with its own TMPDIR, removed at exit.
struct Sandbox {
    std::string dir;
    std::string tmp;
    int home = -1;  // the directory to return to after each run
};
Sandbox sandbox;

void remove_sandbox() {
    for (const char* name : {"gps.dat", "ins.dat", "tolvek.pos", "tolvek.dif"})
        ::unlink((sandbox.dir + "/" + name).c_str());
    ::rmdir(sandbox.tmp.c_str());
    ::rmdir(sandbox.dir.c_str());
}

std::uint16_t u16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

void write_file(const char* name, const std::uint8_t* data, std::size_t size) {
    int fd = ::open(name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) fail(std::string("cannot create ") + name);
    for (std::size_t done = 0; done < size;) {
        ssize_t n = ::write(fd, data + done, size - done);
        if (n <= 0) fail(std::string("cannot write ") + name);
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
}

int memfd_holding(const std::string& text) {
    int fd = ::memfd_create("fuzz_run", MFD_CLOEXEC);
    if (fd < 0 || ::write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
        fail("memfd");
    ::lseek(fd, 0, SEEK_SET);
    return fd;
}

std::string contents(int fd) {
    std::string s;
    char buf[4096];
    ::lseek(fd, 0, SEEK_SET);
    for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;)
        s.append(buf, static_cast<std::size_t>(n));
    ::close(fd);
    return s;
}

// Reads an output file of the run; false when the run did not create it.
bool read_output(const char* name, std::string& text) {
    int fd = ::open(name, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    text = contents(fd);
    return true;
}

// The dialogue of a run, and the grid size its window gives.
struct Dialogue {
    std::string text;
    double points;
};

Dialogue dialogue(const std::uint8_t* h) {
    double t0;
    std::memcpy(&t0, h, sizeof t0);
    double t1 = t0 + (u16(h + 8) % 1065 - 64) / 3600.0;
    auto tshift = static_cast<std::int16_t>(u16(h + 10));
    double tau = static_cast<std::int16_t>(u16(h + 12)) / 10.0;
    char values[160];
    std::snprintf(values, sizeof values, "%.17g %.17g %d %.1f %c %c\n", t0, t1, tshift, tau,
                  (h[14] & 1) ? 'T' : 'F', (h[14] & 2) ? 'T' : 'F');
    // %.17g gives back the very doubles, so the tool sees this window.
    return {std::string("ins.dat\ngps.dat\n") + values, std::round((t1 - t0) * 3600.0) + 1.0};
}

bool tmp_is_empty() {
    DIR* d = ::opendir(sandbox.tmp.c_str());
    if (d == nullptr) fail("cannot list TMPDIR");
    int entries = 0;
    while (::readdir(d) != nullptr) ++entries;
    ::closedir(d);
    return entries == 2;  // "." and ".."
}

// Every line of a complete output file has its fixed length and ends in CR LF.
void check_lines(const std::string& text, std::size_t length, const char* name) {
    if (text.size() % length != 0) fail(std::string(name) + " is not made of whole lines");
    for (std::size_t i = 0; i < text.size(); i += length) {
        if (text.compare(i + length - 2, 2, "\r\n") != 0 ||
            text.find_first_of("\r\n", i) != i + length - 2)
            fail(std::string(name) + " has a line of the wrong length");
    }
}

std::size_t ins_count(const std::string& out) {
    const std::string label = "number of ins data read in wanted time interval: ";
    std::size_t at = out.find(label);
    if (at == std::string::npos) fail("no INS count on the console");
    return std::strtoul(out.c_str() + at + label.size(), nullptr, 10);
}

void check(int code, const Dialogue& d, const std::string& out, const std::string& err) {
    if (code != 0 && code != 4 && code != 12 && code != 16)
        fail("exit code " + std::to_string(code));
    if (out.rfind("- TOLVEK -\n", 0) != 0) fail("no banner");
    bool one_line = !err.empty() && err.find('\n') == err.size() - 1;
    if (code != 0 && !one_line) fail("a failure without exactly one diagnostic line: " + err);
    if (code == 0 && !err.empty() && !(one_line && err.find("warning") != std::string::npos))
        fail("a complete run with a diagnostic: " + err);

    std::string pos, dif;
    bool have_pos = read_output("tolvek.pos", pos);
    bool have_dif = read_output("tolvek.dif", dif);
    // Only a failed dialogue ends the run before the outputs are opened.
    bool opened = err.find("standard input") == std::string::npos;
    if (have_pos != opened || have_dif != opened) fail("output files present: " + err);
    if (code == 16 && !(pos.empty() && dif.empty() && d.points > 43200))
        fail("capacity stop for a window the grid holds, or with output");
    if (code == 0) {
        check_lines(dif, dif_line, "tolvek.dif");
        if (dif.size() / dif_line != static_cast<std::size_t>(std::max(d.points, 0.0)))
            fail("tolvek.dif does not have a line per grid point");
        check_lines(pos, pos_line, "tolvek.pos");
        if (pos.size() / pos_line != ins_count(out)) fail("INS count differs from tolvek.pos");
    }
    if (!tmp_is_empty()) fail("the run left a file in TMPDIR");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* base = std::getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/tolvek-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) fail("mkdtemp");
    sandbox.dir = pattern;
    sandbox.tmp = sandbox.dir + "/tmp";
    if (::mkdir(sandbox.tmp.c_str(), 0700) != 0) fail("mkdir");
    ::setenv("TMPDIR", sandbox.tmp.c_str(), 1);
    sandbox.home = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (sandbox.home < 0) fail("cannot open the working directory");
    std::atexit(remove_sandbox);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < header_size) return 0;
    std::size_t gps_size = std::min<std::size_t>(u16(data + 15), size - header_size);
    const std::uint8_t* gps = data + header_size;

    if (::chdir(sandbox.dir.c_str()) != 0) fail("chdir");
    ::unlink("tolvek.pos");
    ::unlink("tolvek.dif");
    write_file("gps.dat", gps, gps_size);
    write_file("ins.dat", gps + gps_size, size - header_size - gps_size);

    const Dialogue d = dialogue(data);
    int in = memfd_holding(d.text);
    int out = memfd_holding("");
    int err = memfd_holding("");
    int code = tolvek::run(in, out, err);
    ::close(in);
    check(code, d, contents(out), contents(err));
    if (::fchdir(sandbox.home) != 0) fail("fchdir");
    return 0;
}
