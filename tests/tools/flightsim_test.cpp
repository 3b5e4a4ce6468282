#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "common/dialogue.hpp"
#include "common/geo.hpp"
#include "common/tracks.hpp"
#include "flightsim/options.hpp"
#include "flightsim/rng.hpp"
#include "flightsim/simulate.hpp"
#include "temp_dir.hpp"

namespace {

using flightsim::SimOptions;

SimOptions small_flight(const std::string& dir) {
    SimOptions o;
    o.out_dir = dir;
    o.duration_s = 600.0;
    o.ins_rate_hz = 10.0;
    o.outages = 1;
    o.outage_length_s = 30.0;
    return o;
}

std::vector<tools::TrackRecord> read_track(const std::string& path) {
    tools::TrackReader reader(path);
    std::vector<tools::TrackRecord> records;
    tools::TrackRecord r;
    while (reader.next(r)) records.push_back(r);
    return records;
}

std::vector<std::string> lines_of(const std::string& path) {
    std::istringstream in(read_file(path));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

int token_count(const std::string& line) {
    std::istringstream in(line);
    int n = 0;
    for (std::string token; in >> token;) ++n;
    return n;
}

TEST(Flightsim, SameSeedGivesSameBytesAndStreamsStayIndependent) {
    TempDir tmp;
    auto a = small_flight(tmp.file("a"));
    auto b = small_flight(tmp.file("b"));
    flightsim::write_flight(a);
    flightsim::write_flight(b);
    for (const char* name : {"gps.txt", "ins.txt", "truth.txt", "dialogue.txt"})
        EXPECT_EQ(read_file(a.out_dir + "/" + name), read_file(b.out_dir + "/" + name)) << name;

    auto other_seed = small_flight(tmp.file("c"));
    other_seed.seed = 2;
    flightsim::write_flight(other_seed);
    EXPECT_NE(read_file(a.out_dir + "/ins.txt"), read_file(other_seed.out_dir + "/ins.txt"));

    // Leaving out the truth or changing the GPS rate must not change the INS record bytes.
    auto no_truth = small_flight(tmp.file("d"));
    no_truth.write_truth = false;
    no_truth.gps_rate_hz = 2.0;
    flightsim::write_flight(no_truth);
    EXPECT_EQ(read_file(a.out_dir + "/ins.txt"), read_file(no_truth.out_dir + "/ins.txt"));
    EXPECT_FALSE(std::filesystem::exists(no_truth.out_dir + "/truth.txt"));
}

TEST(Flightsim, WritesTheTrackLayoutsAndAMatchingDialogue) {
    TempDir tmp;
    auto o = small_flight(tmp.file("f"));
    o.start_hour = 23.9;  // the flight runs past midnight on the INS scale
    o.tshift_s = 18.0;
    o.tau_s = 30.0;
    const auto summary = flightsim::write_flight(o);

    const auto ins = lines_of(o.out_dir + "/ins.txt");
    ASSERT_EQ(static_cast<long>(ins.size()), summary.ins_records);
    EXPECT_EQ(summary.ins_records, 6001);
    for (const auto& line : ins) ASSERT_EQ(token_count(line), 8) << line;
    const auto truth = read_track(o.out_dir + "/truth.txt");
    EXPECT_EQ(truth.front().hours, 23.9);
    EXPECT_NEAR(truth.back().hours, 23.9 + 600.0 / 3600.0, 1e-10);
    EXPECT_NEAR(truth[1].hours - truth[0].hours, 0.1 / 3600.0, 1e-10);

    const auto gps = lines_of(o.out_dir + "/gps.txt");
    EXPECT_EQ(static_cast<long>(gps.size()), summary.gps_records);
    EXPECT_EQ(summary.gps_records, 601 - 30);  // one outage of 30 records
    for (const auto& line : gps) ASSERT_EQ(token_count(line), 4) << line;
    EXPECT_EQ(gps.front().substr(0, 11), "86058.0000 ");  // 23.9 h plus 18 s

    const auto d = tools::read_dialogue(o.out_dir + "/dialogue.txt");
    EXPECT_EQ(d.ins_file, "ins.txt");
    EXPECT_EQ(d.gps_file, "gps.txt");
    EXPECT_EQ(d.t0_hours, truth.front().hours);
    EXPECT_EQ(d.t1_hours, truth.back().hours);
    EXPECT_EQ(d.tshift_s, 18.0);
    EXPECT_EQ(d.tau_s, 30.0);
    EXPECT_FALSE(d.gps_header);
    EXPECT_FALSE(d.ins_alt_height);
}

TEST(Flightsim, NumberedGpsLayoutCarriesDaysAndLandsOnInsTimes) {
    TempDir tmp;
    auto o = small_flight(tmp.file("f"));
    o.gps_header = true;
    o.gps_days = 3;
    o.tshift_s = 18.0;
    o.gps_rate_hz = 2.0;
    flightsim::write_flight(o);
    const auto lines = lines_of(o.out_dir + "/gps.txt");
    ASSERT_GT(lines.size(), 2u);
    EXPECT_EQ(lines[1].substr(0, 2), "1 ");
    EXPECT_EQ(lines[2].substr(0, 2), "2 ");
    for (std::size_t i = 1; i < lines.size(); ++i) ASSERT_EQ(token_count(lines[i]), 5) << lines[i];

    const auto d = tools::read_dialogue(o.out_dir + "/dialogue.txt");
    EXPECT_TRUE(d.gps_header);
    tools::GpsReader reader(o.out_dir + "/gps.txt", d.gps_header, d.tshift_s);
    tools::GpsFix first, second;
    ASSERT_TRUE(reader.next(first));
    ASSERT_TRUE(reader.next(second));
    EXPECT_NEAR(first.hours, d.t0_hours, 1e-9);
    EXPECT_NEAR(second.hours, d.t0_hours + 0.5 / 3600.0, 1e-9);
}

double horizontal(const tools::Offset& e) {
    return std::hypot(e.north, e.east);
}

tools::Offset error_of(const tools::TrackRecord& r, const tools::TrackRecord& truth,
                       double height) {
    return tools::offset_metres(r.lat, r.lon, height, truth.lat, truth.lon, truth.height);
}

TEST(Flightsim, FliesLikeASurveyAircraft) {
    TempDir tmp;
    auto o = small_flight(tmp.file("f"));
    o.duration_s = 3600.0;
    o.ins_rate_hz = 1.0;
    flightsim::write_flight(o);
    const auto truth = read_track(o.out_dir + "/truth.txt");
    double highest_roll = 0.0;
    for (std::size_t i = 1; i < truth.size(); ++i) {
        // Ground speed from one second of flight: any jump between pieces of the path shows here.
        const auto step =
            tools::offset_metres(truth[i].lat, truth[i].lon, truth[i].height, truth[i - 1].lat,
                                 truth[i - 1].lon, truth[i - 1].height);
        ASSERT_GT(horizontal(step), 55.0) << i;
        ASSERT_LT(horizontal(step), 85.0) << i;
        ASSERT_LT(std::fabs(step.up), 6.0) << i;
        highest_roll = std::max(highest_roll, std::fabs(truth[i].a1));
    }
    EXPECT_GT(highest_roll, 10.0);  // it does turn
    EXPECT_LT(highest_roll, 35.0);
    for (const auto& r : truth) {
        ASSERT_GT(r.lat, 45.0);
        ASSERT_LT(r.lat, 60.0);
    }
}

TEST(Flightsim, ErrorsHaveTheirIntendedSizes) {
    TempDir tmp;
    auto o = small_flight(tmp.file("f"));
    o.duration_s = 3600.0;
    o.ins_rate_hz = 1.0;
    o.gps_noise_m = 2.0;
    o.ins_alt_height = true;
    flightsim::write_flight(o);
    const auto truth = read_track(o.out_dir + "/truth.txt");
    const auto ins = read_track(o.out_dir + "/ins.txt");
    ASSERT_EQ(ins.size(), truth.size());

    double ins_max = 0.0, better_sq = 0.0, poorer_sq = 0.0;
    for (std::size_t i = 0; i < ins.size(); ++i) {
        ins_max = std::max(ins_max, horizontal(error_of(ins[i], truth[i], ins[i].height)));
        better_sq += std::pow(ins[i].alt_height - truth[i].height, 2);
        poorer_sq += std::pow(ins[i].height - truth[i].height, 2);
    }
    EXPECT_LT(horizontal(error_of(ins.front(), truth.front(), 0.0)), 0.2);  // aligned at the start
    EXPECT_GT(ins_max, 50.0);
    EXPECT_LT(ins_max, 1500.0);
    EXPECT_LT(better_sq * 10.0, poorer_sq);  // --insalth: the 8th value is the better height

    // GPS noise: 2 m per horizontal axis, 4 m vertically.
    tools::GpsReader gps(o.out_dir + "/gps.txt", false, 0.0);
    tools::GpsFix fix;
    double h_sq = 0.0, v_sq = 0.0;
    long n = 0;
    for (std::size_t i = 0; gps.next(fix); ++n) {
        while (truth[i].hours < fix.hours - 1e-9) ++i;  // INS and GPS both at 1 Hz
        const auto e = tools::offset_metres(fix.lat, fix.lon, fix.height, truth[i].lat,
                                            truth[i].lon, truth[i].height);
        h_sq += e.north * e.north + e.east * e.east;
        v_sq += e.up * e.up;
    }
    EXPECT_NEAR(std::sqrt(h_sq / n), 2.0 * std::sqrt(2.0), 0.2);
    EXPECT_NEAR(std::sqrt(v_sq / n), 4.0, 0.3);
}

TEST(FlightsimOptions, ParsesAndChecksTheCommandLine) {
    struct Case {
        std::vector<std::string_view> args;
        bool usable;
    };
    const Case cases[] = {
        {{"--out", "x"}, true},
        {{"--out", "x", "--ins-rate", "400", "--gps-rate", "0.5", "--insalth", "--gps-header"},
         true},
        {{}, false},
        {{"--out"}, false},
        {{"--out", "x", "--ins-rate", "401"}, false},
        {{"--out", "x", "--gps-rate", "0.4"}, false},
        {{"--out", "x", "--duration", "abc"}, false},
        {{"--out", "x", "--outages", "3", "--outage-length", "700"}, false},
        {{"--out", "x", "--bogus"}, false},
    };
    for (const auto& c : cases) {
        const auto parsed = flightsim::parse_args(c.args);
        EXPECT_EQ(parsed.error.empty(), c.usable)
            << parsed.error << " (case " << (&c - cases) << ")";
    }
    const std::vector<std::string_view> full = {"--out",    "d",    "--seed",    "7",
                                                "--tshift", "-2.5", "--no-truth"};
    const auto parsed = flightsim::parse_args(full);
    EXPECT_EQ(parsed.options.seed, 7u);
    EXPECT_EQ(parsed.options.tshift_s, -2.5);
    EXPECT_FALSE(parsed.options.write_truth);
}

TEST(Rng, NormalVariatesHaveUnitSpread) {
    flightsim::Rng rng(42, 0);
    double sum = 0.0, sum_sq = 0.0;
    const int n = 200000;
    for (int i = 0; i < n; ++i) {
        const double z = rng.normal();
        sum += z;
        sum_sq += z * z;
    }
    EXPECT_NEAR(sum / n, 0.0, 0.01);
    EXPECT_NEAR(std::sqrt(sum_sq / n), 1.0, 0.01);
}

}  // namespace
