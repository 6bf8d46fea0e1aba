#pragma once

#include <memory>

#include <windows.h>
#undef DeleteFile

#include "model/Dialogs.h"
#include "platform/Platform.h"

namespace brelker::win32 {

class HowItWorksWindow;

// The dialogs of the Windows window: the system's open and save dialogs and
// message boxes, and the program's own option dialogs, each over the window
// that is active at the time (the main window, or an option dialog that warns).
class Win32Dialogs : public DialogService {
public:
    Win32Dialogs(HINSTANCE instance, Desktop& session);
    ~Win32Dialogs() override;
    Win32Dialogs(const Win32Dialogs&) = delete;
    Win32Dialogs& operator=(const Win32Dialogs&) = delete;

    // The main window, once it exists.
    void SetOwner(HWND owner) { owner_ = owner; }

    std::optional<std::string> OpenFile(const std::string& title, const std::string& filter,
                                        const std::string& folder) override;
    std::optional<std::string> SaveFile(const std::string& title, const std::string& filter,
                                        const std::string& folder,
                                        const std::string& proposedName) override;
    bool Message(const std::string& text, const std::string& caption, MessageIcon icon,
                 MessageButtons buttons) override;
    Answer AskYesNoCancel(const std::string& text, const std::string& caption) override;
    bool Run(MemoryModel& memory) override;
    bool Run(SuffixModel& suffix) override;
    bool Run(ExtractModel& extraction) override;
    void Run(BaseSizeModel& baseSizes) override;
    bool Run(DiskCountModel& diskCount) override;
    void Show(HelpFileModel& help) override;

    // The How It Works window once shown, for the tests.
    HWND HowItWorks() const;

private:
    HWND Owner() const;
    std::optional<std::string> Chosen(const std::wstring& path);

    HINSTANCE instance_;
    Desktop& session_;
    HWND owner_ = nullptr;
    std::unique_ptr<HowItWorksWindow> howItWorks_;
    HelpFileModel* howItWorksModel_ = nullptr;
};

}  // namespace brelker::win32
