#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "runner.hpp"

namespace e2e {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> scenario_names() {
    std::vector<std::string> names;
    if (!fs::is_directory(SCENARIO_DIR)) return names;
    for (const auto& entry : fs::directory_iterator(SCENARIO_DIR))
        if (entry.is_directory()) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string expected_or(const fs::path& p, const std::string& otherwise) {
    return fs::exists(p) ? read_file(p) : otherwise;
}

class Scenario : public ::testing::TestWithParam<std::string> {};

// Every artefact of the run against the expected files worked out separately.
TEST_P(Scenario, MatchesEveryArtefact) {
    fs::path dir = fs::path(SCENARIO_DIR) / GetParam();
    Workdir d;
    if (fs::is_directory(dir / "input"))
        fs::copy(dir / "input", d.path(), fs::copy_options::recursive);
    Result r = run_tolvek(d, read_file(dir / "stdin"));
    fs::path want = dir / "expected";
    EXPECT_EQ(r.exit_code, std::stoi(read_file(want / "exit_code")));
    EXPECT_EQ(r.out, read_file(want / "stdout"));
    EXPECT_EQ(r.err, expected_or(want / "stderr", ""));
    EXPECT_EQ(d.read("tolvek.dif"), read_file(want / "tolvek.dif"));
    EXPECT_EQ(d.read("tolvek.pos"), read_file(want / "tolvek.pos"));
    EXPECT_TRUE(d.tmp_is_empty());
}

INSTANTIATE_TEST_SUITE_P(Fixtures, Scenario, ::testing::ValuesIn(scenario_names()),
                         [](const auto& info) { return info.param; });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(Scenario);

}  // namespace
}  // namespace e2e
