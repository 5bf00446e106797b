#pragma once

#include "Looks.h"
#include "Twips.h"

#include <array>

// Every control of the main window: kind, container, position and size in
// twips from the container's upper-left corner, caption or initial text,
// picture, tab index and look. Containers come before what they contain, so
// the window can be built in table order.

enum class ControlKind {
    Frame,           // captioned panel
    Label,           // caption printed on its container, never cut off
    TextBox,         // single-line editable box
    Button,          // push button with a picture on its face
    FormulaPicture,  // box exactly the size of its picture
    ChartPanel,      // drawing surface that holds the plot area
    PlotArea,        // drawing surface with a sunken edge
};

inline constexpr int kNoTabStop = -1;

struct ControlRow {
    const char* name;
    const char* container;  // nullptr: the window itself
    ControlKind kind;
    TwipRect rect;
    const char* text;     // caption or initial text; nullptr: none
    const char* picture;  // resource path; nullptr: none
    int tabIndex;
    const Look* look;
    // What a screen reader says of the control; nullptr: the toolkit's own
    // (a caption, nothing for a label), or none at all.
    const char* accessibleName;
    const char* accessibleDescription;
};

inline constexpr const char* kWindowTitle = "Trelvan";
inline constexpr int kClientWidthTwips = 11880;
inline constexpr int kClientHeightTwips = 8355;

namespace layout_detail {
using K = ControlKind;
inline constexpr const char* kBlank = " ";
}  // namespace layout_detail

