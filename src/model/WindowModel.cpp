#include "model/WindowModel.h"

#include <utility>

#include "model/ResultText.h"
#include "model/WindowLogic.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {

WindowModel::WindowModel(Platform& platform, SettingsStore& store, DialogService& dialogs,
                         const ViewParts& view)
    : logic_(std::make_unique<WindowLogic>(platform, store, dialogs, view)) {}
WindowModel::~WindowModel() = default;
void WindowModel::ShowStates() { logic_->ShowStates(); }
void WindowModel::Start(const std::vector<std::string>& arguments) { logic_->Start(arguments); }
bool WindowModel::QuitRequested() const { return logic_->QuitRequested(); }
int WindowModel::ExitCode() const { return logic_->ExitCode(); }
void WindowModel::Execute(Command command) { logic_->Execute(command); }
bool WindowModel::Enabled(Command command) const { return logic_->Enabled(command); }
bool WindowModel::Checked(Command command) const { return logic_->Checked(command); }
bool WindowModel::Enabled(Control control) const { return logic_->Enabled(control); }
bool WindowModel::Enabled(Menu menu) const { return logic_->Enabled(menu); }
bool WindowModel::Busy() const { return logic_->Busy(); }
void WindowModel::BaseSizeChosen(int index) { logic_->BaseSizeChosen(index); }
void WindowModel::ApplyBaseSizeClicked() { logic_->ApplyBaseSizeClicked(); }
void WindowModel::SizeModeChosen(bool useFreeSpace) { logic_->SizeModeChosen(useFreeSpace); }
void WindowModel::SizeLineChosen(int index) { logic_->SizeLineChosen(index); }
void WindowModel::NewSizeChanged(const std::string& text) { logic_->NewSizeChanged(text); }
void WindowModel::NewSizeEdited(const std::string& text) { logic_->NewSizeEdited(text); }
void WindowModel::NewSizeConfirmed() { logic_->NewSizeConfirmed(); }
void WindowModel::ApplyNewSizeClicked() { logic_->ApplyNewSizeClicked(); }
void WindowModel::UnitChosen(SizeUnit unit) { logic_->UnitChosen(unit); }
void WindowModel::FilesDropped(const std::vector<std::string>& paths) {
    logic_->FilesDropped(paths);
}
bool WindowModel::CloseRequested() { return logic_->CloseRequested(); }
Job& WindowModel::CurrentJob() { return logic_->CurrentJob(); }

WindowLogic::WindowLogic(Platform& platform, SettingsStore& store, DialogService& dialogs,
                         const ViewParts& view)
    : platform_(platform),
      store_(store),
      dialogs_(dialogs, platform),
      view_(view),
      engine_(job_, platform, *this),
      plan_(job_, store, *this),
      script_(job_, platform, *this),
      helpFile_(platform) {
    // At first everything is on but the commands that need a job, and Stop.
    commands_.fill(true);
    controls_.fill(true);
    for (const Command command : {Command::DoSplit, Command::DoJoin, Command::FindPlaceToSmallFiles,
                                  Command::FindPlaceToBigFile, Command::Stop}) {
        commands_[Index(command)] = false;
    }
    for (const Control control :
         {Control::SizeList, Control::NewSize, Control::ApplyNewSize, Control::EditedPiece}) {
        controls_[Index(control)] = false;
    }
    // Whatever window shows the manual, the word that nothing can show its
    // file comes as the window's own message box.
    helpFile_.SetNotice([this](const std::string& text, const std::string& caption) {
        ShowMessage(text, caption, MessageIcon::Warning);
    });
}

WindowLogic::~WindowLogic() = default;

void WindowLogic::ShowStates() {
    for (int i = 0; i < kCommandCount; ++i) {
        const auto command = static_cast<Command>(i);
        shownCommands_[Index(command)] = Enabled(command);
        view_.states.SetCommandEnabled(command, Enabled(command));
        view_.states.SetCommandChecked(command, Checked(command));
    }
    for (int i = 0; i < kMenuCount; ++i) {
        const auto menu = static_cast<Menu>(i);
        shownMenus_[Index(menu)] = Enabled(menu);
        view_.states.SetMenuEnabled(menu, Enabled(menu));
    }
    for (int i = 0; i < kControlCount; ++i) {
        const auto control = static_cast<Control>(i);
        shownControls_[Index(control)] = Enabled(control);
        view_.states.SetControlEnabled(control, Enabled(control));
    }
}

