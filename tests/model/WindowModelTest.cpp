// The main window's workflow without any window: the model decides, a view
// that records what it is told stands in for the screen. These run on every
// build, under Wine too.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string_view>

#include "ModelFixture.h"
#include "plan/BaseSizes.h"
#include "text/Slots.h"

namespace brelker {
namespace {

using WindowModelTest = ModelFixture;

// Both windows build their menus, shortcuts and speed bar from one table: a
// row out of place would run another command, a name or key given twice would
// reach only one of its owners.
TEST(WindowPartsTest, EachCommandHasItsRowAndEveryNameAndKeyIsItsOwn) {
    std::set<std::string_view> names;
    std::set<char> keys;
    for (int i = 0; i < kCommandCount; ++i) {
        const CommandEntry& entry = kCommandTable[static_cast<std::size_t>(i)];
        EXPECT_EQ(static_cast<int>(entry.command), i) << entry.name;
        EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
        EXPECT_TRUE(entry.shortcut == '\0' || keys.insert(entry.shortcut).second) << entry.name;
        EXPECT_EQ(entry.caption == TextSlot(0), entry.command == Command::Stop) << entry.name;
    }
    for (const SpeedButtonEntry& button : kSpeedBarTable) {
        EXPECT_TRUE(names.insert(button.name).second) << button.name;
    }
    for (int part = 0; part < kPartCount; ++part) {
        EXPECT_TRUE(names.insert(NameOf(static_cast<Part>(part))).second) << part;
    }
    for (const MenuEntry& menu : kMenuTable) {
        EXPECT_EQ(&menu - kMenuTable.data(), static_cast<int>(menu.menu)) << menu.name;
        EXPECT_TRUE(names.insert(menu.name).second) << menu.name;
    }
}

TEST_F(WindowModelTest, ASplitAndAJoinFromChoosingTheFilesToTheResult) {
    Start();
    EXPECT_FALSE(model.Enabled(Command::DoSplit));
    EXPECT_FALSE(model.Enabled(Command::DoJoin));
    EXPECT_TRUE(model.Enabled(Command::ChooseSplitAFile));
    EXPECT_EQ(view.status[0], "Welcome to The File Brelker, version 2.7");
    ExpectViewShowsTheModel();

    const std::string bytes = PatternBytes(3'000'000);
    dialogs.paths.push_back(Write("big/data.bin", bytes));
    model.Execute(Command::ChooseSplitAFile);
    EXPECT_TRUE(model.Enabled(Command::DoSplit));
    EXPECT_EQ(view.sizeLines, (std::vector<std::string>{"1457664", "1457664", "84672"}));
    EXPECT_EQ(view.pieceCount, "Nr. of files: 3");

    // While the split runs only Stop may be used.
    bool checked = false;
    view.duringWork = [&] {
        if (!checked) {
            checked = true;
            EXPECT_TRUE(model.Busy());
            EXPECT_FALSE(model.Enabled(Command::Exit));
            EXPECT_FALSE(model.Enabled(Menu::Options));
            ExpectViewShowsTheModel();
        }
    };
    model.Execute(Command::DoSplit);
    view.duringWork = nullptr;
    EXPECT_TRUE(checked);
    EXPECT_FALSE(model.Busy());
    EXPECT_EQ(view.status[1], "The file has been split!");
    EXPECT_TRUE(model.Enabled(Command::CreateUnbrelkerFile));
    EXPECT_TRUE(model.Enabled(Menu::Options));
    const std::string stem = folder / "pieces/data.bin.Brelked_";
    EXPECT_EQ(ReadFile(stem + "1") + ReadFile(stem + "2") + ReadFile(stem + "3"), bytes);

    dialogs.paths.push_back(stem + "2");
    model.Execute(Command::JoinFiles);
    EXPECT_TRUE(model.Enabled(Command::DoJoin));
    EXPECT_FALSE(model.Enabled(Command::DoSplit));
    EXPECT_FALSE(model.Enabled(Control::BaseSizeBox));
    // Restored beside its pieces, where their checksum file names it.
    EXPECT_EQ(view.bigFile, folder / "pieces/data.bin");
    model.Execute(Command::DoJoin);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(view.status[1], "The file is restored and verified!");
    EXPECT_EQ(ReadFile(folder / "pieces/data.bin"), bytes);
    EXPECT_FALSE(model.Enabled(Command::DoJoin));
    ExpectViewShowsTheModel();
}

// The engine reports each of the split's 24 blocks and the start of each piece;
// the view hears of it as the clock allows, and the text goes with the work.
TEST_F(WindowModelTest, ASplitSaysHowFarItIsAFewTimesASecondAndNoMoreOnceDone) {
    Start();
    dialogs.paths.push_back(Write("big/data.bin", PatternBytes(3'000'000)));
    model.Execute(Command::ChooseSplitAFile);
    std::int64_t now = 0;
    int reports = 0;
    platform.clock = [&] {
        ++reports;
        return now += 100;
    };
    model.Execute(Command::DoSplit);
    EXPECT_EQ(reports, 27);
    ASSERT_GE(view.progressTexts.size(), 3u);
    EXPECT_LE(view.progressTexts.size(), 10u);  // one in three, and the empty one at the end
    EXPECT_EQ(view.progressTexts.front(), "0 % · File 1 of 3");
    EXPECT_EQ(view.progressTexts.back(), "");
    const std::string& late = view.progressTexts[view.progressTexts.size() - 2];
    EXPECT_NE(late.find(" MB/s · 0:0"), std::string::npos) << late;
    EXPECT_NE(late.find(" left · File 3 of 3"), std::string::npos) << late;
}

// At a disk prompt the words say where the bar stands, and the user's time at
// the prompt is not counted into the rate.
TEST_F(WindowModelTest, ADiskPromptShowsWhereTheRunStoppedAndStopsItsClock) {
    store.Write(settings::ChangeDisk, 0);
    Start();
    dialogs.paths.push_back(Write("big/data.bin", PatternBytes(3'000'000)));
    model.Execute(Command::ChooseSplitAFile);
    std::int64_t now = 0;
    platform.clock = [&] { return now += 100; };
    std::vector<std::string> atPrompt;
    dialogs.whileShown = [&](const ScriptedDialogs::Shown&) {
        atPrompt.push_back(view.progressTexts.empty() ? "" : view.progressTexts.back());
        now += 60'000;  // a minute to find the disk
    };
    model.Execute(Command::DoSplit);
    ASSERT_EQ(atPrompt.size(), 3u);
    EXPECT_TRUE(atPrompt[1].starts_with("48 % · ")) << atPrompt[1];
    EXPECT_TRUE(atPrompt[1].ends_with(" · File 1 of 3")) << atPrompt[1];
    EXPECT_EQ(view.status[1], "The file has been split!");
    const std::string& late = view.progressTexts[view.progressTexts.size() - 2];
    EXPECT_EQ(late.find(" 0.0 MB/s"), std::string::npos) << late;
}

// Thousands of small pieces go by between two texts: panel 0 names the piece
// that the words name.
TEST_F(WindowModelTest, PanelZeroAndTheWordsNameTheSamePiece) {
    store.Write(settings::BaseSizes, 1);
    store.Write(settings::BaseSizeIndex, 0);
    store.WriteStringSetting(subkey::BaseSize, BaseSizeValueName(0), "100000");
    Start();
    dialogs.paths.push_back(Write("big/data.bin", PatternBytes(3'000'000)));
    model.Execute(Command::ChooseSplitAFile);
    std::int64_t now = 0;
    platform.clock = [&] { return now += 10; };
    model.Execute(Command::DoSplit);
    ASSERT_GE(view.notesWithProgress.size(), 3u);
    EXPECT_LT(view.notesWithProgress.size(), 15u);
    for (const std::string& shown : view.notesWithProgress) {
        const std::size_t file = shown.find("File ");
        const std::size_t of = shown.find(" of 30");
        ASSERT_NE(of, std::string::npos) << shown;
        const std::string piece = shown.substr(file + 5, of - file - 5);
        EXPECT_TRUE(shown.ends_with(".Brelked_" + piece)) << shown;
    }
}

TEST_F(WindowModelTest, OptionsAreCheckedStoredAndOffDuringWork) {
    Start();
    EXPECT_TRUE(model.Checked(Command::WriteChecksums));
    model.Execute(Command::RemoveSmall);
    EXPECT_TRUE(model.Checked(Command::RemoveSmall));
    EXPECT_TRUE(store.Read(settings::RemoveSmallFiles));
    model.Execute(Command::ChangeAlways);
    EXPECT_TRUE(model.Checked(Command::ChangeAlways));
    EXPECT_FALSE(model.Checked(Command::ChangeNever));
    EXPECT_EQ(store.Read(settings::ChangeDisk), 0);

    model.Execute(Command::LanguageSwedish);
    EXPECT_EQ(CurrentLanguage(), kSwedish);
    EXPECT_TRUE(model.Checked(Command::LanguageSwedish));
    EXPECT_FALSE(model.Checked(Command::LanguageEnglish));
    EXPECT_EQ(store.Read(settings::Language), kSwedish);
    EXPECT_EQ(view.title, "Filbrelkaren");
    ExpectViewShowsTheModel();
}

TEST_F(WindowModelTest, TheSwitchesRunAnUnattendedSplitAndSayWhyOneFails) {
    const std::string bytes = PatternBytes(2'000'000);
    const std::string big = Write("big/data.bin", bytes);
    Start({"/bigfile=" + big, "/smallfiles=" + (folder / "pieces/part"), "/basesize=1", "/split",
           "/selfunitfile=" + (folder / "pieces/restore.bat"), "/exit"});
    EXPECT_EQ(model.ExitCode(), 0);
    EXPECT_TRUE(model.QuitRequested());
    EXPECT_TRUE(view.quit);
    std::string joined;
    for (int k = 1; Exists(folder / ("pieces/part.Brelked_" + std::to_string(k))); ++k) {
        joined += ReadFile(folder / ("pieces/part.Brelked_" + std::to_string(k)));
    }
    EXPECT_GT(joined.size(), 0u);
    EXPECT_TRUE(joined == bytes);
    EXPECT_TRUE(ReadFile(folder / "pieces/restore.bat").starts_with("@echo off"));

    WindowModel second(platform, store, dialogs, view);
    dialogs.shown.clear();
    second.Start({"/bigfile=" + (folder / "big/none.bin"), "/split", "/exit"});
    EXPECT_EQ(second.ExitCode(), 1);
    EXPECT_EQ(dialogs.Texts(),
              std::vector<std::string>{"File is missing: " + (folder / "big/none.bin") +
                                       " / Abnormal termination!"});
}

TEST_F(WindowModelTest, VerifyShowsItsResultsToReadMarkedAndSaysHowItEnded) {
    using Lines = std::vector<std::string>;
    Start();
    EXPECT_EQ(view.heading, "Individual Sizes (B)");
    dialogs.paths.push_back(Write("big/data.bin", PatternBytes(3'000'000)));
    model.Execute(Command::ChooseSplitAFile);
    model.Execute(Command::DoSplit);
    const std::string stem = folder / "pieces/data.bin.Brelked_";

    dialogs.paths.push_back(stem + "1");
    std::string headingWhileRunning;
    view.duringWork = [&] { headingWhileRunning = view.heading; };
    model.Execute(Command::Verify);
    view.duringWork = nullptr;
    EXPECT_EQ(headingWhileRunning, "Verify: result per file");
    EXPECT_TRUE(model.Enabled(Control::SizeList));
    EXPECT_EQ(view.heading, "Verify: result per file");
    EXPECT_EQ(view.marks, std::vector<LineMark>(4, LineMark::Ok));
    EXPECT_EQ(dialogs.shown.back().icon, MessageIcon::Information);
    EXPECT_EQ(dialogs.Texts().back(),
              "Every file matches its checksum in data.bin.sha256.\n\n4 OK, 0 FAILED, 0 missing / "
              "Verify the smaller files");
    ExpectViewShowsTheModel();

    WriteFile(stem + "2", std::string(1'457'664, 'x'));
    std::filesystem::remove(stem + "3");
    dialogs.paths.push_back(stem + "1");
    model.Execute(Command::Verify);
    EXPECT_EQ(view.sizeLines, (Lines{"data.bin.Brelked_1: OK", "data.bin.Brelked_2: FAILED",
                                     "data.bin.Brelked_3: missing", "data.bin: OK"}));
    EXPECT_EQ(view.marks, (std::vector<LineMark>{LineMark::Ok, LineMark::Failed, LineMark::Missing,
                                                 LineMark::Ok}));
    EXPECT_TRUE(model.Enabled(Control::SizeList));
    EXPECT_EQ(dialogs.shown.back().icon, MessageIcon::Stop);
    EXPECT_EQ(dialogs.shown.back().text,
              "Not every file matches its checksum in data.bin.sha256:\n"
              "data.bin.Brelked_2: FAILED\ndata.bin.Brelked_3: missing\n\n"
              "2 OK, 1 FAILED, 1 missing");
    EXPECT_EQ(view.status[1], "2 OK, 1 FAILED, 1 missing");

    // A line of the results is read, not edited as a size.
    model.SizeLineChosen(1);
    EXPECT_FALSE(model.Enabled(Control::NewSize));
    // Another language words the heading and the lines anew.
    model.Execute(Command::LanguageGerman);
    EXPECT_EQ(view.heading, "Prüfung: Ergebnis je Datei");
    EXPECT_EQ(view.sizeLines[1], "data.bin.Brelked_2: FEHLER");
    model.Execute(Command::LanguageEnglish);

    // A file to split brings the sizes back, under their own heading.
    dialogs.paths.push_back(Write("big/small.bin", "12345"));
    model.Execute(Command::ChooseSplitAFile);
    EXPECT_EQ(view.heading, "Individual Sizes (B)");
    EXPECT_EQ(view.sizeLines, Lines{"5"});
    EXPECT_TRUE(view.marks.empty());
    ExpectViewShowsTheModel();
}

TEST_F(WindowModelTest, NoBaseSizeChosenAfterVerifyArmsASplitOntoTheVerifiedPieces) {
    Start();
    dialogs.paths.push_back(Write("big/other.bin", PatternBytes(2'000'000)));
    model.Execute(Command::ChooseSplitAFile);
    model.Execute(Command::DoSplit);
    const std::string otherPiece = folder / "pieces/other.bin.Brelked_1";
    const std::string otherBytes = ReadFile(otherPiece);
    dialogs.paths.push_back(Write("big/data.bin", std::string(3'000'000, 'd')));
    model.Execute(Command::ChooseSplitAFile);

    dialogs.paths.push_back(otherPiece);
    model.Execute(Command::Verify);
    ASSERT_TRUE(model.Enabled(Control::BaseSizeBox));
    model.BaseSizeChosen(2);
    EXPECT_FALSE(model.Enabled(Command::DoSplit));
    model.Execute(Command::DoSplit);
    EXPECT_EQ(ReadFile(otherPiece), otherBytes);
}

TEST_F(WindowModelTest, ResetAsksFirstAndNoKeepsEverything) {
    Start();
    model.Execute(Command::RemoveSmall);
    dialogs.answers = {false};
    model.Execute(Command::ClearRegistry);
    EXPECT_EQ(dialogs.shown.back().icon, MessageIcon::Question);
    EXPECT_EQ(dialogs.shown.back().buttons, MessageButtons::YesNoDefaultNo);
    EXPECT_EQ(dialogs.Texts().back(),
              "Forget every setting (base sizes, folders, options, window position) and exit? / "
              "Exit and reset default settings");
    EXPECT_FALSE(model.QuitRequested());
    EXPECT_FALSE(view.quit);
    EXPECT_TRUE(store.Read(settings::RemoveSmallFiles));
    EXPECT_EQ(store.ReadStringSetting(subkey::Path, settings::JoinPath, ""), folder / "pieces");

    dialogs.answers = {true};
    model.Execute(Command::ClearRegistry);
    EXPECT_TRUE(model.QuitRequested());
    EXPECT_TRUE(view.quit);
    EXPECT_FALSE(store.Read(settings::RemoveSmallFiles));
    EXPECT_EQ(store.ReadStringSetting(subkey::Path, settings::JoinPath, ""), "");
}

// The new size is read with the digit groups of the window's language; text
// that is no size is warned of and changes nothing.
TEST_F(WindowModelTest, NewSizesAreReadWithTheLanguagesDigitGroups) {
    using Lines = std::vector<std::string>;
    Start();
    dialogs.paths.push_back(Write("big/data.bin", PatternBytes(3'000'000)));
    model.Execute(Command::ChooseSplitAFile);
    const auto edit = [this](int line, const std::string& typed) {
        model.SizeLineChosen(line);
        model.NewSizeEdited(typed);
        model.ApplyNewSizeClicked();
    };
    const Lines planned = {"1457664", "1457664", "84672"};
    for (const char* typed : {"12abc", "1.000.000", "1 000,000"}) {
        dialogs.shown.clear();
        edit(0, typed);
        EXPECT_EQ(dialogs.Texts(),
                  Lines{"The program ignored the new size / The new size can not be used!"})
            << typed;
        EXPECT_EQ(view.sizeLines, planned) << typed;
    }
    dialogs.shown.clear();
    edit(0, "1,000,000");
    EXPECT_EQ(view.sizeLines, (Lines{"1000000", "1457664", "542336"}));
    edit(1, "2 MB");
    EXPECT_EQ(view.sizeLines, (Lines{"1000000", "2000000"}));
    model.Execute(Command::LanguageSwedish);
    edit(0, "1 500 000");
    EXPECT_EQ(view.sizeLines, (Lines{"1500000", "1457664", "42336"}));
    model.Execute(Command::LanguageGerman);
    edit(0, "2.000.000");
    EXPECT_EQ(view.sizeLines, (Lines{"2000000", "1000000"}));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(WindowModelTest, ADroppedFileIsChosenAsItsCommandWouldChooseIt) {
    Start();
    const std::string piece = Write("pieces/movie.avi.Brelked_1", "first ");
    Write("pieces/movie.avi.Brelked_2", "second");
    model.FilesDropped({piece, piece});
    EXPECT_EQ(dialogs.shown.back().icon, MessageIcon::Warning);
    EXPECT_FALSE(model.Enabled(Command::DoJoin));
    model.FilesDropped({piece});
    EXPECT_TRUE(model.Enabled(Command::DoJoin));
    EXPECT_EQ(view.sizeLines, (std::vector<std::string>{"6", "6"}));
    model.FilesDropped({folder / "pieces"});
    EXPECT_TRUE(dialogs.Texts().back().starts_with("A folder cannot be split"));
}

TEST_F(WindowModelTest, AFileOnTheCommandLineOpensAsADroppedFileWould) {
    // A name typed in a terminal is taken from the folder it was typed in.
    const std::string big = Write("big/data.bin", PatternBytes(3'000'000));
    Start({"big/data.bin"});
    EXPECT_EQ(view.bigFile, big);
    EXPECT_TRUE(model.Enabled(Command::DoSplit));
    EXPECT_EQ(view.status[1], "Ready to split the file!");

    Write("pieces/movie.avi.Brelked_1", "first ");
    const std::string second = Write("pieces/movie.avi.Brelked_2", "second");
    RecordingView joinView;
    WindowModel joining(platform, store, dialogs, joinView);
    joining.Start({second});
    EXPECT_TRUE(joining.Enabled(Command::DoJoin));
    EXPECT_EQ(joinView.sizeLines, (std::vector<std::string>{"6", "6"}));
    EXPECT_EQ(joinView.status[1], "Ready to restore the file!");
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_TRUE(dialogs.shown.empty());

    // Two files are refused as a drop of two is; a split that ends the program
    // opens nothing after it.
    RecordingView twoView;
    WindowModel two(platform, store, dialogs, twoView);
    two.Start({big, second});
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{Text(slot::kDropOneFile) + " / " +
                                                        Text(slot::kProgramName)});
    EXPECT_EQ(twoView.bigFile, "");
    RecordingView unattendedView;
    WindowModel unattended(platform, store, dialogs, unattendedView);
    unattended.Start(
        {"/bigfile=" + big, "/smallfiles=" + (folder / "pieces/part"), "/split", "/exit", second});
    EXPECT_TRUE(unattended.QuitRequested());
    EXPECT_EQ(unattendedView.bigFile, big);
    EXPECT_NE(unattendedView.status[1], "Ready to restore the file!");
    EXPECT_TRUE(dialogs.asked.empty());
}

}  // namespace
}  // namespace brelker
