#include "report.hpp"

#include <cstdio>

namespace accuracy {

namespace {

std::string format(const char* pattern, auto... values) {
    char line[256];
    std::snprintf(line, sizeof line, pattern, values...);
    return line;
}

std::string row(const char* name, const TrackScore& s) {
    const auto& e = s.errors;
    std::string text =
        format("%-10s %9ld %10.3f %10.3f %10.3f %10.3f", name, e.count(), e.horizontal_rms(),
               e.horizontal_max(), e.vertical_rms(), e.vertical_max());
    text += s.jitter.count() > 0 ? format(" %10.3f\n", s.jitter.rms()) : format(" %10s\n", "-");
    return text;
}

void check_draped_lines(const Scores& s, Verdict& v) {
    if (s.draped.errors.count() == 0) {
        v.warnings.push_back("WARNING: no draped record could be matched to the truth");
        return;
    }
    if (s.pos_unreadable > 0)
        v.warnings.push_back(
            format("WARNING: %ld draped lines hold fields that are not numbers", s.pos_unreadable));
    if (s.pos_unmatched > 0)
        v.warnings.push_back(
            format("WARNING: %ld draped lines have times of no INS record", s.pos_unmatched));
    // Every INS record of the window is draped except the first one.
    const long missing = s.ins_in_window - 1 - s.draped.errors.count();
    if (missing > 0)
        v.warnings.push_back(
            format("WARNING: %ld INS records of the window are not in the draped file", missing));
}

void check_accuracy(const Scores& s, Verdict& v) {
    const double draped = s.draped.errors.horizontal_rms();
    const double ins = s.ins.errors.horizontal_rms();
    if (!(draped < kMaxDrapedToInsRms * ins))
        v.warnings.push_back(
            format("WARNING: draped track is not clearly better than the raw INS "
                   "(horizontal RMS %.3f m against %.3f m)",
                   draped, ins));
    if (s.gps.jitter.count() == 0 || s.draped.jitter.count() == 0) return;
    const double smooth = s.draped.jitter.rms();
    const double noisy = s.gps.jitter.rms();
    if (!(smooth < kMaxDrapedToGpsJitter * noisy))
        v.warnings.push_back(
            format("WARNING: draped track is not smoother than GPS "
                   "(1-s jitter %.3f m against %.3f m)",
                   smooth, noisy));
}

}  // namespace

std::string format_table(const Scores& s, const tools::Dialogue& d) {
    std::string text =
        format("accuracy against the truth, window %.4f to %.4f h, tau %g s, in metres\n",
               d.t0_hours, d.t1_hours, d.tau_s);
    text += format("%-10s %9s %10s %10s %10s %10s %10s\n", "track", "records", "horiz RMS",
                   "horiz max", "vert RMS", "vert max", "1-s jitter");
    text += row("raw INS", s.ins);
    text += row("GPS", s.gps);
    text += row("draped", s.draped);
    text += "(1-s jitter: RMS change of the horizontal error from one whole second to the next)\n";
    return text;
}

Verdict judge(const Scores& s) {
    Verdict v;
    check_draped_lines(s, v);
    if (s.draped.errors.count() > 0) check_accuracy(s, v);
    if (v.ok()) {
        const double ins = s.ins.errors.horizontal_rms();
        const double gps = s.gps.errors.horizontal_rms();
        v.summary = format("OK: draped horizontal RMS is %.2f %% of the raw INS and %.0f %% of GPS",
                           ins > 0.0 ? 100.0 * s.draped.errors.horizontal_rms() / ins : 0.0,
                           gps > 0.0 ? 100.0 * s.draped.errors.horizontal_rms() / gps : 0.0);
    }
    return v;
}

}  // namespace accuracy
