// Start-up: every setting loaded in its order, the texts applied, then the
// switches, which may run a whole split before the window waits for the user.

#include "model/JobSetup.h"
#include "model/WindowLogic.h"
#include "platform/Decimal.h"
#include "platform/Paths.h"
#include "platform/Version.h"
#include "settings/Settings.h"
#include "text/Languages.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {

void WindowLogic::Start(const std::vector<std::string>& arguments) {
    LoadSettings();
    if (arguments.empty()) {
        return;
    }
    const CommandLine commandLine = ParseCommandLine(arguments);
    RunCommandLine(commandLine);
    if (quitRequested_) {
        return;
    }
    // A run that was to end by itself stopped early: the window is the user's
    // now, and says so itself rather than to a stream nobody may read.
    if (IsUnattended(commandLine)) {
        view_.frame.ShowWindow(false);
        dialogs_.UserWatches();
    }
    if (!commandLine.files.empty()) {
        OpenFilesFromCommandLine(commandLine.files);
    }
}

// A file handed over by the desktop ("Open with") or typed after the program's
// name is taken as a drop would take it: a piece as the series to join, any
// other file as the one to split. Several files or a folder get the drop's
// message. A relative name is made whole now, before any dialog changes the
// current folder.
void WindowLogic::OpenFilesFromCommandLine(const std::vector<std::string>& files) {
    std::vector<std::string> paths;
    for (const std::string& file : files) {
        paths.push_back(IsAbsolutePath(file) ? file
                                             : platform_.JoinPath(platform_.CurrentFolder(), file));
    }
    FilesDropped(paths);
}

void WindowLogic::LoadSettings() {
    // A stored language outside the three checks no item; the texts read English.
    SetCurrentLanguage(store_.Read(settings::Language));
    for (std::size_t i = 0; i < kLanguageCommands.size(); ++i) {
        SetChecked(kLanguageCommands[i], CurrentLanguage() == static_cast<int>(i));
    }
    view_.frame.FollowLanguage(CurrentLanguage());

    options_.RemoveSmallFiles = store_.Read(settings::RemoveSmallFiles);
    options_.RemoveBigFile = store_.Read(settings::RemoveBigFile);
    options_.RemoveSelfUnit = store_.Read(settings::RemoveSelfUnit);
    options_.EraseFloppyDisks = store_.Read(settings::EraseFloppyDisks);
    SetChecked(Command::RemoveSmall, options_.RemoveSmallFiles);
    SetChecked(Command::RemoveBig, options_.RemoveBigFile);
    SetChecked(Command::RemoveSelf, options_.RemoveSelfUnit);
    SetChecked(Command::EraseFloppies, options_.EraseFloppyDisks);
    options_.WriteChecksumFile = store_.Read(settings::WriteChecksumFile);
    SetChecked(Command::WriteChecksums, options_.WriteChecksumFile);

    options_.MaxFromFile = store_.Read(settings::MaxFromFile);
    options_.MaxFromRAM = store_.Read(settings::MaxFromRAM);

    // The view keeps a window stored on a screen that is gone on one that is there.
    view_.place.MoveTo(store_.Read(settings::MainLeft), store_.Read(settings::MainTop));

    options_.Suffix = store_.Read(settings::AddedFileType);
    FillTextTable(options_.Suffix);
    ApplyTexts();

    const std::string here = platform_.CurrentFolder();
    SplitPath = store_.ReadStringSetting(subkey::Path, settings::SplitPath, here);
    JoinPath = store_.ReadStringSetting(subkey::Path, settings::JoinPath, here);

    plan_.LoadBaseSizes();

    plan_.UseFreeSpace = store_.Read(settings::UseFreeSpace);
    view_.sizes.ShowSizeMode(plan_.UseFreeSpace);
    ShowPlanOutcome(plan_.ApplyUseFreeSpace());

    // A stored unit outside the five selects no button and stays the unit in use.
    plan_.Unit = static_cast<SizeUnit>(store_.Read(settings::BigUnit));
    SelectUnitButton(plan_.Unit);

    options_.PauseMode = static_cast<PauseMode>(store_.Read(settings::ChangeDisk));
    SetChecked(Command::ChangeAlways, options_.PauseMode == PauseMode::Always);
    SetChecked(Command::ChangeSometimes, options_.PauseMode == PauseMode::FloppiesOnly);
    SetChecked(Command::ChangeNever, options_.PauseMode == PauseMode::Never);

    job_.ExtractActive = false;

    Arm(Armed::Nothing);
    SetSelfUnitEnabled(false);
    ShowWelcome();
}

