#include "win32/Win32Dialogs.h"

#include <commdlg.h>

#include "platform/Paths.h"
#include "platform/WideText.h"
#include "win32/HowItWorksWindow.h"
#include "win32/OptionDialogs.h"

namespace brelker::win32 {
namespace {

// Room for a path past the 260 characters of old Windows.
constexpr std::size_t kPathRoom = 32768;

// "Description|pattern|..." as the system's dialogs take it: each part ended
// by a zero, the whole by another.
std::wstring SystemFilter(const std::string& filter) {
    std::wstring parts = Widen(filter);
    if (parts.empty()) {
        return std::wstring();
    }
    for (wchar_t& c : parts) {
        c = c == L'|' ? L'\0' : c;
    }
    parts.push_back(L'\0');
    parts.push_back(L'\0');
    return parts;
}

}  // namespace

Win32Dialogs::Win32Dialogs(HINSTANCE instance, Desktop& session)
    : instance_(instance), session_(session) {}

Win32Dialogs::~Win32Dialogs() = default;

HWND Win32Dialogs::Owner() const {
    const HWND active = ::GetActiveWindow();
    return active != nullptr ? active : owner_;
}

HWND Win32Dialogs::HowItWorks() const { return howItWorks_ ? howItWorks_->Handle() : nullptr; }

// The program takes the folders of its dialogs from the current folder, which
// not every system's dialog moves: the folder of the choice is made current.
std::optional<std::string> Win32Dialogs::Chosen(const std::wstring& path) {
    const std::string chosen = Narrow(path.c_str());
    session_.SetCurrentFolder(FolderOfPath(chosen));
    return chosen;
}

std::optional<std::string> Win32Dialogs::OpenFile(const std::string& title,
                                                  const std::string& filter,
                                                  const std::string& folder) {
    std::wstring path(kPathRoom, L'\0');
    const std::wstring shownTitle = Widen(title);
    const std::wstring filters = SystemFilter(filter);
    const std::wstring start = Widen(folder);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Owner();
    dialog.lpstrFilter = filters.empty() ? nullptr : filters.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrInitialDir = start.c_str();
    dialog.lpstrTitle = shownTitle.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                   OFN_NOCHANGEDIR | OFN_DONTADDTORECENT;
    if (::GetOpenFileNameW(&dialog) == 0) {
        return std::nullopt;
    }
    return Chosen(path);
}

std::optional<std::string> Win32Dialogs::SaveFile(const std::string& title,
                                                  const std::string& filter,
                                                  const std::string& folder,
                                                  const std::string& proposedName) {
    std::wstring path = Widen(proposedName);
    path.resize(kPathRoom, L'\0');
    const std::wstring shownTitle = Widen(title);
    const std::wstring filters = SystemFilter(filter);
    const std::wstring start = Widen(folder);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Owner();
    dialog.lpstrFilter = filters.empty() ? nullptr : filters.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrInitialDir = start.c_str();
    dialog.lpstrTitle = shownTitle.c_str();
    // The pieces' name is only a stem: nothing is asked about replacing it.
    dialog.Flags =
        OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_DONTADDTORECENT;
    if (::GetSaveFileNameW(&dialog) == 0) {
        return std::nullopt;
    }
    return Chosen(path);
}

bool Win32Dialogs::Message(const std::string& text, const std::string& caption, MessageIcon icon,
                           MessageButtons buttons) {
    UINT style = AsksYesOrNo(buttons) ? MB_YESNO : MB_OK;
    if (buttons == MessageButtons::YesNoDefaultNo) {
        style |= MB_DEFBUTTON2;
    }
    switch (icon) {
        case MessageIcon::Stop:
            style |= MB_ICONHAND;
            break;
        case MessageIcon::Warning:
            style |= MB_ICONEXCLAMATION;
            break;
        case MessageIcon::Information:
            style |= MB_ICONINFORMATION;
            break;
        case MessageIcon::Question:
            style |= MB_ICONQUESTION;
            break;
    }
    const int answer = ::MessageBoxW(Owner(), Widen(text).c_str(), Widen(caption).c_str(), style);
    return answer != IDNO;
}

Answer Win32Dialogs::AskYesNoCancel(const std::string& text, const std::string& caption) {
    const int answer = ::MessageBoxW(Owner(), Widen(text).c_str(), Widen(caption).c_str(),
                                     MB_YESNOCANCEL | MB_ICONQUESTION);
    return answer == IDYES ? Answer::Yes : answer == IDNO ? Answer::No : Answer::Cancel;
}

bool Win32Dialogs::Run(MemoryModel& memory) { return RunMemoryDialog(Owner(), memory); }

bool Win32Dialogs::Run(SuffixModel& suffix) {
    return RunSuffixDialog(Owner(), suffix,
                           [this](const std::string& text, const std::string& caption) {
                               Message(text, caption, MessageIcon::Warning, MessageButtons::Ok);
                           });
}

bool Win32Dialogs::Run(ExtractModel& extraction) { return RunExtractDialog(Owner(), extraction); }

void Win32Dialogs::Run(BaseSizeModel& baseSizes) { RunBaseSizeDialog(Owner(), baseSizes); }

bool Win32Dialogs::Run(DiskCountModel& diskCount) { return RunDiskCountDialog(Owner(), diskCount); }

void Win32Dialogs::Show(HelpFileModel& help) {
    if (!howItWorks_ || howItWorksModel_ != &help) {
        howItWorks_ = std::make_unique<HowItWorksWindow>(instance_, help);
        howItWorksModel_ = &help;
    }
    howItWorks_->Show();
}

}  // namespace brelker::win32
