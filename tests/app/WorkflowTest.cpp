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

TEST_F(WorkflowTest, ASplitFromChoosingTheFileToTheRestoreScript) {
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
    EXPECT_EQ(store.ReadStringSetting(subkey::Path, settings::SplitPath, ""), folder / "big");

    Click("DoSplitBtn");
    const std::string stem = folder / "pieces/data.bin";
    EXPECT_EQ(ReadFile(Piece(stem, 1)) + ReadFile(Piece(stem, 2)) + ReadFile(Piece(stem, 3)),
              bytes);
    EXPECT_EQ(Status(1), "The file has been split!");
    EXPECT_EQ(Status(0), "");
    EXPECT_EQ(Commands(), "a--rd--");
    EXPECT_TRUE(Enabled("SelfUnitBtn"));
    EXPECT_FALSE(Enabled("StopBtn"));
    EXPECT_TRUE(dialogs.shown.empty());  // not on a floppy: no question

    dialogs.paths.push_back(folder / "pieces/SelfUnit.bat");
    Click("SelfUnitBtn");
    EXPECT_TRUE(Exists(folder / "pieces/SelfUnit.bat"));
    EXPECT_EQ(Status(1), "Self-uniting file created");
    EXPECT_EQ(Commands(), "a---d--");
    EXPECT_EQ(dialogs.asked.back().folder, folder / "pieces");
}

TEST_F(WorkflowTest, AJoinFromChoosingAnyPieceToTheRestoredFile) {
    Start();
    const std::string stem = folder / "pieces/movie.avi";
    WriteFile(Piece(stem, 1), "first ");
    WriteFile(Piece(stem, 2), "second ");
    WriteFile(Piece(stem, 3), "third");
    dialogs.paths.push_back(Piece(stem, 2));
    Click("JoinFilesBtn");
    EXPECT_EQ(Commands(), "a---dej");
    EXPECT_EQ(SizeLines(), (Lines{"6", "7", "5"}));
    EXPECT_EQ(Caption("lblNrFiles"), "Nr. of files: 3");
    EXPECT_EQ(Caption("BigFileName"), folder / "big/movie.avi");
    EXPECT_EQ(Status(1), "Ready to restore the file!");
    EXPECT_FALSE(Enabled("CBBaseSize"));
    EXPECT_FALSE(Enabled("ApplyBaseSize"));

    dialogs.paths.push_back(folder / "restored/film.avi");
    Click("FindPlaceToBigFileBtn");
    EXPECT_EQ(Status(1), "New place selected!");
    EXPECT_EQ(dialogs.asked.back().proposedName, "movie.avi");
    Click("DoJoinBtn");
    EXPECT_EQ(ReadFile(folder / "restored/film.avi"), "first second third");
    EXPECT_EQ(Status(1),
              "The file is restored, but it could not be verified: there is no checksum file.");
    EXPECT_EQ(Commands(), "a---d--");
    Find<QRadioButton>("BigFileRB1")->click();
    EXPECT_EQ(Caption("BigFileSize"), "18");
    EXPECT_EQ(store.Read(settings::BigUnit), 1);
}

TEST_F(WorkflowTest, AJoinAsksBeforeItReplacesAnExistingFile) {
    Start();
    const std::string stem = folder / "pieces/movie.avi";
    WriteFile(Piece(stem, 1), "new ");
    WriteFile(Piece(stem, 2), "film");
    WriteFile(folder / "big/movie.avi", "the original");
    dialogs.paths.push_back(Piece(stem, 1));
    Click("JoinFilesBtn");
    dialogs.answers = {false};
    Click("DoJoinBtn");
    EXPECT_EQ(dialogs.Texts(), Lines{folder / "big/movie.avi" +
                                     " already exists (12 bytes). Replace it? / The File Brelker"});
    EXPECT_EQ(dialogs.shown.back().icon, MessageIcon::Question);
    EXPECT_EQ(ReadFile(folder / "big/movie.avi"), "the original");
    EXPECT_TRUE(Enabled("DoJoin"));  // nothing changed: the join can still be done

    dialogs.answers = {true};
    Click("DoJoinBtn");
    EXPECT_EQ(ReadFile(folder / "big/movie.avi"), "new film");
}

