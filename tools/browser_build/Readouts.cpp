// readouts TEXT1 TEXT2 TEXT3 TEXT4 TEXT5 TEXT6 TEXT7
//
// What the window's read-out boxes show after a click on the confirm button
// with these input texts (Text1 to Text7), as this machine's build of the
// calculation gives them: one JSON object, by box name, or {"rejected": true}
// for the error message. The browser check holds the browser build to it.
#include "app/LayoutTable.h"
#include "calc/DisplayTexts.h"
#include "calc/ReadInputs.h"
#include "calc/ShortcutCalculation.h"

#include <cstdio>
#include <optional>
#include <string>

int main(int argc, char* argv[]) {
    if (argc != 8) {
        std::fprintf(stderr, "usage: readouts TEXT1 TEXT2 TEXT3 TEXT4 TEXT5 TEXT6 TEXT7\n");
        return 2;
    }
    const calc::InputTexts texts{.text1 = argv[1],
                                 .text2 = argv[2],
                                 .text3 = argv[3],
                                 .text4 = argv[4],
                                 .text5 = argv[5],
                                 .text6 = argv[6],
                                 .text7 = argv[7]};
    const std::optional<calc::ShortcutInputs> inputs = calc::readInputs(texts);
    const std::optional<calc::ShortcutResults> results =
        inputs ? calc::calculateShortcut(*inputs) : std::nullopt;
    if (!results) {
        std::puts("{\"rejected\": true}");
        return 0;
    }
    std::string json = "{";
    for (const calc::DisplayText& shown : calc::displayTexts(*results)) {
        json += json.size() > 1 ? ", \"" : "\"";
        json += app::rowOf(shown.box).name;
        json += "\": \"" + shown.text + "\"";
    }
    std::puts((json + "}").c_str());
    return 0;
}
