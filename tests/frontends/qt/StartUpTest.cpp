// The stored settings and the language as the Qt window shows them; the
// start-up and its switches are tested on the model (tests/window).

#include <gtest/gtest.h>

#include <QActionGroup>

#include "WindowFixture.h"
#include "text/Slots.h"

namespace brelker {
namespace {

using StartUpTest = WindowFixture;

TEST_F(StartUpTest, TheStoredSettingsReachTheWidgetsAtTheStart) {
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
}

TEST_F(StartUpTest, OutOfRangeStoredValuesCheckNoWidget) {
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
    Click("ChangeNever");  // the first click marks an item
    EXPECT_TRUE(Find<QAction>("ChangeNever")->isChecked());
}

// A checkable action flips its own mark when clicked; the model's mark is the
// one that stays, also when the checked item of a group is clicked again.
TEST_F(StartUpTest, TogglesAndPauseItemsShowTheModelsMark) {
    Start();
    Click("RemoveBig");
    EXPECT_TRUE(store.Read(settings::RemoveBigFile));
    EXPECT_TRUE(Find<QAction>("RemoveBig")->isChecked());
    Click("RemoveBig");
    EXPECT_FALSE(Find<QAction>("RemoveBig")->isChecked());

    Click("ChangeAlways");
    Click("ChangeAlways");
    EXPECT_EQ(store.Read(settings::ChangeDisk), 0);
    EXPECT_TRUE(Find<QAction>("ChangeAlways")->isChecked());
    EXPECT_FALSE(Find<QAction>("ChangeNever")->isChecked());
    // One of three: the menus draw them as radio items.
    for (const char* item : {"ChangeNever", "LanguageGerman"}) {
        ASSERT_NE(Find<QAction>(item)->actionGroup(), nullptr) << item;
        EXPECT_TRUE(Find<QAction>(item)->actionGroup()->isExclusive()) << item;
        EXPECT_EQ(Find<QAction>(item)->actionGroup()->actions().size(), 3) << item;
    }
}

TEST_F(StartUpTest, ALanguageSwitchRewritesTheTextsOfEveryWidget) {
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
    EXPECT_TRUE(Find<QAction>("LanguageSwedish")->isChecked());
    EXPECT_FALSE(Find<QAction>("LanguageEnglish")->isChecked());

    Click("LanguageSwedish");  // already checked: it stays checked
    EXPECT_TRUE(Find<QAction>("LanguageSwedish")->isChecked());
    Click("LanguageGerman");
    EXPECT_EQ(Caption("Exit"), "&Beenden");
    EXPECT_EQ(Caption("HintBtn"), "So funktioniert es");
}

TEST_F(StartUpTest, ExitStoresTheWindowsPosition) {
    Start();
    window->move(210, 120);
    Click("Exit");
    EXPECT_TRUE(window->QuitRequested());
    EXPECT_EQ(store.Read(settings::MainLeft), window->x());
    EXPECT_EQ(store.Read(settings::MainTop), window->y());
}

}  // namespace
}  // namespace brelker
