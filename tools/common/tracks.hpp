#pragma once

#include <string>

#include "line_reader.hpp"

namespace tools {

// One line of an INS or truth file: eight values.
struct TrackRecord {
    double hours = 0.0;
    double lat = 0.0;
    double lon = 0.0;
    double height = 0.0;
    double a1 = 0.0;
    double a2 = 0.0;
    double a3 = 0.0;
    double alt_height = 0.0;
};

// Reads INS and truth files, one record per line.
class TrackReader {
  public:
    explicit TrackReader(const std::string& path) : lines_(path) {}
    // False at the end of the file; throws std::runtime_error on a malformed line.
    bool next(TrackRecord& record);
    long line_number() const { return lines_.line_number(); }

  private:
    LineReader lines_;
};

// One GPS record with its time moved onto the INS time scale.
struct GpsFix {
    double hours = 0.0;
    double lat = 0.0;
    double lon = 0.0;
    double height = 0.0;
};

// Reads a GPS file in either layout. Whole days are removed as taken from the
// first record, and the time shift is subtracted, so that `hours` compares with INS times.
class GpsReader {
  public:
    GpsReader(const std::string& path, bool header, double tshift_s);
    bool next(GpsFix& fix);

  private:
    LineReader lines_;
    bool header_;
    double tshift_hours_;
    bool first_ = true;
    double day_seconds_ = 0.0;
};

}  // namespace tools
