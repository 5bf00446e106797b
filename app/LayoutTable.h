#pragma once

#include "app/Looks.h"
#include "app/Twips.h"
#include "calc/DisplayTexts.h"
#include "calc/InputBoxes.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>
#include <utility>
#include <variant>

namespace app {

// Every control of the main window: kind, container, position and size in
// twips from the container's upper-left corner, look, caption or initial text,
// picture, tab index, what a screen reader says of it, and what the window
// does with it. Containers come before what they contain, so the window can
// be built in table order. This table is the one home of these facts: the
// window is built from it, and its tests and end-to-end scripts read it
// (the scripts through the facts the layout_facts program prints).

enum class ControlKind {
    Frame,           // captioned panel
    Label,           // caption printed on its container, never cut off
    TextBox,         // single-line editable box
    Button,          // push button with a picture on its face
    FormulaPicture,  // box exactly the size of its picture
    ChartPanel,      // drawing surface that holds the plot area
    PlotArea,        // drawing surface with a sunken edge
};

// The input boxes are the calculation's (InputBox), with their initial texts.
using calc::InputBox;
using calc::kInputCount;
// The read-out boxes are the calculation's (ReadoutBox), as many as it has texts.
inline constexpr std::size_t kReadoutCount =
    std::tuple_size_v<decltype(calc::displayTexts(std::declval<calc::ShortcutResults>()))>;

enum class Command { Confirm, Exit };
inline constexpr std::size_t kCommandCount = static_cast<std::size_t>(Command::Exit) + 1;

// What the window answers with a control beyond showing it: the texts it
// reads, the texts it writes, the buttons it answers. Nothing, for most.
using ControlRole = std::variant<std::monostate, InputBox, calc::ReadoutBox, Command>;

inline constexpr int kNoTabStop = -1;

// Fields without a default are required: leaving one out of a row fails the
// build (-Wmissing-field-initializers is an error).
struct ControlRow {
    const char* name;
    const char* container = nullptr;  // nullptr: the window itself
    ControlKind kind;
    TwipRect rect;
    const Look* look;
    ControlRole role = {};
    const char* text = nullptr;     // caption or initial text; nullptr: none
    const char* picture = nullptr;  // resource path; nullptr: none
    int tabIndex = kNoTabStop;
    // What a screen reader says of the control; nullptr: the toolkit's own
    // (a caption, nothing for a label), or none at all.
    const char* accessibleName = nullptr;
    const char* accessibleDescription = nullptr;
};

inline constexpr const char* kWindowName = "Form1";
inline constexpr const char* kWindowTitle = "Trelvan";
inline constexpr int kClientWidthTwips = 11880;
inline constexpr int kClientHeightTwips = 8355;

namespace layout_detail {
inline constexpr const char* kBlank = " ";
}  // namespace layout_detail

// The containers' names, for their own rows and their contents' rows.
namespace containers {
inline constexpr const char* kInputPanel = "Frame1";
inline constexpr const char* kResultsPanel = "Frame2";
inline constexpr const char* kChartPanel = "Picture2";
}  // namespace containers

// clang-format off
inline constexpr std::array kControls = {
    // On the window.
    ControlRow{.name = containers::kInputPanel, .kind = ControlKind::Frame,
               .rect = {120, 360, 4935, 4455}, .look = &looks::kPanelFrame, .text = "输入数据"},
    ControlRow{.name = containers::kResultsPanel, .kind = ControlKind::Frame,
               .rect = {120, 5040, 5055, 2775}, .look = &looks::kPanelFrame, .text = "计算结果"},
    ControlRow{.name = containers::kChartPanel, .kind = ControlKind::ChartPanel,
               .rect = {5640, 1200, 6030, 7005}, .look = &looks::kChartPanel,
               .accessibleName = "吉利兰图"},
    ControlRow{.name = "Label9", .kind = ControlKind::Label, .rect = {6720, 360, 3600, 360},
               .look = &looks::kTitleBanner, .text = "Trelvan"},

    // Input panel: one row per input, 480 twips apart.
    ControlRow{.name = "Label1", .container = containers::kInputPanel, .kind = ControlKind::Label,
               .rect = {240, 480, 1455, 375}, .look = &looks::kInputCaption, .text = "进料流量"},
    ControlRow{.name = "Text1", .container = containers::kInputPanel, .kind = ControlKind::TextBox,
               .rect = {1920, 480, 1000, 270}, .look = &looks::kTextBox, .role = InputBox::FeedRate,
               .text = calc::inputBox(InputBox::FeedRate).initialText, .tabIndex = 7,
               .accessibleName = "进料流量", .accessibleDescription = "进料的摩尔流量，单位 kmol/h"},
    ControlRow{.name = "Label19", .container = containers::kInputPanel, .kind = ControlKind::Label,
               .rect = {3240, 480, 975, 375}, .look = &looks::kUnitLabel, .text = "kmol/h"},
    ControlRow{.name = "Label2", .container = containers::kInputPanel, .kind = ControlKind::Label,
               .rect = {240, 960, 1215, 420}, .look = &looks::kInputCaption, .text = "进料组成"},
    ControlRow{.name = "Text2", .container = containers::kInputPanel, .kind = ControlKind::TextBox,
               .rect = {1920, 960, 1000, 270}, .look = &looks::kTextBox,
               .role = InputBox::FeedComposition,
               .text = calc::inputBox(InputBox::FeedComposition).initialText, .tabIndex = 6,
               .accessibleName = "进料组成", .accessibleDescription = "进料中易挥发组分的摩尔分数，单位 mol/mol"},
    ControlRow{.name = "Label18", .container = containers::kInputPanel, .kind = ControlKind::Label,
               .rect = {3240, 960, 975, 375}, .look = &looks::kUnitLabel, .text = "mol/mol"},
    ControlRow{.name = "Label3", .container = containers::kInputPanel, .kind = ControlKind::Label,
               .rect = {240, 1440, 1200, 240}, .look = &looks::kInputCaption, .text = "热状态参数"},
    ControlRow{.name = "Text3", .container = containers::kInputPanel, .kind = ControlKind::TextBox,
               .rect = {1920, 1440, 1000, 270}, .look = &looks::kTextBox,
               .role = InputBox::ThermalCondition,
               .text = calc::inputBox(InputBox::ThermalCondition).initialText, .tabIndex = 5,
               .accessibleName = "热状态参数 q", .accessibleDescription = "进料的热状态参数 q，无单位"},
    ControlRow{.name = "Label4", .container = containers::kInputPanel, .kind = ControlKind::Label,
               .rect = {240, 1920, 1170, 420}, .look = &looks::kInputCaption, .text = "回流比"},
    ControlRow{.name = "Text4", .container = containers::kInputPanel, .kind = ControlKind::TextBox,
               .rect = {1920, 1920, 1000, 270}, .look = &looks::kTextBox,
               .role = InputBox::RefluxFactor,
               .text = calc::inputBox(InputBox::RefluxFactor).initialText, .tabIndex = 4,
               .accessibleName = "回流比 R/Rmin",
               .accessibleDescription = "操作回流比与最小回流比之比 R/Rmin，单位 mol/mol"},
    ControlRow{.name = "Label20", .container = containers::kInputPanel, .kind = ControlKind::Label,
               .rect = {3240, 1920, 1575, 375}, .look = &looks::kUnitLabel,
               .text = "R/Rmin mol/mol "},
    ControlRow{.name = "Label5", .container = containers::kInputPanel, .kind = ControlKind::Label,
               .rect = {240, 2400, 1575, 255}, .look = &looks::kInputCaption, .text = "塔顶产品组成"},
    ControlRow{.name = "Text5", .container = containers::kInputPanel, .kind = ControlKind::TextBox,
               .rect = {1920, 2400, 1000, 270}, .look = &looks::kTextBox,
               .role = InputBox::TopComposition,
               .text = calc::inputBox(InputBox::TopComposition).initialText, .tabIndex = 3,
               .accessibleName = "塔顶产品组成", .accessibleDescription = "塔顶产品中易挥发组分的摩尔分数，单位 mol/mol"},
    ControlRow{.name = "Label16", .container = containers::kInputPanel, .kind = ControlKind::Label,
               .rect = {3240, 2520, 975, 255}, .look = &looks::kUnitLabel, .text = "mol/mol"},
    ControlRow{.name = "Label6", .container = containers::kInputPanel, .kind = ControlKind::Label,
               .rect = {240, 2880, 1575, 255}, .look = &looks::kInputCaption, .text = "塔底产品组成"},
    ControlRow{.name = "Text6", .container = containers::kInputPanel, .kind = ControlKind::TextBox,
               .rect = {1920, 2880, 1000, 270}, .look = &looks::kTextBox,
               .role = InputBox::BottomComposition,
               .text = calc::inputBox(InputBox::BottomComposition).initialText, .tabIndex = 2,
               .accessibleName = "塔底产品组成", .accessibleDescription = "塔底产品中易挥发组分的摩尔分数，单位 mol/mol"},
    ControlRow{.name = "Label17", .container = containers::kInputPanel, .kind = ControlKind::Label,
               .rect = {3240, 3000, 975, 255}, .look = &looks::kUnitLabel, .text = "mol/mol"},
    ControlRow{.name = "Label7", .container = containers::kInputPanel, .kind = ControlKind::Label,
               .rect = {240, 3360, 1200, 240}, .look = &looks::kInputCaption, .text = "相对挥发度"},
    ControlRow{.name = "Text7", .container = containers::kInputPanel, .kind = ControlKind::TextBox,
               .rect = {1920, 3360, 1000, 270}, .look = &looks::kTextBox,
               .role = InputBox::RelativeVolatility,
               .text = calc::inputBox(InputBox::RelativeVolatility).initialText, .tabIndex = 1,
               .accessibleName = "相对挥发度", .accessibleDescription = "易挥发组分对难挥发组分的相对挥发度，无单位"},
    ControlRow{.name = "Command2", .container = containers::kInputPanel,
               .kind = ControlKind::Button, .rect = {600, 3840, 2415, 400}, .look = &looks::kButton,
               .role = Command::Confirm, .text = "确认输入数据",
               .picture = ":/recordings/button_confirm.pic", .tabIndex = 23,
               .accessibleDescription = "检查七个输入数据，算出七个结果，在吉利兰图上标出操作点"},
    ControlRow{.name = "Command1", .container = containers::kInputPanel,
               .kind = ControlKind::Button, .rect = {3600, 3840, 975, 450}, .look = &looks::kButton,
               .role = Command::Exit, .text = "退出", .picture = ":/recordings/button_exit.pic",
               .tabIndex = 41, .accessibleDescription = "结束程序"},

    // Results panel: two columns of read-out boxes, each with its picture to the left.
    ControlRow{.name = "Picture4", .container = containers::kResultsPanel,
               .kind = ControlKind::FormulaPicture, .rect = {360, 480, 360, 225},
               .look = &looks::kFormulaPicture, .picture = ":/recordings/rmin.pic",
               .accessibleName = "符号 Rmin"},
    ControlRow{.name = "Text8", .container = containers::kResultsPanel,
               .kind = ControlKind::TextBox, .rect = {1080, 360, 975, 375},
               .look = &looks::kTextBox, .role = calc::ReadoutBox::MinimumReflux,
               .text = layout_detail::kBlank, .tabIndex = 33, .accessibleName = "最小回流比 Rmin",
               .accessibleDescription = "计算结果，单位 mol/mol"},
    ControlRow{.name = "Picture11", .container = containers::kResultsPanel,
               .kind = ControlKind::FormulaPicture, .rect = {360, 960, 135, 165},
               .look = &looks::kFormulaPicture, .picture = ":/recordings/r.pic",
               .accessibleName = "符号 R"},
    ControlRow{.name = "Text14", .container = containers::kResultsPanel,
               .kind = ControlKind::TextBox, .rect = {1080, 840, 975, 375},
               .look = &looks::kTextBox, .role = calc::ReadoutBox::Reflux,
               .text = layout_detail::kBlank, .tabIndex = 40, .accessibleName = "操作回流比 R",
               .accessibleDescription = "计算结果，单位 mol/mol"},
    ControlRow{.name = "Picture8", .container = containers::kResultsPanel,
               .kind = ControlKind::FormulaPicture, .rect = {360, 1440, 390, 225},
               .look = &looks::kFormulaPicture, .picture = ":/recordings/nmin.pic",
               .accessibleName = "符号 Nmin"},
    ControlRow{.name = "Text9", .container = containers::kResultsPanel,
               .kind = ControlKind::TextBox, .rect = {1080, 1320, 975, 375},
               .look = &looks::kTextBox, .role = calc::ReadoutBox::MinimumStages,
               .text = layout_detail::kBlank, .tabIndex = 34, .accessibleName = "最少理论板数 Nmin",
               .accessibleDescription = "计算结果，芬斯克方程，单位 块"},
    ControlRow{.name = "Picture6", .container = containers::kResultsPanel,
               .kind = ControlKind::FormulaPicture, .rect = {360, 2160, 255, 225},
               .look = &looks::kFormulaPicture, .picture = ":/recordings/nt.pic",
               .accessibleName = "符号 NT"},
    ControlRow{.name = "Text12", .container = containers::kResultsPanel,
               .kind = ControlKind::TextBox, .rect = {1080, 2040, 975, 375},
               .look = &looks::kTextBox, .role = calc::ReadoutBox::PlateCount,
               .text = layout_detail::kBlank, .tabIndex = 37, .accessibleName = "理论板数 NT",
               .accessibleDescription = "计算结果，单位 块"},
    ControlRow{.name = "Picture1", .container = containers::kResultsPanel,
               .kind = ControlKind::FormulaPicture, .rect = {2400, 360, 810, 525},
               .look = &looks::kFormulaPicture, .picture = ":/recordings/gilliland_x.pic",
               .accessibleName = "公式 X = (R − Rmin)/(R + 1)"},
    ControlRow{.name = "Text11", .container = containers::kResultsPanel,
               .kind = ControlKind::TextBox, .rect = {3720, 480, 975, 375},
               .look = &looks::kTextBox, .role = calc::ReadoutBox::GillilandX,
               .text = layout_detail::kBlank, .tabIndex = 36, .accessibleName = "吉利兰图横坐标 X",
               .accessibleDescription = "计算结果，X = (R − Rmin)/(R + 1)，无单位"},
    ControlRow{.name = "Picture3", .container = containers::kResultsPanel,
               .kind = ControlKind::FormulaPicture, .rect = {2280, 1200, 1005, 585},
               .look = &looks::kFormulaPicture, .picture = ":/recordings/gilliland_y.pic",
               .accessibleName = "公式 Y = (NT − Nmin)/(NT + 1)"},
    ControlRow{.name = "Text10", .container = containers::kResultsPanel,
               .kind = ControlKind::TextBox, .rect = {3720, 1320, 975, 375},
               .look = &looks::kTextBox, .role = calc::ReadoutBox::GillilandY,
               .text = layout_detail::kBlank, .tabIndex = 35, .accessibleName = "吉利兰图纵坐标 Y",
               .accessibleDescription = "计算结果，Y = (NT − Nmin)/(NT + 1)，无单位"},
    ControlRow{.name = "Picture7", .container = containers::kResultsPanel,
               .kind = ControlKind::FormulaPicture, .rect = {2760, 2160, 225, 225},
               .look = &looks::kFormulaPicture, .picture = ":/recordings/ni.pic",
               .accessibleName = "符号 NI"},
    ControlRow{.name = "Text13", .container = containers::kResultsPanel,
               .kind = ControlKind::TextBox, .rect = {3720, 2040, 975, 375},
               .look = &looks::kTextBox, .role = calc::ReadoutBox::FeedPlate,
               .text = layout_detail::kBlank, .tabIndex = 38, .accessibleName = "进料板位置 NI",
               .accessibleDescription = "计算结果，自塔顶数起第几块板，单位 块"},

    // Chart panel: title, axis titles and the plot area.
    ControlRow{.name = "Label8", .container = containers::kChartPanel, .kind = ControlKind::Label,
               .rect = {2400, 480, 1710, 330}, .look = &looks::kChartTitle, .text = "吉  利  兰  图"},
    ControlRow{.name = "Picture10", .container = containers::kChartPanel,
               .kind = ControlKind::FormulaPicture, .rect = {120, 360, 1005, 585},
               .look = &looks::kFormulaPicture, .picture = ":/recordings/gilliland_y.pic",
               .accessibleName = "纵坐标 Y = (NT − Nmin)/(NT + 1)"},
    ControlRow{.name = "Picture5", .container = containers::kChartPanel,
               .kind = ControlKind::PlotArea, .rect = {480, 1100, 5000, 5000},
               .look = &looks::kPlotArea, .accessibleName = "双对数坐标绘图区"},
    ControlRow{.name = "Picture9", .container = containers::kChartPanel,
               .kind = ControlKind::FormulaPicture, .rect = {5040, 6360, 810, 525},
               .look = &looks::kFormulaPicture, .picture = ":/recordings/gilliland_x.pic",
               .accessibleName = "横坐标 X = (R − Rmin)/(R + 1)"},
};
// clang-format on

namespace layout_detail {

constexpr bool sameName(const char* a, const char* b) {
    return std::string_view(a) == std::string_view(b);
}

constexpr std::size_t countRole(const ControlRole& role) {
    return static_cast<std::size_t>(
        std::ranges::count_if(kControls, [&role](const ControlRow& r) { return r.role == role; }));
}

template <typename Enum>
constexpr bool eachOnce(std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        if (countRole(static_cast<Enum>(i)) != 1) {
            return false;
        }
    }
    return true;
}

}  // namespace layout_detail

