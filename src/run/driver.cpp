#include "run/driver.hpp"

#include <exception>
#include <memory>
#include <string>

#include "conditioning/rc.hpp"
#include "conditioning/rfill.hpp"
#include "input/gps_pass.hpp"
#include "input/ins_buffer.hpp"
#include "input/ins_pass.hpp"
#include "products/dif_file.hpp"
#include "products/draped_output.hpp"
#include "run/block_input.hpp"
#include "run/console.hpp"
#include "run/dialogue.hpp"
#include "run/failure.hpp"
#include "run/files.hpp"
#include "run/fixed_form.hpp"
#include "run/free_reader.hpp"
#include "run/grid.hpp"
#include "run/output_file.hpp"

namespace tolvek {
namespace {

constexpr std::size_t read_block = 1 << 20;  // also the longest value a file may hold

// The five files of a run. Whatever way the run ends, the outputs are cut to
// what this run wrote and the INS buffer disappears with its descriptor.
struct RunFiles {
    FileHandle gps, ins;
    OutputFile pos{"tolvek.pos"};
    OutputFile dif{"tolvek.dif"};
    InsBuffer buffer;
};

void echo_tau(Console& con, double tau) {
    char line[64];
    char* p = put_text(line, "draping time constant INS to GPS (sec): ");
    p = put_real(p, tau, 6, 1);
    con.line({line, static_cast<std::size_t>(p - line)});
}

void open_files(RunFiles& f, const Params& p) {
    f.gps = open_input("GPS file", p.gpsfile);
    f.ins = open_input("INS file", p.insfile);
    f.pos.open();
    f.dif.open();
    f.buffer.open();
}

bool has_value(const Series& s, std::int32_t n) {
    for (std::int32_t i = 1; i <= n; ++i) {
        if (!needs_filling(s[i])) return true;
    }
    return false;
}

void fill_gaps(Grid& g, Console& con) {
    if (!(has_value(g.dlat, g.n) && has_value(g.dlon, g.n) && has_value(g.dh, g.n))) {
        con.error(
            "tolvek: warning: the window holds no INS-GPS difference; the INS track is written "
            "uncorrected");
    }
    std::int32_t nfill = 0;
    std::int32_t maxgap = 0;
    for (Series* s : {&g.dlat, &g.dlon, &g.dh, &g.coslat}) rfill(*s, g.n, nfill, maxgap);
    if (nfill <= 0) return;
    char line[80];
    char* p = put_text(line, "no of interpolated values in gps file:");
    p = put_integer(p, nfill, 6);
    p = put_text(p, ", max gap:");
    p = put_integer(p, maxgap, 5);
    p = put_text(p, " sec");
    con.line({line, static_cast<std::size_t>(p - line)});
}

// Forward then backward over each difference series, so the smoothing adds no delay.
void smooth(Grid& g, double tau) {
    for (Series* s : {&g.dlat, &g.dlon, &g.dh}) {
        rc(g.n, *s, g.work, tau, 1.0, 1, 1);
        rc(g.n, g.work, *s, tau, 1.0, 1, -1);
    }
}

int process(int in_fd, RunFiles& f, Console& con) {
    con.line("- TOLVEK -");
    BlockInput console_in(in_fd, "standard input", read_block);
    FreeReader dialogue(console_in);
    const Params p = read_dialogue(dialogue);
    echo_tau(con, p.tau);
    open_files(f, p);

    auto g = std::make_unique<Grid>();
    if (!g->setup(p.t0, p.t1)) {
        con.error("*** too many points, increase maxn");
        f.pos.finish();
        f.dif.finish();
        return exit_capacity;
    }
    BlockInput gps_in(f.gps.get(), describe("GPS file", p.gpsfile), read_block);
    FreeReader gps(gps_in);
    gps_pass(gps, p, *g, con);
    BlockInput ins_in(f.ins.get(), describe("INS file", p.insfile), read_block);
    FreeReader ins(ins_in);
    ins_pass(ins, p, *g, f.buffer, con);

    f.dif.start();
    f.pos.start();
    fill_gaps(*g, con);
    if (p.tau > 0.0) smooth(*g, p.tau);
    DriftReport drift = write_dif_file(*g, f.dif);
    write_draped(*g, f.buffer, f.pos);
    report_drift(drift, con);
    f.pos.finish();
    f.dif.finish();
    return exit_ok;
}

}  // namespace

int run(int in_fd, int out_fd, int err_fd) {
    Console con(out_fd, err_fd);
    RunFiles files;
    try {
        return process(in_fd, files, con);
    } catch (const RunFailure& failure) {
        con.error("tolvek: " + failure.message);
        return failure.code;
    } catch (const std::exception& e) {
        con.error(std::string("tolvek: ") + e.what());
        return exit_file;
    }
}

}  // namespace tolvek
