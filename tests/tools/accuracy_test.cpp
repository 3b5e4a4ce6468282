#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "accuracy/compare.hpp"
#include "accuracy/pos_file.hpp"
#include "accuracy/report.hpp"
#include "common/geo.hpp"
#include "temp_dir.hpp"

namespace {

constexpr double kLat = 56.0;
constexpr double kLon = 9.0;

struct Error {
    double north, east, up;
};

double hours_of(int k) {
    return 10.0 + k / 3600.0;
}

std::string track_line(int k, const Error& e, double alt_up) {
    const double m = tools::kMetresPerDegree;
    char line[200];
    std::snprintf(line, sizeof line, "%.10f %.10f %.10f %.4f 0 0 0 %.4f\n", hours_of(k),
                  kLat + e.north / m, kLon + e.east / (m * std::cos(tools::radians(kLat))),
                  100.0 + e.up, 100.0 + alt_up);
    return line;
}

std::string pos_line(double hours, double north, double height) {
    char line[100];
    std::snprintf(line, sizeof line, " %10.7f%12.7f%13.7f%9.2f%8.3f%8.3f%9.3f\r\n", hours,
                  kLat + north / tools::kMetresPerDegree, kLon, height, 1.0, 2.0, 3.0);
    return line;
}

// Five records one second apart; the window holds the first four.
accuracy::Inputs hand_made_run(const TempDir& tmp, bool alt_height) {
    const Error ins[] = {{3, 4, 1}, {6, 8, -2}, {0, 0, 0}, {0, 0, 2}, {100, 0, 0}};
    const double gps_north[] = {1, -1, 1, -1, 50};
    std::string truth, ins_text, gps;
    for (int k = 0; k < 5; ++k) {
        truth += track_line(k, {0, 0, 0}, 0.0);
        ins_text += track_line(k, ins[k], 0.5);
        char line[100];
        std::snprintf(line, sizeof line, "%.4f %.10f %.10f 100\n", 36000.0 + k,
                      kLat + gps_north[k] / tools::kMetresPerDegree, kLon);
        gps += line;
    }
    tmp.write("truth.txt", truth);
    tmp.write("ins.txt", ins_text);
    tmp.write("gps.txt", gps);
    // Draped: the first record is never draped; one line overflowed, one has a stray time.
    tmp.write("tolvek.pos", pos_line(hours_of(1), 1.1112, 100.25) +
                                pos_line(hours_of(1) + 1e-5, 0, 100) + std::string(70, '*') +
                                "\r\n" + pos_line(hours_of(2), 1.1112, 99.75) +
                                pos_line(hours_of(3), 1.1112, 100.25));
    accuracy::Inputs in;
    in.dialogue = {"ins.txt", "gps.txt", hours_of(0), hours_of(0) + 0.001,
                   0.0,       60.0,      false,       alt_height};
    in.truth_path = tmp.file("truth.txt");
    in.ins_path = tmp.file("ins.txt");
    in.gps_path = tmp.file("gps.txt");
    in.pos_path = tmp.file("tolvek.pos");
    return in;
}

TEST(Accuracy, ComputesRmsAndMaximaOfAHandMadeRun) {
    TempDir tmp;
    const auto s = accuracy::compare_tracks(hand_made_run(tmp, false));

    EXPECT_EQ(s.ins_in_window, 4);
    EXPECT_EQ(s.ins.errors.count(), 4);
    EXPECT_NEAR(s.ins.errors.horizontal_rms(), std::sqrt((25.0 + 100.0) / 4.0), 1e-4);
    EXPECT_NEAR(s.ins.errors.horizontal_max(), 10.0, 1e-4);
    EXPECT_NEAR(s.ins.errors.vertical_rms(), 1.5, 1e-4);
    EXPECT_NEAR(s.ins.errors.vertical_max(), 2.0, 1e-4);

    EXPECT_EQ(s.gps.errors.count(), 4);
    EXPECT_NEAR(s.gps.errors.horizontal_rms(), 1.0, 1e-4);
    EXPECT_NEAR(s.gps.jitter.rms(), 2.0, 1e-4);  // +1, -1, +1, -1 m
    EXPECT_EQ(s.gps.jitter.count(), 3);

    EXPECT_EQ(s.draped.errors.count(), 3);
    EXPECT_NEAR(s.draped.errors.horizontal_rms(), 1.1112, 1e-4);
    EXPECT_NEAR(s.draped.errors.vertical_rms(), 0.25, 1e-9);
    EXPECT_NEAR(s.draped.jitter.rms(), 0.0, 1e-4);
    EXPECT_EQ(s.pos_unreadable, 1);
    EXPECT_EQ(s.pos_unmatched, 1);
}

TEST(Accuracy, AlternativeHeightIsScoredWhenTheDialogueSaysSo) {
    TempDir tmp;
    const auto s = accuracy::compare_tracks(hand_made_run(tmp, true));
    EXPECT_NEAR(s.ins.errors.vertical_rms(), 0.5, 1e-9);
    EXPECT_NEAR(s.ins.errors.vertical_max(), 0.5, 1e-9);
}

TEST(Accuracy, RefusesInsAndTruthFilesThatDoNotLineUp) {
    TempDir tmp;
    auto in = hand_made_run(tmp, false);
    tmp.write("ins.txt", track_line(0, {0, 0, 0}, 0) + track_line(2, {0, 0, 0}, 0));
    EXPECT_THROW(accuracy::compare_tracks(in), std::runtime_error);
}

TEST(PosLine, ReadsFixedColumnsAndRefusesAsterisks) {
    accuracy::PosRecord r;
    ASSERT_TRUE(accuracy::parse_pos_line(
        " 10.0002778  56.0000100    9.0000000   100.25   1.000   2.000    3.000", r));
    EXPECT_EQ(r.hours, 10.0002778);
    EXPECT_EQ(r.lat, 56.0000100);
    EXPECT_EQ(r.lon, 9.0);
    EXPECT_EQ(r.height, 100.25);
    // A height too wide for its field.
    EXPECT_FALSE(
        accuracy::parse_pos_line(" 10.0002778  56.0000100    9.0000000*********   1.000", r));
    EXPECT_FALSE(accuracy::parse_pos_line(" 10.0002778  56.0000100", r));
    ASSERT_TRUE(accuracy::parse_pos_line("   .5000000   -.5000000     .0000000      .00", r));
    EXPECT_EQ(r.hours, 0.5);
    EXPECT_EQ(r.lat, -0.5);
}

TEST(SecondJitter, TakesOneRecordPerSecondAtAnyRate) {
    struct Case {
        double rate_hz, offset_s;
        long pairs;
    };
    // Ten seconds of records whose north error is the whole number of seconds
    // elapsed: each counted pair changes by exactly 1 m.
    const Case cases[] = {
        {1.0, 0.0, 10}, {50.0, 0.0, 10}, {3.0, 0.0, 10}, {5.0, 0.005, 10}, {0.5, 0.0, 0}};
    for (const auto& c : cases) {
        accuracy::SecondJitter jitter;
        for (int k = 0; k <= static_cast<int>(10 * c.rate_hz); ++k) {
            const double t = 36000.0 + c.offset_s + k / c.rate_hz;
            jitter.add(t, {std::floor(k / c.rate_hz + 1e-9), 0.0, 0.0});
        }
        EXPECT_EQ(jitter.count(), c.pairs) << c.rate_hz;
        if (c.pairs > 0) {
            EXPECT_NEAR(jitter.rms(), 1.0, 1e-12) << c.rate_hz;
        }
    }
}

// Scores with constant errors: INS 100 m, GPS alternating +-gps_noise, draped as given.
accuracy::Scores scores_with(double draped_error, double draped_step, double gps_noise,
                             long draped_count) {
    accuracy::Scores s;
    for (long k = 0; k < 100; ++k) {
        const double hours = 10.0 + k / 3600.0;
        s.ins.add(hours, {100.0, 0.0, 0.0});
        s.gps.add(hours, {k % 2 == 0 ? gps_noise : -gps_noise, 0.0, 0.0});
        if (k > 0 && k <= draped_count)
            s.draped.add(hours, {draped_error + (k % 2) * draped_step, 0.0, 0.0});
    }
    s.ins_in_window = 100;
    return s;
}

TEST(Verdict, WarnsUnlessDrapedBeatsInsAndIsSmootherThanGps) {
    struct Case {
        double error, step, gps_noise;
        long draped_count;
        const char* warning;  // nullptr: verdict OK
    };
    const Case cases[] = {
        {1.0, 0.01, 1.0, 99, nullptr},
        {20.0, 0.01, 1.0, 99, "not clearly better than the raw INS"},
        {1.0, 1.5, 1.0, 99, "not smoother than GPS"},
        {1.0, 0.01, 1.0, 90, "9 INS records of the window are not in the draped file"},
        {1.0, 0.01, 1.0, 0, "no draped record"},
    };
    for (const auto& c : cases) {
        const auto v = accuracy::judge(scores_with(c.error, c.step, c.gps_noise, c.draped_count));
        if (c.warning == nullptr) {
            EXPECT_TRUE(v.ok());
            EXPECT_EQ(v.summary.rfind("OK: ", 0), 0u);
            continue;
        }
        ASSERT_EQ(v.warnings.size(), 1u) << c.warning;
        EXPECT_EQ(v.warnings[0].rfind("WARNING: ", 0), 0u);
        EXPECT_NE(v.warnings[0].find(c.warning), std::string::npos) << v.warnings[0];
    }
}

TEST(Verdict, TableShowsEveryTrack) {
    const auto table =
        accuracy::format_table(scores_with(1.0, 0.01, 1.0, 99),
                               {"ins.txt", "gps.txt", 10.0, 11.0, 0.0, 60.0, false, false});
    for (const char* row : {"\nraw INS ", "\nGPS ", "\ndraped "})
        EXPECT_NE(table.find(row), std::string::npos);
    EXPECT_NE(table.find("tau 60 s"), std::string::npos);
    EXPECT_NE(table.find("  100.000"), std::string::npos);  // the INS error
}

}  // namespace