void WindowLogic::Execute(Command command) {
    if (!Enabled(command)) {
        return;
    }
    switch (command) {
        case Command::ChooseSplitAFile:
            return ChooseBigFile();
        case Command::FindPlaceToSmallFiles:
            return ChoosePiecesPlace();
        case Command::DoSplit:
            return Split();
        case Command::CreateUnbrelkerFile:
            return WriteRestoreScript();
        case Command::JoinFiles:
            return ChooseSeries();
        case Command::FindPlaceToBigFile:
            return ChooseBigFilePlace();
        case Command::DoJoin:
            return Join();
        case Command::Verify:
            return VerifySeries();
        case Command::ClearRegistry:
            return ResetSettings();
        case Command::Exit:
            return Exit();
        case Command::ChangeAlways:
            return SetPauseMode(PauseMode::Always);
        case Command::ChangeSometimes:
            return SetPauseMode(PauseMode::FloppiesOnly);
        case Command::ChangeNever:
            return SetPauseMode(PauseMode::Never);
        case Command::MemoryUsage:
            return ChangeMemoryLimits();
        case Command::LanguageEnglish:
            return SwitchLanguage(kEnglish);
        case Command::LanguageSwedish:
            return SwitchLanguage(kSwedish);
        case Command::LanguageGerman:
            return SwitchLanguage(kGerman);
        case Command::ChooseFiletype:
            return ChangeSuffix();
        case Command::RemoveSmall:
            return Toggle(command, options_.RemoveSmallFiles, settings::RemoveSmallFiles);
        case Command::RemoveBig:
            return Toggle(command, options_.RemoveBigFile, settings::RemoveBigFile);
        case Command::RemoveSelf:
            return Toggle(command, options_.RemoveSelfUnit, settings::RemoveSelfUnit);
        case Command::EraseFloppies:
            return Toggle(command, options_.EraseFloppyDisks, settings::EraseFloppyDisks);
        case Command::WriteChecksums:
            return Toggle(command, options_.WriteChecksumFile, settings::WriteChecksumFile);
        case Command::Extract:
            return ChangeExtraction();
        case Command::Hint:
            return ShowHowItWorks();
        case Command::Stop:
            return Stop();
    }
}

namespace {

// The commands a running split, join or Verify switches off one by one; the
// others sit in menus that go off as a whole and keep their own states.
bool OffDuringWork(Command command) {
    switch (command) {
        case Command::ChooseSplitAFile:
        case Command::FindPlaceToSmallFiles:
        case Command::DoSplit:
        case Command::CreateUnbrelkerFile:
        case Command::JoinFiles:
        case Command::FindPlaceToBigFile:
        case Command::DoJoin:
        case Command::Verify:
        case Command::Exit:
        case Command::Hint:
            return true;
        default:
            return false;
    }
}

}  // namespace

// While the work runs only Stop may be used: the speed buttons and the plan's
// controls are off, the menus as a whole (their items keep their own states
// for afterwards); ChangeItem, which only shows a number, keeps its state.
bool WindowLogic::Enabled(Command command) const {
    if (command == Command::Stop) {
        return busy_;
    }
    return commands_[Index(command)] && !(busy_ && OffDuringWork(command));
}

bool WindowLogic::Enabled(Control control) const {
    return controls_[Index(control)] && (!busy_ || control == Control::EditedPiece);
}

// Every enabled state follows from the facts in one place; the view hears of
// each one that changed.
void WindowLogic::UpdateStates() {
    for (int i = 0; i < kCommandCount; ++i) {
        const auto command = static_cast<Command>(i);
        if (std::exchange(shownCommands_[Index(command)], Enabled(command)) != Enabled(command)) {
            view_.states.SetCommandEnabled(command, Enabled(command));
        }
    }
    for (int i = 0; i < kMenuCount; ++i) {
        const auto menu = static_cast<Menu>(i);
        if (std::exchange(shownMenus_[Index(menu)], Enabled(menu)) != Enabled(menu)) {
            view_.states.SetMenuEnabled(menu, Enabled(menu));
        }
    }
    for (int i = 0; i < kControlCount; ++i) {
        const auto control = static_cast<Control>(i);
        if (std::exchange(shownControls_[Index(control)], Enabled(control)) != Enabled(control)) {
            view_.states.SetControlEnabled(control, Enabled(control));
        }
    }
}

