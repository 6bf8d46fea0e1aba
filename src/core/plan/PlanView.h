#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "plan/SizeDisplay.h"
#include "transfer/EngineHost.h"

namespace brelker {

// The main window's numbered groups of controls.
enum class ControlGroup {
    SplitGroup = 0,            // DoSplit, DoSplitBtn, SmallerSizesLB
    SmallFilesPlaceGroup = 1,  // FindPlaceToSmallFiles and its button
    JoinGroup = 2,             // DoJoin, DoJoinBtn; off enables the base size controls
    BigFilePlaceGroup = 3,     // FindPlaceToBigFile and its button
    BaseSizeBoxGroup = 4,      // CBBaseSize
    SizeEditGroup = 5,         // ApplyNewSize, txtNewSize, ChangeItem
    SizeListGroup = 6,         // SmallerSizesLB
};

// What status panel 1 says about the plan.
// NothingToSplit: the big file, or the range of it to extract, has no bytes.
enum class PlanStatus { None, ReadyToSplit, ChooseBaseSize, TooManyPieces, NothingToSplit };

// A piece count that is not known before the split (pieces sized by free space).
inline constexpr int kUnknownPieceCount = -1;

// What the piece-size plan shows and reads on the main window. The plan says
// what it shows; the window words it.
class PlanView {
public:
    virtual ~PlanView() = default;

    // SmallerSizesLB: every line at once, so that 32736 lines appear without delay.
    virtual void ShowSizeLines(const std::vector<std::int64_t>& sizes) = 0;
    virtual void ClearSizeLines() = 0;
    // Index of the selected line of SmallerSizesLB, -1 for none, and its text.
    virtual int SelectedSizeLine() const = 0;
    virtual std::string SizeLineText(int index) const = 0;

    // ChangeItem: the number of the piece whose size is being edited, 0 for none.
    virtual void ShowEditedPiece(int piece) = 0;
    virtual void SetNewSizeText(const std::string& text) = 0;
    virtual std::string NewSizeText() const = 0;
    // lblNrFiles and the hint of ActualSizeGB: the plan's number of pieces, 0
    // for none, or kUnknownPieceCount.
    virtual void ShowPieceCount(int count) = 0;
    virtual void SetBigFileSizeCaption(const std::string& text) = 0;  // BigFileSize
    virtual void SelectUnitButton(SizeUnit unit) = 0;                 // BigFileRB1..5

    // CBBaseSize: its lines and selected line (-1: none; never read from it here).
    virtual void ShowBaseSizes(const std::vector<std::string>& texts, int selected) = 0;
    virtual void SetBaseSizeControlsEnabled(bool enabled) = 0;  // CBBaseSize, ApplyBaseSize

    virtual void EnableGroup(ControlGroup group, bool on) = 0;
    // Status panel 1; between BeginPlanning and EndPlanning the window is busy.
    virtual void ShowPlanStatus(PlanStatus status) = 0;
    virtual void BeginPlanning() = 0;
    virtual void EndPlanning(PlanStatus status) = 0;

    // Shows the base size editor modally.
    virtual void RunBaseSizeEditor() = 0;
    // The decimal separator of the user's locale, for the size display.
    virtual std::string DecimalSeparator() const = 0;
    // The mark that groups the digits of a typed size by thousands, in the
    // window's language ("," in "1,457,664").
    virtual std::string DigitGroupSeparator() const = 0;
};

}  // namespace brelker
