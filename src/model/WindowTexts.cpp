// The window's captions and hints in the current language, and the texts that
// follow the job: the big file, the pieces' names and count, what the plan decided.

#include <tuple>

#include "model/ResultText.h"
#include "model/WindowModel.h"
#include "platform/Paths.h"
#include "settings/Settings.h"
#include "text/HelpLines.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

WindowTexts::Item Item(TextSlot captionSlot) { return {Text(captionSlot), std::string()}; }

WindowTexts::Item Item(TextSlot captionSlot, TextSlot hintSlot) {
    return {Text(captionSlot), Text(hintSlot)};
}

WindowTexts::Item Hinted(const std::string& caption, TextSlot hintSlot) {
    return {caption, Text(hintSlot)};
}

}  // namespace

void WindowModel::ApplyTexts() {
    WindowTexts texts;
    texts.title = Text(slot::kProgramName);
    const auto command = [&texts](Command item) -> WindowTexts::Item& {
        return texts.commands[Index(item)];
    };
    command(Command::ChooseSplitAFile) = Item(slot::kChooseSplitFile, slot::kChooseSplitFileHint);
    command(Command::FindPlaceToSmallFiles) =
        Item(slot::kFindSmallFilesPlace, slot::kFindSmallFilesPlaceHint);
    command(Command::DoSplit) = Item(slot::kDoSplit, slot::kDoSplitHint);
    command(Command::CreateUnbrelkerFile) =
        Hinted("&" + Text(slot::kCreateSelfUnit), slot::kCreateSelfUnitHint);
    command(Command::JoinFiles) = Item(slot::kChooseJoinFile, slot::kChooseJoinFileHint);
    command(Command::FindPlaceToBigFile) =
        Item(slot::kFindBigFilePlace, slot::kFindBigFilePlaceHint);
    command(Command::DoJoin) = Item(slot::kDoJoin, slot::kDoJoinHint);
    command(Command::Verify) = Hinted(Text(slot::kVerifySeries) + "...", slot::kVerifySeriesHint);
    command(Command::ClearRegistry) = Item(slot::kResetSettings, slot::kResetSettingsHint);
    command(Command::Exit) = Item(slot::kExit, slot::kExitHint);
    command(Command::ChangeAlways) = Item(slot::kPauseAlways, slot::kPauseHint);
    // Floppies are drives A: and B: on Windows only; elsewhere they are mount points.
    command(Command::ChangeSometimes) =
        Item(kThisHelpSystem == HelpSystem::Windows ? slot::kPauseSometimes : slot::kPauseFloppies,
             slot::kPauseHint);
    command(Command::ChangeNever) = Item(slot::kPauseNever, slot::kPauseHint);
    command(Command::MemoryUsage) =
        Hinted("&" + Text(slot::kMemoryUsage) + "...", slot::kMemoryUsageHint);
    command(Command::LanguageEnglish) = Item(slot::kEnglishItem, slot::kLanguageHint);
    command(Command::LanguageSwedish) = Item(slot::kSwedishItem, slot::kLanguageHint);
    command(Command::LanguageGerman) = Item(slot::kGermanItem);
    command(Command::ChooseFiletype) =
        Hinted("&" + Text(slot::kChangeSuffix) + "...", slot::kChangeSuffixHint);
    command(Command::RemoveSmall) = Item(slot::kRemoveSmallFiles, slot::kRemoveFilesHint);
    command(Command::RemoveBig) = Item(slot::kRemoveBigFile, slot::kRemoveFilesHint);
    command(Command::RemoveSelf) = Item(slot::kRemoveSelfUnit, slot::kRemoveFilesHint);
    command(Command::EraseFloppies) = Item(slot::kEraseFloppies, slot::kRemoveFilesHint);
    command(Command::WriteChecksums) = Item(slot::kWriteChecksumFile, slot::kWriteChecksumFileHint);
    command(Command::Extract) = {Text(slot::kExtractOrAppend) + "...", std::string()};
    command(Command::Hint) = Hinted(Text(slot::kHowItWorks) + "...", slot::kHowItWorksHint);
    command(Command::Stop) = {std::string(), Text(slot::kPauseButtonHint)};
    texts.howItWorksButton = StripAccelerator(Text(slot::kHowItWorks));
    texts.howItWorksButtonHint =
        Text(slot::kHowItWorksShortHint) + "|" + Text(slot::kHowItWorksHint);

    texts.menus = {Text(slot::kFileMenu),     Text(slot::kPauseMenu),   Text(slot::kMemoryMenu),
                   Text(slot::kLanguageMenu), Text(slot::kOptionsMenu), Text(slot::kHelpMenu)};

    texts.bigFileGroup = Item(slot::kBigFile, slot::kSizeUnitHint);
    texts.bigFileNameLabel = Item(slot::kBigFileName);
    texts.bigFileSizeLabel = Item(slot::kBigFileSize);
    texts.smallFilesGroup = Item(slot::kSmallerFiles);
    texts.pieceNamesLabel = Item(slot::kSmallFileNames);
    texts.baseSizeHeadline = Item(slot::kBaseSize);
    texts.baseSizeBox = {std::string(), Text(slot::kBaseSizeHint)};
    texts.applyBaseSize = Item(slot::kModifyBaseSizes, slot::kModifyBaseSizesHint);
    texts.useBaseSize = Item(slot::kUseBaseSize);
    texts.useFreeSpace = Item(slot::kUseFreeSpace);
    std::tie(texts.sizeListHeadline, texts.sizeList) = SizeListTexts();
    texts.newSizeLabel = Item(slot::kNewSize);
    texts.newSize = {std::string(), Text(slot::kNewSizeHint)};
    texts.applyNewSize = Item(slot::kApplyNewSize, slot::kApplyNewSizeHint);
    texts.progress = {std::string(), Text(slot::kProgressHint)};
    view_.ApplyTexts(texts);
    WordFileCount();
    ShowModesNote();
    view_.ShowEditedPiece(Text(slot::kFileNumber));
}

