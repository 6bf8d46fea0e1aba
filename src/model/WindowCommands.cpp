// The split and join workflow of the main window: choosing files and places,
// running the engine with the busy state around it, and reporting its result.

#include <algorithm>
#include <utility>

#include "model/JobSetup.h"
#include "model/ResultText.h"
#include "model/StoppedRun.h"
#include "model/WindowLogic.h"
#include "platform/Paths.h"
#include "settings/Settings.h"
#include "text/Slots.h"
#include "text/TextTable.h"
#include "transfer/PieceNames.h"
#include "transfer/Series.h"

namespace brelker {
namespace {

LineMark MarkOf(CheckState state) {
    switch (state) {
        case CheckState::Ok:
            return LineMark::Ok;
        case CheckState::Failed:
            return LineMark::Failed;
        case CheckState::Missing:
            return LineMark::Missing;
        case CheckState::Unreadable:
            break;
    }
    return LineMark::Unreadable;
}

}  // namespace

TransferOptions WindowLogic::Options() const {
    TransferOptions options = options_;
    options.UseFreeSpace = plan_.UseFreeSpace;
    return options;
}

ScriptOptions WindowLogic::ScriptSettings() const {
    return {options_.Suffix, options_.RemoveSmallFiles, options_.RemoveSelfUnit};
}

bool WindowLogic::OnFloppy(const std::string& path) const {
    return platform_.FloppyRoot(path).has_value();
}

void WindowLogic::ChooseBigFile() {
    if (Busy()) {
        return;
    }
    const auto path = dialogs_.OpenFile(Text(slot::kChooseSplitFileTitle),
                                        Text(slot::kAllFilesFilter), SplitPath);
    if (!path) {
        SetStatus(Text(slot::kNoFileSelected));
        return;
    }
    if (!TakeUsableBigFile(*path)) {
        return;
    }
    BigFileChosen();
    if (job_.ExtractActive) {
        dialogs_.Message(Text(slot::kExtractionOff), Text(slot::kProgramName),
                         MessageIcon::Information, MessageButtons::Ok);
        job_.ExtractActive = false;
        ShowModesNote();
    }
}

// A file that cannot be split leaves the job as the window shows it: Split,
// if it is on, still splits the file named there.
bool WindowLogic::TakeUsableBigFile(const std::string& path) {
    const std::string shownPath = job_.BigFilePath;
    const std::int64_t shownBytes = job_.BigFileBytes;
    if (const UnusableFile why = TakeBigFile(job_, platform_, path); why != UnusableFile::None) {
        job_.BigFilePath = shownPath;
        job_.BigFileBytes = shownBytes;
        ReportFailure(UnusableFileText(why, path));
        return false;
    }
    return true;
}

void WindowLogic::BigFileChosen(bool plan) {
    // Verify's lines are about another series; a file of no bytes plans nothing to show.
    if (sizeListMode_ == SizeListMode::VerifyResults) {
        ClearSizeLines();
    }
    plan_.PlansASplit = true;
    ShowBigFileName();
    plan_.ShowBigFileSize(plan_.Unit);
    SplitPath = platform_.CurrentFolder();
    store_.WriteStringSetting(subkey::Path, settings::SplitPath, SplitPath);
    // The pieces go by default into the folder last used for pieces, under the big file's name.
    job_.SmallFilesBase = JoinFolder(JoinPath, BareFileName(job_.BigFilePath));
    if (plan) {
        const PlanOutcome outcome = plan_.CalculateSmallFileSizes(0);
        ShowPlanOutcome(outcome);
        if (outcome == PlanOutcome::TooManyPieces) {
            return;
        }
    }
    if (job_.BigFileBytes > 0) {
        ShowPieceNames();
        Arm(Armed::Split);
    }
    SetSelfUnitEnabled(false);
}

void WindowLogic::ChoosePiecesPlace() {
    if (Busy()) {
        return;
    }
    const auto path =
        dialogs_.SaveFile(Text(slot::kChooseSmallFilesPlace), Text(slot::kSuffixFilter), JoinPath,
                          BareFileName(job_.BigFilePath));
    if (path && *path != job_.SmallFilesBase) {
        SetStatus(Text(slot::kNewPlaceSelected));
        job_.SmallFilesBase = *path;
    }
    ShowPieceNames();
    JoinPath = platform_.CurrentFolder();
    store_.WriteStringSetting(subkey::Path, settings::JoinPath, JoinPath);
}

void WindowLogic::Split() {
    if (Busy()) {
        return;
    }
    const auto resume = AskToContinueStoppedRun(dialogs_, platform_, job_, options_.Suffix, true);
    if (!resume) {
        return;
    }
    const TransferResult result = RunWork(slot::kSplitting, [this, resume] {
        return engine_.SplitBigFile(Resuming(Options(), *resume));
    });
    // A big file that could not be deleted after the split leaves a whole
    // series: it is said, and the series is as usable as any other.
    const bool piecesWhole =
        result.Succeeded() || result.outcome == TransferOutcome::BigFileNotRemoved;
    lastSplitDone_ = piecesWhole;
    ShowResult(result, slot::kFileSplit, slot::kCannotCreatePiece);
    EnableGroup(ControlGroup::SplitGroup, false);
    EnableGroup(ControlGroup::SmallFilesPlaceGroup, false);
    EnableGroup(ControlGroup::SizeEditGroup, false);
    if (!piecesWhole) {
        return;
    }
    if (!result.stalePieces.empty()) {
        ShowNote(Text(slot::kStalePiecesRemoved) + std::to_string(result.stalePieces.size()));
    }
    if (result.resumedPieces > 0) {
        ShowNote(TextWith(slot::kResumedAfter, {std::to_string(result.resumedPieces)}));
    }
    SetSelfUnitEnabled(true);
    if (OnFloppy(job_.SmallFilesBase) &&
        dialogs_.Message(Text(slot::kCreateSelfUnit) + "?", Text(slot::kForLaterUse),
                         MessageIcon::Question, MessageButtons::YesNo)) {
        WriteRestoreScript();
    }
}

void WindowLogic::WriteRestoreScript() {
    if (Busy()) {
        return;
    }
    script_.AskPathAndWrite(JoinPath, ScriptSettings());
}

void WindowLogic::ShowResult(const TransferResult& result, TextSlot successSlot,
                             TextSlot failureSlot) {
    if (result.Succeeded()) {
        EndBusy(Text(successSlot));
    } else {
        const bool interrupted = result.outcome == TransferOutcome::Interrupted;
        const bool kept = result.outcome == TransferOutcome::BigFileNotRemoved;
        std::string text = FailureMessage(result, failureSlot);
        if (const auto removed = result.removedAfterFailure.size(); removed > 0) {
            text += "\n\n" + Text(slot::kRemovedAfterFailure) + std::to_string(removed);
        }
        dialogs_.Message(text, Text(interrupted ? slot::kInterrupted : slot::kAbnormalTermination),
                         interrupted || kept ? MessageIcon::Warning : MessageIcon::Stop,
                         MessageButtons::Ok);
        EndBusy(Text(slot::kAbnormalTermination));
    }
    ShowFileCount(job_.SmallFileCount);
}

std::optional<std::string> WindowLogic::ChoosePiece() {
    if (Busy()) {
        return std::nullopt;
    }
    return dialogs_.OpenFile(Text(slot::kChooseFirstPiece), Text(slot::kPieceFilter), JoinPath);
}

void WindowLogic::ChooseSeries() {
    const auto path = ChoosePiece();
    if (!path) {
        return;
    }
    TakeSeries(job_, *path, options_.Suffix);
    plan_.PlansASplit = false;
    // The job now names a series that is not there: neither what Join nor what
    // Split was armed for before may run on it (a join would replace a big file
    // with nothing, a split would cut the wrong file into these pieces).
    if (engine_.QueryFileSize(job_.PiecePath) == -1) {
        ReportMissingFile(job_.PiecePath);
        Arm(Armed::Nothing);
        return;
    }
    SetSelfUnitEnabled(false);
    JoinPath = platform_.CurrentFolder();
    store_.WriteStringSetting(subkey::Path, settings::JoinPath, JoinPath);
    // The big file goes by default beside its pieces, under their stem, as the
    // command line restores it: where the checksum file and Verify look for it.
    job_.BigFileBytes = 0;
    plan_.ClearSizeList();
    ShowPieceNames();
    job_.PiecePath = PieceName(job_.SmallFilesBase, options_.Suffix, 1);

    if (PromptsBeforePieces(options_.PauseMode, OnFloppy(job_.SmallFilesBase))) {
        TakeSeriesFromDiskCount(job_, *this);
    } else {
        CountSeries(job_, platform_, *this, options_.Suffix);
    }
    if (job_.SmallFileCount == 0) {
        // Not whole (the message has been shown), or no disks at all.
        Arm(Armed::Nothing);
        EndBusy(Text(slot::kAbnormalTermination));
        return;
    }
    if (job_.AppendActive) {
        dialogs_.Message(Text(slot::kAppendingOff), Text(slot::kProgramName),
                         MessageIcon::Information, MessageButtons::Ok);
        job_.AppendActive = false;
        ShowModesNote();
    }
    Arm(Armed::Join);
    EnableGroup(ControlGroup::BaseSizeBoxGroup, false);
    ShowFileCount(job_.SmallFileCount);
    ShowBigFileName();
    plan_.ShowBigFileSize(plan_.Unit);
    EndBusy(Text(slot::kReadyToJoin));
}

void WindowLogic::ChooseBigFilePlace() {
    if (Busy()) {
        return;
    }
    const auto path = dialogs_.SaveFile(Text(slot::kChooseBigFilePlace), std::string(), SplitPath,
                                        BareFileName(job_.SmallFilesBase));
    if (path && *path != job_.BigFilePath) {
        SetStatus(Text(slot::kNewPlaceSelected));
        job_.BigFilePath = *path;
    }
    ShowBigFileName();
    SplitPath = platform_.CurrentFolder();
    store_.WriteStringSetting(subkey::Path, settings::SplitPath, SplitPath);
}

// A join replaces the file at its target only when the user says so: the
// name beside the pieces is usually the original file. An append adds to it.
bool WindowLogic::MayReplaceTarget() {
    // A folder or a device is not replaced at all: the join refuses it.
    const FileKind kind = platform_.KindOf(job_.BigFilePath, false);
    if (job_.AppendActive || (kind != FileKind::Regular && kind != FileKind::Link)) {
        return true;
    }
    const std::int64_t size = platform_.FileSize(job_.BigFilePath);
    return dialogs_.Message(
        TextWith(slot::kReplaceExisting, {job_.BigFilePath, size < 0 ? "?" : std::to_string(size)}),
        Text(slot::kProgramName), MessageIcon::Question, MessageButtons::YesNoDefaultNo);
}

void WindowLogic::Join() {
    if (Busy() || !MayReplaceTarget()) {
        return;
    }
    const auto resume = AskToContinueStoppedRun(dialogs_, platform_, job_, options_.Suffix, false);
    if (!resume) {
        return;
    }
    const TransferResult result = RunWork(slot::kJoining, [this, resume] {
        return engine_.JoinSmallFiles(Resuming(Options(), *resume));
    });
    if (result.resumedPieces > 0) {
        ShowNote(TextWith(slot::kResumedAfter, {std::to_string(result.resumedPieces)}));
    }
    ShowResult(result,
               result.verified ? slot::kFileRestoredVerified : slot::kFileRestoredUnverified,
               slot::kCannotReadPiece);
    if (!result.appendUndone.empty()) {
        ShowNote(Text(slot::kAppendUndone) + result.appendUndone);
    }
    if (!result.keptForResume.empty()) {
        ShowNote(Text(slot::kJoinKeptForResume) + result.keptForResume);
    }
    if (!result.partialPath.empty()) {
        dialogs_.Message(Text(slot::kPartialFileKept) + result.partialPath,
                         Text(slot::kAbnormalTermination), MessageIcon::Warning,
                         MessageButtons::Ok);
    }
    // A join that failed before the file was made leaves nothing to measure.
    job_.BigFileBytes = std::max<std::int64_t>(engine_.QueryFileSize(job_.BigFilePath), 0);
    CoverWholeBigFile(job_);
    plan_.ShowBigFileSize(plan_.Unit);
    EnableGroup(ControlGroup::JoinGroup, false);
    EnableGroup(ControlGroup::BigFilePlaceGroup, false);
    // Appending was for this join: the next one replaces its target again.
    if (job_.AppendActive) {
        job_.AppendActive = false;
        ShowModesNote();
    }
}

void WindowLogic::VerifySeries() {
    const auto path = ChoosePiece();
    if (!path) {
        return;
    }
    if (engine_.QueryFileSize(*path) == -1) {
        ReportMissingFile(*path);
        return;
    }
    // The job now names the verified series: nothing planned or counted
    // before may be split, joined or written into a restore script with it.
    job_.PiecePath = *path;
    job_.SmallFilesBase = FindSeriesBase(*path, options_.Suffix);
    // The earlier big file is no longer the job's: a base size chosen now
    // must not plan it, and arm a split onto the verified pieces.
    plan_.PlansASplit = false;
    Arm(Armed::Nothing);
    EnableGroup(ControlGroup::SizeEditGroup, false);
    SetSelfUnitEnabled(false);
    ShowPieceNames();

    // The joined file is looked for where sha256sum would look, then where a
    // join would put it.
    const std::vector<std::string> folders = {platform_.VolumeOf(job_.SmallFilesBase), SplitPath};
    VerifyReport report;
    verifying_ = true;
    const TransferResult result =
        RunWork(slot::kVerifying, [&] { return engine_.VerifySeries(Options(), folders, report); });
    verifying_ = false;
    if (!result.Succeeded()) {
        SetSizeListMode(SizeListMode::PieceSizes);
        ShowResult(result, slot::kVerifying, slot::kCannotReadPiece);
    } else {
        ShowVerifyReport(report);
    }
    // No plan's count belongs beside Verify's lines, which count themselves.
    ShowFileCount(std::nullopt);
}

// Verify's lines go into the size list, which is on while it shows them so
// that they can be read and scrolled; a message box says how it ended.
void WindowLogic::ShowVerifyReport(const VerifyReport& report) {
    SetSizeListMode(SizeListMode::VerifyResults);
    verifyReport_ = report;
    ShowVerifyLines();
    SetEnabled(Control::SizeList, true);
    EndBusy(VerifySummary(report));
    dialogs_.Message(VerifyMessage(), StripAccelerator(Text(slot::kVerifySeries)),
                     VerifyPassed(report) ? MessageIcon::Information : MessageIcon::Stop,
                     MessageButtons::Ok);
}

void WindowLogic::ShowVerifyLines() {
    std::vector<MarkedLine> lines;
    sizeLines_.clear();
    for (const VerifyReport::Entry& entry : verifyReport_.entries) {
        lines.push_back({VerifyLine(entry), MarkOf(entry.state)});
        sizeLines_.push_back(lines.back().text);
    }
    sizeLine_ = -1;
    view_.sizes.ShowMarkedLines(lines);
}

// Runs a split, join or Verify with every command but Stop switched off;
// afterwards each state is again what its facts say.
TransferResult WindowLogic::RunWork(TextSlot busySlot,
                                    const std::function<TransferResult()>& work) {
    BeginBusy(Text(busySlot));
    busy_ = true;
    UpdateStates();
    TransferResult result = work();
    EndProgressText();
    busy_ = false;
    UpdateStates();
    // The window was closed during the work and the user chose to stop it.
    if (std::exchange(closeAfterWork_, false) && result.outcome == TransferOutcome::Interrupted) {
        view_.frame.CloseLater();
    }
    return result;
}

void WindowLogic::Stop() { engine_.RequestStop(); }

}  // namespace brelker
