// Where every control of the main window goes. Windows has no layout manager:
// each caption is measured in the present font and language, and the columns
// and the window's least size follow from what the longest one needs.

#include <algorithm>

#include "win32/ControlIds.h"
#include "win32/Win32Ui.h"
#include "win32/Win32Window.h"

namespace brelker::win32 {
namespace {

// Room kept for the largest numbers a label can show.
constexpr char kWidestSize[] = "1099511627776";
constexpr char kWidestPieceNumber[] = "32736";

}  // namespace

int Win32Window::S(int length) const { return Scaled(length, dpi_); }

int Win32Window::TextWidth(const std::string& text, bool prefix) const {
    return TextExtent(font_, text, prefix).cx;
}

// The round mark and the gap before the caption come before the text.
int Win32Window::CheckBoxWidth(const std::string& text) const { return TextWidth(text) + S(24); }

int Win32Window::ButtonWidth(const std::string& text) const {
    return std::max(TextWidth(text) + S(24), S(80));
}

int Win32Window::CaptionWidthNeeded(int id) const {
    const std::string text = TextOf(Item(id));
    switch (id) {
        case kUseBaseSize:
        case kUseFreeSpace:
            return CheckBoxWidth(text);
        case kApplyBaseSize:
        case kApplyNewSize:
        case kHintButton:
            return TextWidth(text) + S(12);
        case kBigFileGroup:
        case kSmallFilesGroup:
            return TextWidth(text) + S(16);
        default:
            return TextWidth(text, false);
    }
}

void Win32Window::ResizeSpeedBar() {
    // How It Works stands in the room left at the bar's end, as wide as its caption.
    const int count = static_cast<int>(::SendMessageW(speedBar_, TB_BUTTONCOUNT, 0, 0));
    TBBUTTONINFOW room{};
    room.cbSize = sizeof room;
    room.dwMask = TBIF_BYINDEX | TBIF_SIZE;
    room.cx = static_cast<WORD>(std::max(ButtonWidth(texts_.howItWorksButton), S(120)));
    ::SendMessageW(speedBar_, TB_SETBUTTONINFOW, static_cast<WPARAM>(count - 1),
                   reinterpret_cast<LPARAM>(&room));
    const int picture = S(24);
    ::SendMessageW(speedBar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(picture, picture));
    ::SendMessageW(speedBar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(picture + S(8), picture + S(8)));
    ::SendMessageW(speedBar_, TB_AUTOSIZE, 0, 0);
}

SIZE Win32Window::MinimumClientSize() const {
    const int margin = S(8);
    const int gap = S(6);
    const int labels = std::max({TextWidth(texts_.bigFileNameLabel.caption),
                                 TextWidth(texts_.bigFileSizeLabel.caption),
                                 TextWidth(texts_.pieceNamesLabel.caption),
                                 TextWidth(texts_.baseSizeHeadline.caption)}) +
                       gap;
    int units = 0;
    for (const char* unit : {"B", "kB", "MB", "GB", "TB"}) {
        units += CheckBoxWidth(unit) + gap;
    }
    const int sizeRow = labels + TextWidth(kWidestSize) + gap + units;
    const int baseSizeRow = labels + S(160) + gap + ButtonWidth(texts_.applyBaseSize.caption);
    const int modeRow = labels + CheckBoxWidth(texts_.useBaseSize.caption) + gap +
                        CheckBoxWidth(texts_.useFreeSpace.caption) + gap +
                        TextWidth(TextOf(Item(kPieceCount)) + kWidestPieceNumber);
    const int editorRow = S(140) + gap + S(130);
    const int inner = std::max({sizeRow, baseSizeRow, modeRow, editorRow}) + 2 * margin;

    RECT bar{};
    const int count = static_cast<int>(::SendMessageW(speedBar_, TB_BUTTONCOUNT, 0, 0));
    ::SendMessageW(speedBar_, TB_GETITEMRECT, static_cast<WPARAM>(count - 1),
                   reinterpret_cast<LPARAM>(&bar));
    const int width = std::max<int>(inner + 2 * margin, bar.right + margin);

    RECT speedBar{};
    RECT status{};
    ::GetWindowRect(speedBar_, &speedBar);
    ::GetWindowRect(status_, &status);
    const int line = LineHeight(font_);
    const int row = line + S(12);
    const int height = (speedBar.bottom - speedBar.top) + (status.bottom - status.top) +
                       ProgressHeight() + 3 * margin + (line + 2 * row + margin) +
                       (line + 4 * row + S(120) + margin);
    return {width, height};
}

// A caption longer than the window has room for (another language, a larger
// font) widens the window, as far as the screen allows.
void Win32Window::KeepWideEnough() {
    RECT client{};
    ::GetClientRect(window_, &client);
    const SIZE least = MinimumClientSize();
    if (client.right >= least.cx && client.bottom >= least.cy) {
        return;
    }
    RECT frame{0, 0, std::max<LONG>(client.right, least.cx),
               std::max<LONG>(client.bottom, least.cy)};
    ::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, TRUE, WS_EX_ACCEPTFILES);
    RECT now{};
    ::GetWindowRect(window_, &now);
    const RECT room = WorkAreaOf(window_);
    const int width = std::min<int>(frame.right - frame.left, room.right - room.left);
    const int height = std::min<int>(frame.bottom - frame.top, room.bottom - room.top);
    const int left = std::clamp<int>(now.left, room.left, room.right - width);
    const int top = std::clamp<int>(now.top, room.top, room.bottom - height);
    ::SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::Layout() {
    if (window_ == nullptr || speedBar_ == nullptr || status_ == nullptr) {
        return;
    }
    RECT client{};
    ::GetClientRect(window_, &client);
    ResizeSpeedBar();
    // Two lines high within the panels' borders, for the hints and states that wrap.
    ::SendMessageW(status_, SB_SETMINHEIGHT, static_cast<WPARAM>(2 * LineHeight(font_) + S(6)), 0);
    ::SendMessageW(status_, WM_SIZE, 0, 0);
    ArrangeStatusParts();

    RECT bar{};
    ::GetWindowRect(speedBar_, &bar);
    RECT status{};
    ::GetWindowRect(status_, &status);
    const int barHeight = bar.bottom - bar.top;
    const int statusHeight = status.bottom - status.top;

    // How It Works over the room at the speed bar's end.
    const int count = static_cast<int>(::SendMessageW(speedBar_, TB_BUTTONCOUNT, 0, 0));
    RECT room{};
    ::SendMessageW(speedBar_, TB_GETITEMRECT, static_cast<WPARAM>(count - 1),
                   reinterpret_cast<LPARAM>(&room));
    Place(hintButton_, room.left, room.top + S(2), room.right - room.left,
          room.bottom - room.top - S(4));

    const int margin = S(8);
    const int gap = S(6);
    const int line = LineHeight(font_);
    const int row = line + S(12);
    const int field = line + S(8);
    const int width = client.right - 2 * margin;
    const int labels = std::max({TextWidth(texts_.bigFileNameLabel.caption),
                                 TextWidth(texts_.bigFileSizeLabel.caption),
                                 TextWidth(texts_.pieceNamesLabel.caption),
                                 TextWidth(texts_.baseSizeHeadline.caption)}) +
                       gap;

    // The big file: its name, then its size with the unit buttons.
    int top = barHeight + margin;
    const int left = 2 * margin;
    const int inner = width - 2 * margin;
    const int bigHeight = line + 2 * row + margin;
    Place(Item(kBigFileGroup), margin, top, width, bigHeight);
    int y = top + line + S(6);
    Place(Item(kBigFileNameLabel), left, y + S(3), labels, line);
    Place(Item(kBigFileName), left + labels, y + S(3), inner - labels, line);
    y += row;
    Place(Item(kBigFileSizeLabel), left, y + S(3), labels, line);
    const int sizeWidth = TextWidth(kWidestSize) + gap;
    Place(Item(kBigFileSize), left + labels, y + S(3), sizeWidth, line);
    int x = left + labels + sizeWidth;
    for (int id = kFirstUnitButton; id <= kLastUnitButton; ++id) {
        const int unitWidth = CheckBoxWidth(TextOf(Item(id)));
        Place(Item(id), x, y, unitWidth, field);
        x += unitWidth + gap;
    }

    // The smaller files: names, base size, mode and count, then the list with
    // the editor of one size beside it.
    top += bigHeight + margin;
    const int progressHeight = ProgressHeight();
    const int bottom = client.bottom - statusHeight - progressHeight - 2 * margin;
    Place(Item(kSmallFilesGroup), margin, top, width, bottom - top);
    y = top + line + S(6);
    Place(Item(kPieceNamesLabel), left, y + S(3), labels, line);
    Place(Item(kPieceNames), left + labels, y + S(3), inner - labels, line);
    y += row;
    Place(Item(kBaseSizeHeadline), left, y + S(3), labels, line);
    const int applyWidth = ButtonWidth(texts_.applyBaseSize.caption);
    Place(Item(kBaseSizeBox), left + labels, y, inner - labels - gap - applyWidth, S(240));
    Place(Item(kApplyBaseSize), left + inner - applyWidth, y - S(1), applyWidth, field + S(2));
    y += row;
    x = left + labels;
    for (const int id : {kUseBaseSize, kUseFreeSpace}) {
        const int modeWidth = CheckBoxWidth(TextOf(Item(id)));
        Place(Item(id), x, y, modeWidth, field);
        x += modeWidth + gap;
    }
    Place(Item(kPieceCount), x, y + S(3), left + inner - x, line);
    y += row;
    // The list's heading, and beside it the note of extraction and appending.
    const int headingWidth = std::min(TextWidth(TextOf(Item(kSizeListHeadline))) + gap, inner);
    Place(Item(kSizeListHeadline), left, y, headingWidth, line);
    Place(Item(kModesNote), left + headingWidth + gap, y, inner - headingWidth - gap, line);
    y += line + S(4);
    const int editor = std::max({TextWidth(TextOf(Item(kEditedPiece)) + kWidestPieceNumber),
                                 TextWidth(texts_.newSizeLabel.caption),
                                 ButtonWidth(texts_.applyNewSize.caption), S(130)});
    const int listWidth = inner - gap - editor;
    Place(Item(kSizeList), left, y, listWidth, bottom - margin - y);
    ListView_SetColumnWidth(Item(kSizeList), 0, listWidth - S(24));
    x = left + listWidth + gap;
    Place(Item(kEditedPiece), x, y, editor, line);
    Place(Item(kNewSizeLabel), x, y + line + S(6), editor, line);
    Place(Item(kNewSize), x, y + 2 * line + S(10), editor, field);
    Place(Item(kApplyNewSize), x, y + 2 * line + field + S(16), editor, field + S(2));

    Place(Item(kProgress), margin, bottom + margin / 2, width, progressHeight);

    // The groups' tips cover the groups.
    for (const int id : {kBigFileGroup, kSmallFilesGroup}) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = window_;
        tool.uId = static_cast<UINT_PTR>(id);
        ::GetWindowRect(Item(id), &tool.rect);
        ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&tool.rect), 2);
        ::SendMessageW(tips_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    ::InvalidateRect(window_, nullptr, TRUE);
}

