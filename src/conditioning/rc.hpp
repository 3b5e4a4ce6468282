#pragma once

#include <cstdint>

#include "run/grid.hpp"

namespace tolvek {

// First-order recursive low-pass of time constant tau (seconds) over
// vin(1..n) into vout, trapezoidal integration over steps of tstep seconds,
// npass passes; idir 1 runs forward in time, any other value backward. The
// first point of a run keeps its value.
void rc(const std::int32_t& n, const Series& vin, Series& vout, const double& tau,
        const double& tstep, const std::int32_t& npass, const std::int32_t& idir);

}  // namespace tolvek
