// Entry point of the window, picture-box, chart and long-use tests: one
// QApplication for the whole run, offscreen unless told otherwise, with the
// toolkit texts, font substitutes and picture accessibility the program
// installs at start.
//
// A run meant for one device pixel ratio says so on its command line
// (--expect-pixel-ratio=2) and stops at once if the screen has another: the
// ratio comes from the environment, and a run whose environment was lost
// would otherwise pass at ratio 1 under the name of another.
#include "app/FontSubstitutes.h"
#include "app/PictureAccessibility.h"
#include "app/ToolkitTranslation.h"

#include <QApplication>
#include <cstdio>
#include <gtest/gtest.h>
#include <optional>
#include <string_view>

namespace {

std::optional<double> expectedPixelRatio(int argc, char** argv) {
    constexpr std::string_view kOption = "--expect-pixel-ratio=";
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument.starts_with(kOption)) {
            return QByteArray(argument.substr(kOption.size()).data()).toDouble();
        }
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    // Test discovery runs the executable without the tests' environment. A
    // Windows build is tested on Windows' own platform, under wine at the
    // display scale wine is given.
#ifndef _WIN32
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
#endif
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    if (const auto wanted = expectedPixelRatio(argc, argv);
        wanted && !qFuzzyCompare(application.devicePixelRatio(), *wanted)) {
        std::fprintf(stderr, "the screen's pixel ratio is %g, not the %g this run is for\n",
                     application.devicePixelRatio(), *wanted);
        return 1;
    }
    app::installToolkitTranslation();
    app::installFontSubstitutes();
    app::installPictureAccessibility();
    return RUN_ALL_TESTS();
}
