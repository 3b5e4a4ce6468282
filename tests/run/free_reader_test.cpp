#include "run/free_reader.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "text_source.hpp"

namespace tolvek {
namespace {

constexpr double U = -1.0;  // the value a variable holds before the read
const double nan_marker = std::numeric_limits<double>::quiet_NaN();

struct RealCase {
    const char* text;
    ReadStatus status;
    std::array<double, 3> expect;  // ignored unless complete
};

// Three reals, read from text; blocks of 24 bytes make tokens cross refills.
class ThreeReals : public ::testing::TestWithParam<std::size_t> {};

const RealCase real_cases[] = {
    {"1 2 3", ReadStatus::complete, {1, 2, 3}},
    {"1,2,3\n", ReadStatus::complete, {1, 2, 3}},
    {"  1\t2 ,3\r\n", ReadStatus::complete, {1, 2, 3}},
    {"\n\n  \n1\n\n2\n3", ReadStatus::complete, {1, 2, 3}},
    {"1 2 3 4 junk", ReadStatus::complete, {1, 2, 3}},
    {"1,,3", ReadStatus::complete, {1, U, 3}},
    {",2,3", ReadStatus::complete, {U, 2, 3}},
    {"1 , , 3", ReadStatus::complete, {1, U, 3}},
    {"1,\n,3", ReadStatus::complete, {1, U, 3}},
    {"1,\n3 4", ReadStatus::complete, {1, 3, 4}},
    {"1\n,3 4", ReadStatus::complete, {1, 3, 4}},
    {"1 2/ 3", ReadStatus::complete, {1, 2, U}},
    {"5/", ReadStatus::complete, {5, U, U}},
    {"/", ReadStatus::complete, {U, U, U}},
    {",,", ReadStatus::end_of_file, {}},
    {"2*7 8", ReadStatus::complete, {7, 7, 8}},
    {"2* 8", ReadStatus::complete, {U, U, 8}},
    {"1 5*7", ReadStatus::complete, {1, 7, 7}},
    {"1.5D3 1.5e3 1.5+3", ReadStatus::complete, {1500, 1500, 1500}},
    {"1.5q-2 -.5 5.", ReadStatus::complete, {0.015, -0.5, 5}},
    {"+3 -0 1.5E+02", ReadStatus::complete, {3, -0.0, 150}},
    {"1e-400 2d-330 0", ReadStatus::complete, {0.0, 0.0, 0.0}},
    {"12345678901234567890 0 0", ReadStatus::complete, {1.2345678901234567e19, 0, 0}},
    {"0.123456789012345678 0 0", ReadStatus::complete, {0.12345678901234567, 0, 0}},
    {"0.000000000000000000012 0 0", ReadStatus::complete, {1.2e-20, 0, 0}},
    {"1.7976931348623157e308 0 0", ReadStatus::complete, {1.7976931348623157e308, 0, 0}},
    {"1 2", ReadStatus::end_of_file, {}},
    {"", ReadStatus::end_of_file, {}},
    {"\n \n", ReadStatus::end_of_file, {}},
    {"1e400 0 0", ReadStatus::bad_value, {}},
    {"1.8e308 0 0", ReadStatus::bad_value, {}},
    {"NaN 0 0", ReadStatus::bad_value, {}},
    {"1 Inf 0", ReadStatus::bad_value, {}},
    {"1 Infinity 0", ReadStatus::bad_value, {}},
    {"1.5e 0 0", ReadStatus::bad_value, {}},
    {"1.5e+ 0 0", ReadStatus::bad_value, {}},
    {"+ 0 0", ReadStatus::bad_value, {}},
    {". 0 0", ReadStatus::bad_value, {}},
    {"1..2 0 0", ReadStatus::bad_value, {}},
    {"1,2;3", ReadStatus::bad_value, {}},
    {"1\r2 3", ReadStatus::bad_value, {}},
    {"1\f2 3", ReadStatus::bad_value, {}},
    {"0*5 1 2", ReadStatus::bad_value, {}},
    {"-2*5 1 2", ReadStatus::bad_value, {}},
    {"*5 1 2", ReadStatus::bad_value, {}},
    {"2*3*4 1", ReadStatus::bad_value, {}},
};

TEST_P(ThreeReals, GrammarTable) {
    for (const RealCase& c : real_cases) {
        SCOPED_TRACE(c.text);
        TextSource src(c.text);
        BlockInput in(src.fd(), "test", GetParam());
        FreeReader reader(in);
        std::array<double, 3> v = {U, U, U};
        const std::array<Target, 3> vars = {real_var(v[0]), real_var(v[1]), real_var(v[2])};
        ASSERT_EQ(reader.read(vars), c.status);
        if (c.status != ReadStatus::complete) continue;
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(v[i], c.expect[i]) << "value " << i;
            EXPECT_EQ(std::signbit(v[i]), std::signbit(c.expect[i])) << "sign of value " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BlockSizes, ThreeReals, ::testing::Values(24u, 1u << 16));

TEST(FreeReader, NulInsideTextIsData) {
    TextSource src(std::string("1 2\0 3", 6));
    BlockInput in(src.fd(), "test", 64);
    FreeReader reader(in);
    double a = 0, b = 0, c = 0;
    const std::array<Target, 3> vars = {real_var(a), real_var(b), real_var(c)};
    EXPECT_EQ(reader.read(vars), ReadStatus::bad_value);
    EXPECT_EQ(reader.bad().text, "2\\x00");
}

TEST(FreeReader, IntegersAndLogicals) {
    struct Case {
        const char* text;
        ReadStatus status;
        std::int32_t i;
        bool t, f;
    } cases[] = {
        {"7 T .false.", ReadStatus::complete, 7, true, false},
        {"-2147483648 t f", ReadStatus::complete, INT32_MIN, true, false},
        {"2147483647 ..T .f", ReadStatus::complete, INT32_MAX, true, false},
        {"+0 true FALSE", ReadStatus::complete, 0, true, false},
        {"2147483648 T F", ReadStatus::bad_value, 0, false, false},
        {"1.0 T F", ReadStatus::bad_value, 0, false, false},
        {"1e3 T F", ReadStatus::bad_value, 0, false, false},
        {"7 Y F", ReadStatus::bad_value, 0, false, false},
        {"7 1 F", ReadStatus::bad_value, 0, false, false},
        {"7 ... F", ReadStatus::bad_value, 0, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TextSource src(c.text);
        BlockInput in(src.fd(), "test", 64);
        FreeReader reader(in);
        std::int32_t i = 99;
        bool t = false, f = true;
        const std::array<Target, 3> vars = {integer_var(i), logical_var(t), logical_var(f)};
        ASSERT_EQ(reader.read(vars), c.status);
        if (c.status != ReadStatus::complete) continue;
        EXPECT_EQ(i, c.i);
        EXPECT_EQ(t, c.t);
        EXPECT_EQ(f, c.f);
    }
}

// Each read starts on a new line, and variables a read leaves alone keep the
// values of the previous read.
TEST(FreeReader, ConsecutiveReadsKeepUnchangedValues) {
    TextSource src("1 2 3 ignored\n,5/\n\n7 2*\n8,9 10 11\n4 6 ,, \n1 2 3\nx");
    BlockInput in(src.fd(), "test", 16);
    FreeReader reader(in);
    double a = 0, b = 0, c = 0;
    const std::array<Target, 3> vars = {real_var(a), real_var(b), real_var(c)};
    const std::vector<std::array<double, 3>> expected = {{1, 2, 3},  {1, 5, 3},  {7, 5, 3},
                                                         {8, 9, 10}, {4, 6, 10}, {1, 2, 3}};
    for (const auto& e : expected) {
        ASSERT_EQ(reader.read(vars), ReadStatus::complete);
        EXPECT_EQ((std::array<double, 3>{a, b, c}), e);
    }
    ASSERT_EQ(reader.read(vars), ReadStatus::bad_value);
    EXPECT_EQ(reader.bad().line, 8);
    EXPECT_EQ(reader.bad().text, "x");
}

TEST(FreeReader, BadValueMessageNamesFileLineAndText) {
    TextSource src("1 2 3\n\n4 1.2.3 6\n");
    BlockInput in(src.fd(), "GPS file \"g.txt\"", 64);
    FreeReader reader(in);
    double a = 0, b = 0, c = 0;
    const std::array<Target, 3> vars = {real_var(a), real_var(b), real_var(c)};
    ASSERT_EQ(reader.read(vars), ReadStatus::complete);
    ASSERT_EQ(reader.read(vars), ReadStatus::bad_value);
    EXPECT_EQ(reader.bad_message(),
              "GPS file \"g.txt\", line 3: cannot read \"1.2.3\" as a real number");
}

TEST(FreeReader, TokenLongerThanTheBlockIsRefused) {
    TextSource src(std::string(100, '1') + " 2 3");
    BlockInput in(src.fd(), "test", 32);
    FreeReader reader(in);
    double a = 0, b = 0, c = 0;
    const std::array<Target, 3> vars = {real_var(a), real_var(b), real_var(c)};
    EXPECT_EQ(reader.read(vars), ReadStatus::bad_value);
    EXPECT_EQ(reader.bad().fault, Fault::too_long);
}

TEST(FreeReader, WholeLines) {
    TextSource src("  name with blanks   \r\n\t tab\t\n" + std::string(80, 'x') + "\nlast");
    BlockInput in(src.fd(), "test", 64);
    FreeReader reader(in);
    char line[10];
    const std::vector<std::string> expected = {"  name wit", "\t tab\t    ", "xxxxxxxxxx",
                                               "last      "};
    for (const std::string& e : expected) {
        ASSERT_TRUE(reader.read_line(line, sizeof line));
        EXPECT_EQ(std::string(line, sizeof line), e);
    }
    EXPECT_FALSE(reader.read_line(line, sizeof line));
}

}  // namespace
}  // namespace tolvek
