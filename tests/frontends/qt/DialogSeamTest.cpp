// What the window does once each of its option dialogs closes, the words of
// every result a run can end with, and the keyboard shortcuts.

#include <QKeySequence>
#include <QRadioButton>

#include "WindowFixture.h"
#include "text/Slots.h"

namespace brelker {
namespace {

using DialogSeamTest = WindowFixture;
using Lines = std::vector<std::string>;

TEST_F(DialogSeamTest, EveryCommandWithAShortcutHasTheOneTheHelpNames) {
    Start();
    const std::map<std::string, std::string> expected = {{"ChooseSplitAFile", "Ctrl+A"},
                                                         {"FindPlaceToSmallFiles", "Ctrl+B"},
                                                         {"DoSplit", "Ctrl+S"},
                                                         {"CreateUnbrelkerFile", "Ctrl+R"},
                                                         {"JoinFiles", "Ctrl+D"},
                                                         {"FindPlaceToBigFile", "Ctrl+E"},
                                                         {"DoJoin", "Ctrl+J"},
                                                         {"Verify", "Ctrl+K"},
                                                         {"Exit", "Ctrl+Q"},
                                                         {"MemoryUsage", "Ctrl+M"},
                                                         {"Hint", "Ctrl+H"}};
    std::map<std::string, std::string> found;
    for (const QAction* action : window->findChildren<QAction*>()) {
        if (!action->shortcut().isEmpty()) {
            found[action->objectName().toStdString()] =
                action->shortcut().toString(QKeySequence::PortableText).toStdString();
        }
    }
    EXPECT_EQ(found, expected);
}

TEST_F(DialogSeamTest, SavedMemoryLimitsAreStoredAndCancelledOnesAreNot) {
    Start();
    dialogs.memorySteps.push_back([](MemoryModel& memory) {
        memory.SetMaxFromFileText("30");
        memory.SetMaxFromRAMText("40");
        return true;
    });
    Click("MemoryUsage");
    dialogs.memorySteps.push_back([](MemoryModel& memory) {
        memory.SetMaxFromFileText("5");
        return false;
    });
    Click("MemoryUsage");
    EXPECT_EQ(dialogs.dialogsRun, (Lines{"TMemory", "TMemory"}));
    EXPECT_EQ(store.Read(settings::MaxFromFile), 30);
    EXPECT_EQ(store.Read(settings::MaxFromRAM), 40);
}

TEST_F(DialogSeamTest, ANewSuffixRenamesThePiecesAndTheFiltersAndAForbiddenOneIsNotStored) {
    Start();
    ChooseBigFile(PatternBytes(100'000));
    dialogs.suffixSteps.push_back([](SuffixModel& suffix) {
        suffix.SetText(".part");
        return true;
    });
    Click("ChooseFiletype");
    EXPECT_EQ(Caption("SmallFileNames"), folder / "pieces/data.bin.part*");
    Click("JoinFiles");
    EXPECT_TRUE(dialogs.asked.back().filter.ends_with("|*.part1")) << dialogs.asked.back().filter;

    dialogs.suffixSteps.push_back([](SuffixModel& suffix) {
        suffix.SetText("a*b");
        return true;
    });
    Click("ChooseFiletype");
    EXPECT_EQ(store.Read(settings::AddedFileType), ".part");
    EXPECT_EQ(Caption("SmallFileNames"), folder / "pieces/data.bin.part*");
}

TEST_F(DialogSeamTest, ANewBaseSizeIsOfferedOnceTheEditorCloses) {
    Start();
    ChooseBigFile(PatternBytes(100'000));
    const int before = Find<QComboBox>("CBBaseSize")->count();
    dialogs.baseSizeSteps.push_back([](BaseSizeModel& editor) {
        editor.SetDescription("Stick");
        editor.SetSizeText("4000000");
        editor.AddNew();
        return false;
    });
    Click("ApplyBaseSize");
    EXPECT_EQ(dialogs.dialogsRun.back(), "TFrmBaseSize");
    ASSERT_EQ(Find<QComboBox>("CBBaseSize")->count(), before + 1);
    EXPECT_EQ(Find<QComboBox>("CBBaseSize")->itemText(before).toStdString(), "Stick");
}

TEST_F(DialogSeamTest, TheManualsFileGoesToTheViewerFromTheFolderOfTheLastChoice) {
    Start();
    ChooseBigFile(PatternBytes(10));
    std::vector<std::string> viewed;
    platform.viewer = [&viewed](const std::string& path) { viewed.push_back(path); };
    dialogs.helpSteps.push_back([](HelpFileModel& help) { return help.ShowAsFile(); });
    Click("Hint");
    EXPECT_EQ(dialogs.dialogsRun, Lines{"TfrmHint"});
    ASSERT_EQ(viewed.size(), 1u);
    EXPECT_TRUE(viewed[0].ends_with("/The File Brelker_How It Works.TXT"));
    EXPECT_FALSE(viewed[0].starts_with(folder / ""));
}

TEST_F(DialogSeamTest, InformationOnFileWithNothingToShowTheFileSaysSoInAMessageBox) {
    Start();
    ChooseBigFile(PatternBytes(10));
    // No viewer on this computer, and no handler of the desktop's takes the file.
    platform.viewerStarts = false;
    struct NoHandler : FileOpener {
        bool Open(const std::string&) override { return false; }
    } desktop;
    std::string file;
    dialogs.helpSteps.push_back([&desktop, &file](HelpFileModel& help) {
        file = help.FilePath();
        return help.ShowAsFile(&desktop);
    });
    Click("Hint");
    EXPECT_EQ(dialogs.Texts(),
              Lines{"Nothing on this computer can show " + file + ". / Information On File"});
    EXPECT_EQ(dialogs.shown.front().icon, MessageIcon::Warning);
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(DialogSeamTest, ThePlansDecisionsAreWordedByTheWindow) {
    store.Write(settings::BaseSizes, 1);
    store.Write(settings::BaseSizeIndex, 0);
    store.WriteStringSetting(subkey::BaseSize, "BaseSizeValue_0", "1");
    Start();
    ChooseBigFile(PatternBytes(40'000));
    EXPECT_EQ(dialogs.Texts(),
              Lines{"Choose a bigger Base Size, otherwise too many files have to be created / "
                    "Too many files!"});
    EXPECT_EQ(Status(1), "Too many files!");
    EXPECT_EQ(Caption("lblNrFiles"), "");

    dialogs.shown.clear();
    ChooseBigFile(PatternBytes(3));
    EXPECT_EQ(Caption("lblNrFiles"), "Nr. of files: 3");
    for (const char* typed : {"abc", "4"}) {
        Find<QListWidget>("SmallerSizesLB")->clearSelection();
        Find<QListWidget>("SmallerSizesLB")->setCurrentRow(0);
        Find<QLineEdit>("txtNewSize")->setText(QLatin1String(typed));
        Click("ApplyNewSize");
    }
    EXPECT_EQ(dialogs.Texts(),
              (Lines{"The program ignored the new size / The new size can not be used!",
                     "The program chose to apply the base size instead / Too Big New Size!"}));
    Find<QRadioButton>("rbSizeFree")->click();
    EXPECT_EQ(Find<QWidget>("ActualSizeGB")->toolTip().toStdString(),
              "The * in the names is an integer from 1 to ?");
}

TEST_F(DialogSeamTest, JoinFailuresNameWhatWentWrong) {
    Start();
    const std::string stem = folder / "pieces/song.mp3";
    WriteFile(Piece(stem, 1), "la ");
    WriteFile(Piece(stem, 2), "laa");
    dialogs.paths.push_back(Piece(stem, 1));
    Click("JoinFiles");
    platform.unreadable = {Piece(stem, 2)};
    Click("DoJoin");
    platform.unreadable.clear();
    dialogs.paths.push_back(Piece(stem, 1));
    Click("JoinFiles");
    std::filesystem::create_directory(folder / "pieces/song.mp3");
    Click("DoJoin");
    // The piece is named with the system's reason, whatever the fake left as the last error.
    ASSERT_EQ(dialogs.Texts().size(), 2u);
    EXPECT_TRUE(dialogs.Texts()[0].starts_with("Could not read smaller file number: 2\nFile: " +
                                               Piece(stem, 2)));
    EXPECT_TRUE(dialogs.Texts()[0].ends_with(" / Abnormal termination!"));
    EXPECT_EQ(dialogs.Texts()[1], Text(slot::kNotARegularFile) + folder / "pieces/song.mp3" +
                                      " / Abnormal termination!");
}

}  // namespace
}  // namespace brelker
