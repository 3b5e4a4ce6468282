#include "input/ins_pass.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <vector>

#include "pass_fixture.hpp"
#include "run/failure.hpp"

namespace tolvek {
namespace {

// An INS record at `s` seconds after midnight: latitude, longitude and the
// alternative height move linearly with time; the 4th value is never used.
std::string ins_line(double s) {
    std::ostringstream o;
    o.precision(17);
    o << s / 3600.0 << " " << 50.0 + s * 0.001 << " " << 8.0 + s * 0.002 << " 999 1.5 -2.5 " << s
      << " " << 100.0 + s << "\n";
    return o.str();
}

TEST(InsPass, DifferencesAtEnclosedPointsAndTheBufferOfTheWindow) {
    Grid g;
    ASSERT_TRUE(g.setup(0.0, 10.0 / 3600.0));  // points 1..11, one per second from t0 = 0
    for (int i = 1; i <= g.n; ++i) {
        g.glat[i] = 50.0;
        g.glon[i] = 8.0;
        g.gh[i] = 100.0;
    }
    g.glat[5] = g.glon[5] = g.gh[5] = rmiss;  // no GPS at point 5
    g.glon[6] = rmiss;                        // only the longitude missing at point 6

    const std::vector<double> seconds = {-0.5, 0.25, 0.75, 1.25, 3.5, 4.5,
                                         5.5,  5.0,  9.9,  10.5, 11.2};
    std::string text;
    for (double s : seconds) text += ins_line(s);
    TrackText t(text);
    Params p;
    p.insalth = true;
    InsBuffer buffer;
    buffer.open();
    CapturedConsole c;
    ins_pass(t.reader, p, g, buffer, c.con);

    // Points newly enclosed by a pair: 2, 4, 5 (no GPS), 6, 10, 11. Point 3
    // lies inside a pair more than a second apart; 7 to 9 inside a backward jump.
    for (int i : {2, 4, 6, 10, 11}) {
        EXPECT_NEAR(g.dlat[i], 0.001 * (i - 1), 1e-9) << i;
        EXPECT_NEAR(g.dh[i], i - 1.0, 1e-6) << i;
        EXPECT_NEAR(g.coslat[i], std::cos(50.0 * 0.0174532925), 1e-15) << i;
    }
    for (int i : {2, 4, 10, 11}) EXPECT_NEAR(g.dlon[i], 0.002 * (i - 1), 1e-9) << i;
    EXPECT_EQ(g.dlon[6], rmiss);
    for (int i : {1, 3, 5, 7, 8, 9}) {
        EXPECT_EQ(g.dlat[i], rmiss) << i;
        EXPECT_EQ(g.coslat[i], rmiss) << i;
    }

    // Buffered: the records whose predecessor is at or after t0 and whose own
    // point is at most n; the 8th value stands in for the height.
    buffer.rewind();
    Insrec r;
    for (double s : {0.75, 1.25, 3.5, 4.5, 5.5, 5.0, 9.9, 10.5}) {
        ASSERT_TRUE(buffer.next(r)) << s;
        EXPECT_EQ(r.time, s / 3600.0);
        EXPECT_EQ(r.h, 100.0 + s);
        EXPECT_EQ(r.lat, 50.0 + s * 0.001);
        EXPECT_EQ(r.a1, 1.5);
        EXPECT_EQ(r.a2, -2.5);
        EXPECT_EQ(r.a3, s);
    }
    EXPECT_FALSE(buffer.next(r));
    EXPECT_EQ(c.out(),
              "- reading ins data\n"
              "number of ins data read in wanted time interval:  8\n");
}

TEST(InsPass, HeightIsTheFourthValueUnlessAsked) {
    Grid g;
    ASSERT_TRUE(g.setup(0.0, 2.0 / 3600.0));
    for (int i = 1; i <= g.n; ++i) g.glat[i] = g.glon[i] = g.gh[i] = 0.0;
    TrackText t(ins_line(0.0) + ins_line(0.5) + ins_line(1.0));
    InsBuffer buffer;
    buffer.open();
    CapturedConsole c;
    ins_pass(t.reader, Params{}, g, buffer, c.con);
    EXPECT_EQ(g.dh[2], 999.0);
    Insrec r;
    ASSERT_TRUE(buffer.next(r));
    EXPECT_EQ(r.h, 999.0);
}

TEST(InsPass, Failures) {
    Grid g;
    ASSERT_TRUE(g.setup(0.0, 0.01));
    CapturedConsole c;
    for (const char* text : {"", "\n \n", "0 50 8"}) {
        TrackText t(text);
        InsBuffer buffer;
        buffer.open();
        try {
            ins_pass(t.reader, Params{}, g, buffer, c.con);
            FAIL() << "no failure for \"" << text << "\"";
        } catch (const RunFailure& f) {
            EXPECT_EQ(f.code, 12);
        }
    }
    TrackText bad(ins_line(0) + ins_line(1) + "0.001 50 8 100 1 2 3 x\n");
    InsBuffer buffer;
    buffer.open();
    try {
        ins_pass(bad.reader, Params{}, g, buffer, c.con);
        FAIL() << "no failure";
    } catch (const RunFailure& f) {
        EXPECT_EQ(f.code, 4);
        EXPECT_NE(f.message.find("line 3"), std::string::npos) << f.message;
    }
}

}  // namespace
}  // namespace tolvek
