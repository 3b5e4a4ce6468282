#include "conditioning/rc.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "series_util.hpp"

namespace tolvek {
namespace {

void expect_near_all(const std::vector<double>& got, const std::vector<double>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i)
        EXPECT_NEAR(got[i], want[i], 4e-16 * (1 + std::fabs(want[i]))) << "point " << i + 1;
}

TEST(Rc, Cases) {
    struct Case {
        std::vector<double> in;
        double tau;
        std::int32_t npass, idir;
        std::vector<double> out;
    } cases[] = {
        {{0, 1, 1, 1}, 2.0, 1, 1, {0, 0.2, 0.52, 0.712}},
        {{0, 1, 1, 1}, 2.0, 1, -1, {0.8, 1, 1, 1}},
        {{0, 1, 1, 1}, 2.0, 1, 0, {0.8, 1, 1, 1}},
        {{0, 1, 1, 1}, 2.0, 1, 2, {0.8, 1, 1, 1}},
        {{0, 1, 1, 1}, 2.0, 2, 1, {0, 0.04, 0.168, 0.3472}},
        {{0, 0.2, 0.52, 0.712}, 2.0, 1, -1, {0.368896, 0.54816, 0.6736, 0.712}},
        {{1, 3, 5, 2}, 0.5, 1, 1, {1, 2, 4, 3.5}},
        {{4, 4, 4, 4, 4}, 37.0, 3, 1, {4, 4, 4, 4, 4}},
        {{3}, 2.0, 4, 1, {3}},
        {{3}, 2.0, 4, -1, {3}},
        {{1, 2, 3}, 2.0, 0, 1, {1, 2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.in));
        Series in = series_of(c.in);
        Series out = series_of(std::vector<double>(c.in.size(), 99.0));
        std::int32_t n = static_cast<std::int32_t>(c.in.size());
        rc(n, in, out, c.tau, 1.0, c.npass, c.idir);
        expect_near_all(points_of(out, c.in.size()), c.out);
        EXPECT_EQ(points_of(in, c.in.size()), c.in);
        EXPECT_EQ(out[0], -777.0);
        EXPECT_EQ(out[c.in.size() + 1], -777.0);
    }
}

// The forward and backward run the driver makes, through one work series.
TEST(Rc, ForwardThenBackwardInPlaceOfTheSeries) {
    Series s = series_of({0, 1, 1, 1});
    Series work = series_of({9, 9, 9, 9});
    rc(4, s, work, 2.0, 1.0, 1, 1);
    rc(4, work, s, 2.0, 1.0, 1, -1);
    expect_near_all(points_of(s, 4), {0.368896, 0.54816, 0.6736, 0.712});
    Series same = series_of({0, 1, 1, 1});
    rc(4, same, same, 2.0, 1.0, 1, 1);
    expect_near_all(points_of(same, 4), {0, 0.2, 0.52, 0.712});
}

TEST(Rc, EmptyGridLeavesOutputUntouched) {
    Series in = series_of({1, 2});
    Series out = series_of({7, 7});
    rc(0, in, out, 2.0, 1.0, 1, 1);
    EXPECT_EQ(points_of(out, 2), (std::vector<double>{7, 7}));
}

}  // namespace
}  // namespace tolvek
