#pragma once

#include "calc/DesignDetails.h"
#include "calc/InputBoxes.h"

#include <optional>
#include <string>

namespace calc {

// The design companion's figures as the web page shows them, one JSON object:
// every number it prints already as text (two decimals rounded to nearest,
// counts whole, in the window's number format), every chart as its points and
// ticks in the chart's own units. The page only places them.
std::string designReport(const DesignDetails& details);

// The report after a click with these texts; nullopt where the window shows
// the error message instead.
std::optional<std::string> designReportFor(const InputTexts& texts);

}  // namespace calc
