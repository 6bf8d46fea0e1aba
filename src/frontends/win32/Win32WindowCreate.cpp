// The main window's menus, speed bar, controls and tooltips.

#include "platform/WideText.h"
#include "settings/Settings.h"
#include "text/Slots.h"
#include "text/TextTable.h"
#include "win32/ControlIds.h"
#include "win32/Resources.h"
#include "win32/Win32Ui.h"
#include "win32/Win32Window.h"

namespace brelker::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"BrelkerMainWindow";

// The icon resource of a speed bar picture: they are numbered in the pictures' order.
int PictureResource(Picture picture) {
    static_assert(kExitIcon - kChooseBigFileIcon == static_cast<int>(Picture::Exit));
    return kChooseBigFileIcon + static_cast<int>(picture);
}

}  // namespace

std::string ShortcutText(Command command) {
    const char key = EntryOf(command).shortcut;
    if (key == '\0') {
        return std::string();
    }
    // The key's name in the language shown, as the system's own menus write
    // it: Strg in German.
    return Text(slot::kControlKey) + "+" + key;
}

Win32Window::Win32Window(HINSTANCE instance, Platform& platform, SettingsStore& store,
                         DialogService& dialogs)
    : instance_(instance), model_(platform, store, dialogs, *this) {
    WNDCLASSEXW kind{};
    kind.cbSize = sizeof kind;
    kind.lpfnWndProc = &Win32Window::Procedure;
    kind.hInstance = instance_;
    kind.hIcon = ::LoadIconW(instance_, MAKEINTRESOURCEW(kApplicationIcon));
    kind.hIconSm = static_cast<HICON>(::LoadImageW(instance_, MAKEINTRESOURCEW(kApplicationIcon),
                                                   IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                   ::GetSystemMetrics(SM_CYSMICON), 0));
    kind.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    kind.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    kind.lpszClassName = kWindowClass;
    ::RegisterClassExW(&kind);

    ::CreateWindowExW(WS_EX_ACCEPTFILES | WS_EX_CONTROLPARENT, kWindowClass,
                      Widen(brelker::kProgramName).c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance_,
                      this);
    dpi_ = DpiOf(window_);
    CreateFontAndIcons();
    CreateMenus();
    CreateSpeedBar();
    CreateControls();
    CreateHintTips();
    SetFontOfChildren(window_, font_);
    ::SendMessageW(Item(kModesNote), WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_), FALSE);
    model_.ShowStates();
    // A first size that fits every caption; the texts change it as they come.
    const SIZE least = MinimumClientSize();
    RECT frame{0, 0, std::max<LONG>(least.cx, S(620)), std::max<LONG>(least.cy, S(470))};
    ::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, TRUE, WS_EX_ACCEPTFILES);
    ::SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Layout();
}

Win32Window::~Win32Window() {
    if (window_ != nullptr) {
        ::DestroyWindow(window_);
    }
    if (shortcuts_ != nullptr) {
        ::DestroyAcceleratorTable(shortcuts_);
    }
    if (pictures_ != nullptr) {
        ::ImageList_Destroy(pictures_);
    }
    if (lineIcons_ != nullptr) {
        ::ImageList_Destroy(lineIcons_);
    }
    if (font_ != nullptr) {
        ::DeleteObject(font_);
    }
    if (boldFont_ != nullptr) {
        ::DeleteObject(boldFont_);
    }
}

