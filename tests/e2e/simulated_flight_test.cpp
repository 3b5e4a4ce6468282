#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "runner.hpp"

namespace e2e {
namespace {

struct Flight {
    const char* name;
    std::vector<std::string> options;
};

void PrintTo(const Flight& f, std::ostream* os) {
    *os << f.name;
}

class SimulatedFlight : public ::testing::TestWithParam<Flight> {};

// The simulator's files go through the real binary, and the draped track
// comes out far closer to the truth than the raw INS and smoother than GPS
// (the accuracy tool's verdict).
TEST_P(SimulatedFlight, DrapesTheInsTrackOntoTheTruth) {
    Workdir d;
    std::vector<std::string> sim = {
        FLIGHTSIM_BINARY, "--out", d.path().string(), "--duration", "1200", "--ins-rate", "20"};
    sim.insert(sim.end(), GetParam().options.begin(), GetParam().options.end());
    ASSERT_EQ(run_program(d, sim, "").exit_code, 0);

    Result run = run_tolvek(d, d.read("dialogue.txt"));
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("number of ins data read in wanted time interval:  24000\n"),
              std::string::npos)
        << run.out;

    Result acc = run_program(d, {ACCURACY_BINARY, "--dir", d.path().string()}, "");
    EXPECT_EQ(acc.exit_code, 0) << acc.out << acc.err;
    EXPECT_NE(acc.out.find("OK: draped"), std::string::npos) << acc.out;
    EXPECT_TRUE(d.tmp_is_empty());
}

INSTANTIATE_TEST_SUITE_P(Layouts, SimulatedFlight,
                         ::testing::Values(Flight{"plain", {}},
                                           Flight{"numbered_days_shift_althgt",
                                                  {"--gps-header", "--gps-days", "3", "--tshift",
                                                   "15", "--insalth", "--seed", "5"}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
