#pragma once

// The range a chart description names, "从 <lower> 到 <upper>", read back as
// numbers, so a test compares it with the axis and not with a text.

#include <optional>
#include <regex>
#include <string>

struct NamedRange {
    double lower;
    double upper;
};

inline std::optional<NamedRange> namedRange(const std::string& description) {
    std::smatch m;
    if (!std::regex_search(description, m, std::regex("从 ([^ ]+) 到 ([^ ，]+)"))) {
        return std::nullopt;
    }
    return NamedRange{.lower = std::stod(m[1]), .upper = std::stod(m[2])};
}
