// Entry point of the window, picture-box, chart and long-use tests: one
// QApplication for the whole run, offscreen unless told otherwise, with the
// font substitutes and toolkit texts the program installs at start.
#include "FontSubstitutes.h"
#include "ToolkitTranslation.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Test discovery runs the executable without the tests' environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    FontSubstitutes::install();
    ToolkitTranslation::install();
    return RUN_ALL_TESTS();
}
