// What the window model shows reaches the controls here.

#include <algorithm>
#include <tuple>

#include "platform/WideText.h"
#include "settings/Settings.h"
#include "text/Hints.h"
#include "win32/ControlIds.h"
#include "win32/Win32Ui.h"
#include "win32/Win32Window.h"

namespace brelker::win32 {

namespace {

int ControlIdOfControl(Control control) {
    switch (control) {
        case Control::BaseSizeBox:
            return kBaseSizeBox;
        case Control::UseBaseSize:
            return kUseBaseSize;
        case Control::UseFreeSpace:
            return kUseFreeSpace;
        case Control::ApplyBaseSize:
            return kApplyBaseSize;
        case Control::SizeList:
            return kSizeList;
        case Control::NewSize:
            return kNewSize;
        case Control::ApplyNewSize:
            return kApplyNewSize;
        case Control::EditedPiece:
            return kEditedPiece;
    }
    return 0;
}

void SetMenuText(HMENU menu, UINT item, BOOL byPosition, const std::string& text) {
    std::wstring wide = Widen(text);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = wide.data();
    ::SetMenuItemInfoW(menu, item, byPosition, &info);
}

}  // namespace

void Win32Window::SetControlText(int id, const std::string& text) { SetText(Item(id), text); }

void Win32Window::SetCommandEnabled(Command command, bool enabled) {
    const int id = CommandId(command);
    ::EnableMenuItem(menuBar_, static_cast<UINT>(id),
                     MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    ::SendMessageW(speedBar_, TB_ENABLEBUTTON, static_cast<WPARAM>(id), MAKELPARAM(enabled, 0));
    if (command == Command::Hint) {
        ::EnableWindow(hintButton_, enabled);
    }
}

void Win32Window::SetCommandChecked(Command command, bool checked) {
    ::CheckMenuItem(menuBar_, static_cast<UINT>(CommandId(command)),
                    MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void Win32Window::SetMenuEnabled(Menu menu, bool enabled) {
    ::EnableMenuItem(menuBar_, static_cast<UINT>(menu),
                     MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
    ::DrawMenuBar(window_);
}

void Win32Window::SetControlEnabled(Control control, bool enabled) {
    const HWND shown = Item(ControlIdOfControl(control));
    ::EnableWindow(shown, enabled);
    // A list view keeps its white face when it is off: grey says it takes no click.
    if (control == Control::SizeList) {
        const COLORREF face = ::GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE);
        ListView_SetBkColor(shown, face);
        ListView_SetTextBkColor(shown, face);
        ListView_SetTextColor(shown, ::GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
        ::InvalidateRect(shown, nullptr, TRUE);
    }
}

void Win32Window::ApplyTexts(const WindowTexts& texts) {
    texts_ = texts;
    SetText(window_, texts.title);
    for (int i = 0; i < kCommandCount; ++i) {
        const auto command = static_cast<Command>(i);
        std::string caption = texts.commands[static_cast<std::size_t>(i)].caption;
        if (const std::string shortcut = ShortcutText(command); !shortcut.empty()) {
            caption += "\t" + shortcut;
        }
        SetMenuText(menuBar_, static_cast<UINT>(CommandId(command)), FALSE, caption);
    }
    for (int i = 0; i < kMenuCount; ++i) {
        SetMenuText(menuBar_, static_cast<UINT>(i), TRUE, texts.menus[static_cast<std::size_t>(i)]);
    }
    ::DrawMenuBar(window_);
    SetText(hintButton_, texts.howItWorksButton);

    const auto caption = [this](int id, const WindowTexts::Item& item) {
        SetControlText(id, item.caption);
        hints_[Item(id)] = item.hint;
    };
    caption(kBigFileGroup, texts.bigFileGroup);
    caption(kBigFileNameLabel, texts.bigFileNameLabel);
    caption(kBigFileSizeLabel, texts.bigFileSizeLabel);
    caption(kSmallFilesGroup, texts.smallFilesGroup);
    hints_[Item(kSmallFilesGroup)] = piecesGroupHint_;
    caption(kPieceNamesLabel, texts.pieceNamesLabel);
    caption(kBaseSizeHeadline, texts.baseSizeHeadline);
    hints_[Item(kBaseSizeBox)] = texts.baseSizeBox.hint;
    caption(kApplyBaseSize, texts.applyBaseSize);
    caption(kUseBaseSize, texts.useBaseSize);
    caption(kUseFreeSpace, texts.useFreeSpace);
    caption(kSizeListHeadline, texts.sizeListHeadline);
    hints_[Item(kSizeList)] = texts.sizeList.hint;
    caption(kNewSizeLabel, texts.newSizeLabel);
    hints_[Item(kNewSize)] = texts.newSize.hint;
    caption(kApplyNewSize, texts.applyNewSize);
    hints_[Item(kProgress)] = texts.progress.hint;
    hints_[hintButton_] = texts.howItWorksButtonHint;
    KeepWideEnough();
    Layout();
}

void Win32Window::ShowBigFileName(const std::string& path) { SetControlText(kBigFileName, path); }

void Win32Window::ShowBigFileSize(const std::string& text) { SetControlText(kBigFileSize, text); }

void Win32Window::SelectUnitButton(SizeUnit unit) {
    // A stored unit outside the five leaves every button unchecked.
    for (int i = 0; i < 5; ++i) {
        ::SendMessageW(Item(kFirstUnitButton + i), BM_SETCHECK,
                       i + 1 == static_cast<int>(unit) ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

void Win32Window::ShowPieceNames(const std::string& text) { SetControlText(kPieceNames, text); }

void Win32Window::ShowPieceCount(const std::string& text) { SetControlText(kPieceCount, text); }

void Win32Window::SetPiecesGroupHint(const std::string& hint) {
    piecesGroupHint_ = hint;
    hints_[Item(kSmallFilesGroup)] = hint;
}

void Win32Window::ShowEditedPiece(const std::string& text) { SetControlText(kEditedPiece, text); }

// Shortened at its end where the row is short; whole in its tooltip.
void Win32Window::ShowModesNote(const std::string& text) {
    SetControlText(kModesNote, text);
    hints_[Item(kModesNote)] = text.empty() ? std::string() : text + "|" + text;
}

void Win32Window::SetSizeLineCount() {
    ListView_SetItemCountEx(Item(kSizeList), static_cast<int>(sizeLines_.size()), LVSICF_NOSCROLL);
}

void Win32Window::ShowSizeLines(const std::vector<std::int64_t>& sizes) {
    ForgetLineMarks();
    sizeLines_.clear();
    sizeLines_.reserve(sizes.size());
    for (const std::int64_t size : sizes) {
        sizeLines_.push_back(std::to_string(size));
    }
    showing_ = true;
    ListView_SetItemState(Item(kSizeList), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    showing_ = false;
    SetSizeLineCount();
    // A new plan is shown from its first piece.
    if (!sizeLines_.empty()) {
        ListView_EnsureVisible(Item(kSizeList), 0, FALSE);
    }
    ::InvalidateRect(Item(kSizeList), nullptr, TRUE);
}

void Win32Window::AddSizeLine(const std::string& line) {
    sizeLines_.push_back(line);
    SetSizeLineCount();
}

void Win32Window::ClearSizeLines() {
    ForgetLineMarks();
    sizeLines_.clear();
    showing_ = true;
    ListView_SetItemCountEx(Item(kSizeList), 0, 0);
    showing_ = false;
}

void Win32Window::SelectSizeLine(int index) {
    const HWND list = Item(kSizeList);
    showing_ = true;
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (index >= 0) {
        ListView_SetItemState(list, index, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(list, index, FALSE);
    }
    showing_ = false;
}

void Win32Window::RepaintSizeList() { ::UpdateWindow(Item(kSizeList)); }

void Win32Window::ShowSizeListHeading(const std::string& caption, const std::string& listHint) {
    texts_.sizeListHeadline.caption = caption;
    texts_.sizeList.hint = listHint;
    SetControlText(kSizeListHeadline, caption);
    hints_[Item(kSizeList)] = listHint;
}

// Each line with its mark as a small icon in front of the text, which names
// the state in words too.
void Win32Window::ShowMarkedLines(const std::vector<MarkedLine>& lines) {
    sizeLines_.clear();
    lineMarks_.clear();
    for (const MarkedLine& line : lines) {
        sizeLines_.push_back(line.text);
        lineMarks_.push_back(line.mark);
    }
    const HWND list = Item(kSizeList);
    ListView_SetImageList(list, lineIcons_, LVSIL_SMALL);
    showing_ = true;
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    showing_ = false;
    SetSizeLineCount();
    if (!sizeLines_.empty()) {
        ListView_EnsureVisible(list, 0, FALSE);
    }
    ::InvalidateRect(list, nullptr, TRUE);
}

// The piece sizes have no marks, and no room is kept for them.
void Win32Window::ForgetLineMarks() {
    lineMarks_.clear();
    ListView_SetImageList(Item(kSizeList), nullptr, LVSIL_SMALL);
}

void Win32Window::SetNewSizeText(const std::string& text) {
    showing_ = true;
    SetControlText(kNewSize, text);
    showing_ = false;
}

void Win32Window::ShowBaseSizes(const std::vector<std::string>& texts, int selected) {
    const HWND box = Item(kBaseSizeBox);
    ::SendMessageW(box, CB_RESETCONTENT, 0, 0);
    for (const std::string& text : texts) {
        ::SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
    }
    ::SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void Win32Window::SelectBaseSize(int index) {
    ::SendMessageW(Item(kBaseSizeBox), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void Win32Window::ShowSizeMode(bool useFreeSpace) {
    ::SendMessageW(Item(kUseFreeSpace), BM_SETCHECK, useFreeSpace ? BST_CHECKED : BST_UNCHECKED, 0);
    ::SendMessageW(Item(kUseBaseSize), BM_SETCHECK, useFreeSpace ? BST_UNCHECKED : BST_CHECKED, 0);
}

// Panel 0 mostly names the piece being worked on: shortened in the middle,
// its number stays in sight.
void Win32Window::ShowStatus(int panel, const std::string& text) {
    if (panel == 0) {
        RECT part{};
        ::SendMessageW(status_, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&part));
        SetStatusText(0, ShortenedInMiddle(font_, text, part.right - part.left - S(8)), text);
        return;
    }
    stateText_ = text;
    ArrangeStatusParts();
    SetStatusText(1, text, text);
    ::UpdateWindow(status_);
}

// A hint is not shortened: it wraps onto the bar's second line, and what does
// not fit even there is whole in the panel's tooltip.
void Win32Window::ShowHint(const std::string& hint) { SetStatusText(0, hint, hint); }

// The panels draw themselves (DrawStatusPart): a status bar's own text takes
// one line only.
void Win32Window::SetStatusText(int panel, const std::string& shown, const std::string& whole) {
    statusTexts_[static_cast<std::size_t>(panel)] = shown;
    ::SendMessageW(status_, SB_SETTEXTW, static_cast<WPARAM>(panel) | SBT_OWNERDRAW, 0);
    ::SendMessageW(status_, SB_SETTIPTEXTW, static_cast<WPARAM>(panel),
                   reinterpret_cast<LPARAM>(Widen(whole).c_str()));
    RECT part{};
    ::SendMessageW(status_, SB_GETRECT, static_cast<WPARAM>(panel),
                   reinterpret_cast<LPARAM>(&part));
    ::InvalidateRect(status_, &part, TRUE);
}

void Win32Window::DrawStatusPart(const DRAWITEMSTRUCT& part) const {
    if (part.itemID > 1) {
        return;
    }
    RECT room = part.rcItem;
    ::InflateRect(&room, -S(3), 0);
    const std::string shown = WrappedWithin(font_, statusTexts_[part.itemID],
                                            room.right - room.left, room.bottom - room.top);
    const std::wstring text = Widen(shown);
    const HGDIOBJ previous = ::SelectObject(part.hDC, font_);
    ::SetBkMode(part.hDC, TRANSPARENT);
    ::SetTextColor(part.hDC, ::GetSysColor(COLOR_BTNTEXT));
    // One line or two, in the middle of the bar's height.
    RECT lines = room;
    ::DrawTextW(part.hDC, text.c_str(), -1, &lines, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    ::OffsetRect(&room, 0,
                 std::max<int>((room.bottom - room.top - (lines.bottom - lines.top)) / 2, 0));
    ::DrawTextW(part.hDC, text.c_str(), -1, &room, DT_WORDBREAK | DT_NOPREFIX);
    ::SelectObject(part.hDC, previous);
}

// The progress bar of the common controls has no text of its own: it gets
// the run's words painted over it, as the bar of the Qt window shows them.
void Win32Window::ShowProgressText(const std::string& text) {
    progressText_ = text;
    ::InvalidateRect(Item(kProgress), nullptr, FALSE);
    ::UpdateWindow(Item(kProgress));
}

LRESULT CALLBACK Win32Window::ProgressProcedure(HWND bar, UINT message, WPARAM wParam,
                                                LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    switch (message) {
        case WM_PAINT:
            reinterpret_cast<Win32Window*>(self)->PaintProgress(bar);
            return 0;
        case WM_NCDESTROY:
            ::RemoveWindowSubclass(bar, &Win32Window::ProgressProcedure, 0);
            break;
        default:
            break;
    }
    return ::DefSubclassProc(bar, message, wParam, lParam);
}

// The bar as the control draws it, then the words over it in the colours of
// what lies beneath each part of them: those over the done part as on a
// selection, the rest as on the window. Drawn aside first, so nothing flickers.
void Win32Window::PaintProgress(HWND bar) {
    PAINTSTRUCT paint{};
    const HDC target = ::BeginPaint(bar, &paint);
    RECT client{};
    ::GetClientRect(bar, &client);
    const HDC aside = ::CreateCompatibleDC(target);
    const HBITMAP picture = ::CreateCompatibleBitmap(target, client.right, client.bottom);
    const HGDIOBJ previousPicture = ::SelectObject(aside, picture);
    ::FillRect(aside, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    ::DefSubclassProc(bar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(aside),
                      PRF_CLIENT | PRF_ERASEBKGND);
    if (!progressText_.empty()) {
        const auto low = static_cast<int>(::SendMessageW(bar, PBM_GETRANGE, TRUE, 0));
        const auto high = static_cast<int>(::SendMessageW(bar, PBM_GETRANGE, FALSE, 0));
        const auto position = static_cast<int>(::SendMessageW(bar, PBM_GETPOS, 0, 0));
        const int done = high > low ? ::MulDiv(client.right, position - low, high - low) : 0;
        const std::wstring words = Widen(progressText_);
        const HGDIOBJ previousFont = ::SelectObject(aside, font_);
        ::SetBkMode(aside, TRANSPARENT);
        for (const auto& [left, right, colour] :
             {std::tuple{0, done, COLOR_HIGHLIGHTTEXT},
              std::tuple{done, static_cast<int>(client.right), COLOR_WINDOWTEXT}}) {
            const int saved = ::SaveDC(aside);
            ::IntersectClipRect(aside, left, 0, right, client.bottom);
            ::SetTextColor(aside, ::GetSysColor(colour));
            RECT room = client;
            ::DrawTextW(aside, words.c_str(), -1, &room,
                        DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
            ::RestoreDC(aside, saved);
        }
        ::SelectObject(aside, previousFont);
    }
    ::BitBlt(target, 0, 0, client.right, client.bottom, aside, 0, 0, SRCCOPY);
    ::SelectObject(aside, previousPicture);
    ::DeleteObject(picture);
    ::DeleteDC(aside);
    ::EndPaint(bar, &paint);
}

void Win32Window::SetProgressRange(int minimum, int maximum) {
    ::SendMessageW(Item(kProgress), PBM_SETRANGE32, static_cast<WPARAM>(minimum), maximum);
}

void Win32Window::SetProgress(int position) {
    ::SendMessageW(Item(kProgress), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void Win32Window::SetPointer(Pointer pointer) {
    pointer_ = pointer;
    ::SetCursor(::LoadCursorW(nullptr, pointer == Pointer::Busy ? IDC_WAIT : IDC_ARROW));
}

void Win32Window::Repaint() {
    ::RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// The work's own message pump: painting, the Stop button and the questions
// are served from inside a split or join.
void Win32Window::ProcessEvents() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quitPending_ = true;
            continue;
        }
        if (!TranslateKeys(message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    // The loop that waits for it must still see it once the work returns.
    if (quitPending_) {
        ::PostQuitMessage(0);
        quitPending_ = false;
    }
}

// A position stored on a screen that is no longer there (or a damaged value)
// would open the window where nobody sees it: enough of its title bar to take
// hold of must be on a screen, or it comes up at the usual place of the
// screen with the most of it.
void Win32Window::MoveTo(int left, int top) {
    RECT frame{};
    ::GetWindowRect(window_, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const RECT grip{left + S(8), top, left + std::min(width, S(56)), top + S(16)};
    RECT onScreen{};
    const HMONITOR monitor = ::MonitorFromRect(&grip, MONITOR_DEFAULTTONULL);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitor != nullptr && ::GetMonitorInfoW(monitor, &info) &&
        ::IntersectRect(&onScreen, &grip, &info.rcWork) &&
        onScreen.right - onScreen.left >= std::min(width, S(48)) - S(8)) {
        ::SetWindowPos(window_, nullptr, left, top, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    const RECT room = WorkAreaOf(nullptr);
    const int x = std::clamp<int>(room.left + settings::MainLeft.defaultValue, room.left,
                                  std::max<int>(room.left, room.right - width));
    const int y = std::clamp<int>(room.top + settings::MainTop.defaultValue, room.top,
                                  std::max<int>(room.top, room.bottom - height));
    ::SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

// The window's frame when it is neither minimized nor maximized, in screen
// coordinates: where it opens next time.
RECT NormalFrame(HWND window) {
    RECT frame{};
    if (!::IsIconic(window) && !::IsZoomed(window)) {
        ::GetWindowRect(window, &frame);
        return frame;
    }
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ::GetWindowPlacement(window, &placement);
    // The placement counts from the work area, which a task bar on the left or
    // at the top moves away from the screen's corner.
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
    frame = placement.rcNormalPosition;
    ::OffsetRect(&frame, info.rcWork.left - info.rcMonitor.left,
                 info.rcWork.top - info.rcMonitor.top);
    return frame;
}

}  // namespace

int Win32Window::Left() const { return NormalFrame(window_).left; }

int Win32Window::Top() const { return NormalFrame(window_).top; }

void Win32Window::ShowWindow(bool minimized) {
    shown_ = true;
    ::ShowWindow(window_, minimized ? SW_SHOWMINIMIZED : SW_SHOW);
    ::UpdateWindow(window_);
}

// Posted: a quit asked for before the loop runs still ends it at once.
void Win32Window::Quit() { ::PostQuitMessage(0); }

void Win32Window::CloseLater() { ::PostMessageW(window_, WM_CLOSE, 0, 0); }

// The system's own texts (message box buttons, file dialogs) speak the
// system's language: there is nothing to switch.
void Win32Window::FollowLanguage(int) {}

}  // namespace brelker::win32
