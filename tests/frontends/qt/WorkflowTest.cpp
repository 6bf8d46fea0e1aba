// The Qt window's wiring: a click on a speed button, menu item or control
// reaches the model, and what the model decides reaches the widgets. The
// workflow itself is tested on the model (tests/window).

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QListWidget>
#include <QStyle>
#include <QTimer>

#include "WindowFixture.h"

namespace brelker {
namespace {

using WorkflowTest = WindowFixture;
using Lines = std::vector<std::string>;

TEST_F(WorkflowTest, StartsWithOnlyTheChoicesOfAFileEnabled) {
    Start();
    EXPECT_EQ(Commands(), "a---d--");
    EXPECT_FALSE(Enabled("DoSplitBtn"));
    EXPECT_FALSE(Enabled("SelfUnitBtn"));
    EXPECT_FALSE(Enabled("StopBtn"));
    EXPECT_TRUE(Enabled("SplitAFileBtn"));
    EXPECT_TRUE(Enabled("HintBtn"));
    EXPECT_EQ(window->windowTitle().toStdString(), "The File Brelker");
    EXPECT_EQ(Status(0), "Welcome to The File Brelker, version 2.7");
    EXPECT_TRUE(Find<QAction>("LanguageEnglish")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("BigFileRB3")->isChecked());
    EXPECT_EQ(Find<QComboBox>("CBBaseSize")->currentText().toStdString(), "1.44 MB 3.5'' double");
    EXPECT_TRUE(Find<QAction>("ChangeNever")->isChecked());
}

TEST_F(WorkflowTest, ASplitThroughTheButtonsFromChoosingTheFileToTheRestoreScript) {
    Start();
    const std::string bytes = PatternBytes(3'000'000);
    const std::string big = ChooseBigFile(bytes);
    EXPECT_EQ(SizeLines(), (Lines{"1457664", "1457664", "84672"}));
    EXPECT_EQ(Commands(), "abs-d--");
    EXPECT_EQ(Caption("BigFileName"), big);
    EXPECT_EQ(Caption("BigFileSize"), "2.861");
    EXPECT_EQ(Caption("SmallFileNames"), folder / "pieces/data.bin.Brelked_*");
    EXPECT_EQ(Caption("lblNrFiles"), "Nr. of files: 3");
    EXPECT_EQ(Status(1), "Ready to split the file!");

    Click("DoSplitBtn");
    const std::string stem = folder / "pieces/data.bin";
    EXPECT_EQ(ReadFile(Piece(stem, 1)) + ReadFile(Piece(stem, 2)) + ReadFile(Piece(stem, 3)),
              bytes);
    EXPECT_EQ(Status(1), "The file has been split!");
    EXPECT_EQ(Status(0), "");
    EXPECT_EQ(Commands(), "a--rd--");
    EXPECT_TRUE(Enabled("SelfUnitBtn"));
    EXPECT_FALSE(Enabled("StopBtn"));

    dialogs.paths.push_back(folder / "pieces/SelfUnit.bat");
    Click("SelfUnitBtn");
    EXPECT_TRUE(Exists(folder / "pieces/SelfUnit.bat"));
    EXPECT_EQ(Status(1), "Self-uniting file created");
    EXPECT_EQ(Commands(), "a---d--");
}

TEST_F(WorkflowTest, AJoinThroughTheButtonsAndTheUnitButtons) {
    Start();
    const std::string stem = folder / "pieces/movie.avi";
    WriteFile(Piece(stem, 1), "first ");
    WriteFile(Piece(stem, 2), "second ");
    WriteFile(Piece(stem, 3), "third");
    dialogs.paths.push_back(Piece(stem, 2));
    Click("JoinFilesBtn");
    EXPECT_EQ(Commands(), "a---dej");
    EXPECT_EQ(SizeLines(), (Lines{"6", "7", "5"}));
    EXPECT_EQ(Caption("BigFileName"), folder / "pieces/movie.avi");
    EXPECT_FALSE(Enabled("CBBaseSize"));
    EXPECT_FALSE(Enabled("ApplyBaseSize"));

    dialogs.paths.push_back(folder / "restored/film.avi");
    Click("FindPlaceToBigFileBtn");
    EXPECT_EQ(Status(1), "New place selected!");
    Click("DoJoinBtn");
    EXPECT_EQ(ReadFile(folder / "restored/film.avi"), "first second third");
    EXPECT_EQ(Commands(), "a---d--");
    Find<QRadioButton>("BigFileRB1")->click();
    EXPECT_EQ(Caption("BigFileSize"), "18");
    EXPECT_TRUE(Find<QRadioButton>("BigFileRB1")->isChecked());
}

// Each line of Verify's results carries its mark as an icon, a failed one in bold too.
TEST_F(WorkflowTest, VerifyMarksEachResultLineWithAnIconAndFailuresInBold) {
    Start();
    EXPECT_TRUE(Find<QAction>("WriteChecksums")->isChecked());
    ChooseBigFile(PatternBytes(3'000'000));
    Click("DoSplitBtn");
    const std::string stem = folder / "pieces/data.bin";
    WriteFile(Piece(stem, 2), std::string(1'457'664, 'x'));
    dialogs.paths.push_back(Piece(stem, 3));
    Click("VerifyBtn");
    EXPECT_EQ(SizeLines(), (Lines{"data.bin.Brelked_1: OK", "data.bin.Brelked_2: FAILED",
                                  "data.bin.Brelked_3: OK", "data.bin: OK"}));
    EXPECT_EQ(Status(1), "3 OK, 1 FAILED, 0 missing");
    auto* list = Find<QListWidget>("SmallerSizesLB");
    EXPECT_TRUE(list->isEnabled());
    EXPECT_EQ(Caption("SmallerSize"), "Verify: result per file");
    const auto mark = [list](QStyle::StandardPixmap icon) {
        return list->style()->standardIcon(icon).pixmap(16).toImage();
    };
    EXPECT_EQ(list->item(0)->icon().pixmap(16).toImage(), mark(QStyle::SP_DialogApplyButton));
    EXPECT_EQ(list->item(1)->icon().pixmap(16).toImage(), mark(QStyle::SP_MessageBoxCritical));
    EXPECT_FALSE(mark(QStyle::SP_MessageBoxCritical).isNull());
    EXPECT_NE(mark(QStyle::SP_MessageBoxCritical), mark(QStyle::SP_DialogApplyButton));
    EXPECT_TRUE(list->item(1)->font().bold());
    EXPECT_FALSE(list->item(0)->font().bold());

    Click("WriteChecksums");
    EXPECT_FALSE(Find<QAction>("WriteChecksums")->isChecked());
}

TEST_F(WorkflowTest, AClickOnStopDuringTheWorkReachesIt) {
    Start();
    ChooseBigFile(PatternBytes(3'000'000));
    // The click lands while the split lets the window handle its events.
    QTimer::singleShot(0, window.get(), [this] { Click("StopBtn"); });
    dialogs.answers = {false};
    Click("DoSplit");
    EXPECT_EQ(dialogs.Texts().front(), "Would you like to continue? / Continue or break");
    EXPECT_EQ(Status(1), "Abnormal termination!");
    EXPECT_EQ(Find<QProgressBar>("PBar")->value(), 0);
}

TEST_F(WorkflowTest, WhileTheWorkRunsOnlyStopIsEnabled) {
    Start();
    ChooseBigFile(PatternBytes(3'000'000));
    std::string during;
    bool listEnabled = true;
    QTimer::singleShot(0, window.get(), [&] {
        during = Commands() + (Enabled("StopBtn") ? "S" : "-") + (Enabled("ExitBtn") ? "X" : "-") +
                 (Find<QMenu>("File1")->menuAction()->isEnabled() ? "F" : "-");
        listEnabled = Enabled("SmallerSizesLB");
    });
    Click("DoSplit");
    // The menu items keep their state; the menus above them are what is switched off.
    EXPECT_EQ(during.substr(7), "S--");
    EXPECT_FALSE(listEnabled);
    EXPECT_TRUE(Find<QMenu>("File1")->menuAction()->isEnabled());
    EXPECT_FALSE(Enabled("StopBtn"));
    EXPECT_FALSE(Enabled("SmallerSizesLB"));
}

TEST_F(WorkflowTest, ClosingTheWindowDuringASplitAsksAndClosesOnceTheWorkStopped) {
    Start();
    ChooseBigFile(PatternBytes(3'000'000));
    QTimer::singleShot(0, window.get(), [this] { window->close(); });
    dialogs.answers = {false};
    Click("DoSplit");
    EXPECT_EQ(dialogs.Texts().front(), "Would you like to continue? / Continue or break");
    EXPECT_EQ(Status(1), "Abnormal termination!");
    QApplication::processEvents();
    EXPECT_TRUE(window->QuitRequested());
}

TEST_F(WorkflowTest, TheSizeModeButtonsReachThePlan) {
    Start();
    ChooseBigFile(PatternBytes(3'000'000));
    Find<QRadioButton>("rbSizeFree")->click();
    EXPECT_TRUE(SizeLines().empty());
    EXPECT_EQ(Caption("lblNrFiles"), "");
    EXPECT_EQ(Find<QWidget>("ActualSizeGB")->toolTip().toStdString(),
              "The * in the names is an integer from 1 to ?");
    EXPECT_FALSE(Enabled("CBBaseSize"));
    EXPECT_TRUE(Enabled("DoSplit"));
    Find<QRadioButton>("rbSizeBase")->click();
    EXPECT_EQ(SizeLines().size(), 3u);
    EXPECT_TRUE(Enabled("CBBaseSize"));
    EXPECT_EQ(Find<QWidget>("ActualSizeGB")->toolTip().toStdString(),
              "The * in the names is an integer from 1 to 3");
}

TEST_F(WorkflowTest, TheSizeListAndItsEditorReachThePlan) {
    Start();
    ChooseBigFile(PatternBytes(3'000'000));
    auto* list = Find<QListWidget>("SmallerSizesLB");
    list->setCurrentRow(0);
    EXPECT_EQ(Caption("ChangeItem"), "File Number 1");
    EXPECT_TRUE(Enabled("ApplyNewSize"));
    Find<QLineEdit>("txtNewSize")->setText(QStringLiteral("2000000"));
    Click("ApplyNewSize");
    EXPECT_EQ(SizeLines(), (Lines{"2000000", "1000000"}));
    EXPECT_FALSE(Enabled("ApplyNewSize"));
    Find<QComboBox>("CBBaseSize")->activated(0);
    EXPECT_EQ(SizeLines().size(), 5u);
    EXPECT_EQ(store.Read(settings::BaseSizeIndex), 0);
}

}  // namespace
}  // namespace brelker
