// The window's start-up: the settings it loads, the /switches it runs, and the
// options and language it stores, driven through the model.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "ModelFixture.h"
#include "model/UnattendedDialogs.h"
#include "plan/BaseSizes.h"
#include "text/Slots.h"

namespace brelker {
namespace {

using WindowStartUpTest = ModelFixture;
using Lines = std::vector<std::string>;

TEST_F(WindowStartUpTest, AStartWithoutArgumentsLoadsTheSettingsAndWritesNoSelection) {
    store.Write(settings::Language, 2);
    store.Write(settings::RemoveBigFile, true);
    store.Write(settings::BigUnit, 5);
    store.Write(settings::MainTop, 70);
    store.Write(settings::MainLeft, 130);
    Start();
    EXPECT_EQ(CurrentLanguage(), kGerman);
    EXPECT_TRUE(model.Checked(Command::LanguageGerman));
    EXPECT_FALSE(model.Checked(Command::LanguageEnglish));
    EXPECT_EQ(view.Caption(Menu::File), "&Datei");
    EXPECT_EQ(view.title, "Datei-Brelker");
    EXPECT_EQ(view.status[0], "Willkommen bei Datei-Brelker, Version 2.7");  // nouns keep capitals
    EXPECT_TRUE(model.Checked(Command::RemoveBig));
    EXPECT_EQ(view.unit, SizeUnit::Terabytes);
    EXPECT_EQ(view.Left(), 130);
    EXPECT_EQ(view.Top(), 70);
    EXPECT_EQ(store.ReadIntegerSetting(subkey::BaseSize, "BaseSizeIndex", -99), 1);  // seeded
    EXPECT_EQ(store.Read(settings::BaseSizes), 9);
    ExpectViewShowsTheModel();
}

TEST_F(WindowStartUpTest, OutOfRangeStoredValuesCheckNothingAndNeverIndexATable) {
    store.Write(settings::Language, 7);
    store.Write(settings::BigUnit, 9);
    store.Write(settings::ChangeDisk, 5);
    Start();
    EXPECT_FALSE(model.Checked(Command::LanguageEnglish));
    EXPECT_FALSE(model.Checked(Command::LanguageSwedish));
    EXPECT_FALSE(model.Checked(Command::LanguageGerman));
    EXPECT_EQ(view.Caption(Menu::File), "&File");    // texts read English
    EXPECT_EQ(view.unit, static_cast<SizeUnit>(9));  // the view checks no button for it
    EXPECT_FALSE(model.Checked(Command::ChangeAlways));
    EXPECT_FALSE(model.Checked(Command::ChangeSometimes));
    EXPECT_FALSE(model.Checked(Command::ChangeNever));
    model.Execute(Command::ChangeNever);  // the first click marks an item and stores a valid mode
    EXPECT_EQ(store.Read(settings::ChangeDisk), 2);
    EXPECT_TRUE(model.Checked(Command::ChangeNever));
    ExpectViewShowsTheModel();
}

TEST_F(WindowStartUpTest, TheCommandLineSplitsIntoThePiecesFolderWithTheChosenBaseSize) {
    const std::string big = In("big", "Data.Z");
    WriteFile(big, PatternBytes(2'000'000));
    Start({"/BigFile=" + big, "/BaseSize=1", "/Split"});
    EXPECT_EQ(std::filesystem::file_size(In("pieces", "Data.Z.Brelked_1")), 730'112u);
    EXPECT_EQ(std::filesystem::file_size(In("pieces", "Data.Z.Brelked_3")), 539'776u);
    EXPECT_EQ(store.Read(settings::BaseSizeIndex), 0);
    EXPECT_EQ(view.status[1], "The file has been split!");
    EXPECT_EQ(view.shownMinimized, false);
    EXPECT_FALSE(model.QuitRequested());
    EXPECT_FALSE(view.quit);
}

TEST_F(WindowStartUpTest, SmallFilesCountOnlyAfterTheBigFile) {
    const std::string big = In("big", "a.bin");
    WriteFile(big, "abc");
    std::filesystem::create_directory(folder / "x");
    Start({"/smallfiles=" + In("x", "part"), "/bigfile=" + big, "/split"});
    EXPECT_TRUE(Exists(In("pieces", "a.bin.Brelked_1")));
    EXPECT_FALSE(Exists(In("x", "part.Brelked_1")));

    std::filesystem::remove(In("pieces", "a.bin.Brelked_1"));
    Restart({"/bigfile=" + big, "/smallfiles=" + In("x", "part"), "/split"});
    EXPECT_TRUE(Exists(In("x", "part.Brelked_1")));
    EXPECT_FALSE(Exists(In("pieces", "a.bin.Brelked_1")));
}

TEST_F(WindowStartUpTest, ABaseSizeOutsideTheListIsIgnoredAndANonNumberStopsEverything) {
    const std::string big = In("big", "a.bin");
    WriteFile(big, PatternBytes(1'000'000));
    LoadBaseSizes(store);  // a list of nine is stored
    store.Write(settings::BaseSizeIndex, 6);
    Start({"/bigfile=" + big, "/basesize=0", "/basesize=10"});
    EXPECT_EQ(store.Read(settings::BaseSizeIndex), 6);
    EXPECT_EQ(view.sizeLines, Lines{"1000000"});

    WindowModel& second = Restart({"/bigfile=" + big, "/basesize=two", "/split", "/exit"});
    EXPECT_EQ(dialogs.Texts(), Lines{"'two' is not a valid integer value / The File Brelker"});
    EXPECT_FALSE(Exists(In("pieces", "a.bin.Brelked_1")));
    EXPECT_FALSE(second.QuitRequested());
    EXPECT_EQ(second.ExitCode(), 1);
    // The big file is planned with the base size the list shows, so Split does what it offers.
    const RecordingView& shown = runs_.back()->view;
    EXPECT_EQ(shown.sizeLines, Lines{"1000000"});
    EXPECT_EQ(shown.pieceCount, "Nr. of files: 1");
    second.Execute(Command::DoSplit);
    EXPECT_EQ(ReadFile(In("pieces", "a.bin.Brelked_1")), ReadFile(big));

    // A file that cannot be split after one that can leaves the first one planned.
    std::filesystem::remove(In("pieces", "a.bin.Brelked_1"));
    WindowModel& third = Restart({"/bigfile=" + big, "/bigfile=" + In("big", "none.bin")});
    EXPECT_EQ(runs_.back()->view.sizeLines, Lines{"1000000"});
    EXPECT_EQ(third.CurrentJob().BigFilePath, big);
    third.Execute(Command::DoSplit);
    EXPECT_EQ(ReadFile(In("pieces", "a.bin.Brelked_1")), ReadFile(big));
}

TEST_F(WindowStartUpTest, AnUnattendedRunThatStopsEarlyLeavesItsMessagesToTheWindow) {
    const std::string none = In("big", "none.bin");
    const std::string missing = "File is missing: " + none + " / Abnormal termination!";
    std::ostringstream errors;
    UnattendedDialogs unattended(errors, &dialogs);
    RecordingView shown;
    WindowModel run(platform, store, unattended, shown);
    run.Start({"/bigfile=" + none, "/split", "/exit"});
    // Said where a script reads it, and shown to whoever now has the window.
    EXPECT_NE(errors.str().find("File is missing: " + none), std::string::npos);
    EXPECT_EQ(dialogs.Texts(), Lines{missing});
    EXPECT_EQ(shown.shownMinimized, false);
    EXPECT_FALSE(run.QuitRequested());
    EXPECT_EQ(run.ExitCode(), 1);

    // Whatever the user does next is answered in the window.
    const std::string big = In("big", "a.bin");
    WriteFile(big, PatternBytes(2'000'000));
    dialogs.paths.push_back(big);
    run.Execute(Command::ChooseSplitAFile);
    run.SizeLineChosen(0);
    run.NewSizeEdited("0");
    run.ApplyNewSizeClicked();
    EXPECT_EQ(dialogs.Texts(),
              (Lines{missing, "The program ignored the new size / The new size can not be used!"}));
    EXPECT_EQ(errors.str().find("ignored"), std::string::npos);
    EXPECT_EQ(run.ExitCode(), 1);  // the switches' work still failed
}

// A scheduled split that died finishes on its next start: the switches
// continue it without asking, and say so where a script reads it.
TEST_F(WindowStartUpTest, TheSwitchesContinueASplitThatStopped) {
#ifdef _WIN32
    GTEST_SKIP() << "the simulated death leaves handles that only a real one closes";
#endif
    const std::string big = In("big", "a.bin");
    const std::string bytes = PatternBytes(3'000'000);
    WriteFile(big, bytes);
    const std::string stem = In("pieces", "a.bin");
    KillSplitNearItsEnd(big, stem);
    std::ostringstream errors;
    UnattendedDialogs unattended(errors, &dialogs);
    RecordingView shown;
    WindowModel run(platform, store, unattended, shown);
    run.Start({"/bigfile=" + big, "/split", "/exit"});
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_NE(errors.str().find("A split of " + big + " stopped after"), std::string::npos);
    EXPECT_EQ(run.ExitCode(), 0);
    EXPECT_EQ(ReadFile(Piece(stem, 1)) + ReadFile(Piece(stem, 2)) + ReadFile(Piece(stem, 3)),
              bytes);
    EXPECT_EQ(shown.status[0].find("Continued after"), 0u) << shown.status[0];
}

TEST_F(WindowStartUpTest, AMissingBigFileStopsTheCommandLineAndTheProgramWaits) {
    const std::string none = In("big", "none.bin");
    Start({"/bigfile=" + none, "/split", "/exit"});
    EXPECT_EQ(dialogs.Texts(), Lines{"File is missing: " + none + " / Abnormal termination!"});
    EXPECT_EQ(view.status[1], "Abnormal termination!");
    EXPECT_FALSE(model.QuitRequested());
    EXPECT_FALSE(view.quit);
}

TEST_F(WindowStartUpTest, ExitAndMinimizeDoNothingWithoutSplit) {
    const std::string script = In("pieces", "r.bat");
    Start({"/exit", "/minimize", "/selfunitfile=" + script});
    EXPECT_FALSE(model.QuitRequested());
    EXPECT_FALSE(view.quit);
    EXPECT_FALSE(view.shownMinimized.value_or(false));
    EXPECT_FALSE(Exists(script));
    EXPECT_EQ(store.Read(settings::BaseSizeIndex), 1);  // the base size step ran all the same
}

TEST_F(WindowStartUpTest, AnUnattendedSplitWithNothingToSplitWritesNothing) {
    WriteFile(In("big", "empty.bin"), "");
    WriteFile(In("big", "huge.bin"), std::string(40'000, 'x'));
    store.Write(settings::BaseSizes, 1);
    store.Write(settings::BaseSizeIndex, 0);
    store.WriteStringSetting(subkey::BaseSize, BaseSizeValueName(0), "1");
    const std::string script = In("pieces", "r.bat");
    const std::vector<std::vector<std::string>> runs = {
        {},                                      // no big file at all
        {"/bigfile=" + In("big", "empty.bin")},  // an empty one
        {"/bigfile=" + In("big", "huge.bin")},   // 40,000 pieces of 1 byte: refused
    };
    for (std::vector<std::string> arguments : runs) {
        dialogs.shown.clear();
        arguments.insert(arguments.end(), {"/split", "/selfunitfile=" + script, "/exit"});
        const WindowModel& run = Restart(arguments);
        const std::string nothing =
            "There is nothing to split: choose a file that is not empty and a plan that can be "
            "used. / Abnormal termination!";
        EXPECT_EQ(dialogs.Texts().back(), nothing) << arguments[0];
        EXPECT_LE(dialogs.Texts().size(), 2u) << arguments[0];  // "Too many files!" once
        EXPECT_FALSE(Exists(script));
        EXPECT_FALSE(Exists(In("pieces", "huge.bin.Brelked_1")));
        EXPECT_TRUE(run.QuitRequested());
        EXPECT_EQ(run.ExitCode(), 1);
    }
}

TEST_F(WindowStartUpTest, TogglesAndPauseItemsAreStoredTheMomentTheyChange) {
    Start();
    model.Execute(Command::RemoveBig);
    EXPECT_TRUE(store.Read(settings::RemoveBigFile));
    EXPECT_TRUE(model.Checked(Command::RemoveBig));
    model.Execute(Command::RemoveBig);
    EXPECT_FALSE(store.Read(settings::RemoveBigFile));
    EXPECT_FALSE(model.Checked(Command::RemoveBig));
    model.Execute(Command::EraseFloppies);
    EXPECT_TRUE(store.Read(settings::EraseFloppyDisks));

    model.Execute(Command::ChangeAlways);
    EXPECT_EQ(store.Read(settings::ChangeDisk), 0);
    store.Write(settings::ChangeDisk, 9);  // a marker: choosing the checked item writes nothing
    model.Execute(Command::ChangeAlways);
    EXPECT_EQ(store.Read(settings::ChangeDisk), 9);
    EXPECT_TRUE(model.Checked(Command::ChangeAlways));
    EXPECT_FALSE(model.Checked(Command::ChangeNever));
    ExpectViewShowsTheModel();
}

TEST_F(WindowStartUpTest, ALanguageSwitchRewritesEveryTextAndEmptiesTheStatusBar) {
    Start();
    ChooseBigFile(PatternBytes(3'000'000), "a.bin");
    model.Execute(Command::LanguageSwedish);
    EXPECT_EQ(view.Caption(Menu::File), "&Arkiv");
    EXPECT_EQ(view.Caption(Command::DoSplit), "&Dela upp filen");
    // Floppy drives are A: and B: only where the system names drives so.
#ifdef _WIN32
    EXPECT_EQ(view.Caption(Command::ChangeSometimes),
              "&Endast före mindre filer till/från A: och B:");
#else
    EXPECT_EQ(view.Caption(Command::ChangeSometimes),
              "&Endast före mindre filer till/från disketter");
#endif
    EXPECT_EQ(view.pieceCount, Text(slot::kFileCount) + "3");
    EXPECT_EQ(view.piecesHint, Text(slot::kPieceIndexRange) + "3");
    EXPECT_EQ(view.title, "Filbrelkaren");
    EXPECT_EQ(view.status[0], "");
    EXPECT_EQ(view.status[1], "");
    EXPECT_EQ(store.Read(settings::Language), 1);
    EXPECT_TRUE(model.Checked(Command::LanguageSwedish));
    EXPECT_FALSE(model.Checked(Command::LanguageEnglish));

    store.Write(settings::Language, 7);
    model.Execute(
        Command::LanguageSwedish);  // already checked: nothing happens, nothing is written
    EXPECT_EQ(store.Read(settings::Language), 7);
    model.Execute(Command::LanguageGerman);
    EXPECT_EQ(view.Caption(Command::Exit), "&Beenden");
    EXPECT_EQ(view.texts.howItWorksButton, "So funktioniert es");
    ExpectViewShowsTheModel();
}

TEST_F(WindowStartUpTest, ExitStoresThePositionAndResetForgetsEverything) {
    Start();
    view.MoveTo(210, 120);
    model.Execute(Command::Exit);
    EXPECT_TRUE(model.QuitRequested());
    EXPECT_TRUE(view.quit);
    EXPECT_EQ(store.Read(settings::MainLeft), 210);
    EXPECT_EQ(store.Read(settings::MainTop), 120);

    WindowModel& second = Restart();
    second.Execute(Command::RemoveSmall);
    second.Execute(Command::ClearRegistry);
    EXPECT_TRUE(second.QuitRequested());
    EXPECT_EQ(store.ReadIntegerSetting(subkey::Position, "mainTop", -1), -1);
    EXPECT_FALSE(store.Read(settings::RemoveSmallFiles));
    EXPECT_EQ(store.Read(settings::BaseSizes), 0);
}

TEST_F(WindowStartUpTest, ASwitchedScriptThatCannotBeWrittenSaysWhyAndSparesTheBigFile) {
    const std::string big = In("big", "a.bin");
    const std::string bytes = PatternBytes(3'000'000);
    WriteFile(big, bytes);
    // The pieces cannot be written, and the script is named like the big file.
    Start({"/bigfile=" + big, "/smallfiles=" + In("none", "part"), "/split", "/selfunitfile=" + big,
           "/exit"});
    EXPECT_EQ(ReadFile(big), bytes);
    EXPECT_EQ(model.ExitCode(), 1);
    EXPECT_NE(dialogs.Texts().back().find("may not take the name of the big file"),
              std::string::npos);

    const std::string nowhere = In("none", "r.bat");
    const WindowModel& second =
        Restart({"/bigfile=" + big, "/split", "/selfunitfile=" + nowhere, "/exit"});
    EXPECT_EQ(second.ExitCode(), 1);
    const std::string said =
        "Could NOT create the self-uniting file!\n\nThe script cannot be "
        "written to: " +
        nowhere + " (";
    const std::string text = dialogs.Texts().back();
    EXPECT_TRUE(text.starts_with(said) && text.ends_with(") / Abnormal termination!")) << text;
#ifndef _WIN32
    EXPECT_EQ(text, said + "No such file or directory) / Abnormal termination!");
#endif
}

}  // namespace
}  // namespace brelker
