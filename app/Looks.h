#pragma once

#include <cstdint>
#include <optional>

namespace app {

// The colours and fonts of the window, one entry per look that a group of
// controls shares. A text colour left empty means the standard control-text
// colour of the window's palette (DesignPalette). A background belongs to a
// container (the window, a panel) or to a box that shows one of its own; the
// controls on a container show the container's.

// A colour as 0xRRGGBB, the form QColor takes.
using Rgb24 = std::uint32_t;

struct FontLook {
    const char* family;  // the face the layout names; familyFor maps it
    double points;
    bool bold;
    int stretch = 100;  // width in percent of the face's own, condensed below 100
};

struct Look {
    std::optional<FontLook> font = std::nullopt;  // none: the toolkit's default font
    std::optional<Rgb24> text = std::nullopt;
    std::optional<Rgb24> background = std::nullopt;  // none: the container's
};

namespace looks {

inline constexpr Rgb24 kLightYellow = 0xFFFFC0;
inline constexpr Rgb24 kLightGreen = 0xC0FFC0;
inline constexpr Rgb24 kLightPink = 0xFFC0FF;
inline constexpr Rgb24 kLightCyan = 0xC0FFFF;
inline constexpr Rgb24 kRed = 0xFF0000;
inline constexpr Rgb24 kBlue = 0x0000FF;
inline constexpr Rgb24 kBlack = 0x000000;

inline constexpr Look kWindow{.background = kLightYellow};
inline constexpr Look kPanelFrame{.font = FontLook{.family = "幼圆", .points = 14.25, .bold = true},
                                  .text = kRed,
                                  .background = kLightGreen};
inline constexpr Look kInputCaption{
    .font = FontLook{.family = "楷体_GB2312", .points = 12, .bold = false}, .text = kBlack};
inline constexpr Look kUnitLabel{
    .font = FontLook{.family = "Times New Roman", .points = 12, .bold = false}};
inline constexpr Look kTextBox{.font = FontLook{.family = "宋体", .points = 12, .bold = true},
                               .text = kBlue,
                               .background = kLightPink};
inline constexpr Look kButton{.font =
                                  FontLook{.family = "楷体_GB2312", .points = 12, .bold = true}};
inline constexpr Look kTitleBanner{.font = FontLook{.family = "隶书", .points = 18, .bold = false}};
// The chart's title is set three quarters wide, as it always was on the chart
// panel; its own width, so that the tick labels below can narrow without it.
inline constexpr Look kChartTitle{
    .font = FontLook{.family = "华文行楷", .points = 15.75, .bold = false, .stretch = 75},
    .text = kBlue};
// A formula picture shows its panel's background around its drawing.
inline constexpr Look kFormulaPicture{};
// The panel's tick labels take the classic 8-point dialog face, as narrow as
// the ticks need (chart::tickLabelWidth; fontOf narrows it).
inline constexpr Look kChartPanel{
    .font = FontLook{.family = "MS Sans Serif", .points = 8, .bold = false},
    .background = kLightYellow};
inline constexpr Look kPlotArea{.background = kLightCyan};

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
