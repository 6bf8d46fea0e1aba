#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "model/WindowView.h"
#include "platform/Platform.h"
#include "settings/SettingsStore.h"

namespace brelker {

// A view that shows nothing of any part: what the model shows on in place of
// the parts a view leaves out.
class BlankView : public WindowView {
public:
    void SetCommandEnabled(Command, bool) override {}
    void SetCommandChecked(Command, bool) override {}
    void SetMenuEnabled(Menu, bool) override {}
    void SetControlEnabled(Control, bool) override {}
    void ApplyTexts(const WindowTexts&) override {}
    void ShowBigFileName(const std::string&) override {}
    void ShowBigFileSize(const std::string&) override {}
    void SelectUnitButton(SizeUnit) override {}
    void ShowPieceNames(const std::string&) override {}
    void ShowPieceCount(const std::string&) override {}
    void SetPiecesGroupHint(const std::string&) override {}
    void ShowEditedPiece(const std::string&) override {}
    void ShowModesNote(const std::string&) override {}
    void ShowSizeLines(const std::vector<std::int64_t>&) override {}
    void AddSizeLine(const std::string&) override {}
    void ClearSizeLines() override {}
    void SelectSizeLine(int) override {}
    void RepaintSizeList() override {}
    void ShowSizeListHeading(const std::string&, const std::string&) override {}
    void ShowMarkedLines(const std::vector<MarkedLine>&) override {}
    void SetNewSizeText(const std::string&) override {}
    void ShowBaseSizes(const std::vector<std::string>&, int) override {}
    void SelectBaseSize(int) override {}
    void ShowSizeMode(bool) override {}
    void ShowStatus(int, const std::string&) override {}
    void SetProgressRange(int, int) override {}
    void SetProgress(int) override {}
    void ShowProgressText(const std::string&) override {}
    void SetPointer(Pointer) override {}
    void Repaint() override {}
    void ProcessEvents() override {}
    void MoveTo(int, int) override {}
    int Left() const override { return 0; }
    int Top() const override { return 0; }
    void ShowWindow(bool) override {}
    void Quit() override {}
    void CloseLater() override {}
    void FollowLanguage(int) override {}
};

// The view of a run with no window at all: the switches of an unattended split
// where no toolkit is at hand. It keeps only the window's place, so that the
// position stored at the end is the one read at the start.
class HeadlessView : public PlaceView {
public:
    void MoveTo(int left, int top) override {
        left_ = left;
        top_ = top;
    }
    int Left() const override { return left_; }
    int Top() const override { return top_; }

private:
    int left_ = 0;
    int top_ = 0;
};

// Runs the window's switches (/bigfile=, /split, /exit, ...) with no window:
// messages go to errors, no question is asked. The exit code: 0, or 1 when
// the work asked for failed.
int RunSwitchesWithoutWindow(const std::vector<std::string>& arguments, Platform& platform,
                             SettingsStore& store, std::ostream& errors);

}  // namespace brelker
