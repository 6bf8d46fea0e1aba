#include "text/TextTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "text/Encoding.h"
#include "text/Slots.h"
#include "text/TextSources.h"

namespace brelker {
namespace {

constexpr std::string_view kSuffix = ".Brelked_";

std::set<int> ReservedSlots() {
    std::set<int> slots = {15, 16, 73, 116, 177, 178, 195, 229, 320, 365};
    const std::vector<std::pair<int, int>> runs = {{75, 82},   {96, 100},  {102, 109}, {201, 208},
                                                   {222, 226}, {232, 237}, {240, 251}, {296, 302}};
    for (const auto& [first, last] : runs) {
        for (int slot = first; slot <= last; ++slot) {
            slots.insert(slot);
        }
    }
    return slots;
}

// Slots whose text is empty by design in one language.
bool EmptyByDesign(int language, int slot) {
    if (slot == slot::kItShouldBeEnd.number || slot == 231) {
        return language != kGerman;
    }
    if (slot == 305) {
        return language == kEnglish;
    }
    return slot == slot::kSelfUnitSwitchHelp.number && language != kEnglish;
}

class TextTableTest : public ::testing::Test {
protected:
    void SetUp() override { table.Fill(kSuffix); }
    TextTable table;
};

TEST_F(TextTableTest, KeepsTheTextsThatAreFixedInEveryLanguage) {
    struct Row {
        TextSlot slot;
        std::string english, swedish, german;
    };
    const std::vector<Row> rows = {
        {slot::kFileMenu, "&File", "&Arkiv", "&Datei"},
        {slot::kDoSplit, "&Split the file", "&Dela upp filen", "&Teile die Datei auf"},
        {slot::kFileNumber, "File Number ", "Filnummer ", "Dateinummer "},
        {slot::kAbnormalTermination, "Abnormal termination!", "Avbrott!", "Unterbrechung!"},
        {slot::kSelfUnitCreated, "Self-uniting file created", "Självåterskapande fil skapad",
         "Selbstherst. Datei entwickelt"},
        {slot::kItShouldBeEnd, "", "", " sein"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(table.Entry(kEnglish, row.slot), row.english) << row.slot.number;
        EXPECT_EQ(table.Entry(kSwedish, row.slot), row.swedish) << row.slot.number;
        EXPECT_EQ(table.Entry(kGerman, row.slot), row.german) << row.slot.number;
    }
    EXPECT_EQ(table.Entry(kEnglish, slot::kProgramName), "The File Brelker");
}

TEST_F(TextTableTest, ComposedSlotsAreBuiltFromTheirOwnLanguage) {
    for (int language = 0; language < kLanguageCount; ++language) {
        SCOPED_TRACE(language);
        const auto text = [&](TextSlot slot) { return table.Entry(language, slot); };
        const auto stripped = [&](TextSlot slot) { return StripAccelerator(text(slot)); };

        const std::vector<std::pair<TextSlot, TextSlot>> hints = {
            {slot::kChooseSplitFileHint, slot::kChooseSplitFile},
            {slot::kDoSplitHint, slot::kDoSplit},
            {slot::kChooseJoinFileHint, slot::kChooseJoinFile},
            {slot::kDoJoinHint, slot::kDoJoin},
            {slot::kFindSmallFilesPlaceHint, slot::kFindSmallFilesPlace},
            {slot::kFindBigFilePlaceHint, slot::kFindBigFilePlace}};
        for (const auto& [hint, caption] : hints) {
            const std::string prefix = stripped(caption) + "|";
            EXPECT_TRUE(text(hint).starts_with(prefix)) << hint.number;
            EXPECT_GT(text(hint).size(), prefix.size()) << hint.number;
        }
        EXPECT_EQ(text(slot::kChooseSplitFileTitle), stripped(slot::kChooseSplitFile));
        EXPECT_EQ(text(slot::kHowItWorksTitle), stripped(slot::kHowItWorks));
        EXPECT_EQ(text(slot::kCreateSelfUnitHint),
                  text(slot::kCreateSelfUnit) + "|" + text(slot::kCreateSelfUnit));
        EXPECT_TRUE(
            text(slot::kWhenReadyModify).ends_with("'" + text(slot::kModifyBaseSizes) + "'"));
        EXPECT_GT(text(slot::kWhenReadyModify).size(), text(slot::kModifyBaseSizes).size() + 2);

        // The help's shortcut lines name the key as the menus do: Strg in German.
        const std::string key = " [" + text(slot::kControlKey) + "]+[";
        EXPECT_EQ(text(slot::kControlKey), language == kGerman ? "Strg" : "Ctrl");
        const std::vector<std::pair<std::string, TextSlot>> shortcuts = {
            {"A", slot::kChooseSplitFile}, {"B", slot::kFindSmallFilesPlace}, {"S", slot::kDoSplit},
            {"D", slot::kChooseJoinFile},  {"E", slot::kFindBigFilePlace},    {"J", slot::kDoJoin},
            {"R", slot::kCreateSelfUnit}};
        for (std::size_t i = 0; i < shortcuts.size(); ++i) {
            EXPECT_EQ(text(TextSlot(slot::kShortcutsFirst.number + static_cast<int>(i))),
                      key + shortcuts[i].first + "]  " + stripped(shortcuts[i].second));
        }
        const std::vector<std::pair<std::string, std::string>> added = {
            {"K", stripped(slot::kVerifySeries)},
            {"M", text(slot::kMemoryUsage)},
            {"H", stripped(slot::kHowItWorks)}};
        for (std::size_t i = 0; i < added.size(); ++i) {
            EXPECT_EQ(text(TextSlot(slot::kHelpNewShortcutsFirst.number + static_cast<int>(i))),
                      key + added[i].first + "]  " + added[i].second);
        }
        const std::string exitWord[] = {"Exit", "Avsluta", "Beende"};
        EXPECT_EQ(text(slot::kShortcutExit),
                  key + "Q]  " + exitWord[language] + " " + text(slot::kProgramName));

        // The program title stands inside a sentence, with words on both sides.
        for (const TextSlot slot : {slot::kRestoreWithProgramHelp, slot::kProgramNotNeededHelp}) {
            const auto at = text(slot).find(text(slot::kProgramName));
            ASSERT_NE(at, std::string::npos) << slot.number;
            EXPECT_GT(at, 0u) << slot.number;
            EXPECT_LT(at + text(slot::kProgramName).size(), text(slot).size()) << slot.number;
        }
        if (language != kGerman) {
            EXPECT_NE(text(slot::kResetSettingsHelp).find(stripped(slot::kFileMenu)),
                      std::string::npos);
        }

        EXPECT_TRUE(text(slot::kPieceFilter).ends_with(" (*.Brelked_1)|*.Brelked_1"))
            << text(slot::kPieceFilter);
        EXPECT_TRUE(text(slot::kSuffixFilter).ends_with(": .Brelked_*|*.*"))
            << text(slot::kSuffixFilter);
    }
    EXPECT_EQ(table.Entry(kEnglish, slot::kPieceFilter), "Split Files (*.Brelked_1)|*.Brelked_1");
    EXPECT_EQ(table.Entry(kEnglish, slot::kSuffixFilter),
              "Will be added at the end: .Brelked_*|*.*");
    EXPECT_EQ(table.Entry(kEnglish, slot::kWhenReadyModify),
              "When ready, hit the 'Modify Base Sizes'");
    EXPECT_EQ(table.Entry(kEnglish, slot::kChooseSplitFileHint),
              "Select a file to be split|Select a file that will be split into smaller files");
}

TEST_F(TextTableTest, ANewSuffixChangesOnlyTheTwoFileFilters) {
    TextTable other;
    other.Fill(".part");
    for (int language = 0; language < kLanguageCount; ++language) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (slot == slot::kPieceFilter.number || slot == slot::kSuffixFilter.number) {
                EXPECT_NE(other.Entry(language, slot), table.Entry(language, slot));
                EXPECT_NE(other.Entry(language, slot).find(".part"), std::string::npos);
                EXPECT_EQ(other.Entry(language, slot).find(kSuffix), std::string::npos);
            } else {
                EXPECT_EQ(other.Entry(language, slot), table.Entry(language, slot))
                    << language << "/" << slot;
            }
        }
    }
    // Refilling the same table leaves nothing of the earlier suffix.
    table.Fill(".part");
    EXPECT_EQ(table.Entry(kGerman, slot::kPieceFilter), other.Entry(kGerman, slot::kPieceFilter));
    EXPECT_EQ(table.Entry(kSwedish, slot::kSuffixFilter),
              other.Entry(kSwedish, slot::kSuffixFilter));
}

TEST_F(TextTableTest, GermanShowsTheCommandLineHelpInEnglish) {
    EXPECT_EQ(table.Entry(kGerman, slot::kSwitchesFirst),
              "SWITCHES TO CONTROL THE PROGRAM (in English)");
    for (int slot = slot::kSwitchesFirst.number + 1; slot <= slot::kSwitchesLast.number; ++slot) {
        EXPECT_EQ(table.Entry(kGerman, slot), table.Entry(kEnglish, slot)) << slot;
    }
    // Swedish translates that part, except the example command line of slot 307.
    EXPECT_NE(table.Entry(kSwedish, slot::kSwitchesFirst),
              table.Entry(kEnglish, slot::kSwitchesFirst));
    EXPECT_EQ(table.Entry(kSwedish, slot::kCopyExampleCommand),
              table.Entry(kEnglish, slot::kCopyExampleCommand));
    EXPECT_EQ(table.Entry(kEnglish, slot::kCopyExampleCommand),
              "C:\\>copy/b Picture.bmp.Brelked_1 + Picture.bmp.Brelked_2 Picture.bmp");
}

TEST_F(TextTableTest, EveryAssignedSlotIsFilledAndTheRestStaysEmpty) {
    const std::set<int> reserved = ReservedSlots();
    for (int language = 0; language < kLanguageCount; ++language) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (slot >= 370) {
                // Texts added later exist in every language or in none.
                EXPECT_EQ(table.Entry(language, slot).empty(), table.Entry(kEnglish, slot).empty())
                    << language << "/" << slot;
                continue;
            }
            const bool empty = reserved.contains(slot) || EmptyByDesign(language, slot);
            EXPECT_EQ(table.Entry(language, slot).empty(), empty) << language << "/" << slot;
        }
    }
    EXPECT_EQ(table.Entry(kEnglish, slot::kSelfUnitSwitchHelp),
              "   /selfunitfile=[drive:\\path\\filename]");
}

