// What the user does with the window reaches the model here: commands from
// menus, speed buttons and shortcuts, the plan's controls, hints under the
// mouse, files dropped from Explorer, closing.

#include <exception>

#include <windows.h>
#undef DeleteFile
// shellapi.h needs the types of windows.h.
#include <shellapi.h>

#include "platform/WideText.h"
#include "settings/Settings.h"
#include "text/Hints.h"
#include "win32/ControlIds.h"
#include "win32/Win32Ui.h"
#include "win32/Win32Window.h"

namespace brelker::win32 {

LRESULT CALLBACK Win32Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32Window*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    // An exception must not cross the system's code: it is shown, and the
    // program goes on.
    try {
        return self->Handle(message, wParam, lParam);
    } catch (const std::exception& error) {
        ::MessageBoxW(window, Widen(error.what()).c_str(), Widen(brelker::kProgramName).c_str(),
                      MB_OK | MB_ICONHAND);
    }
    return 0;
}

LRESULT Win32Window::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            CommandChosen(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_NOTIFY:
            return Notified(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_SIZE:
            Layout();
            return 0;
        case WM_DRAWITEM:
            if (wParam == kStatusBar) {
                DrawStatusPart(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
                return TRUE;
            }
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            // Labels and buttons on the window's own face, not on white.
            ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
        case WM_GETMINMAXINFO: {
            if (speedBar_ == nullptr || status_ == nullptr) {
                break;
            }
            const SIZE least = MinimumClientSize();
            RECT frame{0, 0, least.cx, least.cy};
            ::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, TRUE, WS_EX_ACCEPTFILES);
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
            return 0;
        }
        case 0x02E0: {  // WM_DPICHANGED: the window moved to a screen of another density
            DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        }
        case WM_SETCURSOR:
            if (SetCursorFor(reinterpret_cast<HWND>(wParam))) {
                return TRUE;
            }
            break;
        case WM_MENUSELECT: {
            // The long part of the hint of the menu item under the mouse.
            Command command{};
            if ((HIWORD(wParam) & MF_POPUP) == 0 && CommandOfId(LOWORD(wParam), command)) {
                ShowHint(LongHint(texts_.commands[static_cast<std::size_t>(command)].hint));
            }
            break;
        }
        case WM_DROPFILES:
            FilesDropped(reinterpret_cast<HANDLE>(wParam));
            return 0;
        case WM_CLOSE:
            if (model_.CloseRequested()) {
                ::DestroyWindow(window_);
            }
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY: {
            // The last message: the window is gone after it.
            const LRESULT result = ::DefWindowProcW(window_, message, wParam, lParam);
            ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
            window_ = nullptr;
            return result;
        }
        default:
            break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

void Win32Window::CommandChosen(int id, int code, HWND control) {
    Command command{};
    if (CommandOfId(id, command)) {
        model_.Execute(command);
        return;
    }
    if (id >= kFirstUnitButton && id <= kLastUnitButton) {
        if (code == BN_CLICKED) {
            model_.UnitChosen(static_cast<SizeUnit>(id - kFirstUnitButton + 1));
        }
        return;
    }
    switch (id) {
        case kHintButton:
            model_.Execute(Command::Hint);
            break;
        case kBaseSizeBox:
            if (code == CBN_SELCHANGE) {
                model_.BaseSizeChosen(
                    static_cast<int>(::SendMessageW(control, CB_GETCURSEL, 0, 0)));
            }
            break;
        case kApplyBaseSize:
            model_.ApplyBaseSizeClicked();
            break;
        case kUseBaseSize:
        case kUseFreeSpace:
            if (code == BN_CLICKED) {
                model_.SizeModeChosen(id == kUseFreeSpace);
            }
            break;
        case kNewSize:
            if (code == EN_CHANGE) {
                if (showing_) {
                    model_.NewSizeChanged(TextOf(control));
                } else {
                    model_.NewSizeEdited(TextOf(control));
                }
            }
            break;
        case kApplyNewSize:
            model_.ApplyNewSizeClicked();
            break;
        case IDOK:
            // Return anywhere else (in the list, on a radio button) is no command.
            if (::GetFocus() == Item(kNewSize)) {
                model_.NewSizeConfirmed();
            }
            break;
        default:
            break;
    }
}

LRESULT Win32Window::Notified(const NMHDR& header) {
    switch (header.code) {
        case TTN_GETDISPINFOW: {
            auto& tip = *reinterpret_cast<NMTTDISPINFOW*>(const_cast<NMHDR*>(&header));
            std::string hint;
            Command command{};
            if ((tip.uFlags & TTF_IDISHWND) != 0) {
                hint = HintOf(reinterpret_cast<HWND>(header.idFrom));
            } else if (header.idFrom == kBigFileGroup || header.idFrom == kSmallFilesGroup) {
                hint = HintOf(Item(static_cast<int>(header.idFrom)));
            } else if (CommandOfId(static_cast<int>(header.idFrom), command)) {
                hint = texts_.commands[static_cast<std::size_t>(command)].hint;
            }
            // The tooltip copies the text before the next one is asked for.
            static std::wstring shown;
            shown = Widen(ShortHint(hint));
            tip.lpszText = shown.data();
            tip.hinst = nullptr;
            return 0;
        }
        case TBN_HOTITEMCHANGE: {
            const auto& hot = reinterpret_cast<const NMTBHOTITEM&>(header);
            Command command{};
            if ((hot.dwFlags & HICF_LEAVING) == 0 && CommandOfId(hot.idNew, command)) {
                ShowHint(LongHint(texts_.commands[static_cast<std::size_t>(command)].hint));
            }
            return 0;
        }
        case LVN_GETDISPINFOW: {
            auto& line = reinterpret_cast<NMLVDISPINFOW&>(const_cast<NMHDR&>(header));
            const auto index = static_cast<std::size_t>(line.item.iItem);
            if ((line.item.mask & LVIF_TEXT) != 0 && index < sizeLines_.size() &&
                line.item.cchTextMax > 0) {
                // Verify's lines name the pieces, in whatever script their names are.
                const std::wstring text = Widen(sizeLines_[index]);
                const auto room = static_cast<std::size_t>(line.item.cchTextMax - 1);
                const std::size_t length = text.copy(line.item.pszText, room);
                line.item.pszText[length] = L'\0';
            }
            if ((line.item.mask & LVIF_IMAGE) != 0) {
                line.item.iImage =
                    index < lineMarks_.size() ? static_cast<int>(lineMarks_[index]) : I_IMAGENONE;
            }
            return 0;
        }
        case LVN_ITEMCHANGED: {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            if (!showing_ && change.iItem >= 0 && (change.uNewState & LVIS_SELECTED) != 0 &&
                (change.uOldState & LVIS_SELECTED) == 0) {
                model_.SizeLineChosen(change.iItem);
            }
            return 0;
        }
        default:
            break;
    }
    return 0;
}

const std::string& Win32Window::HintOf(HWND control) const {
    static const std::string none;
    const auto found = hints_.find(control);
    return found == hints_.end() ? none : found->second;
}

// The cursor shows that the window works: the hourglass everywhere, and over
// the face of Stop the hand that says it still takes a click.
bool Win32Window::SetCursorFor(HWND under) {
    ShowHintOf(under);
    if (pointer_ != Pointer::Busy) {
        return false;
    }
    const wchar_t* shape = IDC_WAIT;
    if (under == speedBar_ && model_.Busy()) {
        RECT stop{};
        ::SendMessageW(speedBar_, TB_GETRECT, static_cast<WPARAM>(CommandId(Command::Stop)),
                       reinterpret_cast<LPARAM>(&stop));
        ::InflateRect(&stop, -1, -1);
        POINT at{};
        ::GetCursorPos(&at);
        ::ScreenToClient(speedBar_, &at);
        if (::PtInRect(&stop, at)) {
            shape = IDC_HAND;
        }
    }
    ::SetCursor(::LoadCursorW(nullptr, shape));
    return true;
}

// The long part of the hint of what the mouse is over goes to status panel 0,
// once each time the mouse comes to it.
void Win32Window::ShowHintOf(HWND under) {
    if (under == window_) {
        // Group boxes let the mouse through to the window: the group is found by place.
        POINT at{};
        ::GetCursorPos(&at);
        for (const int id : {kBigFileGroup, kSmallFilesGroup}) {
            RECT group{};
            ::GetWindowRect(Item(id), &group);
            if (::PtInRect(&group, at)) {
                under = Item(id);
            }
        }
    }
    if (under == hintShownFor_ || under == speedBar_) {
        return;
    }
    hintShownFor_ = under;
    if (hints_.count(under) != 0) {
        ShowHint(LongHint(HintOf(under)));
    }
}

void Win32Window::FilesDropped(HANDLE dropped) {
    const auto drop = static_cast<HDROP>(dropped);
    std::vector<std::string> paths;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(::DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(::DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        paths.push_back(Narrow(path));
    }
    ::DragFinish(drop);
    model_.FilesDropped(paths);
}

bool Win32Window::TranslateKeys(MSG& message) {
    if (window_ == nullptr) {
        return false;
    }
    if (message.hwnd == window_ || ::IsChild(window_, message.hwnd)) {
        if (::TranslateAcceleratorW(window_, shortcuts_, &message) != 0) {
            return true;
        }
        // Tab moves between the controls; Return and Escape come as IDOK and
        // IDCANCEL, which only the new size's field takes.
        return ::IsDialogMessageW(window_, &message) != 0;
    }
    // Another window of the program (How It Works) moves its focus by Tab too.
    const HWND active = ::GetActiveWindow();
    return active != nullptr && active != window_ && ::IsDialogMessageW(active, &message) != 0;
}

int Win32Window::Run(int show) {
    if (!shown_ && window_ != nullptr) {
        ::ShowWindow(window_, show);
        ::UpdateWindow(window_);
        shown_ = true;
    }
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!TranslateKeys(message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    // Switches whose work failed end in failure however the window is closed.
    return model_.ExitCode();
}

}  // namespace brelker::win32
