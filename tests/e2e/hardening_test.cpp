// The built tool against hostile input and a hostile environment: broken
// links, unwritable outputs, binary garbage, endless lines, extreme values and
// a kill in the middle of a run.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <charconv>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "runner.hpp"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string gps = "36000 50.0 8.0 100.0\n36001 50.0 8.0 100.0\n36002 50.0 8.0 100.0\n";
const std::string ins =
    "10.0 50.0001 8.0 101.0 1 2 3 0\n"
    "10.0002777777777778 50.0001 8.0 101.0 1 2 3 0\n"
    "10.0005555555555556 50.0001 8.0 101.0 1 2 3 0\n";
const std::string dialogue = "ins.txt\ngps.txt\n10 10.001 0 5 F F\n";
const std::string old_output = std::string(5000, 'o');
constexpr std::size_t dif_line = 49;
constexpr std::size_t pos_line = 72;
constexpr std::size_t huge = 24u << 20;  // a line far longer than the tool's 1 MiB blocks

// One line of printable text: what a person can read in a log.
void expect_one_readable_line(const std::string& err) {
    ASSERT_FALSE(err.empty());
    EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
    for (std::size_t i = 0; i + 1 < err.size(); ++i) {
        auto c = static_cast<unsigned char>(err[i]);
        EXPECT_TRUE(c >= 0x20 && c < 0x7f) << "byte " << int(c) << " at " << i << " of " << err;
    }
}

// Every line of an output file has its fixed length and ends in CR LF.
void expect_lines(const std::string& text, std::size_t length) {
    ASSERT_EQ(text.size() % length, 0u);
    for (std::size_t i = 0; i < text.size(); i += length) {
        EXPECT_EQ(text.find_first_of("\r\n", i), i + length - 2) << text.substr(i, length);
        EXPECT_EQ(text.compare(i + length - 2, 2, "\r\n"), 0);
    }
}

// Runs like run_tolvek, but kills the tool when it takes longer than the
// limit given to wait(). With `stdout_unread`, standard output is a pipe that
// nobody reads, as when the console report is piped into a program that
// has already ended.
struct Launch {
    const Workdir& dir;
    pid_t pid = -1;

