#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include <windows.h>
#undef DeleteFile
#include <commctrl.h>

#include "model/WindowModel.h"
#include "model/WindowView.h"

namespace brelker::win32 {

// The main window on Windows: menus, speed bar, the two groups, the progress
// bar and the status bar as common controls, sized from their texts as they
// measure in the present font and language. What it shows, and when a command
// is on, the window model decides; every command has one id that its menu
// item, speed button and shortcut send alike.
class Win32Window : private WindowView {
public:
    Win32Window(HINSTANCE instance, Platform& platform, SettingsStore& store,
                DialogService& dialogs);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    HWND Handle() const { return window_; }
    // Start-up: settings, texts, then the switches (which may run a whole split).
    void Start(const std::vector<std::string>& arguments) { model_.Start(arguments); }
    bool QuitRequested() const { return model_.QuitRequested(); }
    int ExitCode() const { return model_.ExitCode(); }
    // Shows the window unless the switches did; then runs the messages until the
    // program ends.
    int Run(int show);
    // A message of the loop for the window's shortcuts and keyboard navigation:
    // true when it was handled, and must not be dispatched.
    bool TranslateKeys(MSG& message);

    // For the tests: the model behind the window, and its lines in the size list.
    WindowModel& Model() { return model_; }
    const std::vector<std::string>& SizeLines() const { return sizeLines_; }
    // The width that a control's caption needs and the width it was given.
    int CaptionWidthNeeded(int id) const;
    // What a status panel shows, before it is wrapped onto its two lines.
    const std::string& StatusText(int panel) const {
        return statusTexts_[static_cast<std::size_t>(panel)];
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    // Creation (Win32WindowCreate.cpp).
    void CreateMenus();
    void CreateSpeedBar();
    void CreateControls();
    void CreateHintTips();
    void CreateFontAndIcons();
    HWND AddControl(const wchar_t* kind, int id, DWORD style, DWORD extendedStyle = 0);

    // Measuring and placing (Win32WindowLayout.cpp).
    void Layout();
    SIZE MinimumClientSize() const;
    void KeepWideEnough();
    int TextWidth(const std::string& text, bool prefix = true) const;
    int CheckBoxWidth(const std::string& text) const;
    int ButtonWidth(const std::string& text) const;
    int S(int length) const;
    void ResizeSpeedBar();
    void DpiChanged(int dpi, const RECT& suggested);

    // What the user does (Win32WindowEvents.cpp).
    void CommandChosen(int id, int code, HWND control);
    LRESULT Notified(const NMHDR& header);
    bool SetCursorFor(HWND under);
    void ShowHintOf(HWND under);
    void FilesDropped(HANDLE drop);
    const std::string& HintOf(HWND control) const;

    // WindowView (Win32WindowView.cpp).
    void SetCommandEnabled(Command command, bool enabled) override;
    void SetCommandChecked(Command command, bool checked) override;
    void SetMenuEnabled(Menu menu, bool enabled) override;
    void SetControlEnabled(Control control, bool enabled) override;
    void ApplyTexts(const WindowTexts& texts) override;
    void ShowBigFileName(const std::string& path) override;
    void ShowBigFileSize(const std::string& text) override;
    void SelectUnitButton(SizeUnit unit) override;
    void ShowPieceNames(const std::string& text) override;
    void ShowPieceCount(const std::string& text) override;
    void SetPiecesGroupHint(const std::string& hint) override;
    void ShowEditedPiece(const std::string& text) override;
    void ShowModesNote(const std::string& text) override;
    void ShowSizeLines(const std::vector<std::int64_t>& sizes) override;
    void AddSizeLine(const std::string& line) override;
    void ClearSizeLines() override;
    void SelectSizeLine(int index) override;
    void RepaintSizeList() override;
    void ShowSizeListHeading(const std::string& caption, const std::string& listHint) override;
    void ShowMarkedLines(const std::vector<MarkedLine>& lines) override;
    void SetNewSizeText(const std::string& text) override;
    void ShowBaseSizes(const std::vector<std::string>& texts, int selected) override;
    void SelectBaseSize(int index) override;
    void ShowSizeMode(bool useFreeSpace) override;
    void ShowStatus(int panel, const std::string& text) override;
    void SetProgressRange(int minimum, int maximum) override;
    void SetProgress(int position) override;
    void ShowProgressText(const std::string& text) override;
    void SetPointer(Pointer pointer) override;
    void Repaint() override;
    void ProcessEvents() override;
    void MoveTo(int left, int top) override;
    int Left() const override;
    int Top() const override;
    void ShowWindow(bool minimized) override;
    void Quit() override;
    void CloseLater() override;
    void FollowLanguage(int language) override;

    HWND Item(int id) const { return ::GetDlgItem(window_, id); }
    // The long part of a hint in status panel 0, whole, and whole in its tooltip.
    void ShowHint(const std::string& hint);
    void SetStatusText(int panel, const std::string& shown, const std::string& whole);
    // Panel 1 as wide as its state needs, up to three fifths of the bar; panel 0 the rest.
    void ArrangeStatusParts();
    // A status panel's text, wrapped onto the bar's two lines (WM_DRAWITEM).
    void DrawStatusPart(const DRAWITEMSTRUCT& part) const;
    // The progress bar's own painting, with the run's words over it.
    static LRESULT CALLBACK ProgressProcedure(HWND bar, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR id, DWORD_PTR self);
    void PaintProgress(HWND bar);
    int ProgressHeight() const;
    void SetControlText(int id, const std::string& text);
    void SetSizeLineCount();
    void ForgetLineMarks();

    HINSTANCE instance_;
    HWND window_ = nullptr;
    HMENU menuBar_ = nullptr;
    std::array<HMENU, kMenuCount> menus_{};
    HACCEL shortcuts_ = nullptr;
    HWND speedBar_ = nullptr;
    HWND hintButton_ = nullptr;
    HWND status_ = nullptr;
    HWND tips_ = nullptr;
    HFONT font_ = nullptr;
    HFONT boldFont_ = nullptr;
    HIMAGELIST pictures_ = nullptr;
    // The marks beside Verify's lines, in the order of LineMark.
    HIMAGELIST lineIcons_ = nullptr;
    int dpi_ = USER_DEFAULT_SCREEN_DPI;

    WindowTexts texts_;
    std::map<HWND, std::string> hints_;
    std::string piecesGroupHint_;
    HWND hintShownFor_ = nullptr;
    // Status panel 1 shows the state; the bar shows the progress of the running work.
    std::string stateText_;
    std::string progressText_;
    std::array<std::string, 2> statusTexts_;
    std::vector<std::string> sizeLines_;
    // The mark of each line while the list shows Verify's lines, else empty.
    std::vector<LineMark> lineMarks_;
    Pointer pointer_ = Pointer::Arrow;
    // Set while the view itself changes a control, whose notification then is
    // no choice of the user's.
    bool showing_ = false;
    bool shown_ = false;
    // A quit asked for while the work's own message pump ran.
    bool quitPending_ = false;

    // Last: it shows itself on the controls above as it starts.
    WindowModel model_;
};

}  // namespace brelker::win32
