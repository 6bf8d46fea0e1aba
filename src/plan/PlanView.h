#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/EngineHost.h"
#include "plan/SizeDisplay.h"

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

// What the piece-size plan shows and reads on the main window.
class PlanView {
public:
    virtual ~PlanView() = default;

    // SmallerSizesLB: every line at once, so that 32736 lines appear without delay.
    virtual void ShowSizeLines(const std::vector<std::int64_t>& sizes) = 0;
    virtual void ClearSizeLines() = 0;
    // Index of the selected line of SmallerSizesLB, -1 for none, and its text.
    virtual int SelectedSizeLine() const = 0;
    virtual std::string SizeLineText(int index) const = 0;

    virtual void SetChangeItemCaption(const std::string& text) = 0;
    virtual void SetNewSizeText(const std::string& text) = 0;
    virtual std::string NewSizeText() const = 0;
    virtual void SetCountLabel(const std::string& text) = 0;          // lblNrFiles
    virtual void SetSizeGroupHint(const std::string& text) = 0;       // ActualSizeGB
    virtual void SetBigFileSizeCaption(const std::string& text) = 0;  // BigFileSize
    virtual std::string BigFileNameCaption() const = 0;               // BigFileName
    virtual void SelectUnitButton(SizeUnit unit) = 0;                 // BigFileRB1..5

    // CBBaseSize: its lines and selected line (-1: none; never read from it here).
    virtual void ShowBaseSizes(const std::vector<std::string>& texts, int selected) = 0;
    virtual void SetBaseSizeControlsEnabled(bool enabled) = 0;  // CBBaseSize, ApplyBaseSize

    virtual void EnableGroup(ControlGroup group, bool on) = 0;
    virtual void SetStatus(const std::string& text) = 0;  // status panel 1
    virtual void BeginBusy(const std::string& text) = 0;
    virtual void EndBusy(const std::string& text) = 0;
    virtual void ShowMessage(const std::string& text, const std::string& caption,
                             MessageIcon icon) = 0;

    // Shows the base size editor modally.
    virtual void RunBaseSizeEditor() = 0;
    // The decimal separator of the user's locale, for the size display.
    virtual std::string DecimalSeparator() const = 0;
};

}  // namespace brelker
