// End-to-end measurement: runs tolvek on a flight directory and sets its
// wall time, throughput and peak memory beside the I/O floor of the same
// run: the INS file read, the same output bytes written and the same INS
// buffer volume written and read back, all with plain 1 MiB block I/O.
// Tool and floor are measured in turns, a few times each, and the best time
// of each is shown; before every run of the tool its old outputs are removed,
// so that it writes new files just as the floor does.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::size_t block = 1 << 20;
constexpr double mb = 1e6;
constexpr int rounds = 3;

double seconds_since(Clock::time_point t0) {
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

long long file_size(const std::string& name) {
    struct stat st;
    return ::stat(name.c_str(), &st) == 0 ? st.st_size : 0;
}

void die(const char* what) {
    std::perror(what);
    std::exit(1);
}

struct RunStats {
    double wall;
    long peak_kib;
};

RunStats run_tool(const char* tool) {
    ::unlink("tolvek.pos");
    ::unlink("tolvek.dif");
    auto t0 = Clock::now();
    pid_t pid = ::fork();
    if (pid == 0) {
        int in = ::open("dialogue.txt", O_RDONLY);
        int out = ::open("/dev/null", O_WRONLY);
        if (in < 0 || out < 0) ::_exit(127);
        ::dup2(in, 0);
        ::dup2(out, 1);
        ::execl(tool, "tolvek", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    struct rusage ru {};
    ::wait4(pid, &status, 0, &ru);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) die("tolvek failed");
    return {seconds_since(t0), ru.ru_maxrss};
}

double read_floor(const char* name) {
    std::vector<char> buf(block);
    auto t0 = Clock::now();
    int fd = ::open(name, O_RDONLY);
    if (fd < 0) die(name);
    while (::read(fd, buf.data(), block) > 0) {
    }
    ::close(fd);
    return seconds_since(t0);
}

void write_bytes(int fd, long long bytes, std::vector<char>& buf) {
    for (long long done = 0; done < bytes;) {
        auto n = static_cast<std::size_t>(std::min<long long>(bytes - done, block));
        if (::write(fd, buf.data(), n) != static_cast<ssize_t>(n)) die("write");
        done += static_cast<long long>(n);
    }
}

double write_floor(long long bytes) {
    std::vector<char> buf(block, 'x');
    auto t0 = Clock::now();
    int fd = ::open("io_floor.tmp", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) die("io_floor.tmp");
    write_bytes(fd, bytes, buf);
    ::close(fd);
    double t = seconds_since(t0);
    ::unlink("io_floor.tmp");
    return t;
}

double buffer_floor(long long bytes) {
    std::vector<char> buf(block, 'x');
    auto t0 = Clock::now();
    int fd = ::open(P_tmpdir, O_TMPFILE | O_RDWR, 0600);
    if (fd < 0) die("temporary file");
    write_bytes(fd, bytes, buf);
    ::lseek(fd, 0, SEEK_SET);
    while (::read(fd, buf.data(), block) > 0) {
    }
    ::close(fd);
    return seconds_since(t0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: end_to_end TOLVEK FLIGHT_DIR\n");
        return 2;
    }
    if (::chdir(argv[2]) != 0) die(argv[2]);
    RunStats run = run_tool(argv[1]);
    long long ins = file_size("ins.txt");
    long long out = file_size("tolvek.pos") + file_size("tolvek.dif");
    long long records = file_size("tolvek.pos") / 72;  // one 70-character line per buffered record
    long long buffer = records * 56;
    double r = read_floor("ins.txt");
    double w = write_floor(out);
    double b = buffer_floor(buffer);
    for (int k = 1; k < rounds; ++k) {
        RunStats again = run_tool(argv[1]);
        run.wall = std::min(run.wall, again.wall);
        run.peak_kib = std::max(run.peak_kib, again.peak_kib);
        r = std::min(r, read_floor("ins.txt"));
        w = std::min(w, write_floor(out));
        b = std::min(b, buffer_floor(buffer));
    }
    std::printf("INS text           %10.1f MB\n", static_cast<double>(ins) / mb);
    std::printf("output written     %10.1f MB (%lld draped lines)\n", static_cast<double>(out) / mb,
                records);
    std::printf("best of %d runs each\n", rounds);
    std::printf("tolvek wall time   %10.3f s   %7.1f MB/s of INS text\n", run.wall,
                static_cast<double>(ins) / mb / run.wall);
    std::printf("tolvek peak memory %10.1f MiB\n", static_cast<double>(run.peak_kib) / 1024.0);
    std::printf("I/O floor          %10.3f s   (read %.3f + write %.3f + INS buffer %.3f)\n",
                r + w + b, r, w, b);
    std::printf("tolvek / floor     %10.2f\n", run.wall / (r + w + b));
    return 0;
}
