#include "text/HintWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "QtPrinters.h"
#include "TempFolder.h"
#include "platform/PosixPlatform.h"
#include "text/Encoding.h"
#include "text/HelpLines.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

// The window writes into the process's current folder: each test works in a
// folder of its own and goes back afterwards.
class HintWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        FillTextTable(".Brelked_");
        SetCurrentLanguage(kEnglish);
        std::filesystem::current_path(work.Path());
        // The viewer records the path it was given and a copy of the file.
        platform.SetViewerCommand({"/bin/sh", "-c",
                                   "printf %s \"$1\" > '" + (capture / "name") + "'; cp \"$1\" '" +
                                       (capture / "copy") + "'",
                                   "sh"});
        window.show();
        list = window.findChild<QListWidget*>(QStringLiteral("ListBox1"));
        button = window.findChild<QPushButton*>(QStringLiteral("OnFileBtn"));
        ASSERT_TRUE(list && button);
    }
    void TearDown() override {
        window.close();
        std::filesystem::current_path(saved);
        SetCurrentLanguage(kEnglish);
    }
    void Reopen() {
        window.hide();
        window.show();
    }
    std::vector<std::string> ListLines() const {
        std::vector<std::string> lines;
        for (int i = 0; i < list->count(); ++i) {
            lines.push_back(list->item(i)->text().toStdString());
        }
        return lines;
    }

    const std::filesystem::path saved = std::filesystem::current_path();
    TempFolder work;
    TempFolder capture;
    PosixPlatform platform;
    HintWindow window{platform};
    QListWidget* list = nullptr;
    QPushButton* button = nullptr;
};

TEST_F(HintWindowTest, ListsTheManualInTheLanguageOfItsLastActivation) {
    EXPECT_EQ(list->count(), kHelpLineCount);
    EXPECT_EQ(ListLines(), HelpLines(ProgramTexts()));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("How It Works"));
    EXPECT_EQ(button->text(), QStringLiteral("Information On File"));
    EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_FALSE(window.isModal());

    SetCurrentLanguage(kGerman);
    Reopen();
    const auto lines = ListLines();
    EXPECT_EQ(lines.size(), static_cast<std::size_t>(kHelpLineCount));
    EXPECT_NE(std::find(lines.begin(), lines.end(), "SWITCHES TO CONTROL THE PROGRAM (in English)"),
              lines.end());
    EXPECT_EQ(window.windowTitle().toStdString(), Text(slot::kHowItWorksTitle));
}

TEST_F(HintWindowTest, TheFileHoldsTheListsLinesInWindows1252AndIsDeletedAfterViewing) {
    for (const int language : {kEnglish, kSwedish}) {
        SetCurrentLanguage(language);
        Reopen();
        QTest::mouseClick(button, Qt::LeftButton);

        const std::string path =
            work / (Text(slot::kProgramName) + "_" + Text(slot::kHowItWorksTitle) + ".TXT");
        if (language == kEnglish) {
            EXPECT_EQ(path, work / "The File Brelker_How It Works.TXT");
        }
        EXPECT_EQ(ReadFile(capture / "name"), path);
        std::string expected;
        for (const std::string& line : ListLines()) {
            expected += *EncodeText(line, CodePage::Windows1252) + "\r\n";
        }
        EXPECT_EQ(ReadFile(capture / "copy"), expected) << language;
        EXPECT_FALSE(Exists(path));
    }
    // Swedish letters are single bytes, as the viewer expects them.
    EXPECT_NE(ReadFile(capture / "copy").find('\xE5'), std::string::npos);
}

TEST_F(HintWindowTest, AFileThatCannotBeCreatedIsSilentlyNotShown) {
    const std::string path = work / "The File Brelker_How It Works.TXT";
    std::filesystem::create_directory(path);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(Exists(capture / "name"));
    EXPECT_TRUE(std::filesystem::is_directory(path));

    // A current folder that no longer exists.
    std::filesystem::create_directory(work / "gone");
    std::filesystem::current_path(work / "gone");
    std::filesystem::remove(work / "gone");
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(Exists(capture / "name"));
}

}  // namespace
}  // namespace brelker

namespace brelker {
namespace {

TEST_F(HintWindowTest, EveryLineIsWholeInEveryLanguageAndTheWindowSitsInTheMiddle) {
    for (const int language : {kEnglish, kSwedish, kGerman}) {
        SetCurrentLanguage(language);
        Reopen();
        EXPECT_EQ(list->textElideMode(), Qt::ElideNone);
        for (int i = 0; i < list->count(); ++i) {
            const QString line = list->item(i)->text();
            // Lines wider than the window are scrolled to, never cut.
            EXPECT_GE(list->visualItemRect(list->item(i)).width(),
                      list->fontMetrics().horizontalAdvance(line))
                << language << ": " << line.toStdString();
        }
        const QRect room = window.screen()->availableGeometry();
        EXPECT_LE(window.frameGeometry().width(), room.width());
        EXPECT_LE(std::abs(window.frameGeometry().center().x() - room.center().x()), 1);
        EXPECT_LE(std::abs(window.frameGeometry().center().y() - room.center().y()), 1);
    }
    EXPECT_EQ(list->palette().color(QPalette::Base),
              QApplication::palette("QMenu").color(QPalette::Window));
}

}  // namespace
}  // namespace brelker
