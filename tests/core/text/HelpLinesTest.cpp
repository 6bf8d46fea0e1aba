#include "text/HelpLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

std::vector<std::string> LinesIn(int language, HelpSystem system = HelpSystem::Windows) {
    TextTable table;
    table.Fill(".Brelked_");
    table.SetCurrentLanguage(language);
    return HelpLines(table, system);
}

std::ptrdiff_t IndexOf(const std::vector<std::string>& lines, const std::string& line) {
    const auto found = std::find(lines.begin(), lines.end(), line);
    return found == lines.end() ? -1 : found - lines.begin();
}

TEST(HelpLinesTest, EveryLanguageHasTheSameNumberOfLinesAndBlankLines) {
    for (const HelpSystem system : {HelpSystem::Windows, HelpSystem::Posix}) {
        for (int language = 0; language < kLanguageCount; ++language) {
            const auto lines = LinesIn(language, system);
            ASSERT_EQ(lines.size(), static_cast<std::size_t>(kHelpLineCount)) << language;
            // Twenty-five blank lines part the sections; slot 231 is empty in English and
            // Swedish, slot 305 in English.
            const int expected[] = {27, 26, 25};
            EXPECT_EQ(std::count(lines.begin(), lines.end(), ""), expected[language]) << language;
        }
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
        "DRAG AND DROP",
        "SHORT CUT COMBINATIONS",
        "SWITCHES TO CONTROL THE PROGRAM",
        "THE COMMAND LINE",
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
    EXPECT_EQ(previous, 205);
    EXPECT_EQ(lines.front(), headings.front());
}

TEST(HelpLinesTest, TheScriptNotesAreIndentedByFiveBlanks) {
    TextTable table;
    table.Fill(".Brelked_");
    const auto lines = HelpLines(table, HelpSystem::Windows);
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
        const auto lines = HelpLines(table, HelpSystem::Windows);
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
    const std::ptrdiff_t commandLine = IndexOf(english, "THE COMMAND LINE");
    ASSERT_GT(commandLine, switches);
    for (auto i = static_cast<std::size_t>(switches) + 1; i < static_cast<std::size_t>(commandLine);
         ++i) {
        EXPECT_EQ(german[i], english[i]) << i;
    }
    EXPECT_EQ(german[static_cast<std::size_t>(commandLine)], "DIE BEFEHLSZEILE");
    EXPECT_NE(german.front(), english.front());
    EXPECT_EQ(IndexOf(german, "   /selfunitfile=[drive:\\path\\filename]"), -1);
}

TEST(HelpLinesTest, TheSectionsOnLaterFeaturesAreInEveryLanguageEachAfterABlankLine) {
    TextTable table;
    table.Fill(".Brelked_");
    for (const HelpSystem system : {HelpSystem::Windows, HelpSystem::Posix}) {
        for (int language = 0; language < kLanguageCount; ++language) {
            table.SetCurrentLanguage(language);
            const auto lines = HelpLines(table, system);
            for (const TextSlot heading : {slot::kHelpVerifyFirst, slot::kHelpShellScriptFirst,
                                           slot::kHelpDropFirst, slot::kHelpCommandLineFirst}) {
                const std::string& text = table.Entry(language, heading);
                ASSERT_FALSE(text.empty()) << language << "/" << heading.number;
                if (language != kEnglish) {
                    EXPECT_NE(text, table.Entry(kEnglish, heading)) << language;
                }
                const std::ptrdiff_t at = IndexOf(lines, text);
                ASSERT_GT(at, 0) << text;
                EXPECT_EQ(lines[static_cast<std::size_t>(at - 1)], "") << text;
                EXPECT_FALSE(lines[static_cast<std::size_t>(at + 1)].empty()) << text;
            }
        }
    }
}

// The part of the manual from one heading to the next blank line after another.
std::string Part(const std::vector<std::string>& lines, const std::string& from,
                 const std::string& to) {
    const std::ptrdiff_t first = IndexOf(lines, from);
    const std::ptrdiff_t last = IndexOf(lines, to);
    EXPECT_GE(first, 0) << from;
    EXPECT_GT(last, first) << to;
    std::string part;
    for (std::ptrdiff_t i = std::max<std::ptrdiff_t>(first, 0); i < last; ++i) {
        part += lines[static_cast<std::size_t>(i)] + "\n";
    }
    return part;
}

TEST(HelpLinesTest, TheRestorePartNamesTheToolsOfItsSystem) {
    TextTable table;
    table.Fill(".Brelked_");
    for (int language = 0; language < kLanguageCount; ++language) {
        SCOPED_TRACE(language);
        table.SetCurrentLanguage(language);
        const std::string& split = table.Entry(language, slot::kHelpSplitFirst);
        const std::string& verify = table.Entry(language, slot::kHelpVerifyFirst);
        const std::string& batchOffer = table.Entry(language, slot::kHelpSelfUnitOfferLast);
        const std::string& temp = table.Entry(language, TextSlot(263));

        // Windows keeps the batch file run in a folder such as C:\TEMP, and COPY.
        const auto windows = HelpLines(table, HelpSystem::Windows);
        const std::string windowsPart = Part(windows, split, verify);
        EXPECT_NE(windowsPart.find(batchOffer), std::string::npos);
        EXPECT_NE(windowsPart.find("(" + temp.substr(temp.find('(') + 1)), std::string::npos);
        EXPECT_NE(windowsPart.find("C:\\TEMP"), std::string::npos);
        EXPECT_NE(IndexOf(windows, table.Entry(language, slot::kCopyExampleCommand)), -1);

        // Elsewhere the script is run with sh in a folder of the user's choice, and
        // the pieces are joined with cat; nothing names a drive letter's path.
        const auto posix = HelpLines(table, HelpSystem::Posix);
        const std::string posixPart = Part(posix, split, verify);
        EXPECT_NE(posixPart.find("sh SelfUnit.sh"), std::string::npos) << posixPart;
        EXPECT_EQ(posixPart.find(batchOffer), std::string::npos);
        for (const std::string& line : posix) {
            EXPECT_EQ(line.find("C:\\"), std::string::npos) << line;
            EXPECT_EQ(line.find("copy/b"), std::string::npos) << line;
        }
        EXPECT_NE(IndexOf(posix, table.Entry(language, slot::kCatExampleCommand)), -1);
        // The parts both systems share are the same lines in the same places.
        ASSERT_EQ(posix.size(), windows.size());
        EXPECT_EQ(posix.front(), windows.front());
        EXPECT_EQ(posix.back(), windows.back());
    }
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
