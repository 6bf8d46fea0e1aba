#include <gtest/gtest.h>

#include <QPoint>
#include <QRect>

#include "model/DroppedFile.h"
#include "qt/ScreenPlacement.h"

namespace brelker {
namespace {

TEST(DroppedFileTest, OnlyAStemTheSuffixAndANumberMakeAPiece) {
    const struct {
        const char* path;
        DroppedAs expected;
    } rows[] = {
        {"/data/Setup.exe.Brelked_1", DroppedAs::FirstPiece},
        {"/data/Setup.exe.Brelked_17", DroppedAs::FirstPiece},
        {"/data/Setup.exe", DroppedAs::BigFile},
        {"/data/Setup.exe.Brelked_", DroppedAs::BigFile},
        {"/data/Setup.exe.Brelked_1.zip", DroppedAs::BigFile},
        {"/data/Setup.exe.Brelked_x", DroppedAs::BigFile},
        {"/data/.Brelked_1", DroppedAs::BigFile},           // no stem
        {"/data.Brelked_1/Setup.exe", DroppedAs::BigFile},  // the suffix is the folder's
        {"/data/Setup.exe.brelked_1", DroppedAs::BigFile},  // suffixes compare exactly
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ClassifyDroppedFile(row.path, ".Brelked_"), row.expected) << row.path;
    }
}

TEST(ScreenPlacementTest, AWindowOffEveryScreenComesBackOnThePrimaryOne) {
    const QList<QRect> screens = {QRect(0, 0, 1280, 1024), QRect(1280, 0, 1920, 1080)};
    const QRect primary(0, 0, 1280, 1000);
    const QPoint offset(100, 50);
    const QSize size(640, 480);
    const struct {
        QPoint stored;
        QPoint expected;
    } rows[] = {
        {{200, 100}, {200, 100}},    // on the first screen
        {{2000, 300}, {2000, 300}},  // on the second
        {{-560, 10}, {-560, 10}},    // mostly off, but its title bar can be grabbed
        {{5000, -3000}, {100, 50}},  // off every screen
        {{100, -470}, {100, 50}},    // only the bottom edge shows: the title bar is gone
        {{-639, 300}, {100, 50}},    // a sliver too thin to grab
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ReachablePosition(QRect(row.stored, size), screens, primary, offset),
                  row.expected)
            << row.stored.x() << "," << row.stored.y();
    }
    // A window larger than the primary screen starts at its corner.
    EXPECT_EQ(
        ReachablePosition(QRect(QPoint(9000, 9000), QSize(1500, 1200)), screens, primary, offset),
        QPoint(0, 0));
}

TEST(ScreenPlacementTest, AWindowPastTheEdgeIsMovedOnAndShrunkOnlyWhereItIsTooLarge) {
    const QRect room(0, 0, 640, 452);  // 640 x 480 less a panel at the bottom
    const struct {
        QRect frame;
        QSize minimum;
        QRect expected;
    } rows[] = {
        {{100, 50, 300, 200}, {200, 100}, {100, 50, 300, 200}},  // wholly on: stays
        {{100, 50, 600, 400}, {300, 200}, {40, 50, 600, 400}},   // moved, not shrunk
        {{-30, -20, 300, 200}, {200, 100}, {0, 0, 300, 200}},
        {{100, 50, 700, 520}, {600, 400}, {0, 0, 640, 452}},   // too large: the whole room
        {{100, 50, 600, 520}, {600, 400}, {40, 0, 600, 452}},  // only too tall
        {{100, 50, 700, 520}, {680, 500}, {0, 0, 680, 500}},   // no smaller than it can be
    };
    for (const auto& row : rows) {
        EXPECT_EQ(WhollyOnScreen(row.frame, {room}, room, row.minimum), row.expected)
            << row.frame.x() << "," << row.frame.y() << " " << row.frame.width();
    }
    // Across two screens side by side it is wholly seen; across the corner of
    // one taller than the other it is not.
    const QList<QRect> two = {QRect(0, 0, 1280, 1024), QRect(1280, 0, 1920, 1080)};
    EXPECT_EQ(WhollyOnScreen({1000, 100, 600, 400}, two, two[0], {300, 200}),
              QRect(1000, 100, 600, 400));
    EXPECT_EQ(WhollyOnScreen({1000, 800, 600, 400}, two, two[0], {300, 200}),
              QRect(680, 624, 600, 400));
}

}  // namespace
}  // namespace brelker
