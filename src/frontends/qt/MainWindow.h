#pragma once

#include <QMainWindow>

#include <array>
#include <string>
#include <vector>

#include "model/WindowModel.h"
#include "model/WindowView.h"
#include "qt/LauncherProgress.h"

class QAction;
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

class ElidedLabel;
class StatusPanels;

// The main window on Qt: its layout, widgets and wiring. What it shows, and
// when a command is on, the window model decides; every command is one
// QAction, shared by its menu item and its speed button.
class MainWindow : public QMainWindow, private WindowView {
    Q_OBJECT

public:
    MainWindow(Platform& platform, SettingsStore& store, DialogService& dialogs,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up: loads every setting, applies the texts, then acts on the
    // switches (which may run a whole split before the window waits).
    void FormCreate(const std::vector<std::string>& arguments) { model_.Start(arguments); }
    bool QuitRequested() const { return model_.QuitRequested(); }
    int ExitCode() const { return model_.ExitCode(); }

    // The current job, for the tests.
    Job& CurrentJob() { return model_.CurrentJob(); }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // WindowView (MainWindowView.cpp).
    void SetCommandEnabled(Command command, bool enabled) override;
    void SetCommandChecked(Command command, bool checked) override;
    void SetMenuEnabled(Menu menu, bool enabled) override;
    void SetControlEnabled(Control control, bool enabled) override;
    void ApplyTexts(const WindowTexts& texts) override;
    void ShowBigFileName(const std::string& path) override;
    void ShowBigFileSize(const std::string& text) override;
    void SelectUnitButton(SizeUnit unit) override;
    void ShowPieceNames(const std::string& text) override;
    void ShowPieceCount(const std::string& text) override;
    void SetPiecesGroupHint(const std::string& hint) override;
    void ShowEditedPiece(const std::string& text) override;
    void ShowModesNote(const std::string& text) override;
    void ShowSizeLines(const std::vector<std::int64_t>& sizes) override;
    void AddSizeLine(const std::string& line) override;
    void ClearSizeLines() override;
    void SelectSizeLine(int index) override;
    void RepaintSizeList() override;
    void ShowSizeListHeading(const std::string& caption, const std::string& listHint) override;
    void ShowMarkedLines(const std::vector<MarkedLine>& lines) override;
    void SetNewSizeText(const std::string& text) override;
    void ShowBaseSizes(const std::vector<std::string>& texts, int selected) override;
    void SelectBaseSize(int index) override;
    void ShowSizeMode(bool useFreeSpace) override;
    void ShowStatus(int panel, const std::string& text) override;
    void SetProgressRange(int minimum, int maximum) override;
    void SetProgress(int position) override;
    void ShowProgressText(const std::string& text) override;
    void SetPointer(Pointer pointer) override;
    void Repaint() override;
    void ProcessEvents() override;
    void MoveTo(int left, int top) override;
    int Left() const override { return x(); }
    int Top() const override { return y(); }
    void ShowWindow(bool minimized) override;
    void Quit() override;
    void CloseLater() override;
    void FollowLanguage(int language) override;

    // Layout (MainWindowLayout.cpp).
    void CreateMenus();
    void CreateSpeedBar();
    void CreateGroups();
    void CreateStatusBar();
    void Wire();
    // A command's action, with the check mark that only the model sets for an option.
    QAction* AddCommand(const CommandEntry& entry);
    QToolButton* AddSpeedButton(const SpeedButtonEntry& entry);
    void FitToScreen();
    void SetScreenCursor(Qt::CursorShape shape);

    QAction* Action(Command command) const { return actions_[static_cast<std::size_t>(command)]; }

    std::array<QAction*, kCommandCount> actions_{};
    std::array<QMenu*, kMenuCount> menus_{};

    // Speed bar: each button shows its command's action; How It Works is text.
    QWidget* speedBar_ = nullptr;
    std::vector<QToolButton*> speedButtons_;
    QToolButton* stopButton_ = nullptr;
    QToolButton* howItWorksButton_ = nullptr;

    // The big file.
    QGroupBox* bigFileGroup_ = nullptr;
    QLabel* bigFileNameLabel_ = nullptr;
    QLabel* bigFileName_ = nullptr;
    QLabel* bigFileSizeLabel_ = nullptr;
    QLabel* bigFileSize_ = nullptr;
    std::array<QRadioButton*, 5> unitButtons_{};

    // The smaller files.
    QGroupBox* smallFilesGroup_ = nullptr;
    QLabel* pieceNamesLabel_ = nullptr;
    QLabel* pieceNames_ = nullptr;
    QLabel* baseSizeHeadline_ = nullptr;
    QComboBox* baseSizeBox_ = nullptr;
    QRadioButton* useBaseSize_ = nullptr;
    QRadioButton* useFreeSpace_ = nullptr;
    QPushButton* applyBaseSize_ = nullptr;
    QLabel* pieceCount_ = nullptr;
    QLabel* sizeListHeadline_ = nullptr;
    ElidedLabel* modesNote_ = nullptr;
    QListWidget* sizeList_ = nullptr;
    QLabel* editedPiece_ = nullptr;
    QLabel* newSizeLabel_ = nullptr;
    QLineEdit* newSize_ = nullptr;
    QPushButton* applyNewSize_ = nullptr;

    QProgressBar* progress_ = nullptr;
    LauncherProgress launcher_;
    StatusPanels* statusPanels_ = nullptr;

    // Last: it shows itself on the widgets above as it starts.
    WindowModel model_;
};

}  // namespace brelker
