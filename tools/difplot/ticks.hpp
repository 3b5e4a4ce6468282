#pragma once

#include <string>
#include <vector>

namespace difplot {

// Round tick positions (1, 2 or 5 times a power of ten apart) covering [low, high].
struct Ticks {
    std::vector<double> values;
    int decimals = 0;  // enough to tell neighbouring labels apart
};

Ticks nice_ticks(double low, double high, int about);

std::string tick_label(double value, int decimals);

}  // namespace difplot