TEST_F(TextTableTest, EveryTextIsOneLineAndFitsBothFilePages) {
    for (int language = 0; language < kLanguageCount; ++language) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const std::string& text = table.Entry(language, slot);
            EXPECT_EQ(text.find_first_of("\t\r\n"), std::string::npos) << language << "/" << slot;
            EXPECT_TRUE(EncodeText(text, CodePage::Windows1252)) << language << "/" << slot;
            EXPECT_TRUE(EncodeText(text, CodePage::Oem850)) << language << "/" << slot;
            EXPECT_EQ(text.find('{'), std::string::npos) << "unexpanded marker in " << text;
        }
    }
}

TEST_F(TextTableTest, TextsEchoedByTheRestoreScriptNeedNoEscaping) {
    for (int language = 0; language < kLanguageCount; ++language) {
        for (const int slot : {38, 71, 72, 85, 254, 259, 261, 262, 263, 264, 266, 267, 268}) {
            EXPECT_EQ(table.Entry(language, slot).find_first_of("&|<>^%\""), std::string::npos)
                << language << "/" << slot;
        }
    }
}

TEST_F(TextTableTest, MenuCaptionsCarryOneAccelerator) {
    // Items whose caption the window prefixes with "&" count with their first letter.
    struct Item {
        int slot;
        bool prefixed;
    };
    // Where a menu's letters are distinct in English, a translation keeps them distinct;
    // the File and Options menus repeat letters in every language, as they always did.
    struct Menu {
        std::vector<Item> items;
        bool distinct;
    };
    const std::vector<Menu> menus = {
        {{{0, false}, {146, false}, {9, false}, {6, false}, {346, false}, {14, false}}, true},
        {{{1, false},
          {60, false},
          {2, false},
          {253, true},
          {3, false},
          {62, false},
          {4, false},
          {5, false}},
         false},
        {{{147, false}, {148, false}, {149, false}}, true},
        {{{10, true}}, true},
        {{{7, false}, {8, false}, {252, false}}, true},
        {{{213, true}, {270, false}, {271, false}, {349, false}}, false},
        {{{118, false}}, true},
    };
    for (int language = 0; language < kLanguageCount; ++language) {
        for (const Menu& menu : menus) {
            std::set<char> letters;
            for (const Item& item : menu.items) {
                const std::string caption =
                    (item.prefixed ? "&" : "") + table.Entry(language, item.slot);
                ASSERT_EQ(std::count(caption.begin(), caption.end(), '&'), 1)
                    << language << "/" << item.slot << ": " << caption;
                const auto amp = caption.find('&');
                ASSERT_LT(amp + 1, caption.size());
                const auto letter = static_cast<unsigned char>(caption[amp + 1]);
                EXPECT_NE(letter, ' ') << language << "/" << item.slot;
                const bool fresh = letters.insert(static_cast<char>(std::tolower(letter))).second;
                EXPECT_TRUE(fresh || !menu.distinct)
                    << "letter used twice in a menu: " << language << "/" << item.slot;
            }
        }
    }
}

