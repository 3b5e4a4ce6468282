#pragma once

#include <string>
#include <vector>

#include "common/dialogue.hpp"
#include "compare.hpp"

namespace accuracy {

// The draped track must beat the raw INS by far and be smoother than GPS.
inline constexpr double kMaxDrapedToInsRms = 0.1;
inline constexpr double kMaxDrapedToGpsJitter = 0.5;

struct Verdict {
    std::vector<std::string> warnings;  // each a complete "WARNING: ..." line
    std::string summary;                // the "OK: ..." line when there are no warnings
    bool ok() const { return warnings.empty(); }
};

std::string format_table(const Scores& scores, const tools::Dialogue& dialogue);
Verdict judge(const Scores& scores);

}  // namespace accuracy