// The size list's heading and hint say what it lists.
std::pair<WindowTexts::Item, WindowTexts::Item> WindowModel::SizeListTexts() const {
    if (sizeListMode_ == SizeListMode::VerifyResults) {
        return {Item(slot::kVerifyResultsHeading), {std::string(), Text(slot::kVerifyResultsHint)}};
    }
    return {Item(slot::kIndividualSizes), {std::string(), Text(slot::kSizeListHint)}};
}

void WindowModel::SetSizeListMode(SizeListMode mode) {
    if (mode == sizeListMode_) {
        return;
    }
    sizeListMode_ = mode;
    if (mode == SizeListMode::PieceSizes) {
        verifyReport_ = {};
    }
    const auto [heading, list] = SizeListTexts();
    view_.ShowSizeListHeading(heading.caption, list.hint);
}

// The end of a Verify: every file that is not OK by name (the first ten; the
// list shows them all), and the counts.
std::string WindowModel::VerifyMessage() const {
    constexpr std::size_t kNamedAtMost = 10;
    const std::string checksumFile = BareFileName(verifyReport_.checksumFile);
    if (VerifyPassed(verifyReport_)) {
        return TextWith(slot::kVerifyAllOk, {checksumFile}) + "\n\n" + VerifySummary(verifyReport_);
    }
    std::string text = TextWith(slot::kVerifyNotAllOk, {checksumFile});
    std::size_t named = 0;
    std::size_t unnamed = 0;
    for (const VerifyReport::Entry& entry : verifyReport_.entries) {
        if (entry.state == CheckState::Ok) {
            continue;
        }
        if (named < kNamedAtMost) {
            text += "\n" + VerifyLine(entry);
            ++named;
        } else {
            ++unnamed;
        }
    }
    if (unnamed > 0) {
        text += "\n" + TextWith(slot::kVerifyMoreLines, {std::to_string(unnamed)});
    }
    return text + "\n\n" + VerifySummary(verifyReport_);
}

void WindowModel::ShowFileCount(std::optional<int> count) {
    shownCount_ = count;
    WordFileCount();
}

// lblNrFiles and the hint of the pieces' group: "Nr. of files: 3" and "... 1 to
// 3", nothing, or in free-space mode a "?" for a count the split finds out.
void WindowModel::WordFileCount() {
    std::string label;
    std::string hint;
    if (shownCount_ == kUnknownPieceCount) {
        hint = shownBigFile_.empty() ? std::string() : Text(slot::kPieceIndexRange) + "?";
    } else if (shownCount_) {
        label = Text(slot::kFileCount) + std::to_string(*shownCount_);
        hint = Text(slot::kPieceIndexRange) + std::to_string(*shownCount_);
    }
    view_.ShowPieceCount(label);
    view_.SetPiecesGroupHint(hint);
}

// Extraction and appending change what a split or join writes; while either
// is on the pieces' group says so, as the options that set them are a dialog
// away.
void WindowModel::ShowModesNote() {
    std::string note;
    if (job_.ExtractActive) {
        note = TextWith(slot::kExtractionOnNote,
                        {std::to_string(job_.ExtractCount), std::to_string(job_.ExtractSkip)});
    }
    if (job_.AppendActive) {
        note += (note.empty() ? "" : " \u00b7 ") + Text(slot::kAppendingOnNote);
    }
    view_.ShowModesNote(note);
}

// SmallFileNames: the pieces' stem, the suffix and "*" for the number.
void WindowModel::ShowPieceNames() {
    view_.ShowPieceNames(job_.SmallFilesBase + options_.Suffix + "*");
}

void WindowModel::ShowBigFileName() {
    shownBigFile_ = job_.BigFilePath;
    view_.ShowBigFileName(shownBigFile_);
}

void WindowModel::ShowPlanOutcome(PlanOutcome outcome) {
    switch (outcome) {
        case PlanOutcome::Replanned:
            ShowMessage(Text(slot::kBaseSizeAppliedInstead), Text(slot::kTooBigNewSize),
                        MessageIcon::Warning);
            break;
        case PlanOutcome::TooManyPieces:
            ShowMessage(Text(slot::kChooseBiggerBaseSize), Text(slot::kTooManyFiles),
                        MessageIcon::Warning);
            break;
        case PlanOutcome::NewSizeIgnored:
            ShowMessage(Text(slot::kNewSizeIgnored), Text(slot::kNewSizeUnusable),
                        MessageIcon::Warning);
            break;
        case PlanOutcome::Planned:
            break;
    }
}

}  // namespace brelker
