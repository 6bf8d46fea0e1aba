// The split and join workflow of the main window: choosing files and places,
// running the engine with the busy state around it, and reporting its result.

#include <utility>

#include "console/ResultText.h"
#include "engine/PieceNames.h"
#include "engine/Series.h"
#include "platform/Paths.h"
#include "settings/Settings.h"
#include "text/Slots.h"
#include "text/TextTable.h"
#include "window/WindowModel.h"

namespace brelker {
TransferOptions WindowModel::Options() const {
    TransferOptions options = options_;
    options.UseFreeSpace = plan_.UseFreeSpace;
    return options;
}

ScriptOptions WindowModel::ScriptSettings() const {
    return {options_.Suffix, options_.RemoveSmallFiles, options_.RemoveSelfUnit};
}

bool WindowModel::OnFloppy(const std::string& path) const {
    return platform_.FloppyRoot(path).has_value();
}

void WindowModel::ResetExtractionRange() {
    job_.ExtractSkip = 0;
    job_.ExtractCount = job_.BigFileBytes;
    job_.ExtractLimit = job_.BigFileBytes;
}

void WindowModel::ChooseBigFile() {
    if (Busy()) {
        return;
    }
    const auto path = dialogs_.OpenFile(Text(slot::kChooseSplitFileTitle),
                                        Text(slot::kAllFilesFilter), SplitPath);
    if (!path) {
        SetStatus(Text(slot::kNoFileSelected));
        return;
    }
    job_.BigFilePath = *path;
    job_.BigFileBytes = engine_.QueryFileSize(*path);
    if (job_.BigFileBytes == -1) {
        ReportUnusableFile(*path);
        return;
    }
    ResetExtractionRange();
    BigFileChosen();
    if (job_.ExtractActive) {
        dialogs_.Message(Text(slot::kExtractionOff), Text(slot::kProgramName),
                         MessageIcon::Information, MessageButtons::Ok);
        job_.ExtractActive = false;
    }
}

void WindowModel::BigFileChosen(bool plan) {
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
        EnableGroup(ControlGroup::SplitGroup, true);
        EnableGroup(ControlGroup::SmallFilesPlaceGroup, true);
        EnableGroup(ControlGroup::JoinGroup, false);
        EnableGroup(ControlGroup::BigFilePlaceGroup, false);
    }
    SetSelfUnitEnabled(false);
}

void WindowModel::ChoosePiecesPlace() {
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

void WindowModel::Split() {
    if (Busy()) {
        return;
    }
    const int code = RunWork(slot::kSplitting, [this] { return engine_.SplitBigFile(Options()); });
    lastSplitCode_ = code;
    ShowResult(code, slot::kFileSplit, slot::kCannotCreatePiece);
    EnableGroup(ControlGroup::SplitGroup, false);
    EnableGroup(ControlGroup::SmallFilesPlaceGroup, false);
    EnableGroup(ControlGroup::SizeEditGroup, false);
    if (code != kTransferDone) {
        return;
    }
    if (job_.StalePiecesRemoved > 0) {
        ShowNote(Text(slot::kStalePiecesRemoved) + std::to_string(job_.StalePiecesRemoved));
    }
    SetSelfUnitEnabled(true);
    if (OnFloppy(job_.SmallFilesBase) &&
        dialogs_.Message(Text(slot::kCreateSelfUnit) + "?", Text(slot::kForLaterUse),
                         MessageIcon::Question, MessageButtons::YesNo)) {
        WriteRestoreScript();
    }
}

void WindowModel::WriteRestoreScript() {
    if (Busy()) {
        return;
    }
    script_.AskPathAndWrite(JoinPath, ScriptSettings());
}

void WindowModel::ShowResult(int code, TextSlot successSlot, TextSlot failureSlot) {
    if (code == kTransferDone) {
        EndBusy(Text(successSlot));
    } else {
        const bool interrupted = code == kInterrupted;
        std::string text = TransferFailureText(code, failureSlot, engine_.MismatchedFile(),
                                               engine_.ChecksumFileProblem());
        if (const auto removed = engine_.RemovedAfterFailure().size(); removed > 0) {
            text += "\n\n" + Text(slot::kRemovedAfterFailure) + std::to_string(removed);
        }
        dialogs_.Message(text, Text(interrupted ? slot::kInterrupted : slot::kAbnormalTermination),
                         interrupted ? MessageIcon::Warning : MessageIcon::Stop,
                         MessageButtons::Ok);
        EndBusy(Text(slot::kAbnormalTermination));
    }
    ShowFileCount(job_.SmallFileCount);
}

std::optional<std::string> WindowModel::ChoosePiece() {
    if (Busy()) {
        return std::nullopt;
    }
    return dialogs_.OpenFile(Text(slot::kChooseFirstPiece), Text(slot::kPieceFilter), JoinPath);
}

void WindowModel::ChooseSeries() {
    const auto path = ChoosePiece();
    if (!path) {
        return;
    }
    job_.PiecePath = *path;
    job_.SmallFilesBase = FindSeriesBase(*path, options_.Suffix);
    job_.BigFilePath = job_.SmallFilesBase;
    plan_.PlansASplit = false;
    // The job now names a series that is not there: neither what Join nor what
    // Split was armed for before may run on it (a join would replace a big file
    // with nothing, a split would cut the wrong file into these pieces).
    const auto disarm = [this] {
        EnableGroup(ControlGroup::JoinGroup, false);
        EnableGroup(ControlGroup::BigFilePlaceGroup, false);
        EnableGroup(ControlGroup::SplitGroup, false);
        EnableGroup(ControlGroup::SmallFilesPlaceGroup, false);
    };
    if (engine_.QueryFileSize(job_.PiecePath) == -1) {
        ReportMissingFile(job_.PiecePath);
        disarm();
        return;
    }
    SetSelfUnitEnabled(false);
    JoinPath = platform_.CurrentFolder();
    store_.WriteStringSetting(subkey::Path, settings::JoinPath, JoinPath);
    // The big file goes by default into the folder last used for big files.
    job_.BigFilePath = JoinFolder(SplitPath, BareFileName(job_.BigFilePath));
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
        disarm();
        EndBusy(Text(slot::kAbnormalTermination));
        return;
    }
    if (job_.AppendActive) {
        dialogs_.Message(Text(slot::kAppendingOff), Text(slot::kProgramName),
                         MessageIcon::Information, MessageButtons::Ok);
        job_.AppendActive = false;
    }
    EnableGroup(ControlGroup::SplitGroup, false);
    EnableGroup(ControlGroup::SmallFilesPlaceGroup, false);
    EnableGroup(ControlGroup::JoinGroup, true);
    EnableGroup(ControlGroup::BigFilePlaceGroup, true);
    EnableGroup(ControlGroup::BaseSizeBoxGroup, false);
    ShowFileCount(job_.SmallFileCount);
    ShowBigFileName();
    plan_.ShowBigFileSize(plan_.Unit);
    EndBusy(Text(slot::kReadyToJoin));
}

