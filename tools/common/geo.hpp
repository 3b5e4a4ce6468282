#pragma once

#include <cmath>
#include <numbers>

namespace tools {

// One degree of arc counts 60 nautical miles on both axes, the east axis scaled
// by the cosine of the latitude.
inline constexpr double kMetresPerDegree = 111120.0;

inline double radians(double degrees) {
    return degrees * (std::numbers::pi / 180.0);
}
inline double degrees(double radians) {
    return radians * (180.0 / std::numbers::pi);
}

struct Offset {
    double north = 0.0;
    double east = 0.0;
    double up = 0.0;
};

// Position minus reference, in metres; the east scale is taken at the reference latitude.
inline Offset offset_metres(double lat, double lon, double height, double ref_lat, double ref_lon,
                            double ref_height) {
    return {(lat - ref_lat) * kMetresPerDegree,
            (lon - ref_lon) * kMetresPerDegree * std::cos(radians(ref_lat)), height - ref_height};
}

}  // namespace tools
