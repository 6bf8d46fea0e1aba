#include "qt/SuffixDialog.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "QtPrinters.h"
#include "TempFolder.h"
#include "model/SuffixModel.h"
#include "settings/QtSettingsStore.h"
#include "settings/Settings.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

class SuffixDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        FillTextTable(".Brelked_");
        SetCurrentLanguage(kEnglish);
    }
    void TearDown() override {
        if (dialog) {
            dialog->close();
        }
    }

    void Open(const std::string& stored) {
        store.Write(settings::AddedFileType, stored);
        model = std::make_unique<SuffixModel>(store);
        dialog = std::make_unique<SuffixDialog>(
            *model, [this](const std::string& text, const std::string& caption) {
                warnings.emplace_back(text, caption);
            });
        dialog->show();
        edit = dialog->findChild<QLineEdit*>(QStringLiteral("txtFtype"));
        ok = dialog->findChild<QPushButton*>(QStringLiteral("OkBtn"));
        ASSERT_TRUE(edit && ok);
    }
    void Type(const QString& text) {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    TempFolder folder;
    QtSettingsStore store{folder / "settings.conf"};
    std::vector<std::pair<std::string, std::string>> warnings;
    std::unique_ptr<SuffixModel> model;
    std::unique_ptr<SuffixDialog> dialog;
    QLineEdit* edit = nullptr;
    QPushButton* ok = nullptr;
};

TEST_F(SuffixDialogTest, OpensWithTheModelsSuffixAndItsTexts) {
    Open("_part");
    EXPECT_EQ(edit->text(), QStringLiteral("_part"));
    EXPECT_EQ(dialog->windowTitle(),
              QStringLiteral("Change ending to the names of the smaller files"));
    EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("lblFtype"))->text(),
              QStringLiteral("Choose a new ending (before the compulsory running index)"));
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_TRUE(warnings.empty());
}

TEST_F(SuffixDialogTest, EveryChangeThatLeavesAForbiddenCharacterWarnsAndBlocksOk) {
    Open("_part");
    Type(QStringLiteral("ab"));
    QTest::keyClick(edit, '?');
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].first, "Do not use any of the following characters: \\ / : * ? \" < > |");
    EXPECT_EQ(warnings[0].second, "The text contains at least one invalid character!");
    EXPECT_FALSE(ok->isEnabled());
    QTest::keyClick(edit, 'c');
    EXPECT_EQ(warnings.size(), 2u);
    EXPECT_EQ(model->Text(), "ab?c");
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Right);
    QTest::keyClick(edit, Qt::Key_Right);
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(warnings.size(), 2u);

    // One that was stored already is warned of when the dialog opens.
    dialog->close();
    warnings.clear();
    Open("a|b");
    EXPECT_EQ(warnings.size(), 1u);
    EXPECT_FALSE(ok->isEnabled());
}

TEST_F(SuffixDialogTest, OkAcceptsTheTypedTextAndClosingRejectsIt) {
    Open("_part");
    Type(QStringLiteral(" My.Part_ "));
    EXPECT_EQ(model->Text(), " My.Part_ ");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);

    dialog->show();
    Type(QStringLiteral("_x"));
    dialog->close();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

}  // namespace
}  // namespace brelker
