// What the engine, the size plan and the restore script reach of the window:
// progress, the size list, status notes, the busy state, the plan's controls,
// and their questions worded here.

#include "model/BaseSizeModel.h"
#include "model/ResultText.h"
#include "model/WindowLogic.h"
#include "plan/ByteSize.h"
#include "text/Hints.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {

// Each run sets the range as it begins.
void WindowLogic::SetProgressRange(int minimum, int maximum) {
    progressMeter_.Begin(platform_.DecimalSeparator());
    metering_ = true;
    heldNote_.reset();
    view_.work.SetProgressRange(minimum, maximum);
}

void WindowLogic::SetProgress(int position) { view_.work.SetProgress(position); }

// The words come a few times a second, and the file in panel 0 with them: the
// two name the same piece, however many pieces went by in between.
void WindowLogic::ShowTransfer(const TransferProgress& progress) {
    if (const auto text = progressMeter_.Update(progress, platform_.SteadyMilliseconds())) {
        view_.work.ShowProgressText(*text);
        ShowHeldNote();
    }
}

void WindowLogic::ShowHeldNote() {
    if (heldNote_) {
        view_.work.ShowStatus(0, *heldNote_);
        heldNote_.reset();
    }
}

void WindowLogic::EndProgressText() {
    metering_ = false;
    heldNote_.reset();
    view_.work.ShowProgressText(std::string());
}

// While the run waits for the user its words say where it stopped, as the bar
// does, and the wait counts to neither its rate nor its time left.
bool WindowLogic::AskDuringWork(const std::function<bool()>& ask) {
    if (metering_) {
        const std::int64_t now = platform_.SteadyMilliseconds();
        if (const std::string text = progressMeter_.Latest(now); !text.empty()) {
            view_.work.ShowProgressText(text);
        }
        ShowHeldNote();
        progressMeter_.Pause(now);
    }
    const bool answer = ask();
    if (metering_) {
        progressMeter_.Resume(platform_.SteadyMilliseconds());
    }
    return answer;
}

void WindowLogic::ClearSizeList() { ClearSizeLines(); }

void WindowLogic::AddSizeLine(const std::string& line) {
    sizeLines_.push_back(line);
    view_.sizes.AddSizeLine(line);
}

void WindowLogic::SelectSizeLine(int index) {
    sizeLine_ = index;
    view_.sizes.SelectSizeLine(index);
}

void WindowLogic::RepaintSizeList() { view_.sizes.RepaintSizeList(); }

void WindowLogic::ShowNote(const std::string& path) {
    if (metering_) {
        heldNote_ = path;
    } else {
        view_.work.ShowStatus(0, path);
    }
}

// An erase is no transfer: each file goes as it is deleted.
void WindowLogic::NoteErasing() { view_.work.ShowStatus(0, Text(slot::kErasingFloppy)); }

void WindowLogic::NoteErased(const std::string& path) {
    view_.work.ShowStatus(0, "Delete " + path);
}

void WindowLogic::RepaintWindow() { view_.work.Repaint(); }

void WindowLogic::ProcessMessages() { view_.work.ProcessEvents(); }

void WindowLogic::ShowBusyCursor() { view_.work.SetPointer(Pointer::Busy); }

bool WindowLogic::AskToContinue() {
    return AskDuringWork([this] {
        return dialogs_.Message(Text(slot::kContinueQuestion), Text(slot::kContinueOrBreak),
                                MessageIcon::Question, MessageButtons::YesNo);
    });
}

bool WindowLogic::AskForDisk(int piece, DiskPrompt why) {
    return AskDuringWork([&] {
        return dialogs_.Message(
            DiskQuestionText(piece, why), Text(slot::kChangeDisk),
            why == DiskPrompt::Plain ? MessageIcon::Question : MessageIcon::Warning,
            MessageButtons::YesNo);
    });
}

void WindowLogic::ReportUndeletable(const std::string& path) {
    ShowMessage(Text(slot::kCannotDeleteFile) + path, Text(slot::kDelete), MessageIcon::Warning);
}

void WindowLogic::BeginCounting() { BeginBusy(Text(slot::kCountingFiles)); }

int WindowLogic::AskDiskCount() {
    if (dialogs_.Run(diskCount_)) {
        diskCount_.Confirm();
    }
    return diskCount_.DiskCount();
}

void WindowLogic::ReportMissingFile(const std::string& path) {
    ReportFailure(Text(slot::kFileMissing) + path);
}

void WindowLogic::ReportUnreadableFile(const std::string& path) {
    ReportFailure(Text(slot::kFileUnreadable) + path);
}

void WindowLogic::ReportUnusableChecksumFile(const ChecksumProblem& problem) {
    ReportFailure(ChecksumProblemText(problem));
}

// The plan's numbered groups: each switches the commands and controls it names.
void WindowLogic::EnableGroup(ControlGroup group, bool on) {
    switch (group) {
        case ControlGroup::SplitGroup:
            SetEnabled(Command::DoSplit, on);
            SetEnabled(Control::SizeList, on);
            // A split offered names its pieces, also when an earlier plan of
            // the same file was refused before the names were shown.
            if (on && plan_.PlansASplit) {
                ShowPieceNames();
            }
            break;
        case ControlGroup::SmallFilesPlaceGroup:
            SetEnabled(Command::FindPlaceToSmallFiles, on);
            break;
        case ControlGroup::JoinGroup:
            SetEnabled(Command::DoJoin, on);
            // A join has no use for the base size controls.
            SetEnabled(Control::UseBaseSize, !on);
            SetEnabled(Control::UseFreeSpace, !on);
            SetEnabled(Control::ApplyBaseSize, !on);
            SetEnabled(Control::BaseSizeBox, !on && !plan_.UseFreeSpace);
            break;
        case ControlGroup::BigFilePlaceGroup:
            SetEnabled(Command::FindPlaceToBigFile, on);
            break;
        case ControlGroup::BaseSizeBoxGroup:
            SetEnabled(Control::BaseSizeBox, on);
            break;
        case ControlGroup::SizeEditGroup:
            SetEnabled(Control::ApplyNewSize, on);
            SetEnabled(Control::NewSize, on);
            SetEnabled(Control::EditedPiece, on);
            break;
        case ControlGroup::SizeListGroup:
            SetEnabled(Control::SizeList, on);
            break;
    }
}

