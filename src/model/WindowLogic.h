#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/CommandLine.h"
#include "model/Dialogs.h"
#include "model/DiskCountModel.h"
#include "model/DroppedFile.h"
#include "model/HelpFileModel.h"
#include "model/ProgressMeter.h"
#include "model/WindowView.h"
#include "plan/PlanView.h"
#include "plan/SizePlan.h"
#include "script/RestoreScript.h"
#include "script/ScriptView.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "text/Slots.h"
#include "transfer/Engine.h"
#include "transfer/EngineHost.h"
#include "transfer/Job.h"

namespace brelker {

// What WindowModel does: the current job, the options, the size plan, the
// folders, the busy state, the language and the start-up with its switches.
// It decides every enabled and checked state, caption and status text, and
// keeps them: a view shows them and is never asked what they are. The engine,
// the plan and the restore script reach it through their host interfaces,
// which it implements privately.
class WindowLogic : private EngineHost, private PlanView, private ScriptView {
public:
    WindowLogic(Platform& platform, SettingsStore& store, DialogService& dialogs,
                const ViewParts& view);
    ~WindowLogic() override;
    WindowLogic(const WindowLogic&) = delete;
    WindowLogic& operator=(const WindowLogic&) = delete;

    // What the view passes on through WindowModel, which says what each does.
    void ShowStates();
    void Start(const std::vector<std::string>& arguments);
    bool QuitRequested() const { return quitRequested_; }
    int ExitCode() const { return exitCode_; }
    void Execute(Command command);
    bool Enabled(Command command) const;
    bool Checked(Command command) const { return checked_[Index(command)]; }
    bool Enabled(Control control) const;
    bool Enabled(Menu) const { return !busy_; }
    bool Busy() const { return busy_; }
    void BaseSizeChosen(int index);
    void ApplyBaseSizeClicked();
    void SizeModeChosen(bool useFreeSpace);
    void SizeLineChosen(int index);
    void NewSizeChanged(const std::string& text) { newSizeText_ = text; }
    void NewSizeEdited(const std::string& text);
    void NewSizeConfirmed();
    void ApplyNewSizeClicked();
    void UnitChosen(SizeUnit unit);
    void FilesDropped(const std::vector<std::string>& paths);
    bool CloseRequested();
    Job& CurrentJob() { return job_; }

private:
    template <typename Item>
    static std::size_t Index(Item item) {
        return static_cast<std::size_t>(item);
    }

    // The commands (WindowCommands.cpp).
    void ChooseBigFile();
    void ChoosePiecesPlace();
    void Split();
    void WriteRestoreScript();
    void ChooseSeries();
    void ChooseBigFilePlace();
    void Join();
    void VerifySeries();
    void Stop();

    // Options, dialogs, language and the end (WindowOptions.cpp).
    void Exit();
    void ResetSettings();
    void Toggle(Command item, bool& field, const BoolSetting& setting);
    void SetPauseMode(PauseMode mode);
    void SwitchLanguage(int language);
    void ChangeMemoryLimits();
    void ChangeSuffix();
    void ChangeExtraction();
    void ShowHowItWorks();

    // The workflow's steps (WindowCommands.cpp).
    std::optional<std::string> ChoosePiece();
    bool TakeUsableBigFile(const std::string& path);
    void BigFileChosen(bool plan = true);
    TransferResult RunWork(TextSlot busySlot, const std::function<TransferResult()>& work);
    void ShowResult(const TransferResult& result, TextSlot successSlot, TextSlot failureSlot);
    bool MayReplaceTarget();
    void ShowVerifyReport(const VerifyReport& report);
    void ShowVerifyLines();
    std::string VerifyMessage() const;
    TransferOptions Options() const;
    ScriptOptions ScriptSettings() const;
    bool OnFloppy(const std::string& path) const;

    // States and texts (WindowLogic.cpp, WindowTexts.cpp).
    void SetEnabled(Command command, bool enabled);
    void SetChecked(Command command, bool checked);
    void SetEnabled(Control control, bool enabled);
    // What the job is ready to run: a split (with the pieces' place), a join
    // (with the big file's place), or neither.
    enum class Armed { Nothing, Split, Join };
    void Arm(Armed what);
    void UpdateStates();
    void BeginBusy(const std::string& text);
    void EndBusy(const std::string& text);
    void ReportFailure(const std::string& message);
    void ApplyTexts();
    void ReapplyLanguage();
    void ShowFileCount(std::optional<int> count);
    void WordFileCount();
    void ShowModesNote();
    void ShowPieceNames();
    void ShowBigFileName();
    void ShowPlanOutcome(PlanOutcome outcome);
    TextSlot PlanStatusSlot(PlanStatus status) const;
    void SetSizeListMode(SizeListMode mode);
    std::pair<WindowTexts::Item, WindowTexts::Item> SizeListTexts() const;
    void ShowWelcome();

    // Start-up (WindowStartUp.cpp).
    void LoadSettings();
    void RunCommandLine(const CommandLine& commandLine);
    void OpenFilesFromCommandLine(const std::vector<std::string>& files);
    bool ChooseBigFileFromCommandLine(const std::string& path);