void WindowLogic::SetEnabled(Command command, bool enabled) {
    commands_[Index(command)] = enabled;
    UpdateStates();
}

void WindowLogic::SetChecked(Command command, bool checked) {
    checked_[Index(command)] = checked;
    view_.states.SetCommandChecked(command, checked);
}

void WindowLogic::SetEnabled(Control control, bool enabled) {
    controls_[Index(control)] = enabled;
    UpdateStates();
}

void WindowLogic::Arm(Armed what) {
    EnableGroup(ControlGroup::SplitGroup, what == Armed::Split);
    EnableGroup(ControlGroup::SmallFilesPlaceGroup, what == Armed::Split);
    EnableGroup(ControlGroup::JoinGroup, what == Armed::Join);
    EnableGroup(ControlGroup::BigFilePlaceGroup, what == Armed::Join);
}

void WindowLogic::BeginBusy(const std::string& text) {
    view_.work.SetPointer(Pointer::Busy);
    view_.work.ShowStatus(1, text);
}

void WindowLogic::EndBusy(const std::string& text) {
    view_.work.SetPointer(Pointer::Arrow);
    view_.work.ShowStatus(0, std::string());
    view_.work.ShowStatus(1, text);
}

// A stop box with the message, and "Abnormal termination!" in the status bar.
void WindowLogic::ReportFailure(const std::string& message) {
    dialogs_.Message(message, Text(slot::kAbnormalTermination), MessageIcon::Stop,
                     MessageButtons::Ok);
    view_.work.ShowStatus(1, Text(slot::kAbnormalTermination));
    view_.work.SetPointer(Pointer::Arrow);
}

// A dropped file is taken as if chosen in the dialog of the matching command;
// several files or a folder are explained and refused.
void WindowLogic::FilesDropped(const std::vector<std::string>& paths) {
    if (paths.empty() || Busy()) {
        return;
    }
    if (paths.size() > 1) {
        dialogs_.Message(Text(slot::kDropOneFile), Text(slot::kProgramName), MessageIcon::Warning,
                         MessageButtons::Ok);
        return;
    }
    const std::string& path = paths.front();
    if (platform_.IsFolder(path)) {
        dialogs_.Message(Text(slot::kDropNoFolder), Text(slot::kProgramName), MessageIcon::Warning,
                         MessageButtons::Ok);
        return;
    }
    dialogs_.AnswerNextOpen(path);
    if (ClassifyDroppedFile(path, options_.Suffix) == DroppedAs::FirstPiece) {
        ChooseSeries();
    } else {
        ChooseBigFile();
    }
    dialogs_.ForgetAnswer();
}

// The plan's controls: each reaches the plan only while it is on.
void WindowLogic::BaseSizeChosen(int index) {
    if (Enabled(Control::BaseSizeBox)) {
        baseSizeLine_ = index;
        ShowPlanOutcome(plan_.BaseSizeChosen(index));
    }
}

void WindowLogic::ApplyBaseSizeClicked() {
    if (Enabled(Control::ApplyBaseSize)) {
        ShowPlanOutcome(plan_.EditBaseSizes());
    }
}

void WindowLogic::SizeModeChosen(bool useFreeSpace) {
    if (Enabled(useFreeSpace ? Control::UseFreeSpace : Control::UseBaseSize)) {
        ShowPlanOutcome(useFreeSpace ? plan_.UseFreeSpaceChosen() : plan_.UseBaseSizeChosen());
    }
}

void WindowLogic::SizeLineChosen(int index) {
    if (Enabled(Control::SizeList) && !Busy()) {
        sizeLine_ = index;
        // Verify's lines are there to be read: none of them is a size to edit.
        if (sizeListMode_ == SizeListMode::PieceSizes) {
            plan_.SizeLineChosen();
        }
    }
}

void WindowLogic::NewSizeEdited(const std::string& text) {
    newSizeText_ = text;
    if (Enabled(Control::NewSize)) {
        plan_.NewSizeEdited();
    }
}

void WindowLogic::NewSizeConfirmed() { ApplyNewSizeClicked(); }

void WindowLogic::ApplyNewSizeClicked() {
    if (Enabled(Control::ApplyNewSize)) {
        ShowPlanOutcome(plan_.ApplyNewSize());
    }
}

void WindowLogic::UnitChosen(SizeUnit unit) { plan_.ShowBigFileSize(unit); }

}  // namespace brelker
