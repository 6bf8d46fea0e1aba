#include "win32/ModalDialog.h"

#include <algorithm>
#include <exception>

#include <commctrl.h>

#include "platform/WideText.h"
#include "settings/Settings.h"
#include "win32/Win32Ui.h"

namespace brelker::win32 {
namespace {

// A dialog template with no controls: a frame with a caption and a close box.
struct alignas(4) EmptyTemplate {
    DLGTEMPLATE frame;
    WORD menu = 0;
    WORD windowClass = 0;
    WORD title = 0;
};

}  // namespace

int ModalDialog::Run(HWND owner) {
    EmptyTemplate empty{};
    empty.frame.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    empty.frame.dwExtendedStyle = WS_EX_CONTROLPARENT;
    const INT_PTR result =
        ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), &empty.frame, owner,
                                  &ModalDialog::Procedure, reinterpret_cast<LPARAM>(this));
    if (font_ != nullptr) {
        ::DeleteObject(font_);
        font_ = nullptr;
    }
    dialog_ = nullptr;
    return static_cast<int>(result);
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    }
    auto* self = reinterpret_cast<ModalDialog*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    if (self == nullptr) {
        return FALSE;
    }
    try {
        switch (message) {
            case WM_INITDIALOG:
                self->dialog_ = dialog;
                self->dpi_ = DpiOf(dialog);
                self->font_ = CreateMessageFont(self->dpi_);
                self->tips_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                                WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                                dialog, nullptr, nullptr, nullptr);
                self->showing_ = true;
                self->Create();
                self->showing_ = false;
                SetFontOfChildren(dialog, self->font_);
                ::PostMessageW(dialog, WM_APP, 0, 0);
                return TRUE;
            case WM_APP:
                self->Shown();
                return TRUE;
            case WM_COMMAND:
                if (self->Command(LOWORD(wParam), HIWORD(wParam))) {
                    return TRUE;
                }
                if (LOWORD(wParam) == IDCANCEL) {
                    ::EndDialog(dialog, IDCANCEL);
                    return TRUE;
                }
                return FALSE;
            default:
                return FALSE;
        }
    } catch (const std::exception& error) {
        ::MessageBoxW(dialog, Widen(error.what()).c_str(), Widen(brelker::kProgramName).c_str(),
                      MB_OK | MB_ICONHAND);
    }
    return FALSE;
}

HWND ModalDialog::Add(const wchar_t* kind, int id, DWORD style, DWORD extendedStyle) {
    return ::CreateWindowExW(extendedStyle, kind, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                             dialog_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                             nullptr);
}

void ModalDialog::SetItemText(int id, std::string_view text) { SetText(Item(id), text); }

std::string ModalDialog::ItemText(int id) const { return TextOf(Item(id)); }

void ModalDialog::ShowInField(int id, std::string_view text) {
    if (ItemText(id) == text) {
        return;
    }
    const bool before = showing_;
    showing_ = true;
    SetItemText(id, text);
    // Only where the user types: a field not yet placed would scroll its text out of sight.
    if (::GetFocus() == Item(id)) {
        const auto end = static_cast<LPARAM>(::GetWindowTextLengthW(Item(id)));
        ::SendMessageW(Item(id), EM_SETSEL, static_cast<WPARAM>(end), end);
    }
    showing_ = before;
}

void ModalDialog::AddTip(int id, std::string_view text) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialog_;
    tool.uId = reinterpret_cast<UINT_PTR>(Item(id));
    std::wstring wide = Widen(text);
    tool.lpszText = wide.data();
    // The tooltip keeps its own copy of the text.
    ::SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

int ModalDialog::S(int length) const { return Scaled(length, dpi_); }

int ModalDialog::Width(std::string_view text) const { return TextExtent(font_, text).cx; }

int ModalDialog::Line() const { return LineHeight(font_); }

int ModalDialog::ButtonWidth(std::string_view text) const {
    return std::max(Width(text) + S(24), S(80));
}

int ModalDialog::CheckBoxWidth(std::string_view text) const { return Width(text) + S(24); }

void ModalDialog::Put(int id, int x, int y, int width, int height) {
    Place(Item(id), x, y, width, height);
}

void ModalDialog::Fit(int width, int height) {
    RECT frame{0, 0, width, height};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(dialog_, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrW(dialog_, GWL_EXSTYLE)));
    const int outerWidth = frame.right - frame.left;
    const int outerHeight = frame.bottom - frame.top;
    // In the middle of the window it belongs to, kept on that window's screen;
    // with none shown, in the middle of the screen.
    const HWND owner = ::GetParent(dialog_);
    const bool overOwner = owner != nullptr && ::IsWindowVisible(owner) && !::IsIconic(owner);
    const RECT room = WorkAreaOf(owner != nullptr ? owner : dialog_);
    RECT over = room;
    if (overOwner) {
        ::GetWindowRect(owner, &over);
    }
    const int left = std::clamp<int>(over.left + (over.right - over.left - outerWidth) / 2,
                                     room.left, std::max<int>(room.left, room.right - outerWidth));
    const int top = std::clamp<int>(over.top + (over.bottom - over.top - outerHeight) / 2, room.top,
                                    std::max<int>(room.top, room.bottom - outerHeight));
    ::SetWindowPos(dialog_, nullptr, left, top, outerWidth, outerHeight,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace brelker::win32
