#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/WindowParts.h"
#include "plan/SizeDisplay.h"

namespace brelker {

// The texts of the window that change only with the language or the suffix:
// a caption and a hint ("short|long") for each element that has them.
struct WindowTexts {
    struct Item {
        std::string caption;
        std::string hint;
    };
    std::string title;
    std::vector<Item> commands = std::vector<Item>(kCommandCount);
    std::vector<std::string> menus = std::vector<std::string>(kMenuCount);
    Item bigFileGroup, bigFileNameLabel, bigFileSizeLabel;
    Item smallFilesGroup, pieceNamesLabel, baseSizeHeadline, baseSizeBox, applyBaseSize;
    Item useBaseSize, useFreeSpace, sizeListHeadline, sizeList, newSizeLabel, newSize, applyNewSize,
        progress;
    // How It Works is a text button of the speed bar, with no menu item of its own.
    std::string howItWorksButton, howItWorksButtonHint;
};

// What SmallerSizesLB lists: the plan's piece sizes, or what Verify found for
// each file, which is there to be read and never edits the plan.
enum class SizeListMode { PieceSizes, VerifyResults };

// The mark beside a line of Verify's results; the line's text says the same
// in words, so neither a colour nor an icon alone carries it.
enum class LineMark { Ok, Failed, Missing, Unreadable };
struct MarkedLine {
    std::string text;
    LineMark mark;
};

// The cursor of the whole program.
enum class Pointer { Arrow, Busy };

// What the window model shows of a window, in parts by what each shows: the
// Qt window on Linux and the Win32 window on Windows show every part (a
// WindowView); a view with less to show implements only its parts. The model
// decides and keeps every state and text; a view puts them on the screen and
// tells the model what the user did (which line was chosen, what was typed),
// and is never asked what it shows.

// The commands', menus' and controls' states, and the texts that change only
// with the language or the suffix.
class StateView {
public:
    virtual ~StateView() = default;
    virtual void SetCommandEnabled(Command command, bool enabled) = 0;
    virtual void SetCommandChecked(Command command, bool checked) = 0;
    virtual void SetMenuEnabled(Menu menu, bool enabled) = 0;
    virtual void SetControlEnabled(Control control, bool enabled) = 0;
    virtual void ApplyTexts(const WindowTexts& texts) = 0;
};

// The job: the big file and the pieces.
class JobView {
public:
    virtual ~JobView() = default;
    // BigFileName, BigFileSize and the size unit buttons (none for a unit
    // outside the five).
    virtual void ShowBigFileName(const std::string& path) = 0;
    virtual void ShowBigFileSize(const std::string& text) = 0;
    virtual void SelectUnitButton(SizeUnit unit) = 0;
    // SmallFileNames, lblNrFiles, the hint of the pieces' group, ChangeItem.
    virtual void ShowPieceNames(const std::string& text) = 0;
    virtual void ShowPieceCount(const std::string& text) = 0;
    virtual void SetPiecesGroupHint(const std::string& hint) = 0;
    virtual void ShowEditedPiece(const std::string& text) = 0;
    // A note in the pieces' group while a split or join works differently:
    // extraction or appending is on. Empty while neither is.
    virtual void ShowModesNote(const std::string& text) = 0;
};

// The size plan's list and fields.
class SizesView {
public:
    virtual ~SizesView() = default;
    // SmallerSizesLB: every line at once (32736 appear without delay), one
    // more, none; the selected line (-1: none).
    virtual void ShowSizeLines(const std::vector<std::int64_t>& sizes) = 0;
    virtual void AddSizeLine(const std::string& line) = 0;
    virtual void ClearSizeLines() = 0;
    virtual void SelectSizeLine(int index) = 0;
    virtual void RepaintSizeList() = 0;
    // SmallerSize, the list's heading, and the list's hint, which change with
    // what the list shows.
    virtual void ShowSizeListHeading(const std::string& caption, const std::string& listHint) = 0;
    // SmallerSizesLB: Verify's lines, each with its mark, in place of all others.
    virtual void ShowMarkedLines(const std::vector<MarkedLine>& lines) = 0;
    // txtNewSize.
    virtual void SetNewSizeText(const std::string& text) = 0;
    // CBBaseSize: its lines and the selected one (-1: none).
    virtual void ShowBaseSizes(const std::vector<std::string>& texts, int selected) = 0;
    virtual void SelectBaseSize(int index) = 0;
    // rbSizeBase and rbSizeFree.
    virtual void ShowSizeMode(bool useFreeSpace) = 0;
};

// The work as it runs: the status bar, the progress bar, the pointer.
class WorkView {
public:
    virtual ~WorkView() = default;
    // Status panel 0 (hints, notes, the file being worked on) and 1 (states).
    virtual void ShowStatus(int panel, const std::string& text) = 0;
    virtual void SetProgressRange(int minimum, int maximum) = 0;
    virtual void SetProgress(int position) = 0;
    // The progress of the running work in words (per cent, rate, time left,
    // the piece), a few times a second; empty when the work is over.
    virtual void ShowProgressText(const std::string& text) = 0;
    virtual void SetPointer(Pointer pointer) = 0;
    virtual void Repaint() = 0;
    // Lets the window paint and take clicks (the Stop button) during work.
    virtual void ProcessEvents() = 0;
};

// The window's place on the screen, stored at the end and read at the start.
class PlaceView {
public:
    virtual ~PlaceView() = default;
    // Moved onto a screen when it would not be seen there.
    virtual void MoveTo(int left, int top) = 0;
    virtual int Left() const = 0;
    virtual int Top() const = 0;
};

// The window as a whole, shown and ended.
class FrameView {
public:
    virtual ~FrameView() = default;
    // Shown normally or minimized.
    virtual void ShowWindow(bool minimized) = 0;
    // Ends the program once the event loop runs (or at once when it runs).
    virtual void Quit() = 0;
    // Closes the window once the current event is handled.
    virtual void CloseLater() = 0;
    // The language of the toolkit's own texts (standard buttons, file dialogs).
    virtual void FollowLanguage(int language) = 0;
};

// A window that shows every part.
class WindowView : public StateView,
                   public JobView,
                   public SizesView,
                   public WorkView,
                   public PlaceView,
                   public FrameView {};

// The parts the model shows on. A view that shows only some gives those; the
// rest go to a view that shows nothing.
struct ViewParts {
    ViewParts(WindowView& view)  // NOLINT: a whole window is every part
        : states(view), job(view), sizes(view), work(view), place(view), frame(view) {}
    // Only the window's place, as a run with no window keeps it.
    static ViewParts PlaceOnly(PlaceView& place);

    StateView& states;
    JobView& job;
    SizesView& sizes;
    WorkView& work;
    PlaceView& place;
    FrameView& frame;

private:
    ViewParts(StateView& states_, JobView& job_, SizesView& sizes_, WorkView& work_,
              PlaceView& place_, FrameView& frame_)
        : states(states_), job(job_), sizes(sizes_), work(work_), place(place_), frame(frame_) {}
};

}  // namespace brelker
