#pragma once

#include <cstdint>
#include <string>

#include "plan/BaseSizes.h"
#include "plan/PlanView.h"
#include "plan/SizeDisplay.h"
#include "transfer/Job.h"

namespace brelker {

class SettingsStore;

// What a step of the plan decided that the user must be told of; the window
// words it.
enum class PlanOutcome {
    Planned,         // the plan is shown (or there was nothing to plan)
    Replanned,       // the edited sizes exceeded the file: planned from the base size alone
    TooManyPieces,   // refused: more than MaxSmallFiles pieces
    NewSizeIgnored,  // an edited size that cannot be used
};

// The plan of piece sizes for one big file: the base size list, the two modes
// (base size or free disk space), single edited sizes and the size display.
class SizePlan {
public:
    // No plan ever has more pieces than this.
    static constexpr int MaxSmallFiles = 32736;

    SizePlan(Job& job, SettingsStore& store, PlanView& view);

    // Recomputes the plan, keeping pieces 1 to keptCount as they are.
    PlanOutcome CalculateSmallFileSizes(int keptCount);
    void ClearSizeList();
    // Stores the mode and switches the panel between the two modes.
    PlanOutcome ApplyUseFreeSpace();
    // Shows the big file's size in the unit and stores the unit.
    void ShowBigFileSize(SizeUnit unit);
    // Reads the base size list from the store (seeding the defaults) and shows it.
    void LoadBaseSizes();

    // Handlers of the main window's controls.
    void SizeLineChosen();
    void NewSizeEdited();
    PlanOutcome ApplyNewSize();
    PlanOutcome BaseSizeChosen(int index);
    PlanOutcome EditBaseSizes();
    PlanOutcome UseFreeSpaceChosen();
    PlanOutcome UseBaseSizeChosen();

    // The base size the plan cuts pieces of. A stored selection outside the list
    // (a hand-edited store) is never used to read it: the first entry serves.
    std::int64_t SelectedBaseSize() const;

    // True while the job's big file was chosen to be split. After a series was
    // chosen the big file is a join's target, and a plan must never arm a split
    // of it onto the very pieces it came from.
    bool PlansASplit = false;
    bool UseFreeSpace = false;
    int BaseSizeIndex = kDefaultBaseSizeIndex;
    SizeUnit Unit = SizeUnit::Megabytes;
    BaseSizeList BaseSizes;

private:
    Job& job_;
    SettingsStore& store_;
    PlanView& view_;
};

}  // namespace brelker