void WindowLogic::ShowSizeLines(const std::vector<std::int64_t>& sizes) {
    SetSizeListMode(SizeListMode::PieceSizes);
    sizeLines_.clear();
    sizeLines_.reserve(sizes.size());
    for (const std::int64_t size : sizes) {
        sizeLines_.push_back(std::to_string(size));
    }
    sizeLine_ = -1;
    view_.sizes.ShowSizeLines(sizes);
}

void WindowLogic::ClearSizeLines() {
    // Verify empties the list for its own lines: the heading says so from the start.
    SetSizeListMode(verifying_ ? SizeListMode::VerifyResults : SizeListMode::PieceSizes);
    sizeLines_.clear();
    sizeLine_ = -1;
    view_.sizes.ClearSizeLines();
}

int WindowLogic::SelectedSizeLine() const { return sizeLine_; }

std::string WindowLogic::SizeLineText(int index) const {
    return index >= 0 && index < static_cast<int>(sizeLines_.size())
               ? sizeLines_[static_cast<std::size_t>(index)]
               : std::string();
}

void WindowLogic::ShowEditedPiece(int piece) {
    view_.job.ShowEditedPiece(Text(slot::kFileNumber) +
                              (piece > 0 ? std::to_string(piece) : std::string()));
}

void WindowLogic::SetNewSizeText(const std::string& text) {
    newSizeText_ = text;
    view_.sizes.SetNewSizeText(text);
}

std::string WindowLogic::NewSizeText() const { return newSizeText_; }

void WindowLogic::ShowPieceCount(int count) {
    ShowFileCount(count > 0 || count == kUnknownPieceCount ? std::optional<int>(count)
                                                           : std::nullopt);
}

void WindowLogic::SetBigFileSizeCaption(const std::string& text) {
    view_.job.ShowBigFileSize(text);
}

void WindowLogic::SelectUnitButton(SizeUnit unit) { view_.job.SelectUnitButton(unit); }

void WindowLogic::ShowBaseSizes(const std::vector<std::string>& texts, int selected) {
    baseSizeLines_ = static_cast<int>(texts.size());
    baseSizeLine_ = selected >= 0 && selected < baseSizeLines_ ? selected : -1;
    view_.sizes.ShowBaseSizes(texts, baseSizeLine_);
}

void WindowLogic::SetBaseSizeControlsEnabled(bool enabled) {
    SetEnabled(Control::BaseSizeBox, enabled);
    SetEnabled(Control::ApplyBaseSize, enabled);
}

TextSlot WindowLogic::PlanStatusSlot(PlanStatus status) const {
    switch (status) {
        case PlanStatus::ReadyToSplit:
            return slot::kReadyToSplit;
        case PlanStatus::ChooseBaseSize:
            return slot::kChooseBaseSize;
        case PlanStatus::TooManyPieces:
            return slot::kTooManyFiles;
        case PlanStatus::NothingToSplit:
            // Split is off: the status bar says why.
            return job_.ExtractActive ? slot::kEmptyExtraction : slot::kEmptyBigFile;
        case PlanStatus::None:
            break;
    }
    return TextSlot(-1);  // outside the table: the empty text
}

void WindowLogic::ShowPlanStatus(PlanStatus status) { SetStatus(Text(PlanStatusSlot(status))); }

void WindowLogic::BeginPlanning() { BeginBusy(Text(slot::kWorking)); }

void WindowLogic::EndPlanning(PlanStatus status) { EndBusy(Text(PlanStatusSlot(status))); }

void WindowLogic::RunBaseSizeEditor() {
    BaseSizeModel editor(store_);
    editor.SetAsk([this](const std::string& text, const std::string& caption, MessageIcon icon) {
        return dialogs_.Message(
            text, caption, icon,
            icon == MessageIcon::Question ? MessageButtons::YesNoDefaultNo : MessageButtons::Ok);
    });
    dialogs_.Run(editor);
}

std::string WindowLogic::DecimalSeparator() const { return platform_.DecimalSeparator(); }

// A size typed with another language's mark is refused rather than guessed
// at, since "1.457" or "1,457" is a fraction elsewhere.
std::string WindowLogic::DigitGroupSeparator() const {
    return std::string(DigitGroupSeparatorOf(CurrentLanguage()));
}

void WindowLogic::SetStatus(const std::string& text) { view_.work.ShowStatus(1, text); }

void WindowLogic::ShowMessage(const std::string& text, const std::string& caption,
                              MessageIcon icon) {
    dialogs_.Message(text, caption, icon, MessageButtons::Ok);
}

void WindowLogic::SetSelfUnitEnabled(bool enabled) {
    SetEnabled(Command::CreateUnbrelkerFile, enabled);
}

std::optional<std::string> WindowLogic::AskSavePath(const std::string& title,
                                                    const std::string& filter,
                                                    const std::string& folder,
                                                    const std::string& proposedName) {
    return dialogs_.SaveFile(title, filter, folder, proposedName);
}

}  // namespace brelker
