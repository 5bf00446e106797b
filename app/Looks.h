#pragma once

#include <cstdint>
#include <optional>

namespace app {

// The colours and fonts of the window, one entry per look that a group of
// controls shares. A text colour left empty means the standard control-text
// colour of the window's palette (DesignPalette).

// A colour as 0xRRGGBB, the form QColor takes.
using Rgb24 = std::uint32_t;

struct FontLook {
    const char* family;  // the face the layout names; familyFor maps it
    double points;
    bool bold;
    int stretch = 100;  // width in percent of the face's own, condensed below 100
};

struct Look {
    std::optional<FontLook> font;  // none: the toolkit's default font
    std::optional<Rgb24> text;
    Rgb24 background;
};

namespace looks {

inline constexpr Rgb24 kLightYellow = 0xFFFFC0;
inline constexpr Rgb24 kLightGreen = 0xC0FFC0;
inline constexpr Rgb24 kLightPink = 0xFFC0FF;
inline constexpr Rgb24 kLightCyan = 0xC0FFFF;
inline constexpr Rgb24 kRed = 0xFF0000;
inline constexpr Rgb24 kBlue = 0x0000FF;
inline constexpr Rgb24 kBlack = 0x000000;

inline constexpr Look kWindow{std::nullopt, std::nullopt, kLightYellow};
inline constexpr Look kPanelFrame{FontLook{"幼圆", 14.25, true}, kRed, kLightGreen};
inline constexpr Look kInputCaption{FontLook{"楷体_GB2312", 12, false}, kBlack, kLightGreen};
inline constexpr Look kUnitLabel{FontLook{"Times New Roman", 12, false}, std::nullopt, kLightGreen};
inline constexpr Look kTextBox{FontLook{"宋体", 12, true}, kBlue, kLightPink};
inline constexpr Look kButton{FontLook{"楷体_GB2312", 12, true}, std::nullopt, kLightGreen};
inline constexpr Look kTitleBanner{FontLook{"隶书", 18, false}, std::nullopt, kLightYellow};
// The chart's title is set three quarters wide, as it always was on the chart
// panel; its own width, so that the tick labels below can narrow without it.
inline constexpr Look kChartTitle{FontLook{"华文行楷", 15.75, false, 75}, kBlue, kLightYellow};
inline constexpr Look kResultsPicture{std::nullopt, std::nullopt, kLightGreen};
inline constexpr Look kChartPicture{std::nullopt, std::nullopt, kLightYellow};
// The panel's tick labels take the classic 8-point dialog face, as narrow as
// the ticks need (chart::tickLabelWidth; fontOf narrows it).
inline constexpr Look kChartPanel{FontLook{"MS Sans Serif", 8, false}, std::nullopt, kLightYellow};
inline constexpr Look kPlotArea{std::nullopt, std::nullopt, kLightCyan};

// The shades of every edge in the window, as the standard light scheme has
// them: the raised buttons (drawn by Qt from the palette, DesignPalette) and
// the plot area's sunken edge in light, midlight, dark and shadow; the panels'
// etched line and the text boxes' flat one in the line grey, the etching's
// highlight in light.
struct EdgeShades {
    Rgb24 light;
    Rgb24 midlight;
    Rgb24 dark;
    Rgb24 shadow;
    Rgb24 line;
};
inline constexpr EdgeShades kEdges{.light = 0xFFFFFF,
                                   .midlight = 0xCACACA,
                                   .dark = 0x9F9F9F,
                                   .shadow = 0x767676,
                                   .line = 0x808080};

}  // namespace looks

}  // namespace app