// The bar carries the run's words: a line of text high, at least.
int Win32Window::ProgressHeight() const { return std::max(S(16), LineHeight(font_) + S(4)); }

// The state is read whole where the bar has room for it; the hint or the file
// in panel 0 gives way.
void Win32Window::ArrangeStatusParts() {
    RECT bar{};
    ::GetClientRect(status_, &bar);
    const int grip = ::GetSystemMetrics(SM_CXVSCROLL) + S(4);
    // The text, the room DrawStatusPart keeps at its sides and the panel's borders.
    int stateWidth = 0;
    if (!stateText_.empty()) {
        stateWidth =
            std::min<int>(TextWidth(stateText_, false) + S(6) + S(12), (bar.right - grip) * 3 / 5);
    }
    const int parts[] = {std::max<int>(bar.right - grip - stateWidth, S(40)), -1};
    ::SendMessageW(status_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
}

void Win32Window::DpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    CreateFontAndIcons();
    ::SendMessageW(speedBar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pictures_));
    if (!lineMarks_.empty()) {
        ListView_SetImageList(Item(kSizeList), lineIcons_, LVSIL_SMALL);
    }
    SetFontOfChildren(window_, font_);
    ::SendMessageW(Item(kModesNote), WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_), FALSE);
    ::SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                   suggested.right - suggested.left, suggested.bottom - suggested.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    KeepWideEnough();
    Layout();
}

}  // namespace brelker::win32
