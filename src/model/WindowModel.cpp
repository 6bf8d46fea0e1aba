#include "model/WindowModel.h"

#include "model/ResultText.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {

WindowModel::WindowModel(Platform& platform, const SettingsStore& store, DialogService& dialogs,
                         WindowView& view)
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
    menus_.fill(true);
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

WindowModel::~WindowModel() = default;

void WindowModel::ShowStates() {
    for (int i = 0; i < kCommandCount; ++i) {
        const auto command = static_cast<Command>(i);
        view_.SetCommandEnabled(command, Enabled(command));
        view_.SetCommandChecked(command, Checked(command));
    }
    for (int i = 0; i < kMenuCount; ++i) {
        view_.SetMenuEnabled(static_cast<Menu>(i), Enabled(static_cast<Menu>(i)));
    }
    for (int i = 0; i < kControlCount; ++i) {
        view_.SetControlEnabled(static_cast<Control>(i), Enabled(static_cast<Control>(i)));
    }
}

void WindowModel::Execute(Command command) {
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

void WindowModel::SetEnabled(Command command, bool enabled) {
    commands_[Index(command)] = enabled;
    view_.SetCommandEnabled(command, enabled);
}

void WindowModel::SetChecked(Command command, bool checked) {
    checked_[Index(command)] = checked;
    view_.SetCommandChecked(command, checked);
}

void WindowModel::SetEnabled(Control control, bool enabled) {
    controls_[Index(control)] = enabled;
    view_.SetControlEnabled(control, enabled);
}

void WindowModel::SetEnabled(Menu menu, bool enabled) {
    menus_[Index(menu)] = enabled;
    view_.SetMenuEnabled(menu, enabled);
}

// While the work runs only Stop may be used: the speed buttons and the plan's
// controls go off one by one, the menus as a whole (their items keep their
// own states for afterwards).
void WindowModel::DisableForWork() {
    commandsBeforeWork_ = commands_;
    controlsBeforeWork_ = controls_;
    menusBeforeWork_ = menus_;
    for (const Command command :
         {Command::ChooseSplitAFile, Command::FindPlaceToSmallFiles, Command::DoSplit,
          Command::CreateUnbrelkerFile, Command::JoinFiles, Command::FindPlaceToBigFile,
          Command::DoJoin, Command::Verify, Command::Exit, Command::Hint}) {
        SetEnabled(command, false);
    }
    for (int i = 0; i < kMenuCount; ++i) {
        SetEnabled(static_cast<Menu>(i), false);
    }
    for (int i = 0; i < kControlCount; ++i) {
        if (static_cast<Control>(i) != Control::EditedPiece) {
            SetEnabled(static_cast<Control>(i), false);
        }
    }
}

void WindowModel::RestoreAfterWork() {
    for (int i = 0; i < kCommandCount; ++i) {
        if (static_cast<Command>(i) != Command::Stop) {
            SetEnabled(static_cast<Command>(i), commandsBeforeWork_[static_cast<std::size_t>(i)]);
        }
    }
    for (int i = 0; i < kMenuCount; ++i) {
        SetEnabled(static_cast<Menu>(i), menusBeforeWork_[static_cast<std::size_t>(i)]);
    }
    for (int i = 0; i < kControlCount; ++i) {
        SetEnabled(static_cast<Control>(i), controlsBeforeWork_[static_cast<std::size_t>(i)]);
    }
}

void WindowModel::BeginBusy(const std::string& text) {
    view_.SetPointer(Pointer::Busy);
    view_.ShowStatus(1, text);
}

void WindowModel::EndBusy(const std::string& text) {
    view_.SetPointer(Pointer::Arrow);
    view_.ShowStatus(0, std::string());
    view_.ShowStatus(1, text);
}

// A stop box with the message, and "Abnormal termination!" in the status bar.
void WindowModel::ReportFailure(const std::string& message) {
    dialogs_.Message(message, Text(slot::kAbnormalTermination), MessageIcon::Stop,
                     MessageButtons::Ok);
    view_.ShowStatus(1, Text(slot::kAbnormalTermination));
    view_.SetPointer(Pointer::Arrow);
}

// A dropped file is taken as if chosen in the dialog of the matching command;
// several files or a folder are explained and refused.
void WindowModel::FilesDropped(const std::vector<std::string>& paths) {
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
void WindowModel::BaseSizeChosen(int index) {
    if (Enabled(Control::BaseSizeBox)) {
        baseSizeLine_ = index;
        ShowPlanOutcome(plan_.BaseSizeChosen(index));
    }
}

void WindowModel::ApplyBaseSizeClicked() {
    if (Enabled(Control::ApplyBaseSize)) {
        ShowPlanOutcome(plan_.EditBaseSizes());
    }
}

void WindowModel::SizeModeChosen(bool useFreeSpace) {
    if (Enabled(useFreeSpace ? Control::UseFreeSpace : Control::UseBaseSize)) {
        ShowPlanOutcome(useFreeSpace ? plan_.UseFreeSpaceChosen() : plan_.UseBaseSizeChosen());
    }
}

void WindowModel::SizeLineChosen(int index) {
    if (Enabled(Control::SizeList) && !Busy()) {
        sizeLine_ = index;
        // Verify's lines are there to be read: none of them is a size to edit.
        if (sizeListMode_ == SizeListMode::PieceSizes) {
            plan_.SizeLineChosen();
        }
    }
}

void WindowModel::NewSizeEdited(const std::string& text) {
    newSizeText_ = text;
    if (Enabled(Control::NewSize)) {
        plan_.NewSizeEdited();
    }
}

void WindowModel::NewSizeConfirmed() { ApplyNewSizeClicked(); }

void WindowModel::ApplyNewSizeClicked() {
    if (Enabled(Control::ApplyNewSize)) {
        ShowPlanOutcome(plan_.ApplyNewSize());
    }
}

void WindowModel::UnitChosen(SizeUnit unit) { plan_.ShowBigFileSize(unit); }

}  // namespace brelker
