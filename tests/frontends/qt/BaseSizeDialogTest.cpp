#include "qt/BaseSizeDialog.h"

#include <gtest/gtest.h>

#include <memory>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "TempFolder.h"
#include "model/BaseSizeModel.h"
#include "plan/BaseSizes.h"
#include "settings/QtSettingsStore.h"
#include "settings/Settings.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

// Drives the real editor, shown without a modal loop, through its controls.
class BaseSizeDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        FillTextTable(".Brelked_");
        SetCurrentLanguage(kEnglish);
        LoadBaseSizes(store);  // the main window seeds the list before the editor opens
        model = std::make_unique<BaseSizeModel>(store);
        dialog = std::make_unique<BaseSizeDialog>(*model);
        dialog->show();
        list = dialog->findChild<QListWidget*>(QStringLiteral("ListBox1"));
        description = dialog->findChild<QLineEdit*>(QStringLiteral("txtDescription"));
        size = dialog->findChild<QLineEdit*>(QStringLiteral("txtSize"));
        update = dialog->findChild<QPushButton*>(QStringLiteral("UpdateBtn"));
        remove = dialog->findChild<QPushButton*>(QStringLiteral("DeleteBtn"));
        add = dialog->findChild<QPushButton*>(QStringLiteral("NewBtn"));
        ASSERT_TRUE(list && description && size && update && remove && add);
    }
    void TearDown() override { dialog->close(); }

    void Click(int row) {
        const QRect place = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
    }
    void Type(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    std::string Enabled() const {
        return std::string(update->isEnabled() ? "U" : "-") + (remove->isEnabled() ? "D" : "-") +
               (add->isEnabled() ? "N" : "-");
    }

    TempFolder folder;
    QtSettingsStore store{folder / "settings.conf"};
    std::unique_ptr<BaseSizeModel> model;
    std::unique_ptr<BaseSizeDialog> dialog;
    QListWidget* list = nullptr;
    QLineEdit* description = nullptr;
    QLineEdit* size = nullptr;
    QPushButton* update = nullptr;
    QPushButton* remove = nullptr;
    QPushButton* add = nullptr;
};

TEST_F(BaseSizeDialogTest, OpensWithTheModelsListAndItsTexts) {
    EXPECT_EQ(list->count(), 9);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Modify Base Sizes"));
    EXPECT_EQ(list->toolTip(), QStringLiteral("Choose Base Size to modify or delete"));
    EXPECT_EQ(update->text(), QStringLiteral("Modify"));
    EXPECT_EQ(Enabled(), "---");

    dialog->close();
    SetCurrentLanguage(kGerman);
    dialog->show();
    EXPECT_EQ(dialog->windowTitle().toStdString(), Text(slot::kModifyBaseSizes));
    EXPECT_EQ(add->text().toStdString(), Text(slot::kNew));
}

TEST_F(BaseSizeDialogTest, FocusingTheListChoosesNothing) {
    dialog->activateWindow();
    list->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(Enabled(), "---");
    EXPECT_EQ(model->ChosenEntry(), -1);
}

TEST_F(BaseSizeDialogTest, ClicksAndKeystrokesReachTheModelAndItsStateTheButtons) {
    Click(2);
    EXPECT_EQ(model->ChosenEntry(), 2);
    EXPECT_EQ(description->text(), QStringLiteral("100 MB Iomega Zip drive"));
    EXPECT_EQ(size->text(), QStringLiteral("100431872"));
    EXPECT_EQ(Enabled(), "-D-");
    QTest::keyClicks(description, QStringLiteral(" (old)"));
    EXPECT_EQ(model->Description(), "100 MB Iomega Zip drive (old)");
    EXPECT_EQ(Enabled(), "U-N");
    size->selectAll();
    QTest::keyClick(size, Qt::Key_Delete);
    EXPECT_EQ(Enabled(), "---");
}

TEST_F(BaseSizeDialogTest, EachButtonEditsTheStoreAndTheListIsShownAnew) {
    Type(description, QStringLiteral("DVD 4.7 GB"));
    Type(size, QStringLiteral("4700000000"));
    QTest::mouseClick(add, Qt::LeftButton);
    ASSERT_EQ(list->count(), 10);
    EXPECT_EQ(list->item(9)->text(), QStringLiteral("DVD 4.7 GB"));
    EXPECT_EQ(LoadBaseSizes(store).BaseSizeValues[9], 4'700'000'000);
    EXPECT_EQ(Enabled(), "---");
    EXPECT_TRUE(description->text().isEmpty());

    Click(0);
    Type(description, QStringLiteral("DD"));
    QTest::mouseClick(update, Qt::LeftButton);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("DD"));

    Click(2);
    QTest::mouseClick(remove, Qt::LeftButton);
    EXPECT_EQ(list->count(), 9);
    EXPECT_EQ(store.Read(settings::BaseSizes), 9);

    auto* close = dialog->findChild<QPushButton*>(QStringLiteral("CloseBtn"));
    ASSERT_TRUE(close);
    EXPECT_EQ(close->text(), QStringLiteral("Close"));
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
}

}  // namespace
}  // namespace brelker
