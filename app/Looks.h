#pragma once

#include "chart/LogAxis.h"

#include <QPalette>
#include <QRgb>
#include <algorithm>
#include <array>
#include <optional>

namespace app {

// The colours and fonts of the window, one entry per look that a group of
// controls shares. Colours are RGB; a text colour left empty means the
// standard control-text colour of kSystemColours.

struct FontLook {
    const char* family;  // the face the layout names; familyFor maps it
    double points;
    bool bold;
    int stretch = 100;  // width in percent of the face's own, condensed below 100
};

struct Look {
    std::optional<FontLook> font;  // none: the toolkit's default font
    std::optional<QRgb> text;
    QRgb background;
};

namespace looks {

inline constexpr QRgb kLightYellow = 0xFFFFC0;
inline constexpr QRgb kLightGreen = 0xC0FFC0;
inline constexpr QRgb kLightPink = 0xFFC0FF;
inline constexpr QRgb kLightCyan = 0xC0FFFF;
inline constexpr QRgb kRed = 0xFF0000;
inline constexpr QRgb kBlue = 0x0000FF;
inline constexpr QRgb kBlack = 0x000000;

inline constexpr Look kWindow{std::nullopt, std::nullopt, kLightYellow};
inline constexpr Look kPanelFrame{FontLook{"幼圆", 14.25, true}, kRed, kLightGreen};
inline constexpr Look kInputCaption{FontLook{"楷体_GB2312", 12, false}, kBlack, kLightGreen};
inline constexpr Look kUnitLabel{FontLook{"Times New Roman", 12, false}, std::nullopt, kLightGreen};
inline constexpr Look kTextBox{FontLook{"宋体", 12, true}, kBlue, kLightPink};
inline constexpr Look kButton{FontLook{"楷体_GB2312", 12, true}, std::nullopt, kLightGreen};
inline constexpr Look kTitleBanner{FontLook{"隶书", 18, false}, std::nullopt, kLightYellow};
inline constexpr Look kChartTitle{FontLook{"华文行楷", 15.75, false}, kBlue, kLightYellow};
inline constexpr Look kResultsPicture{std::nullopt, std::nullopt, kLightGreen};
inline constexpr Look kChartPicture{std::nullopt, std::nullopt, kLightYellow};
// The panel sets no font of its own: its tick labels take the classic 8-point
// dialog face, condensed as a narrow sans so that the closest labels (a
// decade's 8 beside the next decade's start; the two lower limits at the
// lower-left corner) stay at least 2 pixels apart at every pixel ratio. The
// gap between a decade's 8 and the next start shrinks as the plot box holds
// more decades of the chart's axis, and the labels narrow with it: three
// quarters of the face's width at two decades.
inline constexpr int kCondensedAtTwoDecades = 75;
inline constexpr int kCondensed =
    std::min(100, kCondensedAtTwoDecades * 2 / chart::decades(chart::kGillilandAxis));
inline constexpr Look kChartPanel{FontLook{"MS Sans Serif", 8, false, kCondensed}, std::nullopt,
                                  kLightYellow};
inline constexpr Look kPlotArea{std::nullopt, std::nullopt, kLightCyan};

// The edge of the text boxes: one flat grey line.
inline constexpr QRgb kTextBoxEdge = 0x808080;

// The colours the layout leaves to the system, as the standard light scheme
// has them: control and button text, the shades of raised and sunken edges,
// selection and focus. The window keeps them under any desktop scheme, so a
// dark one cannot turn a caption white on the pale panels. The window's own
// background is kWindow's.
struct SystemColour {
    QPalette::ColorRole role;
    QRgb rgb;
};
inline constexpr std::array kSystemColours = {
    SystemColour{.role = QPalette::WindowText, .rgb = 0x000000},
    SystemColour{.role = QPalette::Text, .rgb = 0x000000},
    SystemColour{.role = QPalette::ButtonText, .rgb = 0x000000},
    SystemColour{.role = QPalette::Base, .rgb = 0xFFFFFF},
    SystemColour{.role = QPalette::Button, .rgb = 0xEFEFEF},
    SystemColour{.role = QPalette::Light, .rgb = 0xFFFFFF},
    SystemColour{.role = QPalette::Midlight, .rgb = 0xCACACA},
    SystemColour{.role = QPalette::Mid, .rgb = 0xB8B8B8},
    SystemColour{.role = QPalette::Dark, .rgb = 0x9F9F9F},
    SystemColour{.role = QPalette::Shadow, .rgb = 0x767676},
    SystemColour{.role = QPalette::Highlight, .rgb = 0x308CC6},
    SystemColour{.role = QPalette::HighlightedText, .rgb = 0xFFFFFF},
};

}  // namespace looks

}  // namespace app
