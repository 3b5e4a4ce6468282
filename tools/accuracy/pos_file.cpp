#include "pos_file.hpp"

#include "common/values.hpp"

namespace accuracy {

namespace {

struct Columns {
    std::size_t first;  // zero-based
    std::size_t width;
};

constexpr Columns kTime{1, 10};
constexpr Columns kLat{11, 12};
constexpr Columns kLon{23, 13};
constexpr Columns kHeight{36, 9};

bool field(std::string_view line, Columns c, double& value) {
    return line.size() >= c.first + c.width &&
           tools::parse_number(tools::trim(line.substr(c.first, c.width)), value);
}

}  // namespace

bool parse_pos_line(std::string_view line, PosRecord& r) {
    return field(line, kTime, r.hours) && field(line, kLat, r.lat) && field(line, kLon, r.lon) &&
           field(line, kHeight, r.height);
}

}  // namespace accuracy
