#include "text/HelpLines.h"

#include <array>

#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

// A run of consecutive slots; the blank run stands for one empty line. A run
// that names other slots for POSIX systems shows those there, as many lines.
struct HelpRun {
    int first;
    int last;
    bool indented;
    int posixFirst = 0;
    int posixLast = -1;

    constexpr bool DiffersOnPosix() const { return posixLast >= posixFirst; }
    constexpr int Lines() const { return last < first ? 1 : last - first + 1; }
};

constexpr HelpRun kBlank = {0, -1, false};
constexpr HelpRun Slots(TextSlot first, TextSlot last) {
    return {first.number, last.number, false};
}
constexpr HelpRun Slots(TextSlot only) { return Slots(only, only); }
constexpr HelpRun Indented(TextSlot first, TextSlot last) {
    return {first.number, last.number, true};
}
constexpr HelpRun OrOnPosix(HelpRun windows, HelpRun posix) {
    windows.posixFirst = posix.first;
    windows.posixLast = posix.last;
    return windows;
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
    OrOnPosix(Slots(slot::kHelpSelfUnitOfferFirst, slot::kHelpSelfUnitOfferLast),
              Slots(slot::kHelpShellOfferFirst, slot::kHelpShellOfferLast)), kBlank,
    // TO RESTORE A FILE
    Slots(slot::kHelpRestoreHeading),
    Slots(slot::kSelfUnitHelp),
    OrOnPosix(Indented(slot::kSelfUnitPlacementFirst, slot::kSelfUnitPlacementLast),
              Indented(slot::kHelpShellPlacementFirst, slot::kHelpShellPlacementLast)),
    Indented(slot::kProgramNotNeededHelp, slot::kProgramNotNeededHelp), kBlank,
    Slots(slot::kRestoreWithProgramHelp),
    Slots(slot::kHelpRestoreStepsFirst, slot::kHelpRestoreStepsLast), kBlank,
    // restoring with COPY, or cat
    OrOnPosix(Slots(slot::kHelpCopyFirst, slot::kHelpCopyLast),
              Slots(slot::kHelpCatFirst, slot::kHelpCatLast)), kBlank,
    // VERIFYING A SERIES AND THE CHECKSUM FILE
    Slots(slot::kHelpVerifyFirst, slot::kHelpVerifyLast), kBlank,
    // THE SHELL SCRIPT
    Slots(slot::kHelpShellScriptFirst, slot::kHelpShellScriptLast), kBlank,
    // CONTINUING A RUN THAT STOPPED
    Slots(slot::kHelpResumeFirst, slot::kHelpResumeLast), kBlank,
    // TO CHOOSE SIZES OF THE SMALLER FILES
    Slots(slot::kHelpSizesFirst, slot::kHelpSizesLast),
    Slots(slot::kHelpBaseSizeFirst, slot::kHelpBaseSizeLast),
    Slots(slot::kHelpSizeList),
    Slots(slot::kHelpEditSizeFirst, slot::kHelpEditSizeLast), kBlank,
    // MODIFY BASE SIZES
    Slots(slot::kHelpModifyFirst, slot::kHelpModifyLast), kBlank,
    // USING THE HARD DISK VS DISKETTES
    Slots(slot::kHelpDisksFirst, slot::kHelpDisksLast), kBlank,
    Slots(slot::kHelpDiskCountFirst, slot::kHelpDiskCountLast), kBlank,
    // THE PAUSE MENU
    Slots(slot::kHelpPauseFirst, TextSlot(slot::kHelpPauseDrives.number - 1)),
    OrOnPosix(Slots(slot::kHelpPauseDrives), Slots(slot::kHelpPauseFloppies)),
    Slots(slot::kHelpPauseLast),
    Slots(slot::kHelpPauseAnswerFirst, slot::kHelpPauseAnswerLast), kBlank,
    // THE MEMORY MENU
    Slots(slot::kHelpMemoryFirst, slot::kHelpMemoryLast),
    Slots(slot::kHelpBlockSizesFirst, slot::kHelpBlockSizesLast), kBlank,
    Slots(slot::kHelpBlocksServed), kBlank,
    Slots(slot::kHelpBigBlocksFirst, slot::kHelpBigBlocksLast),
    Slots(slot::kHelpLowerMemory), kBlank,
    // THE ENDING MENU
    Slots(slot::kHelpSuffixFirst, slot::kHelpSuffixLast), kBlank,
    // THE LANGUAGE MENU
    Slots(slot::kHelpLanguageFirst, slot::kHelpLanguageLast), kBlank,
    // THE REMOVE FILE MENU
    Slots(slot::kHelpRemoveFirst, TextSlot(slot::kHelpRemoveErase.number - 1)),
    OrOnPosix(Slots(slot::kHelpRemoveErase), Slots(slot::kHelpEraseFloppies)),
    Slots(slot::kHelpRemoveLast), kBlank,
    // OLD SETTINGS
    Slots(slot::kHelpSettingsFirst, slot::kHelpSettingsLast),
    Slots(slot::kHelpResetFirst, slot::kHelpResetLast), kBlank,
    // THE CONTENTS OF THE SMALLER FILES
    Slots(slot::kHelpContentsFirst, TextSlot(slot::kHelpContentsCopy.number - 1)),
    OrOnPosix(Slots(slot::kHelpContentsCopy), Slots(slot::kHelpContentsCat)),
    Slots(slot::kHelpContentsGerman),
    Slots(slot::kCopyExample),
    OrOnPosix(Slots(slot::kCopyExampleCommand, slot::kHelpCopyExampleLast),
              Slots(slot::kCatExampleCommand, slot::kHelpCatExampleLast)), kBlank,
    // DRAG AND DROP
    Slots(slot::kHelpDropFirst, slot::kHelpDropLast), kBlank,
    // SHORT CUT COMBINATIONS
    Slots(slot::kHelpShortcutsFirst, TextSlot(slot::kShortcutExit.number - 1)),
    Slots(slot::kHelpNewShortcutsFirst, slot::kHelpNewShortcutsLast),
    Slots(slot::kShortcutExit), kBlank,
    // SWITCHES TO CONTROL THE PROGRAM
    Slots(slot::kSwitchesFirst, slot::kHelpSwitchesTextLast), kBlank,
    Slots(slot::kHelpSwitchExampleFirst, slot::kSwitchesLast), kBlank,
    // THE COMMAND LINE
    Slots(slot::kHelpCommandLineFirst, slot::kHelpCommandLineLast),
};
// clang-format on

