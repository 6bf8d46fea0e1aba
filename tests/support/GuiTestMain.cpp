#include <gtest/gtest.h>

#include <QApplication>

#include "TestEnvironment.h"

// Shared main() for GUI tests: widgets need one QApplication for the whole run, created before
// any test, on the offscreen platform, so no window ever appears on the developer's screen.
int main(int argc, char* argv[]) {
    UseTestEnvironment();
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
