#include "win32/HowItWorksWindow.h"

#include <algorithm>

#include <commctrl.h>

#include "model/HelpFileModel.h"
#include "platform/WideText.h"
#include "text/Slots.h"
#include "text/TextTable.h"
#include "win32/ControlIds.h"
#include "win32/Resources.h"
#include "win32/Win32Ui.h"

namespace brelker::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"BrelkerHowItWorks";
constexpr int kDesignWidth = 539;
constexpr int kDesignHeight = 326;
// Share of the screen's width the window may take to show its lines whole.
constexpr int kMostOfTheScreenPercent = 90;

}  // namespace

HowItWorksWindow::HowItWorksWindow(HINSTANCE instance, HelpFileModel& model)
    : instance_(instance), model_(model) {}

HowItWorksWindow::~HowItWorksWindow() {
    if (window_ != nullptr) {
        ::DestroyWindow(window_);
    }
    if (font_ != nullptr) {
        ::DeleteObject(font_);
    }
}

void HowItWorksWindow::Show() {
    if (window_ == nullptr) {
        WNDCLASSEXW kind{};
        kind.cbSize = sizeof kind;
        kind.lpfnWndProc = &HowItWorksWindow::Procedure;
        kind.hInstance = instance_;
        kind.hIcon = ::LoadIconW(instance_, MAKEINTRESOURCEW(kApplicationIcon));
        kind.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        kind.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        kind.lpszClassName = kWindowClass;
        ::RegisterClassExW(&kind);
        // A window of its own, not one that stays above the main window.
        ::CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, L"", WS_OVERLAPPEDWINDOW,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                          nullptr, instance_, this);
        font_ = CreateMessageFont(DpiOf(window_));
        // The manual is read, not chosen from.
        ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTBOXW, L"",
                          WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP |
                              LBS_NOINTEGRALHEIGHT | LBS_NOSEL,
                          0, 0, 0, 0, window_,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kManualList)), instance_,
                          nullptr);
        ::CreateWindowExW(0, WC_BUTTONW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0,
                          0, 0, 0, window_,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kOnFileButton)), instance_,
                          nullptr);
        SetFontOfChildren(window_, font_);
    }
    ShowManual();
    // As wide as the lines of the present language, unless the user has it open
    // already: then it only widens for lines of a language wider than it fits.
    if (!::IsWindowVisible(window_)) {
        FitToLines();
    } else {
        WidenForLines();
    }
    ::ShowWindow(window_, SW_SHOWNORMAL);
    ::SetForegroundWindow(window_);
}

LRESULT CALLBACK HowItWorksWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<HowItWorksWindow*>(
            reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<HowItWorksWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    return self == nullptr ? ::DefWindowProcW(window, message, wParam, lParam)
                           : self->Handle(message, wParam, lParam);
}

LRESULT HowItWorksWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            Arrange();
            return 0;
        case WM_ACTIVATE:
            // Rebuilt as it comes to the front, so it follows a language chosen
            // while it was open.
            if (LOWORD(wParam) != WA_INACTIVE && ::GetDlgItem(window_, kManualList) != nullptr) {
                ShowManual();
                WidenForLines();
            }
            break;
        case WM_CTLCOLORLISTBOX:
            // The manual is read, not chosen from: the list wears the menus' colour.
            ::SetBkColor(reinterpret_cast<HDC>(wParam), ::GetSysColor(COLOR_MENU));
            return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_MENU));
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == ::GetDlgItem(window_, kOnFileButton)) {
                ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        case WM_COMMAND:
            if (LOWORD(wParam) == kOnFileButton && HIWORD(wParam) == BN_CLICKED &&
                model_.ShowAsFile()) {
                // Back from the viewer, the manual is where the user left it.
                ::SetForegroundWindow(window_);
                ::SetFocus(::GetDlgItem(window_, kOnFileButton));
            }
            return 0;
        case WM_CLOSE:
            ::ShowWindow(window_, SW_HIDE);
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

void HowItWorksWindow::ShowManual() {
    SetText(window_, Text(slot::kHowItWorksTitle));
    SetText(::GetDlgItem(window_, kOnFileButton), Text(slot::kInformationOnFile));
    const HWND list = ::GetDlgItem(window_, kManualList);
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    widestLine_ = 0;
    for (const std::string& line : model_.Lines()) {
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(line).c_str()));
        widestLine_ = std::max<int>(widestLine_, TextExtent(font_, line, false).cx);
    }
    // Lines wider than the window scroll sideways.
    ::SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widestLine_ + 8), 0);
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
}

// As wide as the longest line of the present language, within the screen, and
// in the middle of it.
void HowItWorksWindow::FitToLines() {
    fittedLine_ = widestLine_;
    const int dpi = DpiOf(window_);
    const RECT room = WorkAreaOf(window_);
    const int most = (room.right - room.left) * kMostOfTheScreenPercent / 100;
    RECT frame{0, 0, widestLine_ + Scaled(40, dpi) + ::GetSystemMetrics(SM_CXVSCROLL),
               Scaled(kDesignHeight, dpi)};
    ::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_CONTROLPARENT);
    const int width =
        std::clamp<int>(frame.right - frame.left, std::min(Scaled(kDesignWidth, dpi), most), most);
    const int height = std::min<int>(frame.bottom - frame.top, room.bottom - room.top);
    ::SetWindowPos(window_, nullptr, room.left + (room.right - room.left - width) / 2,
                   room.top + (room.bottom - room.top - height) / 2, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    Arrange();
}

// Lines wider than the list would scroll sideways: the window grows to show
// them, within the screen, as far to each side as it can.
void HowItWorksWindow::WidenForLines() {
    if (widestLine_ <= fittedLine_) {
        return;
    }
    fittedLine_ = widestLine_;
    const HWND list = ::GetDlgItem(window_, kManualList);
    RECT inside{};
    ::GetClientRect(list, &inside);
    const int missing = widestLine_ + Scaled(8, DpiOf(window_)) - inside.right;
    if (missing <= 0) {
        return;
    }
    RECT frame{};
    ::GetWindowRect(window_, &frame);
    const RECT room = WorkAreaOf(window_);
    const int most = (room.right - room.left) * kMostOfTheScreenPercent / 100;
    const int width = std::min<int>(frame.right - frame.left + missing, most);
    const int left = std::clamp<int>(frame.left - (width - (frame.right - frame.left)) / 2,
                                     room.left, room.right - width);
    ::SetWindowPos(window_, nullptr, left, frame.top, width, frame.bottom - frame.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    Arrange();
}

void HowItWorksWindow::Arrange() {
    const HWND list = ::GetDlgItem(window_, kManualList);
    const HWND button = ::GetDlgItem(window_, kOnFileButton);
    if (list == nullptr || button == nullptr) {
        return;
    }
    const int dpi = DpiOf(window_);
    RECT client{};
    ::GetClientRect(window_, &client);
    const int margin = Scaled(8, dpi);
    const int buttonHeight = LineHeight(font_) + Scaled(12, dpi);
    Place(list, margin, margin, client.right - 2 * margin,
          client.bottom - 3 * margin - buttonHeight);
    Place(button, margin, client.bottom - margin - buttonHeight, client.right - 2 * margin,
          buttonHeight);
}

}  // namespace brelker::win32
