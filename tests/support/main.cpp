// Test main: starts Qt (on the platform the test's environment names; offscreen by default)
// with the programs' font substitution, unless gtest only lists the tests, as test discovery
// at build time does.
#include "toolkit/qt/Fonts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <cstring>
#include <memory>

int main(int argc, char** argv) {
    bool listing = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0) listing = true;
    }
    ::testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<QApplication> app;
    if (!listing) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
        tkqt::installFontSubstitutes();
    }
    return RUN_ALL_TESTS();
}
