#include "win32/Win32Ui.h"

#include <vector>

#include "platform/WideText.h"

namespace brelker::win32 {
namespace {

// GetDpiForWindow exists from Windows 10 on; earlier systems have one density.
using DpiForWindow = UINT(WINAPI*)(HWND);

DpiForWindow FindDpiForWindow() {
    const HMODULE user = ::GetModuleHandleW(L"user32.dll");
    return user == nullptr ? nullptr
                           : reinterpret_cast<DpiForWindow>(reinterpret_cast<void*>(
                                 ::GetProcAddress(user, "GetDpiForWindow")));
}

int SystemDpi() {
    const HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

SIZE Measure(HFONT font, std::string_view text, UINT format, int width) {
    const std::wstring wide = Widen(text);
    const HDC screen = ::GetDC(nullptr);
    const HGDIOBJ previous = ::SelectObject(screen, font);
    RECT room{0, 0, width, 0};
    // An empty text still takes a line's height.
    ::DrawTextW(screen, wide.empty() ? L" " : wide.c_str(), -1, &room, format | DT_CALCRECT);
    ::SelectObject(screen, previous);
    ::ReleaseDC(nullptr, screen);
    return {wide.empty() ? 0 : room.right - room.left, room.bottom - room.top};
}

// cut(kept) is a text shortened to kept of its length characters: the one with
// the most of them that still fits.
template <typename Cut, typename Fits>
std::string MostThatFits(std::size_t length, const Cut& cut, const Fits& fits) {
    std::size_t fitting = 0;
    std::size_t tooMany = length;
    while (tooMany - fitting > 1) {
        const std::size_t kept = (fitting + tooMany) / 2;
        if (fits(cut(kept))) {
            fitting = kept;
        } else {
            tooMany = kept;
        }
    }
    return cut(fitting);
}

}  // namespace

void SetText(HWND window, std::string_view text) { ::SetWindowTextW(window, Widen(text).c_str()); }

std::string TextOf(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), length + 1)));
    return Narrow(text);
}

int DpiOf(HWND window) {
    static const DpiForWindow dpiForWindow = FindDpiForWindow();
    if (window != nullptr && dpiForWindow != nullptr) {
        const UINT dpi = dpiForWindow(window);
        if (dpi > 0) {
            return static_cast<int>(dpi);
        }
    }
    return SystemDpi();
}

int Scaled(int length, int dpi) { return ::MulDiv(length, dpi, USER_DEFAULT_SCREEN_DPI); }

HFONT CreateMessageFont(int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0) == 0) {
        return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    }
    // The metrics are given for the system's density; a screen may have another.
    LOGFONTW font = metrics.lfMessageFont;
    font.lfHeight = ::MulDiv(font.lfHeight, dpi, SystemDpi());
    return ::CreateFontIndirectW(&font);
}

void SetFontOfChildren(HWND parent, HFONT font) {
    ::EnumChildWindows(
        parent,
        [](HWND child, LPARAM shared) -> BOOL {
            ::SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(shared), TRUE);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(font));
}

SIZE TextExtent(HFONT font, std::string_view text, bool prefix) {
    return Measure(font, text, DT_SINGLELINE | (prefix ? 0U : DT_NOPREFIX), 0);
}

SIZE WrappedTextExtent(HFONT font, std::string_view text, int width) {
    return Measure(font, text, DT_WORDBREAK | DT_NOPREFIX, width);
}

std::string ShortenedInMiddle(HFONT font, std::string_view text, int width) {
    if (TextExtent(font, text, false).cx <= width) {
        return std::string(text);
    }
    const std::wstring whole = Widen(text);
    const auto cut = [&whole](std::size_t kept) {
        std::size_t front = kept / 3;
        std::size_t back = kept - front;
        // Never between the two halves of a character outside the first plane.
        if (front > 0 && IS_HIGH_SURROGATE(whole[front - 1])) {
            --front;
        }
        if (back > 0 && IS_LOW_SURROGATE(whole[whole.size() - back])) {
            --back;
        }
        return Narrow(whole.substr(0, front) + L"\u2026" + whole.substr(whole.size() - back));
    };
    return MostThatFits(whole.size(), cut, [font, width](const std::string& shown) {
        return TextExtent(font, shown, false).cx <= width;
    });
}

std::string WrappedWithin(HFONT font, std::string_view text, int width, int height) {
    if (WrappedTextExtent(font, text, width).cy <= height) {
        return std::string(text);
    }
    const std::wstring whole = Widen(text);
    const auto cut = [&whole](std::size_t kept) {
        if (kept > 0 && IS_HIGH_SURROGATE(whole[kept - 1])) {
            --kept;
        }
        return Narrow(whole.substr(0, kept) + L"\u2026");
    };
    return MostThatFits(whole.size(), cut, [font, width, height](const std::string& shown) {
        return WrappedTextExtent(font, shown, width).cy <= height;
    });
}

int LineHeight(HFONT font) { return TextExtent(font, "Ag").cy; }

void Place(HWND child, int x, int y, int width, int height) {
    ::SetWindowPos(child, nullptr, x, y, width > 0 ? width : 0, height > 0 ? height : 0,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT WorkAreaOf(HWND window) {
    const HMONITOR monitor = window != nullptr
                                 ? ::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY)
                                 : ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ::GetMonitorInfoW(monitor, &info);
    return info.rcWork;
}

}  // namespace brelker::win32
