#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/WindowView.h"

namespace brelker {

class DialogService;
class Job;
class Platform;
class SettingsStore;
class WindowLogic;

// The main window without its toolkit, as a view holds it: what the user did
// goes in, and the model shows every enabled and checked state, caption and
// status text on the view's parts. The job, the engine, the plan and the
// settings behind it stay out of a view's includes.
class WindowModel {
public:
    WindowModel(Platform& platform, SettingsStore& store, DialogService& dialogs,
                const ViewParts& view);
    ~WindowModel();
    WindowModel(const WindowModel&) = delete;
    WindowModel& operator=(const WindowModel&) = delete;

    // Shows every enabled and checked state on the view, once its controls exist.
    void ShowStates();
    // Start-up: loads every setting, applies the texts, then acts on the
    // switches (which may run a whole split before the window waits).
    void Start(const std::vector<std::string>& arguments);
    // True once the program was asked to end.
    bool QuitRequested() const;
    // 1 once the work the switches asked for failed, else 0.
    int ExitCode() const;

    // A menu item or speed button was chosen; a command that is switched off
    // does nothing.
    void Execute(Command command);
    bool Enabled(Command command) const;
    bool Checked(Command command) const;
    bool Enabled(Control control) const;
    bool Enabled(Menu menu) const;
    // While a split, join or Verify runs: everything but Stop is off.
    bool Busy() const;

    // The size plan's controls.
    void BaseSizeChosen(int index);
    void ApplyBaseSizeClicked();
    void SizeModeChosen(bool useFreeSpace);
    void SizeLineChosen(int index);
    // The new size's field: what it holds, however it came there, and an edit
    // by the user, which arms its button.
    void NewSizeChanged(const std::string& text);
    void NewSizeEdited(const std::string& text);
    // Return in the new size's field: as its button, while that is on.
    void NewSizeConfirmed();
    void ApplyNewSizeClicked();
    void UnitChosen(SizeUnit unit);

    // Files dropped on the window, as the file system names them.
    void FilesDropped(const std::vector<std::string>& paths);
    // The window is being closed: true when it may close now. During work the
    // Stop question comes first, and the window closes once the work stopped.
    bool CloseRequested();

    // The current job, for the tests.
    Job& CurrentJob();

private:
    std::unique_ptr<WindowLogic> logic_;
};

}  // namespace brelker
