#include "qt/DiskCountDialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "model/DiskCountModel.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

class DiskCountDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        FillTextTable(".Brelked_");
        number = dialog.findChild<QSpinBox*>(QStringLiteral("txtNr"));
        ASSERT_NE(number, nullptr);
    }
    void TearDown() override { dialog.close(); }

    void TypeAndConfirm(const QString& keys) {
        number->selectAll();
        QTest::keyClicks(number, keys);
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("OKBtn")), Qt::LeftButton);
    }

    DiskCountModel model;
    DiskCountDialog dialog{model};
    QSpinBox* number = nullptr;
};

TEST_F(DiskCountDialogTest, AsksInTheCurrentLanguageWithinTheModelsBounds) {
    SetCurrentLanguage(kSwedish);
    dialog.show();
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("ChooseDiskNr"))->text().toStdString(),
              Text(slot::kEnterDiskCount));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("#"));
    EXPECT_EQ(number->minimum(), 1);
    EXPECT_EQ(number->maximum(), 32760);
    EXPECT_EQ(number->value(), 1);
}

TEST_F(DiskCountDialogTest, OkHandsTheTypedNumberToTheModelAndTheFieldOpensWithItsNumber) {
    dialog.show();
    TypeAndConfirm(QStringLiteral("99999"));  // clipped to the bound by the field
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(model.Number(), 9999);

    model.SetNumber(12);
    dialog.show();
    EXPECT_EQ(number->value(), 12);
    number->selectAll();
    QTest::keyClick(number, Qt::Key_Up);
    EXPECT_EQ(model.Number(), 13);
    dialog.reject();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

}  // namespace
}  // namespace brelker
