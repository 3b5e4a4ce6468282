#include "exact_decimal.hpp"

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

namespace fuzz {
namespace {

constexpr std::uint32_t limb_base = 1'000'000'000;  // nine decimal digits per limb

// A natural number in base 10^9, least significant limb first.
class Natural {
  public:
    explicit Natural(std::uint64_t v) {
        do {
            limbs_.push_back(static_cast<std::uint32_t>(v % limb_base));
            v /= limb_base;
        } while (v != 0);
    }

    void multiply(std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (std::uint32_t& limb : limbs_) {
            std::uint64_t t = std::uint64_t{limb} * factor + carry;
            limb = static_cast<std::uint32_t>(t % limb_base);
            carry = t / limb_base;
        }
        for (; carry != 0; carry /= limb_base)
            limbs_.push_back(static_cast<std::uint32_t>(carry % limb_base));
    }

    // Multiplies by base^count, in the largest steps that fit 32 bits.
    void multiply_power(std::uint32_t base, int count, std::uint32_t step_factor, int step) {
        for (; count >= step; count -= step) multiply(step_factor);
        while (count-- > 0) multiply(base);
    }

    std::string digits() const {
        std::string s = std::to_string(limbs_.back());
        for (auto it = limbs_.rbegin() + 1; it != limbs_.rend(); ++it) {
            std::string part = std::to_string(*it);
            s += std::string(9 - part.size(), '0') + part;
        }
        return s == "0" ? "" : s;
    }

  private:
    std::vector<std::uint32_t> limbs_;
};

// Adds one to a decimal digit string.
std::string increment(std::string s) {
    int i = static_cast<int>(s.size()) - 1;
    for (; i >= 0 && s[i] == '9'; --i) s[i] = '0';
    if (i < 0) return "1" + s;
    ++s[i];
    return s;
}

// Decimal digits of round(|v| x 10^d), ties to even, without leading zeros.
std::string rounded_scaled(double v, int d) {
    auto bits = std::bit_cast<std::uint64_t>(v);
    int biased = static_cast<int>((bits >> 52) & 0x7ff);
    std::uint64_t mant = bits & ((std::uint64_t{1} << 52) - 1);
    int exp = -1074;
    if (biased != 0) {
        mant |= std::uint64_t{1} << 52;
        exp = biased - 1075;
    }
    // |v| = mant x 2^exp = n / 10^frac exactly, with n = mant x 5^-exp for exp < 0.
    Natural n(mant);
    int frac = 0;
    if (exp >= 0) {
        n.multiply_power(2, exp, 1u << 29, 29);
    } else {
        n.multiply_power(5, -exp, 1'220'703'125u, 13);
        frac = -exp;
    }
    std::string digits = n.digits();
    if (frac <= d) return digits.empty() ? digits : digits + std::string(d - frac, '0');

    std::size_t drop = static_cast<std::size_t>(frac - d);
    if (digits.size() < drop) return "";  // below a tenth of the last decimal
    std::string kept = digits.substr(0, digits.size() - drop);
    std::string dropped = digits.substr(digits.size() - drop);
    bool up;
    if (dropped[0] != '5') {
        up = dropped[0] > '5';
    } else if (dropped.find_first_not_of('0', 1) != std::string::npos) {
        up = true;
    } else {
        up = !kept.empty() && (kept.back() - '0') % 2 == 1;
    }
    if (up) kept = increment(kept);
    std::size_t lead = kept.find_first_not_of('0');
    return lead == std::string::npos ? "" : kept.substr(lead);
}

std::string right_aligned(const std::string& text, int w) {
    if (static_cast<int>(text.size()) > w) return std::string(static_cast<std::size_t>(w), '*');
    return std::string(static_cast<std::size_t>(w) - text.size(), ' ') + text;
}

}  // namespace

std::string expected_real_field(double v, int w, int d) {
    if (!std::isfinite(v)) return std::string(static_cast<std::size_t>(w), '*');
    std::string scaled = rounded_scaled(v, d);
    bool zero = scaled.empty();
    if (static_cast<int>(scaled.size()) < d) scaled.insert(0, d - scaled.size(), '0');
    std::string whole = scaled.substr(0, scaled.size() - static_cast<std::size_t>(d));
    std::string text =
        (std::signbit(v) && !zero ? "-" : "") + whole + "." + scaled.substr(whole.size());
    if (whole.empty() && static_cast<int>(text.size()) < w) text.insert(text.find('.'), "0");
    return right_aligned(text, w);
}

std::string expected_integer_field(long long v, int w) {
    return right_aligned(std::to_string(v), w);
}

}  // namespace fuzz
