#include "settings/SuffixDialog.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "QtPrinters.h"
#include "TempFolder.h"
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
    void TearDown() override { dialog.close(); }

    void Open() {
        dialog.show();
        edit = dialog.findChild<QLineEdit*>(QStringLiteral("txtFtype"));
        ok = dialog.findChild<QPushButton*>(QStringLiteral("OkBtn"));
        ASSERT_TRUE(edit && ok);
    }
    void Type(const QString& text) {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    std::string Stored() const {
        return store.ReadStringSetting(subkey::AddedFileType, "AddedFileType", "(none)");
    }

    TempFolder folder;
    QtSettingsStore store{folder / "settings.conf"};
    std::vector<std::pair<std::string, std::string>> warnings;
    SuffixDialog dialog{store, [this](const std::string& text, const std::string& caption) {
                            warnings.emplace_back(text, caption);
                        }};
    QLineEdit* edit = nullptr;
    QPushButton* ok = nullptr;
};

TEST_F(SuffixDialogTest, OpensWithTheStoredSuffixAndItsTexts) {
    store.Write(settings::AddedFileType, "_part");
    Open();
    EXPECT_EQ(edit->text(), QStringLiteral("_part"));
    EXPECT_EQ(dialog.windowTitle(),
              QStringLiteral("Change ending to the names of the smaller files"));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("lblFtype"))->text(),
              QStringLiteral("Choose a new ending (before the compulsory running index)"));
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_TRUE(warnings.empty());
}

TEST_F(SuffixDialogTest, EachForbiddenCharacterWarnsAndBlocksOk) {
    Open();
    const std::string message = "Do not use any of the following characters: \\ / : * ? \" < > |";
    for (const char forbidden : ForbiddenSuffixChars) {
        Type(QStringLiteral("ab"));
        warnings.clear();
        QTest::keyClick(edit, forbidden);
        ASSERT_EQ(warnings.size(), 1u) << forbidden;
        EXPECT_EQ(warnings[0].first, message);
        EXPECT_EQ(warnings[0].second, "The text contains at least one invalid character!");
        EXPECT_FALSE(ok->isEnabled()) << forbidden;

        QTest::keyClick(edit, Qt::Key_Backspace);
        EXPECT_TRUE(ok->isEnabled()) << forbidden;
        EXPECT_EQ(warnings.size(), 1u);
    }
}

TEST_F(SuffixDialogTest, TheWarningComesOnEveryChangeWhileOneRemains) {
    Open();
    Type(QStringLiteral("?ab"));
    EXPECT_EQ(warnings.size(), 3u);
    EXPECT_FALSE(ok->isEnabled());
}

TEST_F(SuffixDialogTest, OkStoresTheTextUnchangedAndAnEmptyOneAsTheDefault) {
    Open();
    Type(QStringLiteral(" My.Part_ "));
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Stored(), " My.Part_ ");

    Open();
    Type(QString());
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(Stored(), ".Brelked_");
}

TEST_F(SuffixDialogTest, ClosingWithoutOkStoresNothing) {
    Open();
    Type(QStringLiteral("_x"));
    dialog.close();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(Stored(), "(none)");
}

}  // namespace
}  // namespace brelker
