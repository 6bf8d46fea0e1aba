#include "MainWindow.h"

#include <gtest/gtest.h>

#include <QTest>

#include "QtPrinters.h"

// GUI tests find the window and its controls by objectName, and the user recognises the
// program by its title: both are contracts, not details.
TEST(MainWindow, IsFoundByNameAndShowsTheProgramTitle) {
    MainWindow window;
    EXPECT_EQ(window.objectName(), QStringLiteral("TMain"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("The File Brelker"));
}

TEST(MainWindow, ShowsOnTheOffscreenPlatformAndCloses) {
    MainWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
}