TEST_F(WorkflowTest, VerifyAndJoinCheckEveryPieceAgainstTheChecksumFile) {
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
    EXPECT_EQ(Commands(), "a---d--");
    // The results are on, under their own heading, each line with its mark.
    auto* list = Find<QListWidget>("SmallerSizesLB");
    EXPECT_TRUE(list->isEnabled());
    EXPECT_EQ(Caption("SmallerSize"), "Verify: result per file");
    EXPECT_EQ(dialogs.shown.back().icon, MessageIcon::Stop);
    const auto mark = [list](QStyle::StandardPixmap icon) {
        return list->style()->standardIcon(icon).pixmap(16).toImage();
    };
    EXPECT_EQ(list->item(0)->icon().pixmap(16).toImage(), mark(QStyle::SP_DialogApplyButton));
    EXPECT_EQ(list->item(1)->icon().pixmap(16).toImage(), mark(QStyle::SP_MessageBoxCritical));
    EXPECT_FALSE(mark(QStyle::SP_MessageBoxCritical).isNull());
    EXPECT_NE(mark(QStyle::SP_MessageBoxCritical), mark(QStyle::SP_DialogApplyButton));
    EXPECT_TRUE(list->item(1)->font().bold());
    EXPECT_FALSE(list->item(0)->font().bold());

    dialogs.paths.push_back(Piece(stem, 1));
    Click("JoinFilesBtn");
    Click("DoJoinBtn");
    EXPECT_EQ(dialogs.Texts().back(), "The file does not match its checksum: " + Piece(stem, 2) +
                                          " / Abnormal termination!");
    WriteFile(stem + ".sha256", "not a list\n");
    const std::string unusable = "The checksum file cannot be used: " + stem +
                                 ".sha256, line 1: not a checksum line / Abnormal termination!";
    dialogs.paths.push_back(Piece(stem, 1));
    Click("VerifyBtn");
    EXPECT_EQ(dialogs.Texts().back(), unusable);
    dialogs.paths.push_back(Piece(stem, 1));
    Click("JoinFilesBtn");
    EXPECT_EQ(dialogs.Texts().back(), unusable);
    EXPECT_FALSE(Enabled("DoJoinBtn"));

    Click("WriteChecksums");
    EXPECT_FALSE(store.Read(settings::WriteChecksumFile));
    EXPECT_FALSE(Find<QAction>("WriteChecksums")->isChecked());
}

TEST_F(WorkflowTest, FailedSplitsSayWhyAndLeaveNoRestoreScriptCommand) {
    Start();
    const std::string big = ChooseBigFile(PatternBytes(3'000'000));
    std::filesystem::remove(big);
    Click("DoSplit");
    EXPECT_EQ(dialogs.Texts(), Lines{"Could not read the big file. / Abnormal termination!"});
    EXPECT_EQ(dialogs.shown.back().icon, MessageIcon::Stop);
    EXPECT_EQ(Status(1), "Abnormal termination!");
    EXPECT_EQ(Commands(), "a---d--");

    dialogs.shown.clear();
    ChooseBigFile(PatternBytes(3'000'000));
    std::filesystem::create_directory(Piece(folder / "pieces/data.bin", 3));
    Click("DoSplit");
    // Refused before anything is written, naming what is in the way.
    EXPECT_EQ(dialogs.Texts(),
              Lines{Text(slot::kNotARegularFile) + Piece(folder / "pieces/data.bin", 3) +
                    " / Abnormal termination!"});
    EXPECT_FALSE(std::filesystem::exists(Piece(folder / "pieces/data.bin", 1)));
    EXPECT_FALSE(Enabled("CreateUnbrelkerFile"));
}

