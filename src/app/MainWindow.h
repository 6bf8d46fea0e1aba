#pragma once

#include <QMainWindow>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/Dialogs.h"
#include "app/DroppedFile.h"
#include "engine/DiskCountModel.h"
#include "engine/Engine.h"
#include "engine/EngineHost.h"
#include "engine/Job.h"
#include "plan/PlanView.h"
#include "plan/SizePlan.h"
#include "script/RestoreScript.h"
#include "script/ScriptView.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "text/HelpFileModel.h"

class QAction;
class QActionGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace brelker {

struct CommandLine;

// The main window: the split and join workflow, its menus and the current job.
// The enabled state of its controls is the state of the work.
// The engine, the plan and the restore script reach it through their host
// interfaces only, which it implements privately (MainWindowHosts.cpp,
// MainWindowPlanView.cpp, MainWindowScriptView.cpp).
class MainWindow : public QMainWindow, private EngineHost, private PlanView, private ScriptView {
    Q_OBJECT

public:
    MainWindow(Platform& platform, const SettingsStore& store, DialogService& dialogs,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up: loads every setting, applies the texts, then acts on the
    // command line (which may run a whole split before the window waits).
    void FormCreate(const std::vector<std::string>& arguments);
    // True once the program was asked to end.
    bool QuitRequested() const { return quitRequested_; }
    // 1 once the work the command line asked for failed, else 0.
    int ExitCode() const { return exitCode_; }

    // Commands of the File menu and the speed bar.
    void ChooseSplitAFileClick();
    void FindPlaceToSmallFilesClick();
    void DoSplitClick();
    void CreateUnbrelkerFileClick();
    void JoinFilesClick();
    void FindPlaceToBigFileClick();
    void DoJoinClick();
    void VerifyClick();
    void ExitClick();
    void ClearRegistryClick();
    void StopBtnClick();
    void HintClick();

    // The option menus.
    void RemoveSmallClick();
    void RemoveBigClick();
    void RemoveSelfClick();
    void EraseFloppiesClick();
    void WriteChecksumsClick();
    void ChangeAlwaysClick();
    void ChangeSometimesClick();
    void ChangeNeverClick();
    void MemoryUsageClick();
    void ChooseFiletypeClick();
    void ExtractClick();
    void LanguageEnglishClick();
    void LanguageSwedishClick();
    void LanguageGermanClick();

    // The current job, for the tests.
    Job& CurrentJob() { return job_; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // EngineHost (MainWindowHosts.cpp).
    void SetProgressRange(int minimum, int maximum) override;
    void SetProgress(int position) override;
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

    // PlanView (MainWindowPlanView.cpp), and the words for what the plan decided.
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
    void ShowPlanOutcome(PlanOutcome outcome);

    // ScriptView (MainWindowScriptView.cpp); the window's own code uses the
    // status and the message box too.
    void SetStatus(const std::string& text) override;
    void ShowMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override;
    void SetSelfUnitEnabled(bool enabled) override;
    std::optional<std::string> AskSavePath(const std::string& title, const std::string& filter,
                                           const std::string& folder,
                                           const std::string& proposedName) override;

    // Layout (MainWindowLayout.cpp).
    void CreateMenus();
    void CreateSpeedBar();
    void CreateGroups();
    void CreateStatusBar();
    QAction* AddAction(QMenu* menu, const char* name, const QKeySequence& shortcut,
                       void (MainWindow::*handler)());
    // A menu item with a check mark that only its handler sets.
    QAction* AddOption(QMenu* menu, const char* name, void (MainWindow::*handler)());
    QToolButton* AddSpeedButton(const char* name, const QIcon& icon, void (MainWindow::*handler)());
    void FitToScreen();

    // Busy state and the workflow (MainWindowCommands.cpp).
    // Shows the chosen big file and, unless plan is false, plans its pieces.
    // A piece of the series to join or verify, chosen in the open dialog; nothing
    // when the dialog was cancelled or work is running.
    std::optional<std::string> ChoosePiece();
    void BigFileChosen(bool plan = true);
    void ResetExtractionRange();
    int RunWork(int busySlot, const std::function<int()>& work);
    void ShowResult(int code, int successSlot, int failureSlot);
    // Status panel 1 with the busy state on or off.
    void BeginBusy(const std::string& text);
    void EndBusy(const std::string& text);
    // A stop box with the message, and "Abnormal termination!" in the status bar.
    void ReportFailure(const std::string& message);
    // A big file that cannot be measured: missing, or a folder or special file.
    void ReportUnusableFile(const std::string& path);
    // Asks before a join replaces a file that exists; true to go on.
    bool MayReplaceTarget();
    void ShowVerifyReport(const VerifyReport& report);
    void DisableForWork();
    void RestoreAfterWork();
    void SetScreenCursor(Qt::CursorShape shape);
    bool Busy() const;
    TransferOptions Options() const;
    ScriptOptions ScriptSettings() const;
    bool OnFloppy(const std::string& path) const;

    // Texts and language (MainWindowTexts.cpp).
    void ApplyTexts();
    void ReapplyLanguage();
    void SwitchLanguage(int language);
    void ShowPlanCount();
    void ShowFileCount(int count);
    // The hint of ActualSizeGB.
    void SetSizeGroupHint(const std::string& text);
    // SmallFileNames: the pieces' stem, the suffix and "*" for the number.
    void ShowPieceNames();

    // Option menus and start-up (MainWindowOptions.cpp, StartUp.cpp).
    void SetPauseMode(brelker::PauseMode mode);
    void LoadSettings();
    void MoveOntoAScreen();
    void RunCommandLine(const CommandLine& commandLine);
    void ChooseBigFileFromCommandLine(const std::string& path, bool& stop);

    Platform& platform_;
    const SettingsStore& store_;
    DropAnsweringDialogs dialogs_;
    Job job_;
    Engine engine_;
    SizePlan plan_;
    RestoreScript script_;
    bool quitRequested_ = false;
    int exitCode_ = 0;
    int lastSplitCode_ = kTransferDone;
    bool busyCursor_ = false;
    // Closing the window during a split or join asks as Stop does; the window
    // closes once the work has stopped.
    bool closeAfterWork_ = false;

    // What the option menus and dialogs chose; a run takes its options from
    // here and the plan's UseFreeSpace, a restore script the suffix and the
    // two removals. Defaults come from the settings table.
    struct WindowOptions : TransferOptions {
        bool RemoveSelfUnit = settings::RemoveSelfUnit.defaultValue;
    };
    WindowOptions options_;
    std::string SplitPath;
    std::string JoinPath;
    int mainTop = settings::MainTop.defaultValue;
    int mainLeft = settings::MainLeft.defaultValue;

    // The disk count last asked for, and the manual: both kept for the whole run.
    DiskCountModel diskCount_;
    HelpFileModel helpFile_{platform_};

    // Menus and their items.
    QMenu* File1 = nullptr;
    QMenu* ChangeOfDisk = nullptr;
    QMenu* Memory1 = nullptr;
    QMenu* Language1 = nullptr;
    QMenu* Options_ = nullptr;
    QMenu* Help1 = nullptr;
    QAction* ChooseSplitAFile = nullptr;
    QAction* FindPlaceToSmallFiles = nullptr;
    QAction* DoSplit = nullptr;
    QAction* CreateUnbrelkerFile = nullptr;
    QAction* JoinFiles = nullptr;
    QAction* FindPlaceToBigFile = nullptr;
    QAction* DoJoin = nullptr;
    QAction* Verify = nullptr;
    QAction* ClearRegistry = nullptr;
    QAction* Exit = nullptr;
    QAction* ChangeAlways = nullptr;
    QAction* ChangeSometimes = nullptr;
    QAction* ChangeNever = nullptr;
    QAction* MemoryUsage = nullptr;
    QAction* LanguageEnglish = nullptr;
    QAction* LanguageSwedish = nullptr;
    QAction* LanguageGerman = nullptr;
    QAction* ChooseFiletype = nullptr;
    QAction* RemoveSmall = nullptr;
    QAction* RemoveBig = nullptr;
    QAction* RemoveSelf = nullptr;
    QAction* EraseFloppies = nullptr;
    QAction* WriteChecksums = nullptr;
    QAction* Extract = nullptr;
    QAction* Hint = nullptr;

    // Speed bar.
    QToolButton* SplitAFileBtn = nullptr;
    QToolButton* FindPlaceToSmallFilesBtn = nullptr;
    QToolButton* DoSplitBtn = nullptr;
    QToolButton* SelfUnitBtn = nullptr;
    QToolButton* JoinFilesBtn = nullptr;
    QToolButton* FindPlaceToBigFileBtn = nullptr;
    QToolButton* DoJoinBtn = nullptr;
    QToolButton* VerifyBtn = nullptr;
    QToolButton* StopBtn = nullptr;
    QToolButton* ExitBtn = nullptr;
    QToolButton* HintBtn = nullptr;
    QWidget* speedBar_ = nullptr;

    // The big file.
    QGroupBox* BigFileGB = nullptr;
    QLabel* lblBigFileName = nullptr;
    QLabel* BigFileName = nullptr;
    QLabel* lblBigFileSize = nullptr;
    QLabel* BigFileSize = nullptr;
    std::array<QRadioButton*, 5> BigFileRB{};

    // The smaller files.
    QGroupBox* ActualSizeGB = nullptr;
    QLabel* lblSmallFileNames = nullptr;
    QLabel* SmallFileNames = nullptr;
    QLabel* BaseSizeHeadline = nullptr;
    QComboBox* CBBaseSize = nullptr;
    QRadioButton* rbSizeBase = nullptr;
    QRadioButton* rbSizeFree = nullptr;
    QPushButton* ApplyBaseSize = nullptr;
    QLabel* lblNrFiles = nullptr;
    QLabel* SmallerSize = nullptr;
    QListWidget* SmallerSizesLB = nullptr;
    QLabel* ChangeItem = nullptr;
    QLabel* lblNewSize = nullptr;
    QLineEdit* txtNewSize = nullptr;
    QPushButton* ApplyNewSize = nullptr;

    QProgressBar* PBar = nullptr;
    QLabel* StatusPanel0 = nullptr;
    QLabel* StatusPanel1 = nullptr;

    // Enabled states kept by DisableForWork, in its order.
    std::vector<QWidget*> workControls_;
    std::vector<QAction*> workMenus_;
    std::vector<bool> remembered_;
};

}  // namespace brelker
