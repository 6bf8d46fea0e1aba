#include "plan/SizePlan.h"

#include <algorithm>

#include "plan/ByteSize.h"
#include "plan/PieceSizes.h"
#include "plan/SizeDisplay.h"
#include "settings/Settings.h"

namespace brelker {

SizePlan::SizePlan(Job& job, SettingsStore& store, PlanView& view)
    : job_(job), store_(store), view_(view) {}

std::int64_t SizePlan::SelectedBaseSize() const {
    const auto& values = BaseSizes.BaseSizeValues;
    if (BaseSizeIndex >= 0 && static_cast<std::size_t>(BaseSizeIndex) < values.size()) {
        return values[static_cast<std::size_t>(BaseSizeIndex)];
    }
    return values.empty() ? kFallbackBaseSize : values.front();
}

PlanOutcome SizePlan::CalculateSmallFileSizes(int keptCount) {
    if (!PlansASplit) {
        return PlanOutcome::Planned;
    }
    if (UseFreeSpace) {
        ClearSizeList();
        view_.ShowPlanStatus(PlanStatus::ReadyToSplit);
        return PlanOutcome::Planned;
    }
    if (job_.BigFileBytes == 0) {
        view_.EnableGroup(ControlGroup::SplitGroup, false);
        view_.EnableGroup(ControlGroup::SmallFilesPlaceGroup, false);
        view_.ShowPlanStatus(PlanStatus::NothingToSplit);
        return PlanOutcome::Planned;
    }

    auto& sizes = job_.SmallFileSizes;
    keptCount = std::max(0, std::min(keptCount, static_cast<int>(sizes.size()) - 1));
    job_.SmallFileCount = keptCount;
    ClearSizeList();
    std::int64_t remaining = job_.BigFileBytes;
    for (int i = 1; i <= keptCount; ++i) {
        remaining -= sizes[static_cast<std::size_t>(i)];
    }

    PlanOutcome outcome = PlanOutcome::Planned;
    if (remaining < 0) {
        // The kept pieces are larger than the file: plan from the base size alone.
        // The fresh plan has already been shown; what follows only repeats its end,
        // unless that plan was refused, which must not be shown as a plan.
        if (CalculateSmallFileSizes(0) == PlanOutcome::TooManyPieces) {
            return PlanOutcome::TooManyPieces;
        }
        outcome = PlanOutcome::Replanned;
        keptCount = job_.SmallFileCount;
        remaining = 0;
    }

    view_.BeginPlanning();
    const auto rest = PieceSizesFor(remaining, SelectedBaseSize(), MaxSmallFiles - keptCount);
    if (!rest) {
        view_.ShowPieceCount(0);
        ClearSizeList();
        view_.EndPlanning(PlanStatus::TooManyPieces);
        view_.EnableGroup(ControlGroup::SplitGroup, false);
        view_.EnableGroup(ControlGroup::SmallFilesPlaceGroup, false);
        view_.EnableGroup(ControlGroup::SizeEditGroup, false);
        return PlanOutcome::TooManyPieces;
    }
    TakePieceSizes(job_, keptCount, *rest);

    view_.ShowSizeLines(
        std::vector<std::int64_t>(sizes.begin() + 1, sizes.begin() + 1 + job_.SmallFileCount));
    view_.EnableGroup(ControlGroup::SplitGroup, true);
    view_.EnableGroup(ControlGroup::SmallFilesPlaceGroup, true);
    view_.ShowPieceCount(job_.SmallFileCount);
    view_.EndPlanning(PlanStatus::ReadyToSplit);
    return outcome;
}

void SizePlan::ClearSizeList() {
    view_.ClearSizeLines();
    view_.ShowEditedPiece(0);
    view_.SetNewSizeText("");
    view_.EnableGroup(ControlGroup::SizeEditGroup, false);
}

PlanOutcome SizePlan::ApplyUseFreeSpace() {
    store_.Write(settings::UseFreeSpace, UseFreeSpace);
    view_.SetBaseSizeControlsEnabled(!UseFreeSpace);
    if (UseFreeSpace) {
        ClearSizeList();
        view_.ShowPieceCount(kUnknownPieceCount);
        return PlanOutcome::Planned;
    }
    return job_.BigFileBytes > 0 ? CalculateSmallFileSizes(0) : PlanOutcome::Planned;
}

void SizePlan::ShowBigFileSize(SizeUnit unit) {
    Unit = unit;
    if (const auto caption = BigFileSizeText(job_.BigFileBytes, unit, view_.DecimalSeparator())) {
        view_.SetBigFileSizeCaption(*caption);
    }
    store_.Write(settings::BigUnit, static_cast<int>(Unit));
}

void SizePlan::LoadBaseSizes() {
    BaseSizes = brelker::LoadBaseSizes(store_);
    BaseSizeIndex = BaseSizes.BaseSizeIndex;
    view_.ShowBaseSizes(BaseSizes.BaseSizeTexts, BaseSizeIndex);
}

void SizePlan::SizeLineChosen() {
    const int line = view_.SelectedSizeLine();
    if (line < 0) {
        return;
    }
    view_.ShowEditedPiece(line + 1);
    view_.SetNewSizeText(view_.SizeLineText(line));
    view_.EnableGroup(ControlGroup::SizeEditGroup, true);
}

void SizePlan::NewSizeEdited() { view_.EnableGroup(ControlGroup::SizeEditGroup, true); }

PlanOutcome SizePlan::ApplyNewSize() {
    const int piece = view_.SelectedSizeLine() + 1;
    // Text that is not a whole size is refused as a whole, never read up to
    // its first letter or comma.
    const auto value = ParseTypedSize(view_.NewSizeText(), view_.DigitGroupSeparator());
    if (piece < 1 || piece > job_.SmallFileCount || !value) {
        view_.EnableGroup(ControlGroup::SizeEditGroup, false);
        return PlanOutcome::NewSizeIgnored;
    }
    job_.SmallFileSizes[static_cast<std::size_t>(piece)] = *value;
    view_.ShowEditedPiece(0);
    view_.EnableGroup(ControlGroup::SizeEditGroup, false);
    return CalculateSmallFileSizes(piece);
}

PlanOutcome SizePlan::BaseSizeChosen(int index) {
    BaseSizeIndex = index;
    store_.Write(settings::BaseSizeIndex, BaseSizeIndex);
    view_.ShowPlanStatus(PlanStatus::ChooseBaseSize);
    view_.EnableGroup(ControlGroup::SizeListGroup, true);
    view_.EnableGroup(ControlGroup::SizeEditGroup, false);
    return CalculateSmallFileSizes(0);
}

PlanOutcome SizePlan::EditBaseSizes() {
    const std::int64_t before = SelectedBaseSize();
    view_.RunBaseSizeEditor();
    LoadBaseSizes();
    // Closing the editor without changing the base size keeps sizes edited by hand.
    return SelectedBaseSize() != before ? CalculateSmallFileSizes(0) : PlanOutcome::Planned;
}

PlanOutcome SizePlan::UseFreeSpaceChosen() {
    UseFreeSpace = true;
    return ApplyUseFreeSpace();
}

PlanOutcome SizePlan::UseBaseSizeChosen() {
    UseFreeSpace = false;
    return ApplyUseFreeSpace();
}

}  // namespace brelker
