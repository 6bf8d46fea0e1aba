#include "plan/BaseSizeDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "TempFolder.h"
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
        dialog.show();
        list = dialog.findChild<QListWidget*>(QStringLiteral("ListBox1"));
        description = dialog.findChild<QLineEdit*>(QStringLiteral("txtDescription"));
        size = dialog.findChild<QLineEdit*>(QStringLiteral("txtSize"));
        update = dialog.findChild<QPushButton*>(QStringLiteral("UpdateBtn"));
        remove = dialog.findChild<QPushButton*>(QStringLiteral("DeleteBtn"));
        add = dialog.findChild<QPushButton*>(QStringLiteral("NewBtn"));
        ASSERT_TRUE(list && description && size && update && remove && add);
    }
    void TearDown() override { dialog.close(); }

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
    std::string Stored(int i) const {
        return store.ReadStringSetting(subkey::BaseSize, BaseSizeTextName(i), "") + "=" +
               store.ReadStringSetting(subkey::BaseSize, BaseSizeValueName(i), "");
    }

    TempFolder folder;
    QtSettingsStore store{folder / "settings.conf"};
    BaseSizeDialog dialog{store};
    QListWidget* list = nullptr;
    QLineEdit* description = nullptr;
    QLineEdit* size = nullptr;
    QPushButton* update = nullptr;
    QPushButton* remove = nullptr;
    QPushButton* add = nullptr;
};

TEST_F(BaseSizeDialogTest, OpensWithTheStoredListAndItsTexts) {
    EXPECT_EQ(list->count(), 9);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Modify Base Sizes"));
    EXPECT_EQ(list->toolTip(), QStringLiteral("Choose Base Size to modify or delete"));
    EXPECT_EQ(update->text(), QStringLiteral("Modify"));
    EXPECT_EQ(Enabled(), "---");
}

TEST_F(BaseSizeDialogTest, FocusingTheListChoosesNothing) {
    dialog.activateWindow();
    list->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(Enabled(), "---");
    EXPECT_TRUE(description->text().isEmpty());
}

TEST_F(BaseSizeDialogTest, ButtonsFollowClickingTypingAndEmptying) {
    Click(2);
    EXPECT_EQ(description->text(), QStringLiteral("100 MB Iomega Zip drive"));
    EXPECT_EQ(size->text(), QStringLiteral("100431872"));
    EXPECT_EQ(Enabled(), "-D-");
    QTest::keyClicks(description, QStringLiteral(" (old)"));
    EXPECT_EQ(Enabled(), "U-N");
    size->selectAll();
    QTest::keyClick(size, Qt::Key_Delete);
    EXPECT_EQ(Enabled(), "---");
    QTest::keyClicks(size, QStringLiteral("5"));
    EXPECT_EQ(Enabled(), "U-N");
}

TEST_F(BaseSizeDialogTest, NewAppendsAnExactEntryAndSelectsIt) {
    Type(description, QStringLiteral("DVD 4.7 GB"));
    Type(size, QStringLiteral("4700000000"));
    EXPECT_EQ(Enabled(), "--N");  // nothing selected: a new entry only
    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_EQ(list->count(), 10);
    EXPECT_EQ(Stored(9), "DVD 4.7 GB=4700000000");
    const BaseSizeList loaded = LoadBaseSizes(store);
    EXPECT_EQ(loaded.BaseSizeIndex, 9);
    EXPECT_EQ(loaded.BaseSizeValues[9], 4'700'000'000);
    EXPECT_EQ(Enabled(), "---");
    EXPECT_TRUE(description->text().isEmpty());
}

TEST_F(BaseSizeDialogTest, ASizeThatIsNoPositiveNumberStoresAFloppy) {
    for (const QString& typed :
         {QStringLiteral("0"), QStringLiteral("-3"), QStringLiteral("abc")}) {
        Type(description, typed);
        Type(size, typed);
        QTest::mouseClick(add, Qt::LeftButton);
        EXPECT_EQ(Stored(list->count() - 1), typed.toStdString() + "=1457664");
    }
}

TEST_F(BaseSizeDialogTest, ModifySelectsTheModifiedEntry) {
    store.Write(settings::BaseSizeIndex, 4);
    Click(0);
    Type(size, QStringLiteral("737280"));
    QTest::mouseClick(update, Qt::LeftButton);
    EXPECT_EQ(Stored(0), "720 kB 3.5'' single=737280");
    EXPECT_EQ(store.Read(settings::BaseSizeIndex), 0);
    EXPECT_EQ(list->count(), 9);
}

TEST_F(BaseSizeDialogTest, DeleteMovesLaterEntriesUpAndKeepsTheStoredSelection) {
    store.Write(settings::BaseSizeIndex, 5);
    Click(2);
    QTest::mouseClick(remove, Qt::LeftButton);
    EXPECT_EQ(list->count(), 8);
    EXPECT_EQ(store.Read(settings::BaseSizes), 8);
    EXPECT_EQ(store.Read(settings::BaseSizeIndex), 5);  // now the former entry 6
    EXPECT_EQ(Stored(5), "650 MB CD-ROM=681574400");
    EXPECT_EQ(Stored(7), "1 TB Mass Storage=1099511627776");
    EXPECT_EQ(Stored(8), "=");

    // Deleting the selected last entry moves the selection to the new last one.
    store.Write(settings::BaseSizeIndex, 7);
    Click(7);
    QTest::mouseClick(remove, Qt::LeftButton);
    EXPECT_EQ(store.Read(settings::BaseSizeIndex), 6);
}

TEST_F(BaseSizeDialogTest, DeletingEveryEntryBringsTheDefaultsBackOnTheNextLoad) {
    while (list->count() > 0) {
        Click(0);
        QTest::mouseClick(remove, Qt::LeftButton);
    }
    EXPECT_EQ(store.Read(settings::BaseSizes), 0);
    EXPECT_EQ(store.Read(settings::BaseSizeIndex), -1);
    EXPECT_EQ(LoadBaseSizes(store).count, 9);
}

TEST_F(BaseSizeDialogTest, TakesItsTextsFromTheLanguageWhenItOpens) {
    dialog.close();
    SetCurrentLanguage(kGerman);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle().toStdString(), Text(slot::kModifyBaseSizes));
    EXPECT_EQ(add->text().toStdString(), Text(slot::kNew));
}

}  // namespace
}  // namespace brelker
