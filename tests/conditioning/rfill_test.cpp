#include "conditioning/rfill.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "series_util.hpp"

namespace tolvek {
namespace {

constexpr double r = rmiss;
const double nan = std::numeric_limits<double>::quiet_NaN();
const double inf = std::numeric_limits<double>::infinity();

// Equal to the last place, NaN equal to NaN.
void expect_points(const std::vector<double>& got, const std::vector<double>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        if (std::isnan(want[i])) {
            EXPECT_TRUE(std::isnan(got[i])) << "point " << i + 1;
        } else if (std::isinf(want[i])) {
            EXPECT_EQ(got[i], want[i]) << "point " << i + 1;
        } else {
            EXPECT_NEAR(got[i], want[i], 1e-15 * std::fabs(want[i]) + 1e-300) << "point " << i + 1;
        }
    }
}

TEST(Rfill, Cases) {
    struct Case {
        std::vector<double> in, out;
        std::int32_t nfill, maxgap;
    } cases[] = {
        {{1, 2, 3}, {1, 2, 3}, 0, 0},
        {{r, r, 3, 4}, {3, 3, 3, 4}, 2, 3},
        {{1, 2, r, r}, {1, 2, 2, 2}, 2, 2},
        {{1, r, r, 4}, {1, 2, 3, 4}, 2, 2},
        {{r, 2, r, r, r, 6, r, r}, {2, 2, 3, 4, 5, 6, 6, 6}, 6, 3},
        {{r, 5, 6}, {5, 5, 6}, 1, 2},
        {{1, r, -2, r, r, r, r, 9, r}, {1, -0.5, -2, 0.2, 2.4, 4.6, 6.8, 9, 9}, 6, 4},
        {{1, 9.98e9, r, 4}, {1, 9.98e9, 3, 4}, 1, 2},
        {{9.98e9, r, 3}, {9.98e9, 3, 3}, 1, 3},
        {{1, nan, 3}, {1, 2, 3}, 1, 1},
        {{1, nan, nan, 4}, {1, nan, nan, 4}, 2, 1},
        {{1, inf, 3}, {1, 2, 3}, 1, 1},
        {{-inf, r, r}, {-inf, -inf, -inf}, 2, 2},
        {{1e10, 2}, {2, 2}, 1, 2},
        // No neighbour anywhere: the points become 0, counted with a gap of n + 1.
        {{r, r, r}, {0, 0, 0}, 3, 4},
        {{r}, {0}, 1, 2},
        {{9.98e9, r}, {9.98e9, 0}, 1, 3},
        {{5}, {5}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.in));
        Series s = series_of(c.in);
        std::int32_t n = static_cast<std::int32_t>(c.in.size());
        std::int32_t nfill = -1, maxgap = -1;
        rfill(s, n, nfill, maxgap);
        expect_points(points_of(s, c.in.size()), c.out);
        EXPECT_EQ(nfill, c.nfill);
        EXPECT_EQ(maxgap, c.maxgap);
        EXPECT_EQ(s[0], -777.0);
        EXPECT_EQ(s[c.in.size() + 1], -777.0);
    }
}

TEST(Rfill, CountsDescribeTheLastCallAlone) {
    Series gappy = series_of({r, r, 3});
    Series full = series_of({1, 2});
    std::int32_t nfill = 0, maxgap = 0;
    rfill(gappy, 3, nfill, maxgap);
    EXPECT_EQ(nfill, 2);
    rfill(full, 2, nfill, maxgap);
    EXPECT_EQ(nfill, 0);
    EXPECT_EQ(maxgap, 0);
}

TEST(Rfill, EmptyGridChangesNothing) {
    for (std::int32_t n : {0, -5}) {
        Series s = series_of({r, r});
        std::int32_t nfill = 7, maxgap = 7;
        rfill(s, n, nfill, maxgap);
        EXPECT_EQ(points_of(s, 2), (std::vector<double>{r, r}));
        EXPECT_EQ(nfill, 0);
        EXPECT_EQ(maxgap, 0);
    }
}

}  // namespace
}  // namespace tolvek