constexpr int CountLines() {
    int count = 0;
    for (const HelpRun& run : kHelpOrder) {
        count += run.Lines();
    }
    return count;
}
static_assert(CountLines() == kHelpLineCount);

// Both systems' manuals have the same lines in the same places.
constexpr bool SameLengthOnPosix() {
    for (const HelpRun& run : kHelpOrder) {
        if (run.DiffersOnPosix() && run.posixLast - run.posixFirst != run.last - run.first) {
            return false;
        }
    }
    return true;
}
static_assert(SameLengthOnPosix());

constexpr std::string_view kIndent = "     ";

}  // namespace

void EmitHelpLines(const TextTable& table, HelpSystem system,
                   const std::function<void(const std::string&)>& emit) {
    for (const HelpRun& run : kHelpOrder) {
        if (run.last < run.first) {
            emit(std::string());
            continue;
        }
        const bool posix = system == HelpSystem::Posix && run.DiffersOnPosix();
        const int first = posix ? run.posixFirst : run.first;
        const int last = posix ? run.posixLast : run.last;
        for (int number = first; number <= last; ++number) {
            const std::string& text = table.Text(TextSlot(number));
            emit(run.indented ? std::string(kIndent) + text : text);
        }
    }
}

std::vector<std::string> HelpLines(const TextTable& table, HelpSystem system) {
    std::vector<std::string> lines;
    lines.reserve(kHelpLineCount);
    EmitHelpLines(table, system, [&lines](const std::string& line) { lines.push_back(line); });
    return lines;
}

}  // namespace brelker