TEST(TextSourcesTest, EveryLanguageListsItsSlotsOnceInRisingOrderAndComposesFromBelow) {
    for (const auto& sources : {EnglishSources(), SwedishSources(), GermanSources()}) {
        int previous = -1;
        for (const SlotSource& source : sources) {
            EXPECT_GT(source.slot, previous) << "slot out of order or twice: " << source.slot;
            previous = source.slot;
            // A marker must name a lower slot: slots are filled in rising order.
            for (auto open = source.text.find('{'); open != std::string_view::npos;
                 open = source.text.find('{', open + 1)) {
                const auto close = source.text.find('}', open);
                ASSERT_NE(close, std::string_view::npos) << source.slot;
                std::string marker(source.text.substr(open + 1, close - open - 1));
                if (marker == "suffix") {
                    continue;
                }
                if (marker.starts_with('&')) {
                    marker.erase(0, 1);
                }
                EXPECT_LT(std::stoi(marker), source.slot) << source.text;
            }
        }
    }
}

TEST(StripAcceleratorTest, RemovesOnlyTheFirstAmpersand) {
    EXPECT_EQ(StripAccelerator("E&xit"), "Exit");
    EXPECT_EQ(StripAccelerator("Select a &file to be restored"), "Select a file to be restored");
    EXPECT_EQ(StripAccelerator("A && B & C"), "A & B & C");
    EXPECT_EQ(StripAccelerator("no accelerator"), "no accelerator");
    EXPECT_EQ(StripAccelerator("&"), "");
    EXPECT_EQ(StripAccelerator(""), "");
}

