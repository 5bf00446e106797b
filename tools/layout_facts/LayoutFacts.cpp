// Prints the facts the end-to-end scripts check the real window by, from the
// layout and inputs tables and the calculation themselves: a shell file for
// the X11 and wine scripts (the client area and every control's rectangle in
// it, in pixels) and a JSON file for the screen reader's round trip and the
// browser check (what each box and button is called, and where it is); both
// name the input boxes in the inputs table's order and give the read-outs of
// a click on the texts the window opens with.
//
//   layout_facts <shell file> <JSON file>

#include "app/LayoutTable.h"
#include "app/Twips.h"
#include "calc/DisplayTexts.h"
#include "calc/InputBoxes.h"

#include <QPoint>
#include <QRect>
#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <ios>
#include <optional>
#include <string>

namespace {

using namespace app;

// A control's rectangle in the window's client area: its place in its
// container plus the container's place, up to the window.
QRect inClientArea(std::size_t index) {
    QRect rect = toPixels(kControls[index].rect);
    for (const ControlRow* row = &kControls[index]; row->container != nullptr;) {
        const std::size_t container = containerIndex(*row);
        rect.translate(toPixels(kControls[container].rect).topLeft());
        row = &kControls[container];
    }
    return rect;
}

std::string quoted(const char* text) {
    std::string out = "\"";
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == '"' || *c == '\\') {
            out += '\\';
        }
        out += *c;
    }
    return out + '"';
}

// What a screen reader calls the control: its own accessible name, or else
// its caption, as Qt names a button.
const char* spokenName(const ControlRow& row) {
    return row.accessibleName != nullptr ? row.accessibleName : row.text;
}

using Readouts = std::array<calc::DisplayText, kReadoutCount>;

void writeShell(std::ofstream& out, const Readouts& defaults) {
    out << "window_title=" << quoted(kWindowTitle) << '\n';
    out << "client_width=" << twipsToPixels(kClientWidthTwips) << '\n';
    out << "client_height=" << twipsToPixels(kClientHeightTwips) << '\n';
    out << "# left top width height in the client area, in pixels\n";
    out << "declare -A rect=(\n";
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const QRect r = inClientArea(i);
        out << "    [" << kControls[i].name << "]=\"" << r.left() << ' ' << r.top() << ' '
            << r.width() << ' ' << r.height() << "\"\n";
    }
    out << ")\n";
    out << "input_boxes=(";
    for (const calc::InputBoxRow& input : calc::kInputBoxes) {
        out << (&input == calc::kInputBoxes.data() ? "" : " ") << rowOf(input.box).name;
    }
    out << ")\n# the read-out boxes in the order a click writes them, and what they show\n"
        << "# after a click on the texts the window opens with\nreadout_boxes=(";
    for (const calc::DisplayText& shown : defaults) {
        out << (&shown == defaults.data() ? "" : " ") << rowOf(shown.box).name;
    }
    out << ")\ndeclare -A default_readout=(\n";
    for (const calc::DisplayText& shown : defaults) {
        out << "    [" << rowOf(shown.box).name << "]=" << quoted(shown.text.c_str()) << '\n';
    }
    out << ")\n";
}

void writeJson(std::ofstream& out, const Readouts& defaults) {
    out << "{\n  \"window_title\": " << quoted(kWindowTitle) << ",\n  \"inputs\": [";
    for (std::size_t i = 0; i < kInputCount; ++i) {
        out << (i == 0 ? "" : ", ") << quoted(spokenName(rowOf(static_cast<InputBox>(i))));
    }
    out << "],\n  \"initial_texts\": [";
    for (std::size_t i = 0; i < kInputCount; ++i) {
        out << (i == 0 ? "" : ", ") << quoted(rowOf(static_cast<InputBox>(i)).text);
    }
    out << "],\n  \"input_boxes\": [";
    for (const calc::InputBoxRow& input : calc::kInputBoxes) {
        out << (&input == calc::kInputBoxes.data() ? "" : ", ") << quoted(rowOf(input.box).name);
    }
    out << "],\n  \"default_readouts\": {";
    for (const calc::DisplayText& shown : defaults) {
        out << (&shown == defaults.data() ? "" : ", ") << quoted(rowOf(shown.box).name) << ": "
            << quoted(shown.text.c_str());
    }
    out << "},\n  \"readouts\": [";
    for (std::size_t i = 0; i < kReadoutCount; ++i) {
        const ControlRow& row = rowOf(static_cast<calc::ReadoutBox>(i));
        out << (i == 0 ? "" : ", ") << "{\"box\": " << quoted(row.name)
            << ", \"name\": " << quoted(spokenName(row)) << '}';
    }
    out << "],\n  \"confirm\": " << quoted(spokenName(rowOf(Command::Confirm)))
        << ",\n  \"exit\": " << quoted(spokenName(rowOf(Command::Exit)))
        << ",\n  \"chart\": " << quoted(spokenName(rowOf(ControlKind::ChartPanel)))
        << ",\n  \"focus_stops\": "
        << std::ranges::count_if(kControls,
                                 [](const ControlRow& row) { return row.tabIndex != kNoTabStop; })
        << ",\n  \"client_width\": " << twipsToPixels(kClientWidthTwips)
        << ",\n  \"client_height\": " << twipsToPixels(kClientHeightTwips) << ",\n  \"rect\": {";
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const QRect r = inClientArea(i);
        out << (i == 0 ? "\n    " : ",\n    ") << quoted(kControls[i].name) << ": [" << r.left()
            << ", " << r.top() << ", " << r.width() << ", " << r.height() << ']';
    }
    out << "\n  }\n}\n";
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: layout_facts <shell file> <JSON file>\n");
        return 2;
    }
    const std::optional<calc::ShownDesign> defaults = calc::shownDesignFor(calc::initialTexts());
    if (!defaults) {
        std::fprintf(stderr, "layout_facts: the initial texts are turned away\n");
        return 1;
    }
    // Binary, so that the Windows build under wine writes no carriage returns
    // into a file the shell sources.
    std::ofstream shell(argv[1], std::ios::binary);
    std::ofstream json(argv[2], std::ios::binary);
    writeShell(shell, defaults->readouts);
    writeJson(json, defaults->readouts);
    shell.close();
    json.close();
    return shell && json ? 0 : 1;
}