// "Welcome to The File Brelker, version 2.7" in status panel 0. "version" is
// written small inside the sentence, except where every noun keeps its capital.
void WindowLogic::ShowWelcome() {
    std::string version = Text(slot::kVersion);
    if (!FactsOf(CurrentLanguage()).capitalizesNouns) {
        for (char& c : version) {
            c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        }
    }
    view_.work.ShowStatus(0, Text(slot::kWelcomeTo) + " " + Text(slot::kProgramName) + ", " +
                                 version + " " + std::string(kVersionText));
}

// False when the file cannot be used: the message has been shown.
bool WindowLogic::ChooseBigFileFromCommandLine(const std::string& path) {
    if (!TakeUsableBigFile(path)) {
        return false;
    }
    // Planned once, after every switch: the base size may still change.
    BigFileChosen(false);
    return true;
}

void WindowLogic::RunCommandLine(const CommandLine& commandLine) {
    bool splitRequested = false;
    bool minimizeRequested = false;
    bool exitRequested = false;
    bool selfUnitRequested = false;
    bool bigFileChosen = false;
    // A switch that cannot be followed ends the switches, and the program goes
    // on interactively without a split. A big file already chosen is planned
    // all the same, with the base size the list shows: Split is never offered
    // on a plan that was not made.
    const auto stop = [&] {
        exitCode_ = 1;
        if (bigFileChosen) {
            ShowPlanOutcome(plan_.BaseSizeChosen(baseSizeLine_));
        }
    };
    for (const CommandLine::Step& step : commandLine.steps) {
        switch (step.option) {
            case CommandLine::Option::BigFile:
                if (!ChooseBigFileFromCommandLine(step.value)) {
                    return stop();
                }
                bigFileChosen = true;
                break;
            case CommandLine::Option::SmallFiles:
                job_.SmallFilesBase = step.value;
                ShowPieceNames();
                break;
            case CommandLine::Option::BaseSize: {
                std::int32_t number = 0;
                if (!StrictDecimalToInt32(step.value, number)) {
                    dialogs_.Message("'" + step.value + "' is not a valid integer value",
                                     std::string(brelker::kProgramName), MessageIcon::Stop,
                                     MessageButtons::Ok);
                    return stop();
                }
                // Selected without running the change handler: that comes last.
                if (number >= 1 && number <= baseSizeLines_) {
                    baseSizeLine_ = number - 1;
                    view_.sizes.SelectBaseSize(baseSizeLine_);
                }
                break;
            }
            case CommandLine::Option::Split:
                splitRequested = true;
                break;
            case CommandLine::Option::Minimize:
                minimizeRequested = true;
                break;
            case CommandLine::Option::Exit:
                exitRequested = true;
                break;
            case CommandLine::Option::SelfUnitFile:
                script_.SelfUnitFileName = step.value;
                selfUnitRequested = true;
                break;
        }
    }

    ShowPlanOutcome(plan_.BaseSizeChosen(baseSizeLine_));
    if (!splitRequested) {
        return;
    }
    view_.frame.ShowWindow(minimizeRequested);
    // A refused plan, an empty file or no file at all: nothing is written.
    if (!Enabled(Command::DoSplit)) {
        ReportFailure(Text(slot::kNothingToSplit));
        exitCode_ = 1;
        if (exitRequested) {
            Exit();
        }
        return;
    }
    Split();
    if (!lastSplitDone_) {
        exitCode_ = 1;
    }
    if (selfUnitRequested) {
        const ScriptResult written =
            script_.WriteAndReport(script_.SelfUnitFileName, ScriptSettings());
        if (written != ScriptResult::Created) {
            exitCode_ = 1;
        }
        // The status panel alone tells nobody why when nobody watches the window.
        if (written == ScriptResult::NotCreated) {
            ReportFailure(script_.ResultText(written));
        }
    }
    if (exitRequested) {
        Exit();
    }
}

}  // namespace brelker