TEST(ProgramTextsTest, ReadsTheCurrentLanguageAndEnglishForADamagedOne) {
    FillTextTable(kSuffix);
    SetCurrentLanguage(kSwedish);
    EXPECT_EQ(Text(slot::kFileMenu), "&Arkiv");
    SetCurrentLanguage(kGerman);
    EXPECT_EQ(Text(slot::kAbnormalTermination), "Unterbrechung!");
    for (const int damaged : {3, -1, 400, 1 << 30}) {
        SetCurrentLanguage(damaged);
        EXPECT_EQ(CurrentLanguage(), damaged);
        EXPECT_EQ(Text(slot::kFileMenu), "&File");
        EXPECT_EQ(Text(TextSlot(kSlotCount)), "");
    }
    SetCurrentLanguage(kEnglish);
    EXPECT_EQ(Text(TextSlot(-1)), "");
    EXPECT_EQ(Text(TextSlot(kSlotCount)), "");
    EXPECT_EQ(Text(slot::kProgramName), "The File Brelker");
}

TEST(ProgramTextsTest, ValuesTakeTheirMarksAndAreNeverSearchedForMoreMarks) {
    FillTextTable(kSuffix);
    SetCurrentLanguage(kEnglish);
    EXPECT_EQ(TextWith(slot::kReplaceExisting, {"50%2 %1.bin", "7"}),
              "50%2 %1.bin already exists (7 bytes). Replace it?");
    EXPECT_EQ(TextWith(slot::kReplaceExisting, {"%1"}),
              "%1 already exists (%2 bytes). Replace it?");
}

}  // namespace
}  // namespace brelker
