#include "conditioning/rc.hpp"

namespace tolvek {

void rc(const std::int32_t& n, const Series& vin, Series& vout, const double& tau,
        const double& tstep, const std::int32_t& npass, const std::int32_t& idir) {
    const double q = tstep / (tau + tau);
    const double cy = (1.0 - q) / (1.0 + q);
    const double cx = q / (1.0 + q);
    if (n <= 0) return;
    if (&vin != &vout) {
        for (std::int32_t i = 1; i <= n; ++i) vout[i] = vin[i];
    }
    const std::int32_t first = idir == 1 ? 1 : n;
    const std::int32_t step = idir == 1 ? 1 : -1;
    for (std::int32_t pass = 0; pass < npass; ++pass) {
        double pin = vout[first];
        double pout = vout[first];
        for (std::int32_t k = 1, i = first + step; k < n; ++k, i += step) {
            double v = vout[i];
            pout = cy * pout + cx * (pin + v);
            vout[i] = pout;
            pin = v;
        }
    }
}

}  // namespace tolvek
