#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "runner.hpp"

namespace e2e {
namespace {

namespace fs = std::filesystem;

const std::string gps = "36000 50.0 8.0 100.0\n36001 50.0 8.0 100.0\n36002 50.0 8.0 100.0\n";
const std::string ins =
    "10.0 50.0001 8.0 101.0 1 2 3 0\n"
    "10.0002777777777778 50.0001 8.0 101.0 1 2 3 0\n"
    "10.0005555555555556 50.0001 8.0 101.0 1 2 3 0\n";
const std::string old_output = std::string(5000, 'o');

struct FailureCase {
    const char* name;
    std::function<void(const Workdir&)> setup;
    std::string input;
    int exit_code;
    std::vector<std::string> diagnostic;  // texts the one line on standard error must hold
    bool outputs_touched;                 // the outputs were opened (and so cut) by the run
};

void inputs(const Workdir& d) {
    d.write("gps.txt", gps);
    d.write("ins.txt", ins);
}

const std::string ok_dialogue = "ins.txt\ngps.txt\n10 10.001 0 5 F F\n";

std::vector<FailureCase> failure_cases() {
    return {
        {"gps_missing",
         [](const Workdir& d) { d.write("ins.txt", ins); },
         ok_dialogue,
         8,
         {"GPS file \"gps.txt\"", "does not exist"},
         false},
        {"both_missing", [](const Workdir&) {}, ok_dialogue, 8, {"GPS file \"gps.txt\""}, false},
        {"ins_missing",
         [](const Workdir& d) { d.write("gps.txt", gps); },
         ok_dialogue,
         8,
         {"INS file \"ins.txt\"", "does not exist"},
         false},
        {"gps_directory",
         [](const Workdir& d) {
             d.write("ins.txt", ins);
             fs::create_directory(d.path() / "gps.txt");
         },
         ok_dialogue,
         8,
         {"GPS file \"gps.txt\"", "directory"},
         false},
        {"empty_name",
         inputs,
         "   \ngps.txt\n10 10.001 0 5 F F\n",
         8,
         {"INS file", "empty"},
         false},
        {"link_loop",
         [](const Workdir& d) {
             d.write("ins.txt", ins);
             fs::create_symlink("loop", d.path() / "gps.txt");
             fs::create_symlink("gps.txt", d.path() / "loop");
         },
         ok_dialogue,
         12,
         {"GPS file \"gps.txt\"", "symbolic links"},
         false},
        {"stdin_no_names", inputs, "", 12, {"standard input"}, false},
        {"stdin_one_name", inputs, "ins.txt\n", 12, {"standard input"}, false},
        {"stdin_short_values",
         inputs,
         "ins.txt\ngps.txt\n10 10.001 0\n",
         12,
         {"standard input"},
         false},
        {"dialogue_bad_logical",
         inputs,
         "ins.txt\ngps.txt\n10 10.001 0 5 Y F\n",
         4,
         {"standard input", "line 3", "\"Y\""},
         false},
        {"dialogue_logical_digit",
         inputs,
         "ins.txt\ngps.txt\n10 10.001 0 5 1 F\n",
         4,
         {"standard input", "\"1\""},
         false},
        {"dialogue_nan", inputs, "ins.txt\ngps.txt\nNaN 10.001 0 5 F F\n", 4, {"\"NaN\""}, false},
        {"dialogue_overflow",
         inputs,
         "ins.txt\ngps.txt\n10 1e999 0 5 F F\n",
         4,
         {"\"1e999\""},
         false},
        {"gps_bad_value",
         [](const Workdir& d) {
             d.write("gps.txt", "36000 50.0 8.0 100.0\n36001 50.0 8,0x 100.0\n");
             d.write("ins.txt", ins);
         },
         ok_dialogue,
         4,
         {"GPS file \"gps.txt\"", "line 2", "\"0x\""},
         true},
        {"ins_bad_value",
         [](const Workdir& d) {
             d.write("gps.txt", gps);
             d.write("ins.txt", ins + "\n10.001 50 8 100 1 2 3 --4\n");
         },
         ok_dialogue,
         4,
         {"INS file \"ins.txt\"", "line 5", "\"--4\""},
         true},
        {"gps_header_missing",
         [](const Workdir& d) {
             d.write("gps.txt", "");
             d.write("ins.txt", ins);
         },
         "ins.txt\ngps.txt\n10 10.001 0 5 T F\n",
         12,
         {"GPS file \"gps.txt\"", "header"},
         true},
        {"ins_empty",
         [](const Workdir& d) {
             d.write("gps.txt", gps);
             d.write("ins.txt", "\n\n");
         },
         ok_dialogue,
         12,
         {"INS file \"ins.txt\"", "no complete INS record"},
         true},
        {"ins_partial_first_record",
         [](const Workdir& d) {
             d.write("gps.txt", gps);
             d.write("ins.txt", "10.0 50 8 100\n");
         },
         ok_dialogue,
         12,
         {"INS file \"ins.txt\""},
         true},
        {"dif_is_directory",
         [](const Workdir& d) {
             inputs(d);
             fs::create_directory(d.path() / "tolvek.dif");
         },
         ok_dialogue,
         12,
         {"tolvek.dif"},
         true},
    };
}

class Failure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(Failure, OneDiagnosticItsExitCodeAndNoLeftovers) {
    const FailureCase& c = GetParam();
    Workdir d;
    c.setup(d);
    if (!d.exists("tolvek.pos")) d.write("tolvek.pos", old_output);
    if (!d.exists("tolvek.dif")) d.write("tolvek.dif", old_output);
    Result r = run_tolvek(d, c.input);
    EXPECT_EQ(r.exit_code, c.exit_code);
    ASSERT_FALSE(r.err.empty());
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;  // exactly one line
    for (const std::string& text : c.diagnostic)
        EXPECT_NE(r.err.find(text), std::string::npos) << r.err;
    EXPECT_EQ(r.out.rfind("- TOLVEK -\n", 0), 0u);
    EXPECT_EQ(d.read("tolvek.pos"), c.outputs_touched ? "" : old_output);
    if (fs::is_regular_file(d.path() / "tolvek.dif")) {
        EXPECT_EQ(d.read("tolvek.dif"), c.outputs_touched ? "" : old_output);
    }
    EXPECT_TRUE(d.tmp_is_empty());
}

INSTANTIATE_TEST_SUITE_P(Table, Failure, ::testing::ValuesIn(failure_cases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CapacityStop, RefusesTwelveHoursWithCode16AndEmptyOutputs) {
    Workdir d;
    inputs(d);
    d.write("tolvek.pos", old_output);
    Result r = run_tolvek(d, "ins.txt\ngps.txt\n0 12 0 5 F F\n");
    EXPECT_EQ(r.exit_code, 16);
    EXPECT_EQ(r.err, "*** too many points, increase maxn\n");
    EXPECT_EQ(r.out, "- TOLVEK -\ndraping time constant INS to GPS (sec):    5.0\n");
    EXPECT_EQ(d.read("tolvek.pos"), "");
    EXPECT_EQ(d.read("tolvek.dif"), "");
    EXPECT_TRUE(d.tmp_is_empty());
}

TEST(CapacityStop, AcceptsOneSecondLess) {
    Workdir d;
    inputs(d);
    Result r = run_tolvek(d, "ins.txt\ngps.txt\n0 11.999722222222222 0 5 F F\n");
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(d.read("tolvek.dif").size(), 43200u * 49u);
}

// The dialogue: names with trailing blanks, values over several lines, echo.
TEST(Dialogue, NamesValuesAndEcho) {
    Workdir d;
    inputs(d);
    d.write("tolvek.dif", old_output + old_output);
    Result spread = run_tolvek(d, "ins.txt   \r\ngps.txt \n10\n\n10.001,\n0 , 5\nF F extra\n");
    EXPECT_EQ(spread.exit_code, 0) << spread.err;
    std::string dif = d.read("tolvek.dif");
    Result one_line = run_tolvek(d, "ins.txt\ngps.txt\n10 10.001 0 5 F F\n");
    EXPECT_EQ(spread.out, one_line.out);
    EXPECT_EQ(dif, d.read("tolvek.dif"));
    EXPECT_EQ(dif.size(), 5u * 49u);  // the longer old file keeps nothing
    EXPECT_NE(one_line.out.find("draping time constant INS to GPS (sec):    5.0\n"),
              std::string::npos);
}

// Outputs are rewritten only after the inputs are read whole.
TEST(Dialogue, InsFileNamedLikeTheDrapedOutputIsReadWhole) {
    Workdir d;
    d.write("gps.txt", gps);
    d.write("tolvek.pos", ins);
    Result r = run_tolvek(d, "tolvek.pos\ngps.txt\n10 10.001 0 5 F F\n");
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.out.find("number of ins data read in wanted time interval:  2\n"),
              std::string::npos)
        << r.out;
}

}  // namespace
}  // namespace e2e