void WindowModel::ChooseBigFilePlace() {
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
bool WindowModel::MayReplaceTarget() {
    // A folder or a device is not replaced at all: the join refuses it.
    const FileKind kind = platform_.KindOf(job_.BigFilePath, false);
    if (job_.AppendActive || (kind != FileKind::Regular && kind != FileKind::Link)) {
        return true;
    }
    const std::int64_t size = platform_.FileSize(job_.BigFilePath);
    return dialogs_.Message(
        TextWith(slot::kReplaceExisting, {job_.BigFilePath, size < 0 ? "?" : std::to_string(size)}),
        Text(slot::kProgramName), MessageIcon::Question, MessageButtons::YesNo);
}

void WindowModel::Join() {
    if (Busy() || !MayReplaceTarget()) {
        return;
    }
    const int code = RunWork(slot::kJoining, [this] { return engine_.JoinSmallFiles(Options()); });
    ShowResult(
        code,
        engine_.LastJoinVerified() ? slot::kFileRestoredVerified : slot::kFileRestoredUnverified,
        slot::kCannotReadPiece);
    if (!job_.PartialPath.empty()) {
        dialogs_.Message(Text(slot::kPartialFileKept) + job_.PartialPath,
                         Text(slot::kAbnormalTermination), MessageIcon::Warning,
                         MessageButtons::Ok);
    }
    job_.BigFileBytes = engine_.QueryFileSize(job_.BigFilePath);
    ResetExtractionRange();
    plan_.ShowBigFileSize(plan_.Unit);
    EnableGroup(ControlGroup::JoinGroup, false);
    EnableGroup(ControlGroup::BigFilePlaceGroup, false);
}

void WindowModel::VerifySeries() {
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
    for (const ControlGroup group :
         {ControlGroup::SplitGroup, ControlGroup::SmallFilesPlaceGroup, ControlGroup::JoinGroup,
          ControlGroup::BigFilePlaceGroup, ControlGroup::SizeEditGroup}) {
        EnableGroup(group, false);
    }
    SetSelfUnitEnabled(false);
    ShowPieceNames();

    // The joined file is looked for where sha256sum would look, then where a
    // join would put it.
    const std::vector<std::string> folders = {platform_.VolumeOf(job_.SmallFilesBase), SplitPath};
    VerifyReport report;
    const int code =
        RunWork(slot::kVerifying, [&] { return engine_.VerifySeries(Options(), folders, report); });
    if (code != kTransferDone) {
        ShowResult(code, slot::kVerifying, slot::kCannotReadPiece);
        return;
    }
    ShowVerifyReport(report);
}

void WindowModel::ShowVerifyReport(const VerifyReport& report) {
    ClearSizeList();
    for (const VerifyReport::Entry& entry : report.entries) {
        AddSizeLine(VerifyLine(entry));
    }
    EndBusy(VerifySummary(report));
}

// Runs a split, join or Verify with every command but Stop switched off. The
// size list is enabled first, so that it is remembered as enabled, and
// afterwards gets back the state it had before.
int WindowModel::RunWork(TextSlot busySlot, const std::function<int()>& work) {
    BeginBusy(Text(busySlot));
    const bool listEnabled = Enabled(Control::SizeList);
    SetEnabled(Control::SizeList, true);
    SetEnabled(Command::Stop, true);
    DisableForWork();
    const int code = work();
    EndProgressText();
    RestoreAfterWork();
    SetEnabled(Command::Stop, false);
    SetEnabled(Control::SizeList, listEnabled);
    // The window was closed during the work and the user chose to stop it.
    if (std::exchange(closeAfterWork_, false) && code == kInterrupted) {
        view_.CloseLater();
    }
    return code;
}

void WindowModel::Stop() { job_.StopRequested = true; }

}  // namespace brelker
