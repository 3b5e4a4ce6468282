#include "run/grid.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace tolvek {
namespace {

TEST(Grid, PointCountAndCapacity) {
    struct Case {
        double t0, t1;
        bool accepted;
        std::int32_t n;
    } cases[] = {
        {10.0, 11.0, true, 3601},
        {10.0, 10.0, true, 1},
        {0.0, 12.0, false, 0},
        {0.0, 12.0 - 1.0 / 3600.0, true, 43200},
        {0.0, 11.9999, false, 0},  // 43199.64 s round up to 43201 points
        {11.0, 10.0, true, -3599},
        {0.0, 1e300, false, 0},
        {1e300, -1e300, true, INT32_MIN},
    };
    for (const Case& c : cases) {
        Grid g;
        ASSERT_EQ(g.setup(c.t0, c.t1), c.accepted) << c.t0 << " " << c.t1;
        if (c.accepted) {
            EXPECT_EQ(g.n, c.n);
        }
    }
}

TEST(Grid, SeriesStartMissingAndPositionsMapTimes) {
    Grid g;
    ASSERT_TRUE(g.setup(10.0, 10.5));
    for (const Series* s : {&g.glat, &g.glon, &g.gh, &g.dlat, &g.dlon, &g.dh, &g.coslat}) {
        EXPECT_EQ((*s)[1], rmiss);
        EXPECT_EQ((*s)[g.n], rmiss);
    }
    EXPECT_EQ(g.position(10.0), 1.0);
    EXPECT_EQ(g.position(10.5), g.n);
}

TEST(Grid, RoundingsSaturateInsteadOfWrapping) {
    EXPECT_EQ(nearest(2.5), 3);
    EXPECT_EQ(nearest(-2.5), -3);
    EXPECT_EQ(nearest(2.4999999999999996), 2);
    EXPECT_EQ(truncated(-1.9), -1);
    EXPECT_EQ(truncated(1.9), 1);
    EXPECT_EQ(truncated(1e20), INT32_MAX);
    EXPECT_EQ(truncated(-1e20), INT32_MIN);
    EXPECT_EQ(truncated(2147483647.9), INT32_MAX);
    EXPECT_EQ(truncated(2147483648.0), INT32_MAX);
    EXPECT_EQ(truncated(-2147483648.9), INT32_MIN);
    EXPECT_EQ(truncated(-2147483649.0), INT32_MIN);
    EXPECT_EQ(truncated(std::nan("")), INT32_MIN);
    EXPECT_EQ(nearest(3e9), INT32_MAX);
}

}  // namespace
}  // namespace tolvek
