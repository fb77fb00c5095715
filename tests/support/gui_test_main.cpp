// Main of the GUI test executables: one QApplication for the whole run, offscreen
// (the test's ENVIRONMENT sets QT_QPA_PLATFORM=offscreen).
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Test discovery runs the executable without the test's ENVIRONMENT: stay
    // offscreen there too, so listing the tests needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
