// design_report TEXT1 TEXT2 ...   (one text per input box, in box order)
//
// The design companion's figures after a click with these input texts, as
// this machine's build of the calculation gives them: the JSON object the web
// page is given, with the design's link under "link" beside them, or
// {"rejected": true} where the window shows the error message. The browser
// check holds what the page shows, and the page's address, to it.
#include "calc/DesignReport.h"

#include "calc/DesignLink.h"
#include "calc/InputBoxes.h"

#include <cstdio>
#include <optional>
#include <string>

int main(int argc, char* argv[]) {
    if (static_cast<std::size_t>(argc) != calc::kInputCount + 1) {
        std::fprintf(stderr, "usage: design_report <one text per input box, in box order>\n");
        return 2;
    }
    calc::InputTexts texts;
    for (std::size_t i = 0; i < calc::kInputCount; ++i) {
        texts[i] = argv[i + 1];
    }
    const std::optional<std::string> report = calc::designReportFor(texts);
    if (!report) {
        std::puts("{\"rejected\": true}");
        return 0;
    }
    std::printf("{\"link\":\"%s\",%s\n", calc::designLink(texts).c_str(), report->c_str() + 1);
    return 0;
}
