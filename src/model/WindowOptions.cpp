// The Options, Pause, Memory, Language and Help menus, and ending the program.

#include "model/ExtractModel.h"
#include "model/MemoryModel.h"
#include "model/SuffixModel.h"
#include "model/WindowLogic.h"
#include "settings/Settings.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {

// A toggle takes the opposite of its check mark and is stored at once.
void WindowLogic::Toggle(Command item, bool& field, const BoolSetting& setting) {
    if (Busy()) {
        return;
    }
    field = !Checked(item);
    SetChecked(item, field);
    store_.Write(setting, field);
}

void WindowLogic::SetPauseMode(PauseMode mode) {
    const std::array<Command, 3> items = {Command::ChangeAlways, Command::ChangeSometimes,
                                          Command::ChangeNever};
    const auto index = static_cast<std::size_t>(mode);
    if (Busy() || Checked(items[index])) {
        return;
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        SetChecked(items[i], i == index);
    }
    options_.PauseMode = mode;
    store_.Write(settings::ChangeDisk, static_cast<int>(options_.PauseMode));
}

static_assert(kLanguageCommands.size() == kLanguageCount, "a Language item for each language");

void WindowLogic::SwitchLanguage(int language) {
    if (Busy() || Checked(kLanguageCommands[static_cast<std::size_t>(language)])) {
        return;
    }
    for (std::size_t i = 0; i < kLanguageCommands.size(); ++i) {
        SetChecked(kLanguageCommands[i], static_cast<int>(i) == language);
    }
    SetCurrentLanguage(language);
    ReapplyLanguage();
}

void WindowLogic::ReapplyLanguage() {
    view_.frame.FollowLanguage(CurrentLanguage());
    ApplyTexts();
    if (sizeListMode_ == SizeListMode::VerifyResults) {
        ShowVerifyLines();
    }
    store_.Write(settings::Language, CurrentLanguage());
    view_.work.ShowStatus(0, std::string());
    view_.work.ShowStatus(1, std::string());
}

void WindowLogic::ShowHowItWorks() {
    if (!Busy()) {
        dialogs_.Show(helpFile_);
    }
}

void WindowLogic::ChangeMemoryLimits() {
    if (Busy()) {
        return;
    }
    MemoryModel memory(store_);
    if (dialogs_.Run(memory)) {
        memory.Commit(store_);
    }
    // Whichever button closed it: Cancel leaves the pair as stored.
    options_.MaxFromRAM = memory.MaxFromRAM();
    options_.MaxFromFile = memory.MaxFromFile();
}

void WindowLogic::ChangeSuffix() {
    if (Busy()) {
        return;
    }
    SuffixModel suffix(store_);
    if (dialogs_.Run(suffix)) {
        suffix.Commit(store_);
    }
    options_.Suffix = store_.Read(settings::AddedFileType);
    // Several texts quote the suffix (the file filters): fill them anew.
    FillTextTable(options_.Suffix);
    ApplyTexts();
    if (job_.BigFileBytes > 0) {
        ShowPieceNames();
    }
}

void WindowLogic::ChangeExtraction() {
    if (Busy()) {
        return;
    }
    // Cancel changes nothing, so sizes edited by hand stay. After a split the job
    // describes the series just written, which the restore script still needs:
    // only a split that is ready is planned again, for the new length.
    ExtractModel extraction(job_);
    if (!dialogs_.Run(extraction)) {
        return;
    }
    extraction.Commit(job_);
    ShowModesNote();
    if (!Enabled(Command::DoSplit)) {
        return;
    }
    job_.BigFileBytes =
        job_.ExtractActive ? job_.ExtractCount : engine_.QueryFileSize(job_.BigFilePath);
    if (job_.BigFileBytes > 0) {
        BigFileChosen();
        return;
    }
    // Nothing left to split: an empty range, or the file is gone.
    plan_.ClearSizeList();
    EnableGroup(ControlGroup::SplitGroup, false);
    EnableGroup(ControlGroup::SmallFilesPlaceGroup, false);
    ShowFileCount(std::nullopt);
    SetStatus(job_.BigFileBytes < 0 ? Text(slot::kFileMissing) + job_.BigFilePath
                                    : Text(PlanStatusSlot(PlanStatus::NothingToSplit)));
}

void WindowLogic::Exit() {
    store_.Write(settings::MainTop, view_.place.Top());
    store_.Write(settings::MainLeft, view_.place.Left());
    quitRequested_ = true;
    // A quit asked for before the event loop runs (an unattended split with
    // /exit) or from inside a running transfer still ends the program, once
    // the work has returned.
    view_.frame.Quit();
}

void WindowLogic::ResetSettings() {
    // One click would forget base sizes, folders and options that took long to
    // set, and the item sits right above Exit: it asks first.
    if (Busy() || !dialogs_.Message(Text(slot::kResetQuestion), Text(slot::kResetSettings),
                                    MessageIcon::Question, MessageButtons::YesNoDefaultNo)) {
        return;
    }
    // Everything goes, the position too: the next start uses every default.
    store_.ResetSettings();
    quitRequested_ = true;
    view_.frame.Quit();
}

// The work must never go on invisibly, with no window to stop it: closing asks
// the Stop question, and only a stopped run lets the window close.
bool WindowLogic::CloseRequested() {
    if (Busy()) {
        engine_.RequestStop();
        closeAfterWork_ = true;
        return false;
    }
    if (!quitRequested_) {
        Exit();
    }
    return true;
}

}  // namespace brelker
