#include "text/HelpLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

std::vector<std::string> LinesIn(int language) {
    TextTable table;
    table.Fill(".Brelked_");
    table.SetCurrentLanguage(language);
    return HelpLines(table);
}

std::ptrdiff_t IndexOf(const std::vector<std::string>& lines, const std::string& line) {
    const auto found = std::find(lines.begin(), lines.end(), line);
    return found == lines.end() ? -1 : found - lines.begin();
}

TEST(HelpLinesTest, EveryLanguageHasTheSameNumberOfLinesAndBlankLines) {
    for (int language = 0; language < kLanguageCount; ++language) {
        const auto lines = LinesIn(language);
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(kHelpLineCount)) << language;
        // Twenty blank lines part the sections; slot 231 is empty in English and Swedish,
        // slot 305 in English.
        const int expected[] = {22, 21, 20};
        EXPECT_EQ(std::count(lines.begin(), lines.end(), ""), expected[language]) << language;
    }
}

TEST(HelpLinesTest, SectionsComeInTheirOrderEachAfterABlankLine) {
    const auto lines = LinesIn(kEnglish);
    const std::vector<std::string> headings = {
        "THE PROGRAM DOES THE FOLLOWING TWO THINGS",
        "TO SPLIT A FILE",
        "TO RESTORE A FILE",
        "TO CHOOSE SIZES OF THE SMALLER FILES",
        "MODIFY BASE SIZES",
        "USING THE HARD DISK VS DISKETTES",
        "THE PAUSE MENU",
        "THE MEMORY MENU",
        "THE ENDING MENU",
        "THE LANGUAGE MENU",
        "THE REMOVE FILE MENU",
        "OLD SETTINGS",
        "THE CONTENTS OF THE SMALLER FILES",
        "SHORT CUT COMBINATIONS",
        "SWITCHES TO CONTROL THE PROGRAM",
    };
    std::ptrdiff_t previous = -1;
    for (const std::string& heading : headings) {
        const std::ptrdiff_t at = IndexOf(lines, heading);
        ASSERT_GE(at, 0) << heading;
        EXPECT_GT(at, previous) << heading;
        if (at > 0) {
            EXPECT_EQ(lines[static_cast<std::size_t>(at - 1)], "") << heading;
        }
        previous = at;
    }
    EXPECT_EQ(previous, 143);
    EXPECT_EQ(lines.front(), headings.front());
}

TEST(HelpLinesTest, TheScriptNotesAreIndentedByFiveBlanks) {
    TextTable table;
    table.Fill(".Brelked_");
    const auto lines = HelpLines(table);
    const std::ptrdiff_t restore = IndexOf(lines, "TO RESTORE A FILE");
    ASSERT_GE(restore, 0);
    const auto at = static_cast<std::size_t>(restore);
    EXPECT_EQ(lines[at + 1], table.Entry(kEnglish, slot::kSelfUnitHelp));
    EXPECT_EQ(lines[at + 2], "     Before running this batch file, it has to be placed");
    EXPECT_EQ(lines[at + 5], "     file will also be placed at this directory.");
    EXPECT_EQ(lines[at + 6], "     " + table.Entry(kEnglish, slot::kProgramNotNeededHelp));
    EXPECT_EQ(lines[at + 7], "");
    EXPECT_EQ(lines[at + 8], table.Entry(kEnglish, slot::kRestoreWithProgramHelp));
}

TEST(HelpLinesTest, TheContentsSectionShowsAnEmptyLineBeforeTheExampleExceptInGerman) {
    for (int language = 0; language < kLanguageCount; ++language) {
        TextTable table;
        table.Fill(".Brelked_");
        table.SetCurrentLanguage(language);
        const auto lines = HelpLines(table);
        const std::ptrdiff_t example = IndexOf(lines, table.Entry(language, slot::kCopyExample));
        ASSERT_GT(example, 0) << language;
        EXPECT_EQ(lines[static_cast<std::size_t>(example - 1)].empty(), language != kGerman);
        EXPECT_EQ(lines[static_cast<std::size_t>(example + 1)],
                  table.Entry(kEnglish, slot::kCopyExampleCommand));
    }
}

TEST(HelpLinesTest, GermanShowsTheSwitchesInEnglishAndTheRestInGerman) {
    const auto english = LinesIn(kEnglish);
    const auto german = LinesIn(kGerman);
    const std::ptrdiff_t switches = IndexOf(german, "SWITCHES TO CONTROL THE PROGRAM (in English)");
    ASSERT_EQ(switches, IndexOf(english, "SWITCHES TO CONTROL THE PROGRAM"));
    for (std::size_t i = static_cast<std::size_t>(switches) + 1; i < english.size(); ++i) {
        EXPECT_EQ(german[i], english[i]) << i;
    }
    EXPECT_NE(german.front(), english.front());
    EXPECT_EQ(IndexOf(german, "   /selfunitfile=[drive:\\path\\filename]"), -1);
}

TEST(HelpLinesTest, FollowsTheSuffixOnlyWhereTheTableDoes) {
    TextTable table;
    table.Fill(".part");
    const auto lines = HelpLines(table);
    EXPECT_NE(IndexOf(lines, "Setup.exe.Brelked_1, Setup.exe.Brelked_2"), -1);
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find(".part"), std::string::npos) << line;
    }
}

}  // namespace
}  // namespace brelker
