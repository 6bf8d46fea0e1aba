#include "text/HelpLines.h"

#include <array>

#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

// A run of consecutive slots; the blank run stands for one empty line.
struct HelpRun {
    int first;
    int last;
    bool indented;
};

constexpr HelpRun kBlank = {0, -1, false};
constexpr HelpRun Slots(TextSlot first, TextSlot last) {
    return {first.number, last.number, false};
}
constexpr HelpRun Indented(TextSlot first, TextSlot last) {
    return {first.number, last.number, true};
}

// The manual's order. Slots were numbered as texts were added over the years,
// so a section's lines are scattered over the table.
// clang-format off
constexpr std::array kHelpOrder = {
    // THE PROGRAM DOES THE FOLLOWING TWO THINGS
    Slots(slot::kHelpProgramFirst, slot::kHelpProgramLast),
    Slots(slot::kHelpRestoreTooFirst, slot::kHelpRestoreTooLast), kBlank,
    // TO SPLIT A FILE
    Slots(slot::kHelpSplitFirst, slot::kHelpSplitLast),
    Slots(slot::kHelpSelfUnitOfferFirst, slot::kHelpSelfUnitOfferLast), kBlank,
    // TO RESTORE A FILE
    Slots(slot::kHelpRestoreHeading, slot::kHelpRestoreHeading),
    Slots(slot::kSelfUnitHelp, slot::kSelfUnitHelp),
    Indented(slot::kSelfUnitPlacementFirst, slot::kSelfUnitPlacementLast),
    Indented(slot::kProgramNotNeededHelp, slot::kProgramNotNeededHelp), kBlank,
    Slots(slot::kRestoreWithProgramHelp, slot::kRestoreWithProgramHelp),
    Slots(slot::kHelpRestoreStepsFirst, slot::kHelpRestoreStepsLast), kBlank,
    // restoring with COPY
    Slots(slot::kHelpCopyFirst, slot::kHelpCopyLast), kBlank,
    // TO CHOOSE SIZES OF THE SMALLER FILES
    Slots(slot::kHelpSizesFirst, slot::kHelpSizesLast),
    Slots(slot::kHelpBaseSizeFirst, slot::kHelpBaseSizeLast),
    Slots(slot::kHelpSizeList, slot::kHelpSizeList),
    Slots(slot::kHelpEditSizeFirst, slot::kHelpEditSizeLast), kBlank,
    // MODIFY BASE SIZES
    Slots(slot::kHelpModifyFirst, slot::kHelpModifyLast), kBlank,
    // USING THE HARD DISK VS DISKETTES
    Slots(slot::kHelpDisksFirst, slot::kHelpDisksLast), kBlank,
    Slots(slot::kHelpDiskCountFirst, slot::kHelpDiskCountLast), kBlank,
    // THE PAUSE MENU
    Slots(slot::kHelpPauseFirst, slot::kHelpPauseLast),
    Slots(slot::kHelpPauseAnswerFirst, slot::kHelpPauseAnswerLast), kBlank,
    // THE MEMORY MENU
    Slots(slot::kHelpMemoryFirst, slot::kHelpMemoryLast),
    Slots(slot::kHelpBlockSizesFirst, slot::kHelpBlockSizesLast), kBlank,
    Slots(slot::kHelpBlocksServed, slot::kHelpBlocksServed), kBlank,
    Slots(slot::kHelpBigBlocksFirst, slot::kHelpBigBlocksLast),
    Slots(slot::kHelpLowerMemory, slot::kHelpLowerMemory), kBlank,
    // THE ENDING MENU
    Slots(slot::kHelpSuffixFirst, slot::kHelpSuffixLast), kBlank,
    // THE LANGUAGE MENU
    Slots(slot::kHelpLanguageFirst, slot::kHelpLanguageLast), kBlank,
    // THE REMOVE FILE MENU
    Slots(slot::kHelpRemoveFirst, slot::kHelpRemoveLast), kBlank,
    // OLD SETTINGS
    Slots(slot::kHelpSettingsFirst, slot::kHelpSettingsLast),
    Slots(slot::kHelpResetFirst, slot::kHelpResetLast), kBlank,
    // THE CONTENTS OF THE SMALLER FILES
    Slots(slot::kHelpContentsFirst, slot::kHelpContentsLast),
    Slots(slot::kHelpContentsGerman, slot::kHelpContentsGerman),
    Slots(slot::kCopyExample, slot::kHelpCopyExampleLast), kBlank,
    // SHORT CUT COMBINATIONS
    Slots(slot::kHelpShortcutsFirst, slot::kShortcutExit), kBlank,
    // SWITCHES TO CONTROL THE PROGRAM
    Slots(slot::kSwitchesFirst, slot::kHelpSwitchesTextLast), kBlank,
    Slots(slot::kHelpSwitchExampleFirst, slot::kSwitchesLast),
};
// clang-format on

constexpr int CountLines() {
    int count = 0;
    for (const HelpRun& run : kHelpOrder) {
        count += run.last < run.first ? 1 : run.last - run.first + 1;
    }
    return count;
}
static_assert(CountLines() == kHelpLineCount);

constexpr std::string_view kIndent = "     ";

}  // namespace

void EmitHelpLines(const TextTable& table, const std::function<void(const std::string&)>& emit) {
    for (const HelpRun& run : kHelpOrder) {
        if (run.last < run.first) {
            emit(std::string());
            continue;
        }
        for (int number = run.first; number <= run.last; ++number) {
            const std::string& text = table.Text(TextSlot(number));
            emit(run.indented ? std::string(kIndent) + text : text);
        }
    }
}

std::vector<std::string> HelpLines(const TextTable& table) {
    std::vector<std::string> lines;
    lines.reserve(kHelpLineCount);
    EmitHelpLines(table, [&lines](const std::string& line) { lines.push_back(line); });
    return lines;
}

}  // namespace brelker
