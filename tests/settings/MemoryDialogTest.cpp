#include "settings/MemoryDialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "QtPrinters.h"
#include "TempFolder.h"
#include "settings/QtSettingsStore.h"
#include "settings/Settings.h"
#include "settings/UpDown.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

class MemoryDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        FillTextTable(".Brelked_");
        SetCurrentLanguage(kEnglish);
    }
    void TearDown() override { dialog.close(); }

    void Open() {
        dialog.show();
        file = dialog.findChild<QLineEdit*>(QStringLiteral("txtMaxAllowedFile"));
        ram = dialog.findChild<QLineEdit*>(QStringLiteral("txtMaxAllowedRAM"));
        ASSERT_TRUE(file && ram);
    }
    // The field's text after each keystroke, the field emptied first.
    static std::string TypeInto(QLineEdit* edit, const std::string& keys) {
        edit->setFocus();
        edit->selectAll();
        std::string shown;
        for (const char key : keys) {
            QTest::keyClick(edit, key);
            shown += (shown.empty() ? "" : " ") + edit->text().toStdString();
        }
        return shown;
    }
    void Click(const char* name) {
        QTest::mouseClick(dialog.findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
    }
    int StoredOrMinusOne(const char* name) const {
        return store.ReadIntegerSetting(subkey::Memory, name, -1);
    }

    TempFolder folder;
    QtSettingsStore store{folder / "settings.conf"};
    MemoryDialog dialog{store};
    QLineEdit* file = nullptr;
    QLineEdit* ram = nullptr;
};

TEST_F(MemoryDialogTest, OpensWithTheStoredPairOrTheDefaultsAndItsTexts) {
    Open();
    EXPECT_EQ(file->text(), QStringLiteral("10"));
    EXPECT_EQ(ram->text(), QStringLiteral("20"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Memory Usage"));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("lblMaxRAM"))->text(),
              QStringLiteral("% of physical memory (RAM)."));
    EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("OkButton"))->text(),
              QStringLiteral("Save"));
    dialog.close();

    store.Write(settings::MaxFromFile, 35);
    store.Write(settings::MaxFromRAM, 12);
    Open();
    EXPECT_EQ(file->text(), QStringLiteral("35"));
    EXPECT_EQ(ram->text(), QStringLiteral("12"));
    EXPECT_EQ(dialog.MaxFromFile(), 35);
    EXPECT_EQ(dialog.MaxFromRAM(), 12);
}

TEST_F(MemoryDialogTest, InputOutsideTheBoundsIsReplacedAtOnce) {
    Open();
    EXPECT_EQ(TypeInto(ram, "75"), "7 20");
    EXPECT_EQ(ram->cursorPosition(), 2);
    EXPECT_EQ(TypeInto(ram, "50"), "5 50");
    EXPECT_EQ(TypeInto(file, "0"), "10");
    EXPECT_EQ(TypeInto(file, "100"), "1 10 100");
    EXPECT_EQ(TypeInto(file, "101"), "1 10 10");
    EXPECT_EQ(TypeInto(file, "x"), "10");
    EXPECT_EQ(TypeInto(ram, "-"), "20");

    TypeInto(ram, "5");
    QTest::keyClick(ram, Qt::Key_Backspace);
    EXPECT_EQ(ram->text(), QStringLiteral("20"));  // an emptied field
}

TEST_F(MemoryDialogTest, TheArrowsStepWithinTheBounds) {
    Open();
    const auto* upDown1 = dialog.findChild<UpDown*>(QStringLiteral("UpDown1"));
    const auto* upDown2 = dialog.findChild<UpDown*>(QStringLiteral("UpDown2"));
    ASSERT_TRUE(upDown1 && upDown2);
    EXPECT_EQ(upDown1->Minimum(), 1);
    EXPECT_EQ(upDown1->Maximum(), 50);
    EXPECT_EQ(upDown2->Maximum(), 100);

    TypeInto(ram, "49");
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(upDown1->findChild<QToolButton*>(QStringLiteral("Up")), Qt::LeftButton);
    }
    EXPECT_EQ(ram->text(), QStringLiteral("50"));
    TypeInto(file, "2");
    QTest::keyClick(file, Qt::Key_Down);
    QTest::keyClick(file, Qt::Key_Down);
    EXPECT_EQ(file->text(), QStringLiteral("1"));
}

TEST_F(MemoryDialogTest, SaveStoresTheEditedPairAndMakesItTheAcceptedOne) {
    Open();
    TypeInto(file, "64");
    TypeInto(ram, "8");
    Click("OkButton");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(store.Read(settings::MaxFromFile), 64);
    EXPECT_EQ(store.Read(settings::MaxFromRAM), 8);
    EXPECT_EQ(dialog.MaxFromFile(), 64);
    EXPECT_EQ(dialog.MaxFromRAM(), 8);
}

TEST_F(MemoryDialogTest, CancelStoresNothingAndKeepsThePairAsRead) {
    Open();
    TypeInto(file, "64");
    Click("CancelButton");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(StoredOrMinusOne("MaxFromFile"), -1);
    EXPECT_EQ(StoredOrMinusOne("MaxFromRAM"), -1);
    EXPECT_EQ(dialog.MaxFromFile(), 10);
    EXPECT_EQ(dialog.MaxFromRAM(), 20);

    // A stored value outside the bounds shows as its replacement but is what
    // the main window gets back when nothing is saved.
    store.Write(settings::MaxFromRAM, 77);
    Open();
    EXPECT_EQ(ram->text(), QStringLiteral("20"));
    dialog.reject();
    EXPECT_EQ(dialog.MaxFromRAM(), 77);
    EXPECT_EQ(store.Read(settings::MaxFromRAM), 77);
}

}  // namespace
}  // namespace brelker
