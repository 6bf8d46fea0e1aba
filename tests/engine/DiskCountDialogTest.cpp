#include "engine/DiskCountDialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

// Runs the dialog modally and lets act() play the user once it is up.
template <typename Action>
int RunWith(DiskCountDialog& dialog, Action act) {
    QTimer::singleShot(0, &dialog, [&dialog, act] { act(dialog); });
    dialog.exec();
    return dialog.DiskCount();
}

TEST(DiskCountDialogTest, AsksInTheCurrentLanguageWithinItsBounds) {
    FillTextTable(".Brelked_");
    SetCurrentLanguage(kSwedish);
    DiskCountDialog dialog;
    auto* spin = dialog.findChild<QSpinBox*>(QStringLiteral("txtNr"));
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("#"));
    EXPECT_EQ(spin->minimum(), 1);
    EXPECT_EQ(spin->maximum(), 32760);
    EXPECT_EQ(spin->value(), 1);
    EXPECT_EQ(dialog.DiskCount(), 0);

    QString label;
    RunWith(dialog, [&label](DiskCountDialog& d) {
        label = d.findChild<QLabel*>(QStringLiteral("ChooseDiskNr"))->text();
        d.reject();
    });
    EXPECT_EQ(label.toStdString(), Text(slot::kEnterDiskCount));
    EXPECT_EQ(dialog.DiskCount(), 0);  // closed without OK
}

TEST(DiskCountDialogTest, OkTakesTheTypedNumberAndTheDialogKeepsIt) {
    FillTextTable(".Brelked_");
    DiskCountDialog dialog;
    const int count = RunWith(dialog, [](DiskCountDialog& d) {
        auto* spin = d.findChild<QSpinBox*>(QStringLiteral("txtNr"));
        spin->selectAll();
        QTest::keyClicks(spin, QStringLiteral("99999"));  // clipped to the bound
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("OKBtn")), Qt::LeftButton);
    });
    EXPECT_EQ(count, 9999);
    EXPECT_EQ(dialog.DiskCount(), 9999);

    // Cancelling later keeps the confirmed number; the dialog shows it again.
    int shown = 0;
    RunWith(dialog, [&shown](DiskCountDialog& d) {
        shown = d.findChild<QSpinBox*>(QStringLiteral("txtNr"))->value();
        d.reject();
    });
    EXPECT_EQ(shown, 9999);
    EXPECT_EQ(dialog.DiskCount(), 9999);

    const int typed = RunWith(dialog, [](DiskCountDialog& d) {
        auto* spin = d.findChild<QSpinBox*>(QStringLiteral("txtNr"));
        spin->selectAll();
        QTest::keyClicks(spin, QStringLiteral("12"));
        QTest::keyClick(spin, Qt::Key_Up);
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("OKBtn")), Qt::LeftButton);
    });
    EXPECT_EQ(typed, 13);
}

}  // namespace
}  // namespace brelker
