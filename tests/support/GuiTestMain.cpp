#include <gtest/gtest.h>

#include <QApplication>

// Shared main() for GUI tests: widgets need one QApplication for the whole run, created before
// any test. ctest sets QT_QPA_PLATFORM=offscreen; a test binary run by hand gets it too, so no
// window ever appears on the developer's screen.
int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