    Launch(const Workdir& d, const std::string& input, bool stdout_unread = false) : dir(d) {
        std::ofstream(d.path() / ".stdin", std::ios::binary) << input;
        pid = ::fork();
        if (pid != 0) return;
        int in = ::open((d.path() / ".stdin").c_str(), O_RDONLY);
        int out = ::open((d.path() / ".stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = ::open((d.path() / ".stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || err < 0 || ::chdir(d.path().c_str()) != 0) ::_exit(127);
        if (stdout_unread) {
            int ends[2];
            if (::pipe(ends) != 0) ::_exit(127);
            ::close(ends[0]);
            out = ends[1];
        }
        ::dup2(in, 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
        ::signal(SIGPIPE, SIG_DFL);  // as a shell starts it
        ::setenv("TMPDIR", d.tmp().c_str(), 1);
        ::execl(TOLVEK_BINARY, "tolvek", static_cast<char*>(nullptr));
        ::_exit(127);
    }

    // True until the tool ends; its exit status is left for wait().
    bool running() const {
        siginfo_t info{};
        return ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
               info.si_pid == 0;
    }

    // The exit code, or 128 + the signal that ended the tool.
    Result wait(std::chrono::milliseconds limit = 600s) {
        int status = 0;
        auto deadline = std::chrono::steady_clock::now() + limit;
        while (::waitpid(pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                ADD_FAILURE() << "the run took longer than " << limit.count() << " ms";
                ::kill(pid, SIGKILL);
                ::waitpid(pid, &status, 0);
                break;
            }
            std::this_thread::sleep_for(5ms);
        }
        Result r;
        r.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        r.out = read_file(dir.path() / ".stdout");
        r.err = read_file(dir.path() / ".stderr");
        return r;
    }
};

// ---------------------------------------------------------------------------
// Runs that must be refused with one readable line and a documented code.

constexpr long not_read = -1;  // a link to a device: reading it would never end

struct Refusal {
    const char* name;
    std::function<void(const Workdir&)> setup;
    int exit_code;
    std::vector<std::string> diagnostic;  // texts the line must hold
    long pos_size;  // sizes of the outputs afterwards: old_output.size() when they are kept,
    long dif_size;  // not_read for a link to a device
};

void write_inputs(const Workdir& d, const std::string& g, const std::string& i) {
    d.write("gps.txt", g);
    d.write("ins.txt", i);
}

std::function<void(const Workdir&)> inputs(std::string g, std::string i) {
    return [g, i](const Workdir& d) { write_inputs(d, g, i); };
}

std::function<void(const Workdir&)> output_on_full_device(const char* name) {
    return [name](const Workdir& d) {
        write_inputs(d, gps, ins);
        fs::create_symlink("/dev/full", d.path() / name);
    };
}

std::vector<Refusal> refusals() {
    const long old = static_cast<long>(old_output.size());
    using namespace std::string_literals;
    return {
        {"gps_dangling_link",
         [](const Workdir& d) {
             d.write("ins.txt", ins);
             fs::create_symlink("gone.txt", d.path() / "gps.txt");
         },
         8,
         {"GPS file \"gps.txt\"", "does not exist"},
         old,
         old},
        {"ins_dangling_link",
         [](const Workdir& d) {
             d.write("gps.txt", gps);
             fs::create_symlink("/nonexistent/ins.txt", d.path() / "ins.txt");
         },
         8,
         {"INS file \"ins.txt\"", "does not exist"},
         old,
         old},
        // The draped file fails at its end, so the differences pending in their block are
        // dropped too: the difference file is cut to what reached it, nothing.
        {"pos_unwritable",
         output_on_full_device("tolvek.pos"),
         12,
         {"\"tolvek.pos\""},
         not_read,
         0},
        {"dif_unwritable",
         output_on_full_device("tolvek.dif"),
         12,
         {"\"tolvek.dif\""},
         2 * pos_line,
         not_read},
        {"gps_nul_bytes",
         inputs("36000 50.0 8.0 100.0\n36001 50.0\0\x01 8.0 100.0\n"s, ins),
         4,
         {"GPS file \"gps.txt\"", "line 2", "\"50.0\\x00\\x01\""},
         0,
         0},
        {"ins_binary_garbage",
         inputs(gps, "10.0 50 8 100 1 2 3 0\n10.0003 \xff\xfe\x80garbage 8 100 1 2 3 0\n"),
         4,
         {"INS file \"ins.txt\"", "line 2", "\"\\xff\\xfe\\x80garbage\""},
         0,
         0},
        {"ins_nul_line",
         inputs(gps, ins + std::string(100, '\0') + "\n"),
         4,
         {"INS file \"ins.txt\"", "line 4", "\\x00\\x00", "..."},
         0,
         0},
        // A CR not followed by LF is not a line end: it joins two values into one.
        {"gps_cr_only_line_ends",
         inputs("36000 50.0 8.0 100.0\r36001 50.0 8.0 100.0\r", ins),
         4,
         {"GPS file \"gps.txt\"", "line 1", "\"100.0\\x0d36001\""},
         0,
         0},
        {"ins_cr_only_line_ends",
         inputs(gps, "10.0 50 8 100 1 2 3 0\r10.0003 50 8 100 1 2 3 0\r"),
         4,
         {"INS file \"ins.txt\"", "line 1", "\"0\\x0d10.0003\""},
         0,
         0},
        {"ins_beyond_double_range",
         inputs(gps, "10.0 50 8 1e400 1 2 3 0\n"),
         4,
         {"INS file \"ins.txt\"", "line 1", "\"1e400\"", "range"},
         0,
         0},
        {"gps_beyond_double_range",
         inputs("36000 -1D400 8.0 100.0\n", ins),
         4,
         {"GPS file \"gps.txt\"", "\"-1D400\"", "range"},
         0,
         0},
        {"gps_endless_value",
         [](const Workdir& d) { write_inputs(d, gps + std::string(huge, '7'), ins); },
         4,
         {"GPS file \"gps.txt\"", "line 4", "a value longer than", "..."},
         0,
         0},
        {"ins_endless_blanks",
         [](const Workdir& d) { write_inputs(d, gps, std::string(huge, ' ')); },
         12,
         {"INS file \"ins.txt\"", "no complete INS record"},
         0,
         0},
    };
}

class Refused : public ::testing::TestWithParam<Refusal> {};

TEST_P(Refused, OneReadableLineItsCodeAndNoLeftovers) {
    const Refusal& c = GetParam();
    Workdir d;
    c.setup(d);
    for (const char* name : {"tolvek.pos", "tolvek.dif"})
        if (!d.exists(name)) d.write(name, old_output);
    Result r = Launch(d, dialogue).wait(60s);
    EXPECT_EQ(r.exit_code, c.exit_code);
    expect_one_readable_line(r.err);
    for (const std::string& text : c.diagnostic)
        EXPECT_NE(r.err.find(text), std::string::npos) << text << " not in " << r.err;
    for (auto [name, size] :
         {std::pair{"tolvek.pos", c.pos_size}, std::pair{"tolvek.dif", c.dif_size}}) {
        if (size == not_read) continue;
        std::string text = d.read(name);
        EXPECT_EQ(static_cast<long>(text.size()), size) << name;
        if (size != static_cast<long>(old_output.size())) {
            EXPECT_EQ(text.find('o'), std::string::npos) << name << " keeps old content";
        }
    }
    EXPECT_TRUE(d.tmp_is_empty());
}

INSTANTIATE_TEST_SUITE_P(Table, Refused, ::testing::ValuesIn(refusals()),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Extreme values that are numbers: the run completes and a field that cannot
// hold a value shows asterisks.

struct Extreme {
    const char* name;
    std::string gps, ins, values;
    int exit_code;
    std::string err;   // the whole of standard error
    std::string file;  // "stdout", "tolvek.pos" or "tolvek.dif"
    std::string shows;
};

const std::string no_difference =
    "tolvek: warning: the window holds no INS-GPS difference; the INS track is written "
    "uncorrected\n";

std::string ins_at_latitude(const std::string& lat) {
    std::string track;
    for (const char* time : {"10.0", "10.0002777777777778", "10.0005555555555556"})
        track += std::string(time) + " " + lat + " 8.0 101.0 1 2 3 0\n";
    return track;
}

std::vector<Extreme> extremes() {
    return {
        {"gps_time_1e308", "1e308 50 8 100\n", ins, "10 10.001 0 5 F F", 0, no_difference, "stdout",
         "GPS data start (dechr and sec): " + std::string(20, '*') + "\n"},
        // A difference beyond the missing marker counts as missing.
        {"ins_latitude_1e308", gps, ins_at_latitude("1e308"), "10 10.001 0 5 F F", 0, no_difference,
         "tolvek.dif", " 10.0000000       0.000       0.000       1.000\r\n"},
        {"ins_latitude_1e9", gps, ins_at_latitude("1e9"), "10 10.001 0 5 F F", 0, "", "tolvek.dif",
         " 10.0000000************       0.000       1.000\r\n"},
        // Below the smallest normal double: read as the nearest value, printed as zero.
        {"ins_subnormal", gps,
         "10.0 50 8 101 1 2 3 0\n10.0002777777777778 50 8 101 1e-320 -1e-320 -4.9e-324 0\n"
         "10.0005555555555556 50 8 101 1 2 3 0\n",
         "10 10.001 0 5 F F", 0, "", "tolvek.pos", "   0.000   0.000    0.000\r\n"},
        {"window_spans_the_doubles", gps, ins, "-1e308 1e308 0 5 F F", 16,
         "*** too many points, increase maxn\n", "stdout", "- TOLVEK -\n"},
        {"window_reversed_across_the_doubles", gps, ins, "1e308 -1e308 0 5 F F", 0, no_difference,
         "stdout", "number of ins data read in wanted time interval:  0\n"},
        {"window_of_one_point_far_out", gps, ins, "1e300 1e300 0 5 F F", 0, no_difference, "stdout",
         "number of ins data read in wanted time interval:  0\n"},
        {"tau_1e308", gps, ins, "10 10.001 -1e308 1e308 F F", 0, no_difference, "stdout",
         "draping time constant INS to GPS (sec): ******\n"},
    };
}

class ExtremeValue : public ::testing::TestWithParam<Extreme> {};

TEST_P(ExtremeValue, CompletesWithFixedColumns) {
    const Extreme& c = GetParam();
    Workdir d;
    write_inputs(d, c.gps, c.ins);
    Result r = run_tolvek(d, "ins.txt\ngps.txt\n" + c.values + "\n");
    EXPECT_EQ(r.exit_code, c.exit_code);
    EXPECT_EQ(r.err, c.err);
    std::string pos = d.read("tolvek.pos");
    std::string dif = d.read("tolvek.dif");
    expect_lines(pos, pos_line);
    expect_lines(dif, dif_line);
    const std::string& shown = c.file == "stdout" ? r.out : c.file == "tolvek.pos" ? pos : dif;
    EXPECT_NE(shown.find(c.shows), std::string::npos) << c.file << ":\n" << shown;
    EXPECT_TRUE(d.tmp_is_empty());
}

INSTANTIATE_TEST_SUITE_P(Table, ExtremeValue, ::testing::ValuesIn(extremes()),
                         [](const auto& info) { return std::string(info.param.name); });

// A record followed by millions of values on its line: the rest of the line
// is passed over in bounded time and the run completes.
TEST(EndlessLine, RestOfAnInsRecordLineIsSkipped) {
    Workdir d;
    std::string line = "10.0008333333333333 50.0001 8.0 101.0 1 2 3 0";
    while (line.size() < huge) line += " 1.5";
    write_inputs(d, gps, ins + line);
    auto start = std::chrono::steady_clock::now();
    Result r = Launch(d, dialogue).wait(60s);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 30s);
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("number of ins data read in wanted time interval:  3\n"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(d.read("tolvek.pos").size(), 3 * pos_line);
    EXPECT_TRUE(d.tmp_is_empty());
}

// ---------------------------------------------------------------------------
// Consoles and outputs that are not ordinary files.

struct Destination {
    const char* name;
    bool stdout_unread;
    const char* null_output;  // an output file linked to /dev/null, or nullptr
    long pos_size, dif_size;
};

class UnusualDestination : public ::testing::TestWithParam<Destination> {};

// The files are the product: a console nobody reads does not stop the run,
// and an output that is a device gets the lines without being cut.
TEST_P(UnusualDestination, RunCompletes) {
    const Destination& c = GetParam();
    Workdir d;
    write_inputs(d, gps, ins);
    if (c.null_output != nullptr) fs::create_symlink("/dev/null", d.path() / c.null_output);
    Result r = Launch(d, dialogue, c.stdout_unread).wait(60s);
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.err, "");
    for (auto [name, size] :
         {std::pair{"tolvek.pos", c.pos_size}, std::pair{"tolvek.dif", c.dif_size}}) {
        if (size != not_read) {
            EXPECT_EQ(static_cast<long>(d.read(name).size()), size) << name;
        }
    }
    EXPECT_TRUE(d.tmp_is_empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, UnusualDestination,
    ::testing::Values(Destination{"stdout_unread", true, nullptr, 2 * pos_line, 5 * dif_line},
                      Destination{"pos_to_dev_null", false, "tolvek.pos", not_read, 5 * dif_line},
                      Destination{"dif_to_dev_null", false, "tolvek.dif", 2 * pos_line, not_read}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// A killed run leaves nothing behind but its inputs and outputs, and the
// outputs never mix its lines with those of an earlier run.

// An INS track at 100 Hz from 10 h on, about `bytes` long.
std::string long_ins_track(std::size_t bytes) {
    std::string text;
    text.reserve(bytes + 128);
    char time[32];
    for (long k = 0; text.size() < bytes; ++k) {
        char* end = std::to_chars(time, time + sizeof time, 10.0 + k / 360000.0).ptr;
        text.append(time, end);
        text += " 50.0001 8.0 101.0 1 2 3 0\n";
    }
    return text;
}

// The size of the file the tool holds open in `dir`, or -1 while it holds none.
long long open_file_size_in(pid_t pid, const fs::path& dir) {
    std::error_code ec;
    for (const auto& fd : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ec)) {
        fs::path target = fs::read_symlink(fd.path(), ec);
        if (ec || target.string().rfind(dir.string() + "/", 0) != 0) continue;
        struct stat st;
        if (::stat(fd.path().c_str(), &st) == 0) return st.st_size;
    }
    return -1;
}

// Kills the run as soon as `ready` holds, while its INS buffer holds data.
void kill_when(Launch& run, const std::function<bool()>& ready) {
    auto deadline = std::chrono::steady_clock::now() + 60s;
    while (!ready() && run.running() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    ASSERT_TRUE(ready()) << "the run ended before the moment to kill it";
    ASSERT_GT(open_file_size_in(run.pid, run.dir.tmp()), 0) << "no INS buffer with data";
    ::kill(run.pid, SIGKILL);
    EXPECT_EQ(run.wait().exit_code, 128 + SIGKILL);
    EXPECT_TRUE(run.dir.tmp_is_empty());
    const std::set<std::string> allowed = {".tmp",    ".stdin",  ".stdout",    ".stderr",
                                           "gps.txt", "ins.txt", "tolvek.pos", "tolvek.dif"};
    for (const auto& entry : fs::directory_iterator(run.dir.path()))
        EXPECT_TRUE(allowed.count(entry.path().filename().string())) << entry.path();
}

const std::string long_window = "ins.txt\ngps.txt\n10 11.9 0 5 F F\n";

TEST(Interrupted, KillWhileReadingLeavesNoTemporaryFile) {
    Workdir d;
    write_inputs(d, gps, long_ins_track(16u << 20));
    Launch run(d, long_window);
    kill_when(run, [&] { return open_file_size_in(run.pid, d.tmp()) > 0; });
}

TEST(Interrupted, KillWhileWritingLeavesNoOldLines) {
    Workdir d;
    write_inputs(d, gps, long_ins_track(16u << 20));
    d.write("tolvek.pos", std::string(32u << 20, 'o'));  // longer than this run's output
    Launch run(d, long_window);
    kill_when(run, [&] {
        char first = 'o';
        std::ifstream(d.path() / "tolvek.pos").get(first);
        return first != 'o';
    });
    EXPECT_EQ(d.read("tolvek.pos").find('o'), std::string::npos);
}

}  // namespace
}  // namespace e2e