// The row of the control that holds a container, found before the contents.
constexpr std::size_t containerIndex(const ControlRow& row) {
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        if (layout_detail::sameName(kControls[i].name, row.container)) {
            return i;
        }
    }
    return kControls.size();
}

// The row of the control with a role.
constexpr const ControlRow& rowOf(ControlRole role) {
    return *std::ranges::find(kControls, role, &ControlRow::role);
}

// The row of the one chart panel or plot area.
constexpr const ControlRow& rowOf(ControlKind kind) {
    return *std::ranges::find(kControls, kind, &ControlRow::kind);
}

// What the window relies on, checked as it compiles: every container is an
// earlier row, every input, read-out and button has exactly one box, there is
// one chart panel with one plot area, and the backgrounds are where they
// belong.
static_assert(std::ranges::all_of(kControls, [](const ControlRow& row) {
    return row.container == nullptr ||
           containerIndex(row) < static_cast<std::size_t>(&row - kControls.data());
}));
static_assert(layout_detail::eachOnce<InputBox>(kInputCount));
static_assert(layout_detail::eachOnce<calc::ReadoutBox>(kReadoutCount));
static_assert(layout_detail::eachOnce<Command>(kCommandCount));
static_assert(std::ranges::count(kControls, ControlKind::ChartPanel, &ControlRow::kind) == 1);
static_assert(std::ranges::count(kControls, ControlKind::PlotArea, &ControlRow::kind) == 1);
// The containers and the text boxes have a background of their own; every
// other control shows its container's.
static_assert(std::ranges::all_of(kControls, [](const ControlRow& row) {
    const bool owns = row.kind == ControlKind::Frame || row.kind == ControlKind::ChartPanel ||
                      row.kind == ControlKind::PlotArea || row.kind == ControlKind::TextBox;
    return row.look->background.has_value() == owns;
}));

}  // namespace app
