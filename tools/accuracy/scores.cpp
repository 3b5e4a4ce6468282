#include "scores.hpp"

#include <algorithm>
#include <cmath>

namespace accuracy {

namespace {
// Far below the spacing of records at the highest INS rate, far above the
// rounding of times written with seven decimals of an hour.
constexpr double kSlack = 1e-3;  // s
}  // namespace

void ErrorStats::add(const tools::Offset& e) {
    const double h2 = e.north * e.north + e.east * e.east;
    ++count_;
    sum_h2_ += h2;
    max_h_ = std::max(max_h_, std::sqrt(h2));
    sum_v2_ += e.up * e.up;
    max_v_ = std::max(max_v_, std::fabs(e.up));
}

double ErrorStats::horizontal_rms() const {
    return count_ > 0 ? std::sqrt(sum_h2_ / count_) : 0.0;
}

double ErrorStats::vertical_rms() const {
    return count_ > 0 ? std::sqrt(sum_v2_ / count_) : 0.0;
}

void SecondJitter::add(double seconds, const tools::Offset& e) {
    if (have_last_ && seconds < last_seconds_ + 1.0 - kSlack) return;
    if (have_last_ && seconds <= last_seconds_ + 1.0 + kSlack) {
        const double dn = e.north - last_north_;
        const double de = e.east - last_east_;
        sum2_ += dn * dn + de * de;
        ++count_;
    }
    have_last_ = true;
    last_seconds_ = seconds;
    last_north_ = e.north;
    last_east_ = e.east;
}

double SecondJitter::rms() const {
    return count_ > 0 ? std::sqrt(sum2_ / count_) : 0.0;
}

void TrackScore::add(double hours, const tools::Offset& error) {
    errors.add(error);
    jitter.add(hours * 3600.0, error);
}

}  // namespace accuracy
