// Entry point of the offscreen picture-box and chart tests: one QApplication
// for the whole run, as widgets need one.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