TEST_F(WorkflowTest, StopPausesTheWorkUntilTheAnswer) {
    Start();
    const std::string bytes = PatternBytes(3'000'000);
    ChooseBigFile(bytes);
    // The click lands while the split lets the window handle its events.
    QTimer::singleShot(0, window.get(), [this] { Click("StopBtn"); });
    dialogs.answers = {true};
    Click("DoSplit");
    EXPECT_EQ(dialogs.Texts(), Lines{"Would you like to continue? / Continue or break"});
    EXPECT_EQ(Status(1), "The file has been split!");

    dialogs.shown.clear();
    ChooseBigFile(bytes);
    QTimer::singleShot(0, window.get(), [this] { Click("StopBtn"); });
    dialogs.answers = {false};
    Click("DoSplit");
    EXPECT_EQ(dialogs.Texts(),
              (Lines{"Would you like to continue? / Continue or break",
                     "The splitting/restoring was not finished!\n\nThe smaller files this run "
                     "had written have been removed: 1 / The program was interrupted!"}));
    EXPECT_EQ(dialogs.shown.back().icon, MessageIcon::Warning);
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

TEST_F(WorkflowTest, ClosingTheWindowDuringASplitAsksAsStopDoes) {
    Start();
    const std::string bytes = PatternBytes(3'000'000);
    ChooseBigFile(bytes);
    // Yes: the work goes on in the window, which stays.
    QTimer::singleShot(0, window.get(), [this] { window->close(); });
    dialogs.answers = {true};
    Click("DoSplit");
    EXPECT_EQ(dialogs.Texts(), Lines{"Would you like to continue? / Continue or break"});
    EXPECT_EQ(Status(1), "The file has been split!");
    QApplication::processEvents();
    EXPECT_FALSE(window->QuitRequested());
    const std::string stem = folder / "pieces/data.bin";
    EXPECT_EQ(ReadFile(Piece(stem, 1)) + ReadFile(Piece(stem, 2)) + ReadFile(Piece(stem, 3)),
              bytes);

    // No: the work stops, then the window closes as it was asked to.
    ChooseBigFile(bytes);
    QTimer::singleShot(0, window.get(), [this] { window->close(); });
    dialogs.answers = {false};
    Click("DoSplit");
    EXPECT_EQ(Status(1), "Abnormal termination!");
    QApplication::processEvents();
    EXPECT_TRUE(window->QuitRequested());
    EXPECT_NE(store.ReadIntegerSetting(subkey::Position, "mainTop", -12345), -12345);
}

TEST_F(WorkflowTest, PiecesOnAFloppyBringTheScriptQuestionAndTheDiskPrompts) {
    Start();
    ChooseBigFile(PatternBytes(100'000));
    dialogs.paths.push_back(folder / "floppy/data.bin");
    Click("FindPlaceToSmallFiles");
    EXPECT_EQ(Status(1), "New place selected!");
    EXPECT_EQ(store.ReadStringSetting(subkey::Path, settings::JoinPath, ""), folder / "floppy");
    Click("ChangeSometimes");
    dialogs.answers = {true, false};  // the disk prompt, then no script
    Click("DoSplit");
    EXPECT_EQ(dialogs.Texts(), (Lines{"Ready for diskette/file number 1? / Change diskette",
                                      "Create a self-uniting file (optional)? / For later use"}));
    EXPECT_TRUE(Exists(folder / "floppy/data.bin.Brelked_1"));
}

TEST_F(WorkflowTest, PiecesOnDisksAreCountedByTheUserAndMeasuredWhenTheirDiskIsIn) {
    store.Write(settings::ChangeDisk, 0);
    Start();
    const std::string stem = folder / "pieces/song.mp3";
    WriteFile(Piece(stem, 1), "la ");
    WriteFile(Piece(stem, 2), "la ");
    WriteFile(Piece(stem, 3), "laa");
    dialogs.diskCountSteps.push_back([](DiskCountModel& disks) {
        disks.SetNumber(3);
        return true;
    });
    dialogs.paths.push_back(Piece(stem, 1));
    Click("JoinFiles");
    EXPECT_EQ(SizeLines(), (Lines{"?", "?", "?"}));
    EXPECT_EQ(Caption("lblNrFiles"), "Nr. of files: 3");
    EXPECT_EQ(Status(1), "Ready to restore the file!");

    Click("DoJoin");
    EXPECT_EQ(dialogs.Texts(), (Lines{"Ready for diskette/file number 1? / Change diskette",
                                      "Ready for diskette/file number 2? / Change diskette",
                                      "Ready for diskette/file number 3? / Change diskette"}));
    EXPECT_EQ(ReadFile(folder / "big/song.mp3"), "la la laa");
    EXPECT_EQ(SizeLines(), (Lines{"3", "3", "3"}));
    EXPECT_EQ(Status(1),
              "The file is restored, but it could not be verified: there is no checksum file.");
}

TEST_F(WorkflowTest, NoticesWhenChoosingSwitchOffExtractionAndAppending) {
    Start();
    ChooseBigFile("12345");
    window->CurrentJob().ExtractActive = true;
    ChooseBigFile("123456");
    EXPECT_EQ(dialogs.Texts(), Lines{"Extraction has been deactivated! / The File Brelker"});
    EXPECT_EQ(dialogs.shown.back().icon, MessageIcon::Information);
    EXPECT_FALSE(window->CurrentJob().ExtractActive);
    EXPECT_EQ(window->CurrentJob().ExtractCount, 6);

    dialogs.shown.clear();
    WriteFile(folder / "pieces/x.Brelked_1", "a");
    window->CurrentJob().AppendActive = true;
    dialogs.paths.push_back(folder / "pieces/x.Brelked_1");
    Click("JoinFiles");
    EXPECT_EQ(dialogs.Texts(), Lines{"Appending has been deactivated! / The File Brelker"});
    EXPECT_FALSE(window->CurrentJob().AppendActive);
}

TEST_F(WorkflowTest, BadChoicesLeaveTheWindowAsItWas) {
    Start();
    dialogs.paths.push_back(std::nullopt);
    Click("ChooseSplitAFile");
    EXPECT_EQ(Status(1), "No file selected!");

    ChooseBigFile(PatternBytes(3'000'000));
    dialogs.paths.push_back(folder / "big/vanished.bin");
    Click("ChooseSplitAFile");
    EXPECT_EQ(dialogs.Texts(), Lines{"File is missing: " + (folder / "big/vanished.bin") +
                                     " / Abnormal termination!"});
    EXPECT_EQ(Caption("BigFileName"), folder / "big/data.bin");
    EXPECT_EQ(Commands(), "abs-d--");
    EXPECT_EQ(window->CurrentJob().BigFilePath, folder / "big/vanished.bin");

    ChooseBigFile("", "empty.bin");
    EXPECT_EQ(Commands(), "a---d--");
    EXPECT_EQ(Caption("SmallFileNames"), folder / "pieces/data.bin.Brelked_*");
    EXPECT_EQ(Caption("BigFileSize"), " ");
}

TEST_F(WorkflowTest, APieceWithoutTheSuffixOrWithoutPieceOneArmsNoJoin) {
    Start();
    WriteFile(folder / "pieces/a.Brelked_1", "a");
    dialogs.paths.push_back(folder / "pieces/a.Brelked_1");
    Click("JoinFiles");
    ASSERT_TRUE(Enabled("DoJoin"));

    WriteFile(folder / "pieces/b.Brelked_2", "b");
    WriteFile(folder / "big/b", "the only copy");
    dialogs.paths.push_back(folder / "pieces/b.Brelked_2");
    Click("JoinFiles");
    EXPECT_EQ(dialogs.Texts(), Lines{"File is missing: " + (folder / "pieces/b.Brelked_1") +
                                     " / Abnormal termination!"});
    EXPECT_FALSE(Enabled("DoJoin"));
    EXPECT_EQ(ReadFile(folder / "big/b"), "the only copy");

    dialogs.shown.clear();
    WriteFile(folder / "pieces/plain.txt", "x");
    dialogs.paths.push_back(folder / "pieces/plain.txt");
    Click("JoinFiles");
    EXPECT_EQ(dialogs.Texts(), Lines{"File is missing: .Brelked_1 / Abnormal termination!"});
    EXPECT_FALSE(Enabled("DoJoin"));
}

TEST_F(WorkflowTest, NoDisksAGapOrAJoinDoneNeverArmTheWrongCommand) {
    store.Write(settings::ChangeDisk, 0);
    Start();
    const std::string stem = folder / "pieces/song.mp3";
    WriteFile(Piece(stem, 1), "la ");
    // The disk count closed without OK (no scripted step): no disks, nothing to join.
    dialogs.paths.push_back(Piece(stem, 1));
    Click("JoinFiles");
    EXPECT_EQ(Commands(), "a---d--");

    // Piece 2 missing while piece 3 is there.
    Click("ChangeNever");
    WriteFile(Piece(stem, 3), "laa");
    ChooseBigFile(PatternBytes(3'000'000));
    dialogs.paths.push_back(Piece(stem, 3));
    Click("JoinFiles");
    EXPECT_EQ(dialogs.Texts().back(),
              "File is missing: " + Piece(stem, 2) + " / Abnormal termination!");
    EXPECT_EQ(Commands(), "a---d--");  // the split armed before is off too

    // After a join, a new base size plans no split of the joined file.
    WriteFile(Piece(stem, 2), "la ");
    dialogs.paths.push_back(Piece(stem, 1));
    Click("JoinFiles");
    Click("DoJoin");
    EXPECT_EQ(ReadFile(folder / "big/song.mp3"), "la la laa");
    Find<QComboBox>("CBBaseSize")->activated(0);
    EXPECT_EQ(Commands(), "a---d--");
}

TEST_F(WorkflowTest, TheExtractionDialogKeepsEditedSizesAndTheSeriesJustWritten) {
    Start();
    ChooseBigFile(PatternBytes(3'000'000));
    Find<QListWidget>("SmallerSizesLB")->setCurrentRow(0);
    Find<QLineEdit>("txtNewSize")->setText(QStringLiteral("2000000"));
    Click("ApplyNewSize");
    const auto closeExtraction = [this](bool ok) {
        if (ok) {
            dialogs.extractSteps.push_back([](ExtractModel&) { return true; });
        }
        Click("Extract");
    };
    closeExtraction(false);
    EXPECT_EQ(SizeLines(), (Lines{"2000000", "1000000"}));

    // The big file goes with the split; the script still rebuilds 3,000,000 bytes.
    Click("RemoveBig");
    Click("DoSplit");
    closeExtraction(true);
    EXPECT_EQ(window->CurrentJob().BigFileBytes, 3'000'000);
    EXPECT_EQ(Commands(), "a--rd--");
}

TEST_F(WorkflowTest, AJoinThatKeepsAPartialFileSaysWhere) {
    Start();
    Click("RemoveSmall");
    const std::string stem = folder / "pieces/song.mp3";
    WriteFile(Piece(stem, 1), "la ");
    WriteFile(Piece(stem, 2), "laa");
    dialogs.paths.push_back(Piece(stem, 1));
    Click("JoinFiles");
    platform.undeletable = {};
    std::filesystem::remove(Piece(stem, 2));
    Click("DoJoin");
    ASSERT_EQ(dialogs.shown.size(), 2u);
    const std::string said =
        "Smaller files had already been deleted: what was joined of them is "
        "kept in ";
    const std::string text = dialogs.Texts()[1];
    ASSERT_TRUE(text.starts_with(said) && text.ends_with(" / Abnormal termination!")) << text;
    const std::string kept = text.substr(said.size(), text.size() - said.size() - 24);
    EXPECT_EQ(ReadFile(kept), "la ");
}

TEST_F(WorkflowTest, FreeSpaceModeShowsNoCountAndAQuestionMark) {
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
}

TEST_F(WorkflowTest, TheSizeEditorReplansFromTheEditedPiece) {
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
