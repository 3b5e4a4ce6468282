#include "compare.hpp"

#include <cmath>
#include <stdexcept>

#include "common/line_reader.hpp"
#include "common/tracks.hpp"
#include "pos_file.hpp"

namespace accuracy {

namespace {

// Draped times carry seven decimals of an hour: they lie within half a unit of
// that last decimal of the INS time they came from.
constexpr double kPosTimeTolerance = 0.6e-7;  // h
constexpr double kSameTime = 1e-9;            // h

tools::Offset error_of(double lat, double lon, double height, const tools::TrackRecord& truth) {
    return tools::offset_metres(lat, lon, height, truth.lat, truth.lon, truth.height);
}

tools::TrackRecord interpolate(const tools::TrackRecord& a, const tools::TrackRecord& b,
                               double hours) {
    const double span = b.hours - a.hours;
    const double w = span > 0.0 ? (hours - a.hours) / span : 1.0;
    tools::TrackRecord r = b;
    r.hours = hours;
    r.lat = a.lat + w * (b.lat - a.lat);
    r.lon = a.lon + w * (b.lon - a.lon);
    r.height = a.height + w * (b.height - a.height);
    return r;
}

// Walks the draped file in step with the truth records.
class DrapedCursor {
  public:
    DrapedCursor(const std::string& path, Scores& scores) : lines_(path), scores_(scores) {
        advance();
    }

    void meet(const tools::TrackRecord& truth) {
        while (pending_ && current_.hours < truth.hours - kPosTimeTolerance) {
            ++scores_.pos_unmatched;
            advance();
        }
        if (pending_ && std::fabs(current_.hours - truth.hours) <= kPosTimeTolerance) {
            scores_.draped.add(truth.hours,
                               error_of(current_.lat, current_.lon, current_.height, truth));
            advance();
        }
    }

    void finish() {
        for (; pending_; advance()) ++scores_.pos_unmatched;
    }

  private:
    void advance() {
        std::string_view line;
        pending_ = false;
        while (lines_.next(line)) {
            if (parse_pos_line(line, current_)) {
                pending_ = true;
                return;
            }
            ++scores_.pos_unreadable;
        }
    }

    tools::LineReader lines_;
    Scores& scores_;
    PosRecord current_;
    bool pending_ = false;
};

// Walks the GPS file in step with the truth records, scoring each fix against the
// truth interpolated to its time.
class GpsCursor {
  public:
    GpsCursor(const Inputs& in, Scores& scores)
        : reader_(in.gps_path, in.dialogue.gps_header, in.dialogue.tshift_s),
          t0_(in.dialogue.t0_hours),
          t1_(in.dialogue.t1_hours),
          scores_(scores) {
        pending_ = reader_.next(fix_);
    }

    void meet(const tools::TrackRecord* previous, const tools::TrackRecord& truth) {
        for (; pending_ && fix_.hours <= truth.hours + kSameTime; pending_ = reader_.next(fix_)) {
            if (fix_.hours < t0_ || fix_.hours > t1_) continue;
            if (previous != nullptr && fix_.hours >= previous->hours) {
                score(interpolate(*previous, truth, fix_.hours));
            } else if (std::fabs(fix_.hours - truth.hours) <= kSameTime) {
                score(truth);
            }
        }
    }

  private:
    void score(const tools::TrackRecord& truth) {
        scores_.gps.add(fix_.hours, error_of(fix_.lat, fix_.lon, fix_.height, truth));
    }

    tools::GpsReader reader_;
    double t0_;
    double t1_;
    Scores& scores_;
    tools::GpsFix fix_;
    bool pending_ = false;
};

}  // namespace

Scores compare_tracks(const Inputs& in) {
    Scores scores;
    tools::TrackReader truth_reader(in.truth_path);
    tools::TrackReader ins_reader(in.ins_path);
    GpsCursor gps(in, scores);
    DrapedCursor draped(in.pos_path, scores);
    const auto& d = in.dialogue;

    tools::TrackRecord previous, truth, ins;
    bool have_previous = false;
    while (truth_reader.next(truth)) {
        if (!ins_reader.next(ins) || std::fabs(ins.hours - truth.hours) > kSameTime)
            throw std::runtime_error(in.ins_path + " and " + in.truth_path +
                                     " differ in time at line " +
                                     std::to_string(truth_reader.line_number()));
        if (truth.hours >= d.t0_hours && truth.hours <= d.t1_hours) {
            ++scores.ins_in_window;
            const double height = d.ins_alt_height ? ins.alt_height : ins.height;
            scores.ins.add(truth.hours, error_of(ins.lat, ins.lon, height, truth));
        }
        gps.meet(have_previous ? &previous : nullptr, truth);
        draped.meet(truth);
        previous = truth;
        have_previous = true;
    }
    draped.finish();
    return scores;
}

}  // namespace accuracy
