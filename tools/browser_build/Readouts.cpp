// readouts TEXT1 TEXT2 ...   (one text per input box, in box order)
//
// What the window's read-out boxes show after a click on the confirm button
// with these input texts, as this machine's build of the calculation gives
// them: one JSON object, by box name, or {"rejected": true} for the error
// message. The browser check holds the browser build to it.
#include "app/LayoutTable.h"
#include "calc/DisplayTexts.h"
#include "calc/InputBoxes.h"

#include <cstdio>
#include <optional>
#include <string>

int main(int argc, char* argv[]) {
    if (static_cast<std::size_t>(argc) != calc::kInputCount + 1) {
        std::fprintf(stderr, "usage: readouts <one text per input box, in box order>\n");
        return 2;
    }
    calc::InputTexts texts;
    for (std::size_t i = 0; i < calc::kInputCount; ++i) {
        texts[i] = argv[i + 1];
    }
    const std::optional<calc::ShownDesign> shown = calc::shownDesignFor(texts);
    if (!shown) {
        std::puts("{\"rejected\": true}");
        return 0;
    }
    std::string json = "{";
    for (const calc::DisplayText& readout : shown->readouts) {
        json += json.size() > 1 ? ", \"" : "\"";
        json += app::rowOf(readout.box).name;
        json += "\": \"" + readout.text + "\"";
    }
    std::puts((json + "}").c_str());
    return 0;
}
