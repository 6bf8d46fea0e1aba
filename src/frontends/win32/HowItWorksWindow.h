#pragma once

#include <windows.h>
#undef DeleteFile

namespace brelker {
class HelpFileModel;
}

namespace brelker::win32 {

// The How It Works window: the manual's lines in the present language, and a
// button that opens them as a file in the text viewer. Modeless: the main
// window stays usable while it is open. It is made once and then shown again.
class HowItWorksWindow {
public:
    HowItWorksWindow(HINSTANCE instance, HelpFileModel& model);
    ~HowItWorksWindow();
    HowItWorksWindow(const HowItWorksWindow&) = delete;
    HowItWorksWindow& operator=(const HowItWorksWindow&) = delete;

    // Shows it in front, with the lines of the present language.
    void Show();
    HWND Handle() const { return window_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void ShowManual();
    void FitToLines();
    void WidenForLines();
    void Arrange();

    HINSTANCE instance_;
    HelpFileModel& model_;
    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    int widestLine_ = 0;
    // The widest line the window was last made wide enough for: a window the
    // user made narrower stays so until a language with wider lines comes.
    int fittedLine_ = 0;
};

}  // namespace brelker::win32
