#pragma once

#include <string>
#include <string_view>

#include <windows.h>
#undef DeleteFile

namespace brelker::win32 {

// A modal dialog built in code rather than from a resource, so that its
// controls are placed from their texts as measured in the present language,
// font and density. The system's dialog manager runs it: Tab between the
// controls, Return for the default button, Escape and the close box cancel.
class ModalDialog {
public:
    virtual ~ModalDialog() = default;

    // Shows the dialog over owner until it ends; the id of the button that
    // ended it (IDOK, IDCANCEL).
    int Run(HWND owner);
    HWND Handle() const { return dialog_; }

protected:
    // Creates the controls and shows the model in them.
    virtual void Create() = 0;
    // A control's notification; false leaves it to the dialog manager.
    virtual bool Command(int id, int code) = 0;
    // A message posted to the dialog once it shows (WM_APP).
    virtual void Shown() {}

    HWND Add(const wchar_t* kind, int id, DWORD style, DWORD extendedStyle = 0);
    HWND Item(int id) const { return ::GetDlgItem(dialog_, id); }
    void SetItemText(int id, std::string_view text);
    std::string ItemText(int id) const;
    // Sets an edit's text without counting it as typed, the caret at the end of it.
    void ShowInField(int id, std::string_view text);
    // A tooltip over a control.
    void AddTip(int id, std::string_view text);
    void End(int result) { ::EndDialog(dialog_, result); }

    HFONT DialogFont() const { return font_; }
    int S(int length) const;
    int Width(std::string_view text) const;
    int Line() const;
    int ButtonWidth(std::string_view text) const;
    int CheckBoxWidth(std::string_view text) const;
    void Put(int id, int x, int y, int width, int height);
    // The client area's size; the dialog then stands in the middle of its owner.
    void Fit(int width, int height);

    // True while the dialog itself writes into a field.
    bool showing_ = false;

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    HWND dialog_ = nullptr;
    HWND tips_ = nullptr;
    HFONT font_ = nullptr;
    int dpi_ = 96;
};

}  // namespace brelker::win32