void Win32Window::CreateFontAndIcons() {
    if (font_ != nullptr) {
        ::DeleteObject(font_);
    }
    font_ = CreateMessageFont(dpi_);
    // The note of extraction and appending stands out: it changes what the next run writes.
    if (boldFont_ != nullptr) {
        ::DeleteObject(boldFont_);
    }
    LOGFONTW bold{};
    ::GetObjectW(font_, sizeof bold, &bold);
    bold.lfWeight = FW_BOLD;
    boldFont_ = ::CreateFontIndirectW(&bold);
    // Pictures of 24 pixels at 96 per inch, drawn for the size the screen needs.
    const int size = S(24);
    if (pictures_ != nullptr) {
        ::ImageList_Destroy(pictures_);
    }
    pictures_ = ::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 8, 0);
    for (const SpeedButtonEntry& button : kSpeedBarTable) {
        const auto icon = static_cast<HICON>(
            ::LoadImageW(instance_, MAKEINTRESOURCEW(PictureResource(button.picture)), IMAGE_ICON,
                         size, size, 0));
        ::ImageList_AddIcon(pictures_, icon);
        ::DestroyIcon(icon);
    }
    // Verify's marks at the size of a small icon: the program's own check mark
    // for OK, the system's stop sign and warning triangle for the rest.
    if (lineIcons_ != nullptr) {
        ::ImageList_Destroy(lineIcons_);
    }
    const int small = S(16);
    lineIcons_ = ::ImageList_Create(small, small, ILC_COLOR32 | ILC_MASK, 4, 0);
    const auto ok = static_cast<HICON>(
        ::LoadImageW(instance_, MAKEINTRESOURCEW(kVerifyIcon), IMAGE_ICON, small, small, 0));
    ::ImageList_AddIcon(lineIcons_, ok);
    ::DestroyIcon(ok);
    for (const auto* shared : {IDI_ERROR, IDI_WARNING, IDI_ERROR}) {
        ::ImageList_AddIcon(lineIcons_, ::LoadIconW(nullptr, shared));
    }
}

void Win32Window::CreateMenus() {
    menuBar_ = ::CreateMenu();
    for (const MenuEntry& entry : kMenuTable) {
        HMENU added = ::CreatePopupMenu();
        ::AppendMenuW(menuBar_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(added), L"-");
        menus_[static_cast<std::size_t>(entry.menu)] = added;
    }
    std::vector<ACCEL> table;
    for (const CommandEntry& entry : kCommandTable) {
        if (entry.shortcut != '\0') {
            table.push_back({FCONTROL | FVIRTKEY, static_cast<WORD>(entry.shortcut),
                             static_cast<WORD>(CommandId(entry.command))});
        }
        if (!entry.inMenu) {
            continue;
        }
        HMENU into = menus_[static_cast<std::size_t>(entry.menu)];
        if (entry.separatorBefore) {
            ::AppendMenuW(into, MF_SEPARATOR, 0, nullptr);
        }
        // Radio items: the one of the three that is chosen shows a dot.
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        info.fType = entry.kind == ItemKind::Radio ? MFT_STRING | MFT_RADIOCHECK : MFT_STRING;
        info.wID = static_cast<UINT>(CommandId(entry.command));
        info.dwTypeData = const_cast<wchar_t*>(L"-");
        ::InsertMenuItemW(into, static_cast<UINT>(::GetMenuItemCount(into)), TRUE, &info);
    }
    ::SetMenu(window_, menuBar_);
    shortcuts_ = ::CreateAcceleratorTableW(table.data(), static_cast<int>(table.size()));
}

