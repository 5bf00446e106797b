// Entry point of the offscreen window tests: one QApplication for the whole
// run, with the font substitutes the program installs at start.
#include "FontSubstitutes.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Offscreen unless told otherwise; discovery runs without the tests' environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    FontSubstitutes::install();
    return RUN_ALL_TESTS();
}