    // EngineHost (WindowHosts.cpp).
    void SetProgressRange(int minimum, int maximum) override;
    void SetProgress(int position) override;
    void ShowTransfer(const TransferProgress& progress) override;
    void EndProgressText();
    void ShowHeldNote();
    bool AskDuringWork(const std::function<bool()>& ask);
    void ClearSizeList() override;
    void AddSizeLine(const std::string& line) override;
    void SelectSizeLine(int index) override;
    void RepaintSizeList() override;
    void ShowNote(const std::string& path) override;
    void NoteErasing() override;
    void NoteErased(const std::string& path) override;
    void RepaintWindow() override;
    void ProcessMessages() override;
    void ShowBusyCursor() override;
    bool AskToContinue() override;
    bool AskForDisk(int piece, DiskPrompt why) override;
    void ReportUndeletable(const std::string& path) override;
    void BeginCounting() override;
    void ReportMissingFile(const std::string& path) override;
    void ReportUnreadableFile(const std::string& path) override;
    void ReportUnusableChecksumFile(const ChecksumProblem& problem) override;
    int AskDiskCount() override;

    // PlanView (WindowHosts.cpp).
    void EnableGroup(ControlGroup group, bool on) override;
    void ShowSizeLines(const std::vector<std::int64_t>& sizes) override;
    void ClearSizeLines() override;
    int SelectedSizeLine() const override;
    std::string SizeLineText(int index) const override;
    void ShowEditedPiece(int piece) override;
    void SetNewSizeText(const std::string& text) override;
    std::string NewSizeText() const override;
    void ShowPieceCount(int count) override;
    void SetBigFileSizeCaption(const std::string& text) override;
    void SelectUnitButton(SizeUnit unit) override;
    void ShowBaseSizes(const std::vector<std::string>& texts, int selected) override;
    void SetBaseSizeControlsEnabled(bool enabled) override;
    void ShowPlanStatus(PlanStatus status) override;
    void BeginPlanning() override;
    void EndPlanning(PlanStatus status) override;
    void RunBaseSizeEditor() override;
    std::string DecimalSeparator() const override;
    std::string DigitGroupSeparator() const override;

    // ScriptView (WindowHosts.cpp).
    void SetStatus(const std::string& text) override;
    void ShowMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override;
    void SetSelfUnitEnabled(bool enabled) override;
    std::optional<std::string> AskSavePath(const std::string& title, const std::string& filter,
                                           const std::string& folder,
                                           const std::string& proposedName) override;

    Platform& platform_;
    SettingsStore& store_;
    DropAnsweringDialogs dialogs_;
    ViewParts view_;
    Job job_;
    Engine engine_;
    SizePlan plan_;
    RestoreScript script_;
    DiskCountModel diskCount_;
    HelpFileModel helpFile_;
    ProgressMeter progressMeter_;
    // Between a run's start and end; the file it names in panel 0 waits for
    // the next words of its progress.
    bool metering_ = false;
    std::optional<std::string> heldNote_;

    // The facts every enabled state follows (UpdateStates): what each command
    // and control would be with no work running, as the plan, the workflow and
    // the options switched it, and whether work runs.
    std::array<bool, kCommandCount> commands_{};
    std::array<bool, kControlCount> controls_{};
    bool busy_ = false;
    std::array<bool, kCommandCount> checked_{};
    // What the view was last told.
    std::array<bool, kCommandCount> shownCommands_{};
    std::array<bool, kControlCount> shownControls_{};
    std::array<bool, kMenuCount> shownMenus_{};

    bool quitRequested_ = false;
    int exitCode_ = 0;
    bool lastSplitDone_ = true;
    // Closing the window during a split or join asks as Stop does; the window
    // closes once the work has stopped.
    bool closeAfterWork_ = false;
    // What BigFileName shows: the big file of a split, the target of a join.
    std::string shownBigFile_;
    // The count lblNrFiles shows (none, or kUnknownPieceCount for "?"), worded
    // anew in another language.
    std::optional<int> shownCount_;
    // The size list's lines and selected line, the new size as typed, and the
    // base size list's length and selected line.
    std::vector<std::string> sizeLines_;
    int sizeLine_ = -1;
    std::string newSizeText_;
    // What the size list shows, and Verify's last report while it shows that.
    SizeListMode sizeListMode_ = SizeListMode::PieceSizes;
    // A Verify is running: the list it empties is its own.
    bool verifying_ = false;
    VerifyReport verifyReport_;
    int baseSizeLines_ = 0;
    int baseSizeLine_ = -1;

    // What the option menus and dialogs chose; a run takes its options from
    // here and the plan's UseFreeSpace, a restore script the suffix and the
    // two removals. Defaults come from the settings table.
    struct WindowOptions : TransferOptions {
        bool RemoveSelfUnit = settings::RemoveSelfUnit.defaultValue;
    };
    WindowOptions options_;
    std::string SplitPath;
    std::string JoinPath;
};

}  // namespace brelker
