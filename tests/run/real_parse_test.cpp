#include "run/real_parse.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace tolvek {
namespace {

// A token as the reader holds it: followed by a separator, the sentinel and
// a few bytes of slack.
struct Token {
    explicit Token(const std::string& s) : text(s + " " + std::string(9, '\0')) {}
    const char* begin() const { return text.data(); }
    const char* end() const { return text.data() + text.size() - 10; }
    std::string text;
};

// Random decimal texts: signs, 1 to 24 digits, the point anywhere or nowhere,
// leading zeros, now and then an exponent.
std::string random_real(std::mt19937_64& rng) {
    std::uniform_int_distribution<int> digit(0, 9), count(1, 24), coin(0, 9);
    std::string s;
    if (coin(rng) < 3) s += coin(rng) < 5 ? "-" : "+";
    int n = count(rng);
    int point = std::uniform_int_distribution<int>(-1, n)(rng);
    int zeros = coin(rng) < 3 ? coin(rng) : 0;
    for (int i = 0; i < zeros; ++i) s += '0';
    for (int i = 0; i < n; ++i) {
        if (i == point) s += '.';
        s += static_cast<char>('0' + digit(rng));
    }
    if (point == n) s += '.';
    if (coin(rng) == 0) {
        s += 'e';
        s += std::to_string(std::uniform_int_distribution<int>(-30, 30)(rng));
    }
    return s;
}

// Digits after the 17th significant one are dropped, not rounded in.
std::string first_17_significant(const std::string& s) {
    std::string out;
    int significant = 0;
    bool seen_nonzero = false, in_exponent = false;
    for (char c : s) {
        if (c == 'e') in_exponent = true;
        if (in_exponent || c < '0' || c > '9') {
            out += c;
            continue;
        }
        seen_nonzero = seen_nonzero || c != '0';
        if (seen_nonzero && ++significant > 17) c = '0';
        out += c;
    }
    return out;
}

// The fast path, the exact path and the C library (on the text cut to 17
// significant digits) must agree bit for bit.
TEST(RealParse, FastAndExactPathsAgreeWithTheCLibrary) {
    std::mt19937_64 rng(42);
    long fast = 0;
    for (int k = 0; k < 3'000'000; ++k) {
        std::string s = random_real(rng);
        Token t(s);
        double exact = -1.0;
        ASSERT_EQ(parse_real(t.begin(), t.end(), exact), ParseStatus::ok) << s;
        double reference = std::strtod(first_17_significant(s).c_str(), nullptr);
        ASSERT_EQ(std::memcmp(&exact, &reference, sizeof exact), 0) << s;
        double quick = -1.0;
        const char* end = parse_plain_real(t.begin(), quick);
        if (end == nullptr) continue;
        ++fast;
        ASSERT_EQ(end, t.end()) << s;
        ASSERT_EQ(std::memcmp(&quick, &exact, sizeof quick), 0) << s;
    }
    EXPECT_GT(fast, 1'000'000);  // the fast path does carry the ordinary values
}

TEST(RealParse, FastPathLeavesTheRareFormsAlone) {
    for (const char* s :
         {"1.5D3", "1.5+3", "1e5", "2*3", "123456789012345678", "1.0x", "-", ".", "", "1..5"}) {
        std::string text = std::string(s) + "\r" + std::string(9, '\0');
        double v = 7.0;
        EXPECT_EQ(parse_plain_real(text.data(), v), nullptr) << s;
        EXPECT_EQ(v, 7.0);
    }
    std::string crlf = std::string("12.5\r\n") + std::string(8, '\0');
    double v = 0;
    EXPECT_EQ(parse_plain_real(crlf.data(), v), crlf.data() + 4);
    EXPECT_EQ(v, 12.5);
}

}  // namespace
}  // namespace tolvek
