// The window's captions and hints in the current language, and the texts that
// follow the job: the big file, the pieces' names and count, what the plan decided.

#include <tuple>

#include "model/ResultText.h"
#include "model/WindowLogic.h"
#include "platform/Paths.h"
#include "settings/Settings.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

WindowTexts::Item Item(TextSlot captionSlot) { return {Text(captionSlot), std::string()}; }

WindowTexts::Item Item(TextSlot captionSlot, TextSlot hintSlot) {
    return {Text(captionSlot), Text(hintSlot)};
}

std::string OptionalText(TextSlot slot) { return slot == TextSlot(0) ? std::string() : Text(slot); }

std::string Caption(const CommandEntry& entry) {
    const std::string text = OptionalText(entry.caption);
    switch (entry.form) {
        case CaptionForm::Dots:
            return text + "...";
        case CaptionForm::Mnemonic:
            return "&" + text;
        case CaptionForm::MnemonicDots:
            return "&" + text + "...";
        case CaptionForm::Text:
            break;
    }
    return text;
}

}  // namespace

void WindowLogic::ApplyTexts() {
    WindowTexts texts;
    texts.title = Text(slot::kProgramName);
    for (const CommandEntry& entry : kCommandTable) {
        texts.commands[Index(entry.command)] = {Caption(entry), OptionalText(entry.hint)};
    }
    texts.howItWorksButton = StripAccelerator(Text(slot::kHowItWorks));
    texts.howItWorksButtonHint =
        Text(slot::kHowItWorksShortHint) + "|" + Text(slot::kHowItWorksHint);

    for (const MenuEntry& entry : kMenuTable) {
        texts.menus[Index(entry.menu)] = Text(entry.caption);
    }

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
    view_.states.ApplyTexts(texts);
    WordFileCount();
    ShowModesNote();
    view_.job.ShowEditedPiece(Text(slot::kFileNumber));
}

// The size list's heading and hint say what it lists.
std::pair<WindowTexts::Item, WindowTexts::Item> WindowLogic::SizeListTexts() const {
    if (sizeListMode_ == SizeListMode::VerifyResults) {
        return {Item(slot::kVerifyResultsHeading), {std::string(), Text(slot::kVerifyResultsHint)}};
    }
    return {Item(slot::kIndividualSizes), {std::string(), Text(slot::kSizeListHint)}};
}

void WindowLogic::SetSizeListMode(SizeListMode mode) {
    if (mode == sizeListMode_) {
        return;
    }
    sizeListMode_ = mode;
    if (mode == SizeListMode::PieceSizes) {
        verifyReport_ = {};
    }
    const auto [heading, list] = SizeListTexts();
    view_.sizes.ShowSizeListHeading(heading.caption, list.hint);
}

// The end of a Verify: every file that is not OK by name (the first ten; the
// list shows them all), and the counts.
std::string WindowLogic::VerifyMessage() const {
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

void WindowLogic::ShowFileCount(std::optional<int> count) {
    shownCount_ = count;
    WordFileCount();
}

// lblNrFiles and the hint of the pieces' group: "Nr. of files: 3" and "... 1 to
// 3", nothing, or in free-space mode a "?" for a count the split finds out.
void WindowLogic::WordFileCount() {
    std::string label;
    std::string hint;
    if (shownCount_ == kUnknownPieceCount) {
        hint = shownBigFile_.empty() ? std::string() : Text(slot::kPieceIndexRange) + "?";
    } else if (shownCount_) {
        label = Text(slot::kFileCount) + std::to_string(*shownCount_);
        hint = Text(slot::kPieceIndexRange) + std::to_string(*shownCount_);
    }
    view_.job.ShowPieceCount(label);
    view_.job.SetPiecesGroupHint(hint);
}

// Extraction and appending change what a split or join writes; while either
// is on the pieces' group says so, as the options that set them are a dialog
// away.
void WindowLogic::ShowModesNote() {
    std::string note;
    if (job_.ExtractActive) {
        note = TextWith(slot::kExtractionOnNote,
                        {std::to_string(job_.ExtractCount), std::to_string(job_.ExtractSkip)});
    }
    if (job_.AppendActive) {
        note += (note.empty() ? "" : " \u00b7 ") + Text(slot::kAppendingOnNote);
    }
    view_.job.ShowModesNote(note);
}

// SmallFileNames: the pieces' stem, the suffix and "*" for the number.
void WindowLogic::ShowPieceNames() {
    view_.job.ShowPieceNames(job_.SmallFilesBase + options_.Suffix + "*");
}

void WindowLogic::ShowBigFileName() {
    shownBigFile_ = job_.BigFilePath;
    view_.job.ShowBigFileName(shownBigFile_);
}

void WindowLogic::ShowPlanOutcome(PlanOutcome outcome) {
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
