#include "path_data.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace difplot {

namespace {

// The points of one pixel column, by index into the series.
struct Column {
    long pixel = 0;
    std::size_t first = 0, low = 0, high = 0, last = 0;
    bool empty = true;
};

class PathBuilder {
  public:
    PathBuilder(const DifSeries& s, int component, const Scale& x, const Scale& y)
        : hours_(s.hours), values_(s.values[component]), x_(x), y_(y) {}

    std::string build() {
        for (std::size_t i = 0; i < values_.size(); ++i) {
            if (!std::isfinite(values_[i])) {
                flush();
                pen_down_ = false;
                continue;
            }
            const auto pixel = static_cast<long>(std::floor(x_(hours_[i])));
            if (column_.empty || pixel != column_.pixel) flush();
            take(i, pixel);
        }
        flush();
        return text_;
    }

  private:
    void take(std::size_t i, long pixel) {
        if (column_.empty) {
            column_ = {pixel, i, i, i, i, false};
            return;
        }
        if (values_[i] < values_[column_.low]) column_.low = i;
        if (values_[i] > values_[column_.high]) column_.high = i;
        column_.last = i;
    }

    void flush() {
        if (column_.empty) return;
        std::size_t picks[] = {column_.first, column_.low, column_.high, column_.last};
        std::sort(std::begin(picks), std::end(picks));
        const auto end = std::unique(std::begin(picks), std::end(picks));
        for (auto p = std::begin(picks); p != end; ++p) emit(*p);
        column_.empty = true;
    }

    void emit(std::size_t i) {
        char point[64];
        std::snprintf(point, sizeof point, "%c%.1f %.1f", pen_down_ ? 'L' : 'M', x_(hours_[i]),
                      y_(values_[i]));
        text_ += point;
        pen_down_ = true;
    }

    const std::vector<double>& hours_;
    const std::vector<double>& values_;
    const Scale& x_;
    const Scale& y_;
    Column column_;
    bool pen_down_ = false;
    std::string text_;
};

}  // namespace

std::string path_data(const DifSeries& series, int component, const Scale& x, const Scale& y) {
    return PathBuilder(series, component, x, y).build();
}

}  // namespace difplot
