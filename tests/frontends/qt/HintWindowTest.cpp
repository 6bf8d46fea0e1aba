#include "qt/HintWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "FaultyPlatform.h"
#include "QtPrinters.h"
#include "TempFolder.h"
#include "model/HelpFileModel.h"
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
        platform.viewer = [this](const std::string& path) { viewed.push_back(path); };
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
    FaultyPlatform platform;
    std::vector<std::string> viewed;
    HelpFileModel model{platform};
    HintWindow window{model};
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

TEST_F(HintWindowTest, TheButtonHandsTheManualToTheViewerAsAFile) {
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(viewed, std::vector<std::string>{model.FilePath()});
    EXPECT_TRUE(model.FilePath().ends_with("/The File Brelker_How It Works.TXT"));
    EXPECT_TRUE(std::filesystem::is_empty(work.Path()));
}

// The desktop's handler as the test plays it.
struct ScriptedOpener : FileOpener {
    bool Open(const std::string& path) override {
        opened.push_back(path);
        return true;
    }
    std::vector<std::string> opened;
};

TEST_F(HintWindowTest, TheDesktopsHandlerIsAskedFirstAndKeepsTheFile) {
    ScriptedOpener desktop;
    HintWindow withDesktop(model, &desktop);
    withDesktop.show();
    auto* onFile = withDesktop.findChild<QPushButton*>(QStringLiteral("OnFileBtn"));
    ASSERT_NE(onFile, nullptr);
    QTest::mouseClick(onFile, Qt::LeftButton);
    EXPECT_EQ(desktop.opened, std::vector<std::string>{model.FilePath()});
    EXPECT_TRUE(viewed.empty());
    EXPECT_TRUE(std::filesystem::exists(model.FilePath()));
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