// clang-format off
inline constexpr std::array kControls = {
    // On the window.
    ControlRow{"Frame1", nullptr, layout_detail::K::Frame, {120, 360, 4935, 4455}, "输入数据", nullptr, kNoTabStop, &looks::kPanelFrame, nullptr, nullptr},
    ControlRow{"Frame2", nullptr, layout_detail::K::Frame, {120, 5040, 5055, 2775}, "计算结果", nullptr, kNoTabStop, &looks::kPanelFrame, nullptr, nullptr},
    ControlRow{"Picture2", nullptr, layout_detail::K::ChartPanel, {5640, 1200, 6030, 7005}, nullptr, nullptr, kNoTabStop, &looks::kChartPanel, "吉利兰图", nullptr},
    ControlRow{"Label9", nullptr, layout_detail::K::Label, {6720, 360, 3600, 360}, "Trelvan", nullptr, kNoTabStop, &looks::kTitleBanner, nullptr, nullptr},

    // Input panel: one row per input, 480 twips apart.
    ControlRow{"Label1", "Frame1", layout_detail::K::Label, {240, 480, 1455, 375}, "进料流量", nullptr, kNoTabStop, &looks::kInputCaption, nullptr, nullptr},
    ControlRow{"Text1", "Frame1", layout_detail::K::TextBox, {1920, 480, 1000, 270}, "100", nullptr, 7, &looks::kTextBox, "进料流量", "进料的摩尔流量，单位 kmol/h"},
    ControlRow{"Label19", "Frame1", layout_detail::K::Label, {3240, 480, 975, 375}, "kmol/h", nullptr, kNoTabStop, &looks::kUnitLabel, nullptr, nullptr},
    ControlRow{"Label2", "Frame1", layout_detail::K::Label, {240, 960, 1215, 420}, "进料组成", nullptr, kNoTabStop, &looks::kInputCaption, nullptr, nullptr},
    ControlRow{"Text2", "Frame1", layout_detail::K::TextBox, {1920, 960, 1000, 270}, "0.5", nullptr, 6, &looks::kTextBox, "进料组成", "进料中易挥发组分的摩尔分数，单位 mol/mol"},
    ControlRow{"Label18", "Frame1", layout_detail::K::Label, {3240, 960, 975, 375}, "mol/mol", nullptr, kNoTabStop, &looks::kUnitLabel, nullptr, nullptr},
    ControlRow{"Label3", "Frame1", layout_detail::K::Label, {240, 1440, 1200, 240}, "热状态参数", nullptr, kNoTabStop, &looks::kInputCaption, nullptr, nullptr},
    ControlRow{"Text3", "Frame1", layout_detail::K::TextBox, {1920, 1440, 1000, 270}, "-0.1", nullptr, 5, &looks::kTextBox, "热状态参数 q", "进料的热状态参数 q，无单位"},
    ControlRow{"Label4", "Frame1", layout_detail::K::Label, {240, 1920, 1170, 420}, "回流比", nullptr, kNoTabStop, &looks::kInputCaption, nullptr, nullptr},
    ControlRow{"Text4", "Frame1", layout_detail::K::TextBox, {1920, 1920, 1000, 270}, "1.2", nullptr, 4, &looks::kTextBox, "回流比 R/Rmin", "操作回流比与最小回流比之比 R/Rmin，单位 mol/mol"},
    ControlRow{"Label20", "Frame1", layout_detail::K::Label, {3240, 1920, 1575, 375}, "R/Rmin mol/mol ", nullptr, kNoTabStop, &looks::kUnitLabel, nullptr, nullptr},
    ControlRow{"Label5", "Frame1", layout_detail::K::Label, {240, 2400, 1575, 255}, "塔顶产品组成", nullptr, kNoTabStop, &looks::kInputCaption, nullptr, nullptr},
    ControlRow{"Text5", "Frame1", layout_detail::K::TextBox, {1920, 2400, 1000, 270}, "0.95", nullptr, 3, &looks::kTextBox, "塔顶产品组成", "塔顶产品中易挥发组分的摩尔分数，单位 mol/mol"},
    ControlRow{"Label16", "Frame1", layout_detail::K::Label, {3240, 2520, 975, 255}, "mol/mol", nullptr, kNoTabStop, &looks::kUnitLabel, nullptr, nullptr},
    ControlRow{"Label6", "Frame1", layout_detail::K::Label, {240, 2880, 1575, 255}, "塔底产品组成", nullptr, kNoTabStop, &looks::kInputCaption, nullptr, nullptr},
    ControlRow{"Text6", "Frame1", layout_detail::K::TextBox, {1920, 2880, 1000, 270}, "0.05", nullptr, 2, &looks::kTextBox, "塔底产品组成", "塔底产品中易挥发组分的摩尔分数，单位 mol/mol"},
    ControlRow{"Label17", "Frame1", layout_detail::K::Label, {3240, 3000, 975, 255}, "mol/mol", nullptr, kNoTabStop, &looks::kUnitLabel, nullptr, nullptr},
    ControlRow{"Label7", "Frame1", layout_detail::K::Label, {240, 3360, 1200, 240}, "相对挥发度", nullptr, kNoTabStop, &looks::kInputCaption, nullptr, nullptr},
    ControlRow{"Text7", "Frame1", layout_detail::K::TextBox, {1920, 3360, 1000, 270}, "2.47", nullptr, 1, &looks::kTextBox, "相对挥发度", "易挥发组分对难挥发组分的相对挥发度，无单位"},
    ControlRow{"Command2", "Frame1", layout_detail::K::Button, {600, 3840, 2415, 400}, "确认输入数据", ":/pictures/button_confirm.svg", 23, &looks::kButton, nullptr, "检查七个输入数据，算出七个结果，在吉利兰图上标出操作点"},
    ControlRow{"Command1", "Frame1", layout_detail::K::Button, {3600, 3840, 975, 450}, "退出", ":/pictures/button_exit.svg", 41, &looks::kButton, nullptr, "结束程序"},

    // Results panel: two columns of read-out boxes, each with its picture to the left.
    ControlRow{"Picture4", "Frame2", layout_detail::K::FormulaPicture, {360, 480, 360, 225}, nullptr, ":/pictures/rmin.svg", kNoTabStop, &looks::kResultsPicture, "符号 Rmin", nullptr},
    ControlRow{"Text8", "Frame2", layout_detail::K::TextBox, {1080, 360, 975, 375}, layout_detail::kBlank, nullptr, 33, &looks::kTextBox, "最小回流比 Rmin", "计算结果，单位 mol/mol"},
    ControlRow{"Picture11", "Frame2", layout_detail::K::FormulaPicture, {360, 960, 135, 165}, nullptr, ":/pictures/r.svg", kNoTabStop, &looks::kResultsPicture, "符号 R", nullptr},
    ControlRow{"Text14", "Frame2", layout_detail::K::TextBox, {1080, 840, 975, 375}, layout_detail::kBlank, nullptr, 40, &looks::kTextBox, "操作回流比 R", "计算结果，单位 mol/mol"},
    ControlRow{"Picture8", "Frame2", layout_detail::K::FormulaPicture, {360, 1440, 390, 225}, nullptr, ":/pictures/nmin.svg", kNoTabStop, &looks::kResultsPicture, "符号 Nmin", nullptr},
    ControlRow{"Text9", "Frame2", layout_detail::K::TextBox, {1080, 1320, 975, 375}, layout_detail::kBlank, nullptr, 34, &looks::kTextBox, "最少理论板数 Nmin", "计算结果，芬斯克方程，单位 块"},
    ControlRow{"Picture6", "Frame2", layout_detail::K::FormulaPicture, {360, 2160, 255, 225}, nullptr, ":/pictures/nt.svg", kNoTabStop, &looks::kResultsPicture, "符号 NT", nullptr},
    ControlRow{"Text12", "Frame2", layout_detail::K::TextBox, {1080, 2040, 975, 375}, layout_detail::kBlank, nullptr, 37, &looks::kTextBox, "理论板数 NT", "计算结果，单位 块"},
    ControlRow{"Picture1", "Frame2", layout_detail::K::FormulaPicture, {2400, 360, 810, 525}, nullptr, ":/pictures/gilliland_x.svg", kNoTabStop, &looks::kResultsPicture, "公式 X = (R − Rmin)/(R + 1)", nullptr},
    ControlRow{"Text11", "Frame2", layout_detail::K::TextBox, {3720, 480, 975, 375}, layout_detail::kBlank, nullptr, 36, &looks::kTextBox, "吉利兰图横坐标 X", "计算结果，X = (R − Rmin)/(R + 1)，无单位"},
    ControlRow{"Picture3", "Frame2", layout_detail::K::FormulaPicture, {2280, 1200, 1005, 585}, nullptr, ":/pictures/gilliland_y.svg", kNoTabStop, &looks::kResultsPicture, "公式 Y = (NT − Nmin)/(NT + 1)", nullptr},
    ControlRow{"Text10", "Frame2", layout_detail::K::TextBox, {3720, 1320, 975, 375}, layout_detail::kBlank, nullptr, 35, &looks::kTextBox, "吉利兰图纵坐标 Y", "计算结果，Y = (NT − Nmin)/(NT + 1)，无单位"},
    ControlRow{"Picture7", "Frame2", layout_detail::K::FormulaPicture, {2760, 2160, 225, 225}, nullptr, ":/pictures/ni.svg", kNoTabStop, &looks::kResultsPicture, "符号 NI", nullptr},
    ControlRow{"Text13", "Frame2", layout_detail::K::TextBox, {3720, 2040, 975, 375}, layout_detail::kBlank, nullptr, 38, &looks::kTextBox, "进料板位置 NI", "计算结果，自塔顶数起第几块板，单位 块"},

    // Chart panel: title, axis titles and the plot area.
    ControlRow{"Label8", "Picture2", layout_detail::K::Label, {2400, 480, 1710, 330}, "吉  利  兰  图", nullptr, kNoTabStop, &looks::kChartTitle, nullptr, nullptr},
    ControlRow{"Picture10", "Picture2", layout_detail::K::FormulaPicture, {120, 360, 1005, 585}, nullptr, ":/pictures/gilliland_y.svg", kNoTabStop, &looks::kChartPicture, "纵坐标 Y = (NT − Nmin)/(NT + 1)", nullptr},
    ControlRow{"Picture5", "Picture2", layout_detail::K::PlotArea, {480, 1100, 5000, 5000}, nullptr, nullptr, kNoTabStop, &looks::kPlotArea, "双对数坐标绘图区", nullptr},
    ControlRow{"Picture9", "Picture2", layout_detail::K::FormulaPicture, {5040, 6360, 810, 525}, nullptr, ":/pictures/gilliland_x.svg", kNoTabStop, &looks::kChartPicture, "横坐标 X = (R − Rmin)/(R + 1)", nullptr},
};
// clang-format on
