#include "qt/ExtractDialog.h"

#include <gtest/gtest.h>

#include <memory>

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "QtPrinters.h"
#include "model/ExtractModel.h"
#include "text/TextTable.h"
#include "transfer/Job.h"

namespace brelker {
namespace {

class ExtractDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        FillTextTable(".Brelked_");
        SetCurrentLanguage(kEnglish);
        job.ExtractSkip = 0;
        job.ExtractCount = 1000;
        job.ExtractLimit = 1000;
        job.ExtractActive = true;
    }
    void TearDown() override {
        if (dialog) {
            dialog->close();
        }
    }

    void Open() {
        model = std::make_unique<ExtractModel>(job);
        dialog = std::make_unique<ExtractDialog>(*model);
        dialog->show();
        skip = dialog->findChild<QLineEdit*>(QStringLiteral("edtSkip"));
        count = dialog->findChild<QLineEdit*>(QStringLiteral("edtExtract"));
        ASSERT_TRUE(skip && count);
    }
    static void Type(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    std::string Shown() const {
        return skip->text().toStdString() + "+" + count->text().toStdString();
    }
    void Click(const char* name) {
        QTest::mouseClick(dialog->findChild<QAbstractButton*>(QLatin1String(name)), Qt::LeftButton);
    }

    Job job;
    std::unique_ptr<ExtractModel> model;
    std::unique_ptr<ExtractDialog> dialog;
    QLineEdit* skip = nullptr;
    QLineEdit* count = nullptr;
};

TEST_F(ExtractDialogTest, OpensWithTheModelsNumbersAsTheyAreAndItsTexts) {
    job.ExtractSkip = 5000;  // beyond the file: shown, not corrected
    Open();
    EXPECT_EQ(Shown(), "5000+1000");
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Extract from, or append to, the big file"));
    EXPECT_EQ(dialog->findChild<QGroupBox*>(QStringLiteral("GroupBox2"))->title(),
              QStringLiteral("Appending"));
    EXPECT_TRUE(dialog->findChild<QRadioButton*>(QStringLiteral("rbActivate"))->isChecked());
    EXPECT_TRUE(dialog->findChild<QRadioButton*>(QStringLiteral("rbNotAppend"))->isChecked());

    // The first keystroke brings both numbers inside the file.
    QTest::keyClick(count, Qt::Key_Backspace);
    EXPECT_EQ(Shown(), "1000+0");
}

TEST_F(ExtractDialogTest, BothFieldsShowWhatTheModelMadeOfEachKeystroke) {
    Open();
    Type(skip, QStringLiteral("900"));
    EXPECT_EQ(Shown(), "900+100");
    Type(count, QStringLiteral("500"));
    EXPECT_EQ(Shown(), "900+100");
    EXPECT_EQ(model->Count(), 100);
    skip->selectAll();
    skip->insert(QStringLiteral("-300"));  // as pasted: keystrokes could not form it
    EXPECT_EQ(Shown(), "0+100");
    EXPECT_EQ(skip->cursorPosition(), 1);
    skip->end(false);
    QTest::keyClick(skip, '5');
    EXPECT_EQ(Shown(), "5+100");
}

TEST_F(ExtractDialogTest, OkAcceptsTheSwitchesAsClickedAndClosingRejects) {
    Open();
    Click("rbAppend");
    Click("rbDeactivate");
    EXPECT_TRUE(model->AppendActive());
    EXPECT_FALSE(model->ExtractActive());
    Click("BitBtn1");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(job.ExtractActive);  // the job is the owner's to change

    Open();
    dialog->close();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

TEST_F(ExtractDialogTest, TheFieldsLookSwitchedOffWithExtractionOff) {
    job.ExtractActive = false;
    Open();
    const QColor fieldColour = dialog->palette().color(QPalette::Base);
    const QColor offColour = dialog->palette().color(QPalette::Window);
    ASSERT_NE(fieldColour, offColour);
    for (QLineEdit* edit : {skip, count}) {
        EXPECT_FALSE(edit->isEnabled());
        EXPECT_EQ(edit->palette().color(QPalette::Disabled, QPalette::Base), offColour);
    }
    Click("rbActivate");
    for (QLineEdit* edit : {skip, count}) {
        EXPECT_TRUE(edit->isEnabled());
        EXPECT_EQ(edit->palette().color(QPalette::Active, QPalette::Base), fieldColour);
    }
    EXPECT_EQ(dialog->focusWidget(), skip);
    EXPECT_TRUE(model->ExtractActive());
}

}  // namespace
}  // namespace brelker
