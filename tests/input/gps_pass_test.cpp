#include "input/gps_pass.hpp"

#include <gtest/gtest.h>

#include "pass_fixture.hpp"
#include "run/failure.hpp"

namespace tolvek {
namespace {

Params window(double t0, double t1, double tshift_hours = 0.0, bool gpshead = false) {
    Params p;
    p.t0 = t0;
    p.t1 = t1;
    p.tshift = tshift_hours;
    p.gpshead = gpshead;
    return p;
}

struct GpsRun {
    Grid g;
    std::string console;
};

GpsRun run_gps(const std::string& text, const Params& p) {
    GpsRun r;
    EXPECT_TRUE(r.g.setup(p.t0, p.t1));
    TrackText t(text);
    CapturedConsole c;
    gps_pass(t.reader, p, r.g, c.con);
    r.console = c.out();
    return r;
}

TEST(GpsPass, RecordsLandOnTheirNearestPoints) {
    // A window of 10 s from t0 = 0, where half seconds are exact ties. The
    // first record after the window is counted and ends the reading: the text
    // after it is never read.
    GpsRun r = run_gps(
        "0 50 8 100\n"
        "2.5 52 8 100\n"  // a tie: away from zero, to point 4
        "4.2 54 8 100\n"  // point 5
        "4.6 55 8 100\n"  // point 6 ...
        "5.4 56 7 90\n"   // ... where the later record wins
        "10 60 9 110\n"
        "10.5 99 9 110\n"
        "this is never read\n",
        window(0.0, 10.0 / 3600.0));
    const Grid& g = r.g;
    EXPECT_EQ(g.glat[1], 50.0);
    EXPECT_EQ(g.glat[2], rmiss);
    EXPECT_EQ(g.glat[3], rmiss);
    EXPECT_EQ(g.glat[4], 52.0);
    EXPECT_EQ(g.glat[5], 54.0);
    EXPECT_EQ(g.glat[6], 56.0);
    EXPECT_EQ(g.glon[6], 7.0);
    EXPECT_EQ(g.gh[6], 90.0);
    EXPECT_EQ(g.glat[11], 60.0);
    EXPECT_EQ(r.console,
              "- reading GPS data\n"
              "GPS data start (dechr and sec):    0.00     0.000000\n"
              "no of gps data read:  7\n");
}

TEST(GpsPass, DaysAreRemovedFromTheFirstRecordAndTshiftApplied) {
    // The first record lies 800 s into its fourth day, before the window; the
    // next ones in the following day, i.e. past 24 h on the same scale.
    const double day = 86400.0;
    Params p = window(24.0, 24.0 + 200.0 / 3600.0, 15.0 / 3600.0, true);
    GpsRun r = run_gps(
        "header line 1 2 3\n"
        "1 10 20 30 " +
            std::to_string(3 * day + 800) +
            "\n"
            "2 11 21 31 " +
            std::to_string(4 * day + 115) +
            "\n"
            "3 12 22 32 " +
            std::to_string(4 * day + 215) + "\n",
        p);
    EXPECT_EQ(r.g.glat[101], 11.0);  // 100 s after t0, once 15 s of shift are removed
    EXPECT_EQ(r.g.glat[201], 12.0);
    EXPECT_EQ(r.g.gh[201], 32.0);
    EXPECT_NE(r.console.find("GPS data start (dechr and sec):    0.22   800.000000\n"),
              std::string::npos)
        << r.console;
}

TEST(GpsPass, EndOfFileInsideARecordEndsThePass) {
    GpsRun r = run_gps("36000 50 8 100\n36001 51 8", window(10.0, 10.01));
    EXPECT_EQ(r.g.glat[1], 50.0);
    EXPECT_EQ(r.g.glat[2], rmiss);
    EXPECT_NE(r.console.find("no of gps data read:  1\n"), std::string::npos);
    GpsRun empty = run_gps("", window(10.0, 10.01));
    EXPECT_NE(empty.console.find("no of gps data read:  0\n"), std::string::npos);
}

TEST(GpsPass, Failures) {
    Grid g;
    ASSERT_TRUE(g.setup(10.0, 10.01));
    CapturedConsole c;
    TrackText no_header("");
    try {
        gps_pass(no_header.reader, window(10.0, 10.01, 0.0, true), g, c.con);
        FAIL() << "no failure";
    } catch (const RunFailure& f) {
        EXPECT_EQ(f.code, 12);
    }
    TrackText bad("36000 50 8 100\n36001 5O 8 100\n");
    try {
        gps_pass(bad.reader, window(10.0, 10.01), g, c.con);
        FAIL() << "no failure";
    } catch (const RunFailure& f) {
        EXPECT_EQ(f.code, 4);
        EXPECT_EQ(f.message, "track file \"t.txt\", line 2: cannot read \"5O\" as a real number");
    }
}

}  // namespace
}  // namespace tolvek
