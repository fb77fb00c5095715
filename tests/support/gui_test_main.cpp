// Main of the GUI test executables: one QApplication for the whole run, offscreen
// (the test's ENVIRONMENT sets QT_QPA_PLATFORM=offscreen).
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
