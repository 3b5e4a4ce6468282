#pragma once

#include "common/geo.hpp"

namespace accuracy {

// RMS and maximum of the horizontal and vertical errors of one track.
class ErrorStats {
  public:
    void add(const tools::Offset& error);
    long count() const { return count_; }
    double horizontal_rms() const;
    double horizontal_max() const { return max_h_; }
    double vertical_rms() const;
    double vertical_max() const { return max_v_; }

  private:
    long count_ = 0;
    double sum_h2_ = 0.0;
    double max_h_ = 0.0;
    double sum_v2_ = 0.0;
    double max_v_ = 0.0;
};

// How much the horizontal error changes within one second (RMS of the change
// vector). Noise shows here, a slowly varying error hardly does, so it tells a
// smooth track from a noisy one whatever their record rates.
class SecondJitter {
  public:
    // Records must come in time order. One record per second is taken: the first
    // one at least a second after the last taken; a pair counts when the two lie
    // one second apart.
    void add(double seconds, const tools::Offset& error);
    long count() const { return count_; }
    double rms() const;

  private:
    long count_ = 0;
    double sum2_ = 0.0;
    bool have_last_ = false;
    double last_seconds_ = 0.0;
    double last_north_ = 0.0;
    double last_east_ = 0.0;
};

struct TrackScore {
    ErrorStats errors;
    SecondJitter jitter;
    void add(double hours, const tools::Offset& error);
};

}  // namespace accuracy
