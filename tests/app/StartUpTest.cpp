#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "plan/BaseSizes.h"
#include "text/Slots.h"

namespace brelker {
namespace {

using StartUpTest = WindowFixture;
using Lines = std::vector<std::string>;

TEST_F(StartUpTest, AStartWithoutArgumentsLoadsTheSettingsAndWritesNoSelection) {
    store.Write(settings::Language, 2);
    store.Write(settings::RemoveBigFile, true);
    store.Write(settings::BigUnit, 5);
    store.Write(settings::MainTop, 70);
    store.Write(settings::MainLeft, 130);
    Start();
    EXPECT_EQ(CurrentLanguage(), kGerman);
    EXPECT_TRUE(Find<QAction>("LanguageGerman")->isChecked());
    EXPECT_EQ(Caption("File1"), "&Datei");
    EXPECT_EQ(window->windowTitle().toStdString(), "Datei-Brelker");
    EXPECT_EQ(Status(0), "Willkommen bei Datei-Brelker, Version 2.7");  // nouns keep capitals
    EXPECT_TRUE(Find<QAction>("RemoveBig")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("BigFileRB5")->isChecked());
    EXPECT_EQ(window->pos(), QPoint(130, 70));
    EXPECT_EQ(store.ReadIntegerSetting(subkey::BaseSize, "BaseSizeIndex", -99), 1);  // seeded
    EXPECT_EQ(store.Read(settings::BaseSizes), 9);
}

TEST_F(StartUpTest, OutOfRangeStoredValuesCheckNothingAndNeverIndexATable) {
    store.Write(settings::Language, 7);
    store.Write(settings::BigUnit, 9);
    store.Write(settings::ChangeDisk, 5);
    Start();
    EXPECT_FALSE(Find<QAction>("LanguageEnglish")->isChecked());
    EXPECT_FALSE(Find<QAction>("LanguageSwedish")->isChecked());
    EXPECT_FALSE(Find<QAction>("LanguageGerman")->isChecked());
    EXPECT_EQ(Caption("File1"), "&File");  // texts read English
    for (const char* unit :
         {"BigFileRB1", "BigFileRB2", "BigFileRB3", "BigFileRB4", "BigFileRB5"}) {
        EXPECT_FALSE(Find<QRadioButton>(unit)->isChecked()) << unit;
    }
    EXPECT_FALSE(Find<QAction>("ChangeAlways")->isChecked());
    EXPECT_FALSE(Find<QAction>("ChangeSometimes")->isChecked());
    EXPECT_FALSE(Find<QAction>("ChangeNever")->isChecked());
    Click("ChangeNever");  // the first click marks an item and stores a valid mode
    EXPECT_EQ(store.Read(settings::ChangeDisk), 2);
}

TEST_F(StartUpTest, TheCommandLineSplitsIntoThePiecesFolderWithTheChosenBaseSize) {
    const std::string big = folder / "big/Data.Z";
    WriteFile(big, PatternBytes(2'000'000));
    Start({"/BigFile=" + big, "/BaseSize=1", "/Split"});
    EXPECT_EQ(std::filesystem::file_size(folder / "pieces/Data.Z.Brelked_1"), 730'112u);
    EXPECT_EQ(std::filesystem::file_size(folder / "pieces/Data.Z.Brelked_3"), 539'776u);
    EXPECT_EQ(store.Read(settings::BaseSizeIndex), 0);
    EXPECT_EQ(Status(1), "The file has been split!");
    EXPECT_FALSE(window->QuitRequested());
}

TEST_F(StartUpTest, SmallFilesCountOnlyAfterTheBigFile) {
    const std::string big = folder / "big/a.bin";
    WriteFile(big, "abc");
    std::filesystem::create_directory(folder / "x");
    Start({"/smallfiles=" + (folder / "x/part"), "/bigfile=" + big, "/split"});
    EXPECT_TRUE(Exists(folder / "pieces/a.bin.Brelked_1"));
    EXPECT_FALSE(Exists(folder / "x/part.Brelked_1"));

    std::filesystem::remove(folder / "pieces/a.bin.Brelked_1");
    Start({"/bigfile=" + big, "/smallfiles=" + (folder / "x/part"), "/split"});
    EXPECT_TRUE(Exists(folder / "x/part.Brelked_1"));
    EXPECT_FALSE(Exists(folder / "pieces/a.bin.Brelked_1"));
}

TEST_F(StartUpTest, ABaseSizeOutsideTheListIsIgnoredAndANonNumberStopsEverything) {
    const std::string big = folder / "big/a.bin";
    WriteFile(big, PatternBytes(1'000'000));
    LoadBaseSizes(store);  // a list of nine is stored
    store.Write(settings::BaseSizeIndex, 6);
    Start({"/bigfile=" + big, "/basesize=0", "/basesize=10"});
    EXPECT_EQ(store.Read(settings::BaseSizeIndex), 6);
    EXPECT_EQ(SizeLines(), Lines{"1000000"});

    Start({"/bigfile=" + big, "/basesize=two", "/split", "/exit"});
    EXPECT_EQ(dialogs.Texts(), Lines{"'two' is not a valid integer value / The File Brelker"});
    EXPECT_FALSE(Exists(folder / "pieces/a.bin.Brelked_1"));
    EXPECT_FALSE(window->QuitRequested());
}

TEST_F(StartUpTest, AMissingBigFileStopsTheCommandLineAndTheProgramWaits) {
    Start({"/bigfile=" + (folder / "big/none.bin"), "/split", "/exit"});
    EXPECT_EQ(dialogs.Texts(),
              Lines{"File is missing: " + (folder / "big/none.bin") + " / Abnormal termination!"});
    EXPECT_EQ(Status(1), "Abnormal termination!");
    EXPECT_FALSE(window->QuitRequested());
}

TEST_F(StartUpTest, ExitAndMinimizeDoNothingWithoutSplit) {
    Start({"/exit", "/minimize", "/selfunitfile=" + (folder / "r.bat")});
    EXPECT_FALSE(window->QuitRequested());
    EXPECT_FALSE(window->isMinimized());
    EXPECT_FALSE(Exists(folder / "r.bat"));
    EXPECT_EQ(store.Read(settings::BaseSizeIndex), 1);  // the base size step ran all the same
}

TEST_F(StartUpTest, AnUnattendedSplitWithNothingToSplitWritesNothing) {
    WriteFile(folder / "big/empty.bin", "");
    WriteFile(folder / "big/huge.bin", std::string(40'000, 'x'));
    store.Write(settings::BaseSizes, 1);
    store.Write(settings::BaseSizeIndex, 0);
    store.WriteStringSetting(subkey::BaseSize, BaseSizeValueName(0), "1");
    const std::vector<std::vector<std::string>> runs = {
        {},                                          // no big file at all
        {"/bigfile=" + (folder / "big/empty.bin")},  // an empty one
        {"/bigfile=" + (folder / "big/huge.bin")},   // 40,000 pieces of 1 byte: refused
    };
    for (std::vector<std::string> arguments : runs) {
        dialogs.shown.clear();
        arguments.insert(arguments.end(),
                         {"/split", "/selfunitfile=" + (folder / "r.bat"), "/exit"});
        Start(arguments);
        const std::string nothing =
            "There is nothing to split: choose a file that is not empty and a plan that can be "
            "used. / Abnormal termination!";
        EXPECT_EQ(dialogs.Texts().back(), nothing) << arguments[0];
        EXPECT_LE(dialogs.Texts().size(), 2u) << arguments[0];  // "Too many files!" once
        EXPECT_FALSE(Exists(folder / "r.bat"));
        EXPECT_FALSE(Exists(folder / "pieces/huge.bin.Brelked_1"));
        EXPECT_TRUE(window->QuitRequested());
    }
}

TEST_F(StartUpTest, TogglesAndPauseItemsAreStoredTheMomentTheyChange) {
    Start();
    Click("RemoveBig");
    EXPECT_TRUE(store.Read(settings::RemoveBigFile));
    EXPECT_TRUE(Find<QAction>("RemoveBig")->isChecked());
    Click("RemoveBig");
    EXPECT_FALSE(store.Read(settings::RemoveBigFile));
    EXPECT_FALSE(Find<QAction>("RemoveBig")->isChecked());
    Click("EraseFloppies");
    EXPECT_TRUE(store.Read(settings::EraseFloppyDisks));

    Click("ChangeAlways");
    EXPECT_EQ(store.Read(settings::ChangeDisk), 0);
    store.Write(settings::ChangeDisk, 9);  // a marker: clicking the checked item writes nothing
    Click("ChangeAlways");
    EXPECT_EQ(store.Read(settings::ChangeDisk), 9);
    EXPECT_TRUE(Find<QAction>("ChangeAlways")->isChecked());
    EXPECT_FALSE(Find<QAction>("ChangeNever")->isChecked());
}

TEST_F(StartUpTest, ALanguageSwitchRewritesEveryTextAndEmptiesTheStatusBar) {
    Start();
    const std::string big = folder / "big/a.bin";
    WriteFile(big, PatternBytes(3'000'000));
    dialogs.paths.push_back(big);
    Click("ChooseSplitAFile");
    Click("LanguageSwedish");
    EXPECT_EQ(Caption("File1"), "&Arkiv");
    EXPECT_EQ(Caption("DoSplit"), "&Dela upp filen");
    EXPECT_EQ(Caption("lblNrFiles"), Text(slot::kFileCount) + "3");
    EXPECT_EQ(Find<QWidget>("ActualSizeGB")->toolTip().toStdString(),
              Text(slot::kPieceIndexRange) + "3");
    EXPECT_EQ(Find<QWidget>("DoSplitBtn")->toolTip().toStdString(), "Dela upp filen");
    EXPECT_EQ(window->windowTitle().toStdString(), "Filbrelkaren");
    EXPECT_EQ(Status(0), "");
    EXPECT_EQ(Status(1), "");
    EXPECT_EQ(store.Read(settings::Language), 1);
    EXPECT_TRUE(Find<QAction>("LanguageSwedish")->isChecked());
    EXPECT_FALSE(Find<QAction>("LanguageEnglish")->isChecked());

    store.Write(settings::Language, 7);
    Click("LanguageSwedish");  // already checked: nothing happens, nothing is written
    EXPECT_EQ(store.Read(settings::Language), 7);
    Click("LanguageGerman");
    EXPECT_EQ(Caption("Exit"), "&Beenden");
    EXPECT_EQ(Caption("HintBtn"), "So funktioniert es");
}

TEST_F(StartUpTest, ExitStoresThePositionAndResetForgetsEverything) {
    Start();
    window->move(210, 120);
    Click("Exit");
    EXPECT_TRUE(window->QuitRequested());
    EXPECT_EQ(store.Read(settings::MainLeft), window->x());
    EXPECT_EQ(store.Read(settings::MainTop), window->y());

    Start();
    Click("RemoveSmall");
    Click("ClearRegistry");
    EXPECT_TRUE(window->QuitRequested());
    EXPECT_EQ(store.ReadIntegerSetting(subkey::Position, "mainTop", -1), -1);
    EXPECT_FALSE(store.Read(settings::RemoveSmallFiles));
    EXPECT_EQ(store.Read(settings::BaseSizes), 0);
}

TEST_F(StartUpTest, ASwitchedScriptThatCannotBeWrittenSaysWhyAndSparesTheBigFile) {
    const std::string big = folder / "big/a.bin";
    const std::string bytes = PatternBytes(3'000'000);
    WriteFile(big, bytes);
    // The pieces cannot be written, and the script is named like the big file.
    Start({"/bigfile=" + big, "/smallfiles=" + (folder / "none/part"), "/split",
           "/selfunitfile=" + big, "/exit"});
    EXPECT_EQ(ReadFile(big), bytes);
    EXPECT_EQ(window->ExitCode(), 1);
    EXPECT_NE(dialogs.Texts().back().find("may not take the name of the big file"),
              std::string::npos);

    const std::string nowhere = folder / "none/r.bat";
    Start({"/bigfile=" + big, "/split", "/selfunitfile=" + nowhere, "/exit"});
    EXPECT_EQ(window->ExitCode(), 1);
    EXPECT_EQ(dialogs.Texts().back(),
              "Could NOT create the self-uniting file!\n\nThe script cannot be written to: " +
                  nowhere + " (No such file or directory) / Abnormal termination!");
}

}  // namespace
}  // namespace brelker
