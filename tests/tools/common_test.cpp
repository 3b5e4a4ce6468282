#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "common/dialogue.hpp"
#include "common/text_writer.hpp"
#include "common/tracks.hpp"
#include "temp_dir.hpp"

namespace {

std::string fixed(double value, int decimals) {
    char text[40];
    return std::string(text, tools::format_fixed(value, decimals, text));
}

TEST(FormatFixed, RoundsAndPadsLikeFixedNotation) {
    struct Case {
        double value;
        int decimals;
        const char* expected;
    };
    const Case cases[] = {
        {10.0, 10, "10.0000000000"},
        {56.12345678906, 10, "56.1234567891"},
        {10.0 + 1.0 / 180000.0, 10, "10.0000055556"},
        {-12.345649, 4, "-12.3456"},
        {-0.00004, 4, "0.0000"},  // rounds to zero: no minus sign
        {0.05, 1, "0.1"},
        {-0.7, 0, "-1"},
        {3.0, 0, "3"},
        {295200.25, 4, "295200.2500"},
        {1e20, 2, "100000000000000000000.00"},  // too large for the integer path
    };
    for (const auto& c : cases) EXPECT_EQ(fixed(c.value, c.decimals), c.expected) << c.value;
}

TEST(FormatFixed, WriterProducesTheSameTextAcrossBufferRefills) {
    TempDir tmp;
    tools::TextWriter out(tmp.file("big.txt"));
    std::string expected;
    for (int i = 0; i < 200000; ++i) {  // several megabytes: the buffer is flushed many times
        out.fixed(i * 0.001, 3);
        out.put('\n');
        expected += fixed(i * 0.001, 3) + '\n';
    }
    out.close();
    EXPECT_EQ(read_file(tmp.file("big.txt")), expected);
}

TEST(Dialogue, ReadsWhatIsWritten) {
    TempDir tmp;
    tools::Dialogue d;
    d.ins_file = "ins.txt";
    d.gps_file = "../gps file.txt";
    d.t0_hours = 10.0 + 1.0 / 3600.0;
    d.t1_hours = 11.5;
    d.tshift_s = 18.5;
    d.tau_s = 60.0;
    d.gps_header = true;
    d.ins_alt_height = false;
    tmp.write("dialogue.txt", tools::format_dialogue(d));
    const auto back = tools::read_dialogue(tmp.file("dialogue.txt"));
    EXPECT_EQ(back.ins_file, d.ins_file);
    EXPECT_EQ(back.gps_file, d.gps_file);
    EXPECT_NEAR(back.t0_hours, d.t0_hours, 1e-10);
    EXPECT_EQ(back.t1_hours, d.t1_hours);
    EXPECT_EQ(back.tshift_s, d.tshift_s);
    EXPECT_EQ(back.tau_s, d.tau_s);
    EXPECT_TRUE(back.gps_header);
    EXPECT_FALSE(back.ins_alt_height);
}

TEST(Dialogue, AcceptsValuesSpreadOverLinesAndLongLogicals) {
    TempDir tmp;
    tmp.write("dialogue.txt", "ins.txt   \r\ngps.txt\r\n10.5 12.0\r\n15, 60\r\n.FALSE. .true.\r\n");
    const auto d = tools::read_dialogue(tmp.file("dialogue.txt"));
    EXPECT_EQ(d.ins_file, "ins.txt");  // trailing blanks are not part of the name
    EXPECT_EQ(d.t0_hours, 10.5);
    EXPECT_EQ(d.tshift_s, 15.0);
    EXPECT_EQ(d.tau_s, 60.0);
    EXPECT_FALSE(d.gps_header);
    EXPECT_TRUE(d.ins_alt_height);
}

TEST(Dialogue, RefusesIncompleteOrBadValues) {
    TempDir tmp;
    tmp.write("short.txt", "ins.txt\ngps.txt\n10 11 0 60 F\n");
    tmp.write("bad.txt", "ins.txt\ngps.txt\n10 11 0 60 F Y\n");
    EXPECT_THROW(tools::read_dialogue(tmp.file("short.txt")), std::runtime_error);
    EXPECT_THROW(tools::read_dialogue(tmp.file("bad.txt")), std::runtime_error);
}

std::vector<tools::GpsFix> read_gps(const std::string& path, bool header, double tshift) {
    tools::GpsReader reader(path, header, tshift);
    std::vector<tools::GpsFix> fixes;
    tools::GpsFix fix;
    while (reader.next(fix)) fixes.push_back(fix);
    return fixes;
}

TEST(GpsReader, RemovesTheFirstRecordsWholeDaysAndTheTimeShift) {
    TempDir tmp;
    // Day 3, 800 s into the day; the next record lies on the following day.
    tmp.write("plain.txt", "260000 56.1 9.4 100.5\n345700 56.2 9.5 101\n");
    tmp.write("header.txt", "no lat lon h t\r\n1 56.1 9.4 100.5 260000\r\n2 56.2 9.5 101 345700");
    for (const bool header : {false, true}) {
        const auto fixes = read_gps(tmp.file(header ? "header.txt" : "plain.txt"), header, 36.0);
        ASSERT_EQ(fixes.size(), 2u) << header;
        EXPECT_NEAR(fixes[0].hours, 800.0 / 3600.0 - 0.01, 1e-12);
        EXPECT_NEAR(fixes[1].hours, (86400.0 + 100.0) / 3600.0 - 0.01, 1e-12);
        EXPECT_EQ(fixes[0].lat, 56.1);
        EXPECT_EQ(fixes[0].lon, 9.4);
        EXPECT_EQ(fixes[1].height, 101.0);
    }
}

TEST(TrackReader, NeedsEightValuesPerLine) {
    TempDir tmp;
    tmp.write("ok.txt", "10.5 56 9 100 1 2 3 99\n\n10.6 56 9 100 1 2 3 98 extra\n");
    tmp.write("short.txt", "10.5 56 9 100 1 2 3\n");
    tools::TrackReader ok(tmp.file("ok.txt"));
    tools::TrackRecord r;
    ASSERT_TRUE(ok.next(r));
    EXPECT_EQ(r.alt_height, 99.0);
    ASSERT_TRUE(ok.next(r));  // the blank line is skipped
    EXPECT_EQ(r.hours, 10.6);
    EXPECT_FALSE(ok.next(r));
    tools::TrackReader bad(tmp.file("short.txt"));
    EXPECT_THROW(bad.next(r), std::runtime_error);
}

}  // namespace
