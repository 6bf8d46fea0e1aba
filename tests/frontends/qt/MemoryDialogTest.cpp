#include "qt/MemoryDialog.h"

#include <gtest/gtest.h>

#include <memory>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "QtPrinters.h"
#include "TempFolder.h"
#include "model/MemoryModel.h"
#include "qt/UpDown.h"
#include "settings/QtSettingsStore.h"
#include "settings/Settings.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

class MemoryDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        FillTextTable(".Brelked_");
        SetCurrentLanguage(kEnglish);
        store.Write(settings::MaxFromFile, 35);
        store.Write(settings::MaxFromRAM, 12);
        model = std::make_unique<MemoryModel>(store);
        dialog = std::make_unique<MemoryDialog>(*model);
        dialog->show();
        file = dialog->findChild<QLineEdit*>(QStringLiteral("txtMaxAllowedFile"));
        ram = dialog->findChild<QLineEdit*>(QStringLiteral("txtMaxAllowedRAM"));
        ASSERT_TRUE(file && ram);
    }
    void TearDown() override { dialog->close(); }

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
        QTest::mouseClick(dialog->findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
    }

    TempFolder folder;
    QtSettingsStore store{folder / "settings.conf"};
    std::unique_ptr<MemoryModel> model;
    std::unique_ptr<MemoryDialog> dialog;
    QLineEdit* file = nullptr;
    QLineEdit* ram = nullptr;
};

TEST_F(MemoryDialogTest, OpensWithTheModelsPairAndItsTexts) {
    EXPECT_EQ(file->text(), QStringLiteral("35"));
    EXPECT_EQ(ram->text(), QStringLiteral("12"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Memory Usage"));
    EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("lblMaxRAM"))->text(),
              QStringLiteral("% of physical memory (RAM)."));
    EXPECT_EQ(dialog->findChild<QPushButton*>(QStringLiteral("OkButton"))->text(),
              QStringLiteral("Save"));
}

TEST_F(MemoryDialogTest, EachKeystrokeReachesTheModelAndItsCorrectionTheField) {
    EXPECT_EQ(TypeInto(ram, "75"), "7 20");
    EXPECT_EQ(ram->cursorPosition(), 2);
    EXPECT_EQ(model->MaxFromRAMText(), "20");
    EXPECT_EQ(TypeInto(file, "101"), "1 10 10");
    EXPECT_EQ(model->MaxFromFileText(), "10");
    TypeInto(ram, "5");
    QTest::keyClick(ram, Qt::Key_Backspace);
    EXPECT_EQ(ram->text(), QStringLiteral("20"));  // an emptied field
}

TEST_F(MemoryDialogTest, TheArrowsStepWithinTheBounds) {
    const auto* upDown1 = dialog->findChild<UpDown*>(QStringLiteral("UpDown1"));
    const auto* upDown2 = dialog->findChild<UpDown*>(QStringLiteral("UpDown2"));
    ASSERT_TRUE(upDown1 && upDown2);
    EXPECT_EQ(upDown1->Minimum(), 1);
    EXPECT_EQ(upDown1->Maximum(), 50);
    EXPECT_EQ(upDown2->Maximum(), 100);

    TypeInto(ram, "49");
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(upDown1->findChild<QToolButton*>(QStringLiteral("Up")), Qt::LeftButton);
    }
    EXPECT_EQ(model->MaxFromRAMText(), "50");
    TypeInto(file, "2");
    QTest::keyClick(file, Qt::Key_Down);
    QTest::keyClick(file, Qt::Key_Down);
    EXPECT_EQ(model->MaxFromFileText(), "1");
}

TEST_F(MemoryDialogTest, SaveAcceptsAndCancelRejects) {
    TypeInto(file, "64");
    Click("OkButton");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    dialog->show();
    EXPECT_EQ(file->text(), QStringLiteral("64"));
    Click("CancelButton");
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    // Storing is the owner's, once the dialog was accepted.
    EXPECT_EQ(store.Read(settings::MaxFromFile), 35);
}

}  // namespace
}  // namespace brelker
