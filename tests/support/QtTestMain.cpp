// Runs the GoogleTest cases of a window test inside a QApplication on the offscreen platform,
// with one screen of a desktop's size: the main window fits on it, as on the machines Vorn
// runs on.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen:configfile=" VORN_OFFSCREEN_SCREEN, 1);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
