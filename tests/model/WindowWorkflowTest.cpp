// The window's workflow from choosing the files to the result on disk, driven
// through the model as the window's commands and controls drive it.

#include <gtest/gtest.h>

#include <filesystem>

#include "CrashingPlatform.h"
#include "FakeHost.h"
#include "ModelFixture.h"
#include "checksum/ChecksumFile.h"
#include "plan/BaseSizes.h"
#include "text/Slots.h"
#include "transfer/Engine.h"

namespace brelker {
namespace {

using WindowWorkflowTest = ModelFixture;
using Lines = std::vector<std::string>;

TEST_F(WindowWorkflowTest, ASplitFromChoosingTheFileToTheRestoreScript) {
    Start();
    EXPECT_EQ(Commands(), "a---d--");
    const std::string bytes = PatternBytes(3'000'000);
    const std::string big = ChooseBigFile(bytes);
    EXPECT_EQ(view.sizeLines, (Lines{"1457664", "1457664", "84672"}));
    EXPECT_EQ(Commands(), "abs-d--");
    EXPECT_EQ(view.bigFile, big);
    EXPECT_EQ(view.bigFileSize, "2.861");
    EXPECT_EQ(view.pieceNames, In("pieces", "data.bin.Brelked_*"));
    EXPECT_EQ(view.pieceCount, "Nr. of files: 3");
    EXPECT_EQ(view.status[1], "Ready to split the file!");
    EXPECT_EQ(store.ReadStringSetting(subkey::Path, settings::SplitPath, ""), folder / "big");

    model.Execute(Command::DoSplit);
    const std::string stem = In("pieces", "data.bin");
    EXPECT_EQ(ReadFile(Piece(stem, 1)) + ReadFile(Piece(stem, 2)) + ReadFile(Piece(stem, 3)),
              bytes);
    EXPECT_EQ(view.status[1], "The file has been split!");
    EXPECT_EQ(view.status[0], "");
    EXPECT_EQ(Commands(), "a--rd--");
    EXPECT_FALSE(model.Enabled(Command::Stop));
    EXPECT_TRUE(dialogs.shown.empty());  // not on a floppy: no question

    dialogs.paths.push_back(In("pieces", "SelfUnit.bat"));
    model.Execute(Command::CreateUnbrelkerFile);
    EXPECT_TRUE(Exists(In("pieces", "SelfUnit.bat")));
    EXPECT_EQ(view.status[1], "Self-uniting file created");
    EXPECT_EQ(Commands(), "a---d--");
    EXPECT_EQ(dialogs.asked.back().folder, folder / "pieces");
    ExpectViewShowsTheModel();
}

TEST_F(WindowWorkflowTest, AJoinFromChoosingAnyPieceToTheRestoredFile) {
    Start();
    const std::string stem = In("pieces", "movie.avi");
    WriteFile(Piece(stem, 1), "first ");
    WriteFile(Piece(stem, 2), "second ");
    WriteFile(Piece(stem, 3), "third");
    dialogs.paths.push_back(Piece(stem, 2));
    model.Execute(Command::JoinFiles);
    EXPECT_EQ(Commands(), "a---dej");
    EXPECT_EQ(view.sizeLines, (Lines{"6", "7", "5"}));
    EXPECT_EQ(view.pieceCount, "Nr. of files: 3");
    // Beside the pieces, however long ago a split used another folder.
    EXPECT_EQ(view.bigFile, In("pieces", "movie.avi"));
    EXPECT_EQ(view.status[1], "Ready to restore the file!");
    EXPECT_FALSE(model.Enabled(Control::BaseSizeBox));
    EXPECT_FALSE(model.Enabled(Control::ApplyBaseSize));

    dialogs.paths.push_back(In("restored", "film.avi"));
    model.Execute(Command::FindPlaceToBigFile);
    EXPECT_EQ(view.status[1], "New place selected!");
    EXPECT_EQ(dialogs.asked.back().proposedName, "movie.avi");
    model.Execute(Command::DoJoin);
    EXPECT_EQ(ReadFile(In("restored", "film.avi")), "first second third");
    EXPECT_EQ(view.status[1],
              "The file is restored, but it could not be verified: there is no checksum file.");
    EXPECT_EQ(Commands(), "a---d--");
    model.UnitChosen(SizeUnit::Bytes);
    EXPECT_EQ(view.bigFileSize, "18");
    EXPECT_EQ(store.Read(settings::BigUnit), 1);
    ExpectViewShowsTheModel();
}

TEST_F(WindowWorkflowTest, AJoinAsksBeforeItReplacesAnExistingFile) {
    Start();
    const std::string stem = In("pieces", "movie.avi");
    WriteFile(Piece(stem, 1), "new ");
    WriteFile(Piece(stem, 2), "film");
    const std::string original = In("pieces", "movie.avi");
    WriteFile(original, "the original");
    dialogs.paths.push_back(Piece(stem, 1));
    model.Execute(Command::JoinFiles);
    dialogs.answers = {false};
    model.Execute(Command::DoJoin);
    EXPECT_EQ(dialogs.Texts(),
              Lines{original + " already exists (12 bytes). Replace it? / The File Brelker"});
    EXPECT_EQ(dialogs.shown.back().icon, MessageIcon::Question);
    EXPECT_EQ(ReadFile(original), "the original");
    EXPECT_TRUE(model.Enabled(Command::DoJoin));  // nothing changed: the join can still be done

    dialogs.answers = {true};
    model.Execute(Command::DoJoin);
    EXPECT_EQ(ReadFile(original), "new film");
}

TEST_F(WindowWorkflowTest, VerifyAndJoinCheckEveryPieceAgainstTheChecksumFile) {
    Start();
    EXPECT_TRUE(model.Checked(Command::WriteChecksums));
    ChooseBigFile(PatternBytes(3'000'000));
    model.Execute(Command::DoSplit);
    const std::string stem = In("pieces", "data.bin");
    WriteFile(Piece(stem, 2), std::string(1'457'664, 'x'));
    dialogs.paths.push_back(Piece(stem, 3));
    model.Execute(Command::Verify);
    EXPECT_EQ(view.sizeLines, (Lines{"data.bin.Brelked_1: OK", "data.bin.Brelked_2: FAILED",
                                     "data.bin.Brelked_3: OK", "data.bin: OK"}));
    EXPECT_EQ(view.marks,
              (std::vector<LineMark>{LineMark::Ok, LineMark::Failed, LineMark::Ok, LineMark::Ok}));
    EXPECT_EQ(view.status[1], "3 OK, 1 FAILED, 0 missing");
    EXPECT_EQ(Commands(), "a---d--");
    // The results are on, under their own heading.
    EXPECT_TRUE(model.Enabled(Control::SizeList));
    EXPECT_EQ(view.heading, "Verify: result per file");
    EXPECT_EQ(dialogs.shown.back().icon, MessageIcon::Stop);

    dialogs.paths.push_back(Piece(stem, 1));
    model.Execute(Command::JoinFiles);
    model.Execute(Command::DoJoin);
    EXPECT_EQ(dialogs.Texts().back(), "The file does not match its checksum: " + Piece(stem, 2) +
                                          " / Abnormal termination!");
    WriteFile(stem + ".sha256", "not a list\n");
    const std::string unusable = "The checksum file cannot be used: " + stem +
                                 ".sha256, line 1: not a checksum line / Abnormal termination!";
    dialogs.paths.push_back(Piece(stem, 1));
    model.Execute(Command::Verify);
    EXPECT_EQ(dialogs.Texts().back(), unusable);
    dialogs.paths.push_back(Piece(stem, 1));
    model.Execute(Command::JoinFiles);
    EXPECT_EQ(dialogs.Texts().back(), unusable);
    EXPECT_FALSE(model.Enabled(Command::DoJoin));

    model.Execute(Command::WriteChecksums);
    EXPECT_FALSE(store.Read(settings::WriteChecksumFile));
    EXPECT_FALSE(model.Checked(Command::WriteChecksums));
    ExpectViewShowsTheModel();
}

TEST_F(WindowWorkflowTest, FailedSplitsSayWhyAndLeaveNoRestoreScriptCommand) {
    Start();
    const std::string big = ChooseBigFile(PatternBytes(3'000'000));
    std::filesystem::remove(big);
    model.Execute(Command::DoSplit);
    EXPECT_EQ(dialogs.Texts(),
              Lines{"Could not read the big file.\nFile: " + big + " / Abnormal termination!"});
    EXPECT_EQ(dialogs.shown.back().icon, MessageIcon::Stop);
    EXPECT_EQ(view.status[1], "Abnormal termination!");
    EXPECT_EQ(Commands(), "a---d--");

    dialogs.shown.clear();
    ChooseBigFile(PatternBytes(3'000'000));
    const std::string stem = In("pieces", "data.bin");
    std::filesystem::create_directory(Piece(stem, 3));
    model.Execute(Command::DoSplit);
    // Refused before anything is written, naming what is in the way.
    EXPECT_EQ(dialogs.Texts(),
              Lines{Text(slot::kNotARegularFile) + Piece(stem, 3) + " / Abnormal termination!"});
    EXPECT_FALSE(std::filesystem::exists(Piece(stem, 1)));
    EXPECT_FALSE(model.Enabled(Command::CreateUnbrelkerFile));
}

TEST_F(WindowWorkflowTest, StopPausesTheWorkUntilTheAnswer) {
    Start();
    const std::string bytes = PatternBytes(3'000'000);
    ChooseBigFile(bytes);
    // The click lands while the split lets the window handle its events.
    bool clicked = false;
    view.duringWork = [&] {
        if (!clicked) {
            clicked = true;
            model.Execute(Command::Stop);
        }
    };
    dialogs.answers = {true};
    model.Execute(Command::DoSplit);
    EXPECT_EQ(dialogs.Texts(), Lines{"Would you like to continue? / Continue or break"});
    EXPECT_EQ(view.status[1], "The file has been split!");
    const std::string stem = In("pieces", "data.bin");
    EXPECT_EQ(ReadFile(Piece(stem, 1)) + ReadFile(Piece(stem, 2)) + ReadFile(Piece(stem, 3)),
              bytes);

    dialogs.shown.clear();
    ChooseBigFile(bytes);
    clicked = false;
    dialogs.answers = {false};
    model.Execute(Command::DoSplit);
    EXPECT_EQ(dialogs.Texts(),
              (Lines{"Would you like to continue? / Continue or break",
                     "The splitting/restoring was not finished!\n\nThe smaller files this run "
                     "had written have been removed: 1 / The program was interrupted!"}));
    EXPECT_EQ(dialogs.shown.back().icon, MessageIcon::Warning);
    EXPECT_EQ(view.status[1], "Abnormal termination!");
    EXPECT_EQ(view.progress, 0);
    EXPECT_FALSE(Exists(Piece(stem, 1)));
}

TEST_F(WindowWorkflowTest, WhileTheWorkRunsOnlyStopIsEnabled) {
    Start();
    ChooseBigFile(PatternBytes(3'000'000));
    std::string during;
    bool listEnabled = true;
    view.duringWork = [&] {
        if (during.empty()) {
            during = std::string(model.Enabled(Command::Stop) ? "S" : "-") +
                     (model.Enabled(Command::Exit) ? "X" : "-") +
                     (model.Enabled(Menu::File) ? "F" : "-");
            listEnabled = model.Enabled(Control::SizeList);
            ExpectViewShowsTheModel();
        }
    };
    model.Execute(Command::DoSplit);
    EXPECT_EQ(during, "S--");
    EXPECT_FALSE(listEnabled);
    EXPECT_TRUE(model.Enabled(Menu::File));
    EXPECT_FALSE(model.Enabled(Command::Stop));
    EXPECT_FALSE(model.Enabled(Control::SizeList));
    ExpectViewShowsTheModel();
}

TEST_F(WindowWorkflowTest, ClosingTheWindowDuringASplitAsksAsStopDoes) {
    Start();
    const std::string bytes = PatternBytes(3'000'000);
    ChooseBigFile(bytes);
    // Yes: the work goes on in the window, which stays.
    bool closed = false;
    view.duringWork = [&] {
        if (!closed) {
            closed = true;
            EXPECT_FALSE(model.CloseRequested());  // not now: the question comes first
        }
    };
    dialogs.answers = {true};
    model.Execute(Command::DoSplit);
    EXPECT_EQ(dialogs.Texts(), Lines{"Would you like to continue? / Continue or break"});
    EXPECT_EQ(view.status[1], "The file has been split!");
    EXPECT_EQ(view.closesAsked, 0);
    EXPECT_FALSE(model.QuitRequested());
    const std::string stem = In("pieces", "data.bin");
    EXPECT_EQ(ReadFile(Piece(stem, 1)) + ReadFile(Piece(stem, 2)) + ReadFile(Piece(stem, 3)),
              bytes);

    // No: the work stops, then the window is closed as it was asked to be.
    ChooseBigFile(bytes);
    closed = false;
    dialogs.answers = {false};
    model.Execute(Command::DoSplit);
    EXPECT_EQ(view.status[1], "Abnormal termination!");
    EXPECT_EQ(view.closesAsked, 1);
    EXPECT_FALSE(model.QuitRequested());
    EXPECT_TRUE(model.CloseRequested());
    EXPECT_TRUE(model.QuitRequested());
    EXPECT_NE(store.ReadIntegerSetting(subkey::Position, "mainTop", -12345), -12345);
}

TEST_F(WindowWorkflowTest, PiecesOnAFloppyBringTheScriptQuestionAndTheDiskPrompts) {
    Start();
    ChooseBigFile(PatternBytes(100'000));
    dialogs.paths.push_back(In("floppy", "data.bin"));
    model.Execute(Command::FindPlaceToSmallFiles);
    EXPECT_EQ(view.status[1], "New place selected!");
    EXPECT_EQ(store.ReadStringSetting(subkey::Path, settings::JoinPath, ""), folder / "floppy");
    model.Execute(Command::ChangeSometimes);
    dialogs.answers = {true, false};  // the disk prompt, then no script
    model.Execute(Command::DoSplit);
    EXPECT_EQ(dialogs.Texts(), (Lines{"Ready for diskette/file number 1? / Change diskette",
                                      "Create a self-uniting file (optional)? / For later use"}));
    EXPECT_TRUE(Exists(In("floppy", "data.bin.Brelked_1")));
}

TEST_F(WindowWorkflowTest, PiecesOnDisksAreCountedByTheUserAndMeasuredWhenTheirDiskIsIn) {
    store.Write(settings::ChangeDisk, 0);
    Start();
    const std::string stem = In("pieces", "song.mp3");
    WriteFile(Piece(stem, 1), "la ");
    WriteFile(Piece(stem, 2), "la ");
    WriteFile(Piece(stem, 3), "laa");
    dialogs.diskCountSteps.push_back([](DiskCountModel& disks) {
        disks.SetNumber(3);
        return true;
    });
    dialogs.paths.push_back(Piece(stem, 1));
    model.Execute(Command::JoinFiles);
    EXPECT_EQ(view.sizeLines, (Lines{"?", "?", "?"}));
    EXPECT_EQ(view.pieceCount, "Nr. of files: 3");
    EXPECT_EQ(view.status[1], "Ready to restore the file!");

    model.Execute(Command::DoJoin);
    EXPECT_EQ(dialogs.Texts(), (Lines{"Ready for diskette/file number 1? / Change diskette",
                                      "Ready for diskette/file number 2? / Change diskette",
                                      "Ready for diskette/file number 3? / Change diskette"}));
    EXPECT_EQ(ReadFile(In("pieces", "song.mp3")), "la la laa");
    EXPECT_EQ(view.sizeLines, (Lines{"3", "3", "3"}));
    EXPECT_EQ(view.status[1],
              "The file is restored, but it could not be verified: there is no checksum file.");
}

TEST_F(WindowWorkflowTest, NoticesWhenChoosingSwitchOffExtractionAndAppending) {
    Start();
    ChooseBigFile("12345");
    model.CurrentJob().ExtractActive = true;
    ChooseBigFile("123456");
    EXPECT_EQ(dialogs.Texts(), Lines{"Extraction has been deactivated! / The File Brelker"});
    EXPECT_EQ(dialogs.shown.back().icon, MessageIcon::Information);
    EXPECT_FALSE(model.CurrentJob().ExtractActive);
    EXPECT_EQ(model.CurrentJob().ExtractCount, 6);

    dialogs.shown.clear();
    WriteFile(In("pieces", "x.Brelked_1"), "a");
    model.CurrentJob().AppendActive = true;
    dialogs.paths.push_back(In("pieces", "x.Brelked_1"));
    model.Execute(Command::JoinFiles);
    EXPECT_EQ(dialogs.Texts(), Lines{"Appending has been deactivated! / The File Brelker"});
    EXPECT_FALSE(model.CurrentJob().AppendActive);
}

TEST_F(WindowWorkflowTest, BadChoicesLeaveTheWindowAsItWas) {
    Start();
    dialogs.paths.push_back(std::nullopt);
    model.Execute(Command::ChooseSplitAFile);
    EXPECT_EQ(view.status[1], "No file selected!");

    ChooseBigFile(PatternBytes(3'000'000));
    const std::string vanished = In("big", "vanished.bin");
    dialogs.paths.push_back(vanished);
    model.Execute(Command::ChooseSplitAFile);
    EXPECT_EQ(dialogs.Texts(), Lines{"File is missing: " + vanished + " / Abnormal termination!"});
    EXPECT_EQ(view.bigFile, In("big", "data.bin"));
    EXPECT_EQ(Commands(), "abs-d--");
    // Split still splits the file shown.
    EXPECT_EQ(model.CurrentJob().BigFilePath, In("big", "data.bin"));
    EXPECT_EQ(model.CurrentJob().BigFileBytes, 3'000'000);

    ChooseBigFile("", "empty.bin");
    EXPECT_EQ(Commands(), "a---d--");
    EXPECT_EQ(view.pieceNames, In("pieces", "data.bin.Brelked_*"));
    EXPECT_EQ(view.bigFileSize, " ");
}

TEST_F(WindowWorkflowTest, APieceWithoutTheSuffixOrWithoutPieceOneArmsNoJoin) {
    Start();
    WriteFile(In("pieces", "a.Brelked_1"), "a");
    dialogs.paths.push_back(In("pieces", "a.Brelked_1"));
    model.Execute(Command::JoinFiles);
    ASSERT_TRUE(model.Enabled(Command::DoJoin));

    WriteFile(In("pieces", "b.Brelked_2"), "b");
    WriteFile(In("big", "b"), "the only copy");
    dialogs.paths.push_back(In("pieces", "b.Brelked_2"));
    model.Execute(Command::JoinFiles);
    EXPECT_EQ(dialogs.Texts(), Lines{"File is missing: " + In("pieces", "b.Brelked_1") +
                                     " / Abnormal termination!"});
    EXPECT_FALSE(model.Enabled(Command::DoJoin));
    EXPECT_EQ(ReadFile(In("big", "b")), "the only copy");

    dialogs.shown.clear();
    WriteFile(In("pieces", "plain.txt"), "x");
    dialogs.paths.push_back(In("pieces", "plain.txt"));
    model.Execute(Command::JoinFiles);
    EXPECT_EQ(dialogs.Texts(), Lines{"File is missing: .Brelked_1 / Abnormal termination!"});
    EXPECT_FALSE(model.Enabled(Command::DoJoin));
}

TEST_F(WindowWorkflowTest, NoDisksAGapOrAJoinDoneNeverArmTheWrongCommand) {
    store.Write(settings::ChangeDisk, 0);
    Start();
    const std::string stem = In("pieces", "song.mp3");
    WriteFile(Piece(stem, 1), "la ");
    // The disk count closed without OK (no scripted step): no disks, nothing to join.
    dialogs.paths.push_back(Piece(stem, 1));
    model.Execute(Command::JoinFiles);
    EXPECT_EQ(Commands(), "a---d--");

    // Piece 2 missing while piece 3 is there.
    model.Execute(Command::ChangeNever);
    WriteFile(Piece(stem, 3), "laa");
    ChooseBigFile(PatternBytes(3'000'000));
    dialogs.paths.push_back(Piece(stem, 3));
    model.Execute(Command::JoinFiles);
    EXPECT_EQ(dialogs.Texts().back(),
              "File is missing: " + Piece(stem, 2) + " / Abnormal termination!");
    EXPECT_EQ(Commands(), "a---d--");  // the split armed before is off too

    // After a join, a new base size plans no split of the joined file.
    WriteFile(Piece(stem, 2), "la ");
    dialogs.paths.push_back(Piece(stem, 1));
    model.Execute(Command::JoinFiles);
    model.Execute(Command::DoJoin);
    EXPECT_EQ(ReadFile(In("pieces", "song.mp3")), "la la laa");
    model.BaseSizeChosen(0);
    EXPECT_EQ(Commands(), "a---d--");
}

TEST_F(WindowWorkflowTest, TheExtractionDialogKeepsEditedSizesAndTheSeriesJustWritten) {
    Start();
    ChooseBigFile(PatternBytes(3'000'000));
    model.SizeLineChosen(0);
    model.NewSizeEdited("2000000");
    model.ApplyNewSizeClicked();
    const auto closeExtraction = [this](bool ok) {
        if (ok) {
            dialogs.extractSteps.push_back([](ExtractModel&) { return true; });
        }
        model.Execute(Command::Extract);
    };
    closeExtraction(false);
    EXPECT_EQ(view.sizeLines, (Lines{"2000000", "1000000"}));

    // The big file goes with the split; the script still rebuilds 3,000,000 bytes.
    model.Execute(Command::RemoveBig);
    model.Execute(Command::DoSplit);
    closeExtraction(true);
    EXPECT_EQ(model.CurrentJob().BigFileBytes, 3'000'000);
    EXPECT_EQ(Commands(), "a--rd--");
}

// Without disk changes no piece goes before the whole file is there: a join
// that fails part way leaves every piece where it was, and no partial file.
TEST_F(WindowWorkflowTest, AJoinThatFailsPartWayDeletesNoPiece) {
    Start();
    model.Execute(Command::RemoveSmall);
    const std::string stem = In("pieces", "song.mp3");
    WriteFile(Piece(stem, 1), "la ");
    WriteFile(Piece(stem, 2), "laa");
    dialogs.paths.push_back(Piece(stem, 1));
    model.Execute(Command::JoinFiles);
    std::filesystem::remove(Piece(stem, 2));
    model.Execute(Command::DoJoin);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(ReadFile(Piece(stem, 1)), "la ");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(In("pieces", "")),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(WindowWorkflowTest, AnAppendBrokenOffIsTakenOffBeforeTheNextAndSaidSo) {
    Start();
    const std::string stem = In("pieces", "log.txt");
    const std::string target = stem;  // restored beside its pieces
    WriteFile(Piece(stem, 1), "one ");
    WriteFile(target, "old ");
    // Piece 2 goes after counting, and the disk then refuses the cut.
    platform.failTruncates = true;
    view.duringWork = [&] { std::filesystem::remove(Piece(stem, 2)); };
    for (const char* expected : {"old one ", "old one two"}) {
        WriteFile(Piece(stem, 2), "two");
        dialogs.paths.push_back(Piece(stem, 1));
        model.Execute(Command::JoinFiles);
        model.CurrentJob().AppendActive = true;  // as the extraction dialog sets it
        model.Execute(Command::DoJoin);
        EXPECT_EQ(ReadFile(target), expected);
        platform.failTruncates = false;
        view.duringWork = nullptr;
    }
    EXPECT_EQ(view.status[0],
              "An earlier join that appended to this file was broken off; what it had appended "
              "has been taken off first: " +
                  target);
}

TEST_F(WindowWorkflowTest, FreeSpaceModeShowsNoCountAndAQuestionMark) {
    Start();
    ChooseBigFile(PatternBytes(3'000'000));
    model.SizeModeChosen(true);
    EXPECT_TRUE(view.sizeLines.empty());
    EXPECT_EQ(view.pieceCount, "");
    EXPECT_EQ(view.piecesHint, "The * in the names is an integer from 1 to ?");
    EXPECT_FALSE(model.Enabled(Control::BaseSizeBox));
    EXPECT_TRUE(model.Enabled(Command::DoSplit));
    model.SizeModeChosen(false);
    EXPECT_EQ(view.sizeLines.size(), 3u);
    EXPECT_TRUE(model.Enabled(Control::BaseSizeBox));
    EXPECT_EQ(view.piecesHint, "The * in the names is an integer from 1 to 3");
}

TEST_F(WindowWorkflowTest, WhatStaysOnScreenAfterVerifyAJoinOrARefusalIsTrue) {
    Start();
    ChooseBigFile(PatternBytes(3'000'000));
    model.Execute(Command::DoSplit);
    dialogs.paths.push_back(Piece(In("pieces", "data.bin"), 1));
    model.Execute(Command::Verify);
    EXPECT_EQ(view.sizeLines.size(), 4u);
    EXPECT_EQ(view.pieceCount, "");  // not the plan's 3 beside four lines
    model.Execute(Command::LanguageSwedish);
    EXPECT_EQ(view.pieceCount, "");
    model.Execute(Command::LanguageEnglish);

    // A join that made nothing shows no size, and the range to extract is empty.
    dialogs.paths.push_back(Piece(In("pieces", "data.bin"), 1));
    model.Execute(Command::JoinFiles);
    std::filesystem::remove(model.CurrentJob().BigFilePath);
    platform.lockedElsewhere.insert(model.CurrentJob().BigFilePath);
    model.Execute(Command::DoJoin);
    EXPECT_EQ(view.status[1], "Abnormal termination!");
    EXPECT_EQ(view.bigFileSize, " ");
    EXPECT_EQ(model.CurrentJob().ExtractCount, 0);

    ChooseBigFile("", "empty.bin");
    EXPECT_FALSE(model.Enabled(Command::DoSplit));
    EXPECT_EQ(view.status[1], "The file is empty: there is nothing to split.");

    // A plan refused before the names were shown names them once Split is offered.
    store.Write(settings::BaseSizes, 2);
    store.Write(settings::BaseSizeIndex, 0);
    store.WriteStringSetting(subkey::BaseSize, BaseSizeValueName(0), "1");
    store.WriteStringSetting(subkey::BaseSize, BaseSizeValueName(1), "1000");
    RecordingView fresh;
    WindowModel second(platform, store, dialogs, fresh);
    second.Start({});
    dialogs.paths.push_back(Write("big/huge.bin", std::string(40'000, 'x')));
    second.Execute(Command::ChooseSplitAFile);
    EXPECT_EQ(fresh.status[1], "Too many files!");
    EXPECT_EQ(fresh.pieceNames, "");
    second.BaseSizeChosen(1);
    EXPECT_TRUE(second.Enabled(Command::DoSplit));
    EXPECT_EQ(fresh.pieceNames, In("pieces", "huge.bin.Brelked_*"));
}

TEST_F(WindowWorkflowTest, ExtractionAndAppendingAreShownWhileTheyAreOn) {
    Start();
    ChooseBigFile(PatternBytes(3'000));
    EXPECT_EQ(view.modesNote, "");
    dialogs.extractSteps.push_back([](ExtractModel& extraction) {
        extraction.SetExtractActive(true);
        extraction.SetSkipText("100");
        extraction.SetCountText("500");
        return true;
    });
    model.Execute(Command::Extract);
    EXPECT_EQ(view.modesNote, "Extraction on: 500 bytes after the first 100");
    EXPECT_EQ(view.sizeLines, Lines{"500"});
    ChooseBigFile("12345", "other.bin");
    EXPECT_EQ(view.modesNote, "");

    const std::string stem = In("pieces", "log.txt");
    WriteFile(Piece(stem, 1), "new");
    WriteFile(In("pieces", "log.txt"), "old ");
    dialogs.paths.push_back(Piece(stem, 1));
    model.Execute(Command::JoinFiles);
    dialogs.extractSteps.push_back([](ExtractModel& extraction) {
        extraction.SetAppendActive(true);
        return true;
    });
    model.Execute(Command::Extract);
    EXPECT_EQ(view.modesNote, "Appending on: the join adds to the end of the big file");
    model.Execute(Command::DoJoin);
    EXPECT_EQ(ReadFile(In("pieces", "log.txt")), "old new");
    // Appending was for that join: the next one would replace its target.
    EXPECT_FALSE(model.CurrentJob().AppendActive);
    EXPECT_EQ(view.modesNote, "");
}

TEST_F(WindowWorkflowTest, TheBaseSizeEditorReadsSizesAsTheNewSizeFieldAndAsksBeforeDeleting) {
    Start();
    ChooseBigFile(PatternBytes(3'000'000));
    dialogs.answers = {false};  // keep the entry after all
    dialogs.baseSizeSteps.push_back([](BaseSizeModel& editor) {
        editor.SetDescription("Card");
        editor.SetSizeText("1.5M");  // a fraction: refused
        editor.AddNew();
        editor.SetSizeText("1500K");
        editor.AddNew();
        editor.ChooseEntry(0);
        editor.Delete();
        return false;
    });
    model.ApplyBaseSizeClicked();
    EXPECT_EQ(dialogs.Texts(),
              (Lines{"The program ignored the new size / The new size can not be used!",
                     "Delete the base size \"720 kB 3.5'' single\"? / Delete"}));
    EXPECT_EQ(dialogs.shown.back().buttons, MessageButtons::YesNoDefaultNo);
    EXPECT_EQ(store.Read(settings::BaseSizes), 10);
    EXPECT_EQ(view.sizeLines, (Lines{"1536000", "1464000"}));
}

TEST_F(WindowWorkflowTest, TheSizeEditorReplansFromTheEditedPiece) {
    Start();
    ChooseBigFile(PatternBytes(3'000'000));
    model.SizeLineChosen(0);
    EXPECT_EQ(view.editedPiece, "File Number 1");
    EXPECT_TRUE(model.Enabled(Control::ApplyNewSize));
    model.NewSizeEdited("2000000");
    model.ApplyNewSizeClicked();
    EXPECT_EQ(view.sizeLines, (Lines{"2000000", "1000000"}));
    EXPECT_FALSE(model.Enabled(Control::ApplyNewSize));
    model.BaseSizeChosen(0);
    EXPECT_EQ(view.sizeLines.size(), 5u);
    EXPECT_EQ(store.Read(settings::BaseSizeIndex), 0);
}

TEST_F(WindowWorkflowTest, ASplitThatStoppedGoesOnAfterYesStartsAfreshAfterNoAndWaitsOnCancel) {
#ifdef _WIN32
    GTEST_SKIP() << "the simulated death leaves handles that only a real one closes";
#endif
    Start();
    const std::string bytes = PatternBytes(3'000'000);
    const std::string stem = In("pieces", "data.bin");
    for (const Answer answer : {Answer::Cancel, Answer::No, Answer::Yes}) {
        const std::string big = ChooseBigFile(bytes);
        KillSplitNearItsEnd(big, stem);
        const std::string left = ReadFile(ChecksumFilePath(stem));
        dialogs.shown.clear();
        dialogs.choices = {answer};
        view.status[0].clear();
        model.Execute(Command::DoSplit);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text.find("A split of " + big + " stopped after"), 0u);
        if (answer == Answer::Cancel) {
            EXPECT_EQ(ReadFile(ChecksumFilePath(stem)), left);
            EXPECT_TRUE(model.Enabled(Command::DoSplit));
            continue;
        }
        EXPECT_EQ(view.status[1], "The file has been split!");
        EXPECT_EQ(ReadFile(Piece(stem, 1)) + ReadFile(Piece(stem, 2)) + ReadFile(Piece(stem, 3)),
                  bytes);
        EXPECT_EQ(view.status[0].starts_with("Continued after"), answer == Answer::Yes)
            << view.status[0];
    }

    // What was left of the file as it was is not offered: the user is told why.
    const std::string big = ChooseBigFile(bytes);
    KillSplitNearItsEnd(big, stem);
    const std::string changed = PatternBytes(3'000'000, 2);
    WriteFile(big, changed);
    dialogs.shown.clear();
    model.Execute(Command::DoSplit);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text.find("Started afresh: the big file has changed"), 0u);
    EXPECT_EQ(ReadFile(Piece(stem, 1)) + ReadFile(Piece(stem, 2)) + ReadFile(Piece(stem, 3)),
              changed);
}

}  // namespace
}  // namespace brelker