void Win32Window::CreateSpeedBar() {
    speedBar_ = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                                  WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT |
                                      TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NODIVIDER,
                                  0, 0, 0, 0, window_,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSpeedBar)),
                                  instance_, nullptr);
    ::SendMessageW(speedBar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(speedBar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pictures_));
    std::vector<TBBUTTON> buttons;
    int picture = 0;
    TBBUTTON gap{};
    gap.fsStyle = BTNS_SEP;
    for (const SpeedButtonEntry& button : kSpeedBarTable) {
        if (button.gapBefore) {
            buttons.push_back(gap);
        }
        TBBUTTON added{};
        added.iBitmap = picture++;
        added.idCommand = CommandId(button.command);
        added.fsState = TBSTATE_ENABLED;
        added.fsStyle = BTNS_BUTTON;
        buttons.push_back(added);
    }
    // A gap, then the room for How It Works, a raised button with a caption
    // over the bar's end.
    buttons.push_back(gap);
    buttons.push_back(gap);
    ::SendMessageW(speedBar_, TB_ADDBUTTONSW, buttons.size(),
                   reinterpret_cast<LPARAM>(buttons.data()));
    hintButton_ = AddControl(WC_BUTTONW, kHintButton, BS_PUSHBUTTON | WS_TABSTOP);
    ::SetWindowPos(hintButton_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

HWND Win32Window::AddControl(const wchar_t* kind, int id, DWORD style, DWORD extendedStyle) {
    return ::CreateWindowExW(extendedStyle, kind, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                             window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_,
                             nullptr);
}

void Win32Window::CreateControls() {
    constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX;
    // A path too long for its label loses its middle, not its file name.
    constexpr DWORD kPath = SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS;
    AddControl(WC_BUTTONW, kBigFileGroup, BS_GROUPBOX);
    AddControl(WC_STATICW, kBigFileNameLabel, kLabel);
    AddControl(WC_STATICW, kBigFileName, kPath);
    AddControl(WC_STATICW, kBigFileSizeLabel, kLabel);
    AddControl(WC_STATICW, kBigFileSize, kLabel);
    for (int i = 0; i < 5; ++i) {
        const HWND unit = AddControl(WC_BUTTONW, kFirstUnitButton + i,
                                     BS_AUTORADIOBUTTON | WS_TABSTOP | (i == 0 ? WS_GROUP : 0));
        SetText(unit, kUnitCaptions[static_cast<std::size_t>(i)]);
    }

    AddControl(WC_BUTTONW, kSmallFilesGroup, BS_GROUPBOX);
    AddControl(WC_STATICW, kPieceNamesLabel, kLabel);
    AddControl(WC_STATICW, kPieceNames, kPath);
    AddControl(WC_STATICW, kBaseSizeHeadline, SS_LEFT);
    AddControl(WC_COMBOBOXW, kBaseSizeBox, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP);
    AddControl(WC_BUTTONW, kApplyBaseSize, BS_PUSHBUTTON | WS_TABSTOP);
    AddControl(WC_BUTTONW, kUseBaseSize, BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP);
    AddControl(WC_BUTTONW, kUseFreeSpace, BS_AUTORADIOBUTTON);
    AddControl(WC_STATICW, kPieceCount, kLabel);
    AddControl(WC_STATICW, kSizeListHeadline, SS_LEFT);
    // SS_NOTIFY: it takes the mouse, so that its tooltip shows it whole.
    AddControl(WC_STATICW, kModesNote, SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS | SS_NOTIFY);
    // Up to 32736 lines: the list asks for the text of the lines it shows.
    const HWND list =
        AddControl(WC_LISTVIEWW, kSizeList,
                   LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                       LVS_NOCOLUMNHEADER | LVS_SHAREIMAGELISTS | WS_TABSTOP | WS_GROUP,
                   WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = S(100);
    ListView_InsertColumn(list, 0, &column);
    AddControl(WC_STATICW, kEditedPiece, kLabel);
    AddControl(WC_STATICW, kNewSizeLabel, SS_LEFT);
    AddControl(WC_EDITW, kNewSize, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE);
    AddControl(WC_BUTTONW, kApplyNewSize, BS_PUSHBUTTON | WS_TABSTOP);

    AddControl(PROGRESS_CLASSW, kProgress, PBS_SMOOTH);
    ::SendMessageW(Item(kProgress), PBM_SETRANGE32, 0, 100);
    ::SetWindowSubclass(Item(kProgress), &Win32Window::ProgressProcedure, 0,
                        reinterpret_cast<DWORD_PTR>(this));
    status_ = AddControl(STATUSCLASSNAMEW, kStatusBar, SBARS_SIZEGRIP | SBARS_TOOLTIPS);
}

// Every tooltip of the window, their texts asked for when they show: the
// speed bar's own, and one for each control and group that has a hint.
void Win32Window::CreateHintTips() {
    tips_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                              WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance_, nullptr);
    ::SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, S(400));
    for (const int id : {kHintButton, kBaseSizeBox, kApplyBaseSize, kSizeList, kNewSize,
                         kApplyNewSize, kProgress, kModesNote}) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(Item(id));
        tool.lpszText = LPSTR_TEXTCALLBACKW;
        ::SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    // Group boxes let the mouse through: their tips cover their rectangles.
    for (const int id : {kBigFileGroup, kSmallFilesGroup}) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = static_cast<UINT_PTR>(id);
        tool.lpszText = LPSTR_TEXTCALLBACKW;
        ::SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

}  // namespace brelker::win32
