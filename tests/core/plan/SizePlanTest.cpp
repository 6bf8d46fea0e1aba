#include "plan/SizePlan.h"

#include <gtest/gtest.h>

#include "FakePlanView.h"
#include "TempFolder.h"
#include "TestSettingsStore.h"
#include "plan/SizeDisplay.h"
#include "settings/Settings.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

using Lines = std::vector<std::string>;

class SizePlanTest : public ::testing::Test {
protected:
    void SetUp() override {
        FillTextTable(".Brelked_");
        SetCurrentLanguage(kEnglish);
        plan.LoadBaseSizes();  // the defaults, with the 1.44 MB floppy chosen
        plan.PlansASplit = true;
    }

    // False when the plan was refused for too many pieces.
    bool PlanFile(std::int64_t bytes) {
        job.BigFileBytes = bytes;
        return plan.CalculateSmallFileSizes(0) != PlanOutcome::TooManyPieces;
    }

    PlanOutcome Edit(int line, const std::string& size) {
        view.selectedLine = line;
        plan.SizeLineChosen();
        view.newSize = size;
        plan.NewSizeEdited();
        return plan.ApplyNewSize();
    }

    // A list of one base size, chosen.
    void UseBaseSize(std::int64_t bytes) {
        store.Write(settings::BaseSizes, 1);
        store.Write(settings::BaseSizeIndex, 0);
        store.WriteStringSetting(subkey::BaseSize, "BaseSizeValue_0", std::to_string(bytes));
        plan.LoadBaseSizes();
    }

    TempFolder folder;
    TestSettingsStore store{folder / "settings.conf"};
    Job job;
    FakePlanView view;
    SizePlan plan{job, store, view};
};

TEST_F(SizePlanTest, CutsTheFileIntoBaseSizesAndARemainder) {
    ASSERT_TRUE(PlanFile(3'000'000));
    EXPECT_EQ(view.lines, (Lines{"1457664", "1457664", "84672"}));
    EXPECT_EQ(job.SmallFileCount, 3);
    EXPECT_EQ(job.SmallFileSizes, (std::vector<std::int64_t>{0, 1457664, 1457664, 84672}));
    EXPECT_EQ(view.pieceCount, 3);
    EXPECT_EQ(view.status, PlanStatus::ReadyToSplit);
    EXPECT_FALSE(view.busy);
    EXPECT_TRUE(view.Group(ControlGroup::SplitGroup));
    EXPECT_TRUE(view.Group(ControlGroup::SmallFilesPlaceGroup));
    EXPECT_FALSE(view.Group(ControlGroup::SizeEditGroup));

    ASSERT_TRUE(PlanFile(2 * 1457664));
    EXPECT_EQ(view.lines, (Lines{"1457664", "1457664"}));  // no empty third piece
    ASSERT_TRUE(PlanFile(1));
    EXPECT_EQ(view.lines, Lines{"1"});
    ASSERT_TRUE(PlanFile(1000));
    EXPECT_EQ(view.lines, Lines{"1000"});
}

TEST_F(SizePlanTest, AnEmptyFileDisablesSplittingAndKeepsTheList) {
    ASSERT_TRUE(PlanFile(3'000'000));
    ASSERT_TRUE(PlanFile(0));
    EXPECT_FALSE(view.Group(ControlGroup::SplitGroup));
    EXPECT_FALSE(view.Group(ControlGroup::SmallFilesPlaceGroup));
    EXPECT_EQ(view.status, PlanStatus::NothingToSplit);
    EXPECT_EQ(view.lines.size(), 3u);
}

TEST_F(SizePlanTest, AnEditedSizeKeepsThePiecesBeforeItAndReplansTheRest) {
    ASSERT_TRUE(PlanFile(3'000'000));
    EXPECT_EQ(Edit(0, "2000000"), PlanOutcome::Planned);
    EXPECT_EQ(view.lines, (Lines{"2000000", "1000000"}));
    EXPECT_EQ(view.editedPiece, 0);
    EXPECT_FALSE(view.Group(ControlGroup::SizeEditGroup));

    Edit(1, "600000");
    EXPECT_EQ(view.lines, (Lines{"2000000", "600000", "400000"}));

    EXPECT_EQ(Edit(0, "3000000"), PlanOutcome::Planned);
    EXPECT_EQ(view.lines, Lines{"3000000"});

    // More than the file: the whole plan goes back to the base size, with a warning.
    EXPECT_EQ(Edit(0, "3000001"), PlanOutcome::Replanned);
    EXPECT_EQ(view.lines, (Lines{"1457664", "1457664", "84672"}));
    EXPECT_EQ(view.pieceCount, 3);
}

TEST_F(SizePlanTest, ClickingALineArmsTheEditorWithItsSize) {
    ASSERT_TRUE(PlanFile(3'000'000));
    view.selectedLine = 2;
    plan.SizeLineChosen();
    EXPECT_EQ(view.editedPiece, 3);
    EXPECT_EQ(view.newSize, "84672");
    EXPECT_TRUE(view.Group(ControlGroup::SizeEditGroup));
}

TEST_F(SizePlanTest, ANewSizeThatIsNoPositiveNumberIsRefused) {
    ASSERT_TRUE(PlanFile(3'000'000));
    // Never a number read up to the first letter or comma.
    for (const char* typed : {"0", "-5", "abc", "", "12abc", "1.457.664", "2b"}) {
        EXPECT_EQ(Edit(1, typed), PlanOutcome::NewSizeIgnored) << typed;
        EXPECT_EQ(view.lines, (Lines{"1457664", "1457664", "84672"})) << typed;
        EXPECT_FALSE(view.Group(ControlGroup::SizeEditGroup));
    }
    EXPECT_EQ(Edit(0, "1,000,000"), PlanOutcome::Planned);
    EXPECT_EQ(view.lines, (Lines{"1000000", "1457664", "542336"}));
    EXPECT_EQ(Edit(1, "1 MB"), PlanOutcome::Planned);
    EXPECT_EQ(view.lines, (Lines{"1000000", "1000000", "1000000"}));
}

TEST_F(SizePlanTest, NoPlanHasMoreThan32736Pieces) {
    UseBaseSize(1);
    ASSERT_TRUE(PlanFile(32'736));
    EXPECT_EQ(view.lines.size(), 32'736u);
    EXPECT_EQ(view.showCalls, 1);  // one call fills the whole list

    EXPECT_FALSE(PlanFile(32'737));
    EXPECT_TRUE(view.lines.empty());
    EXPECT_EQ(view.pieceCount, 0);
    EXPECT_EQ(view.status, PlanStatus::TooManyPieces);
    EXPECT_FALSE(view.busy);
    EXPECT_FALSE(view.Group(ControlGroup::SplitGroup));
    EXPECT_FALSE(view.Group(ControlGroup::SmallFilesPlaceGroup));
    EXPECT_FALSE(view.Group(ControlGroup::SizeEditGroup));

    UseBaseSize(0);  // a damaged store: the limit ends the loop
    EXPECT_FALSE(PlanFile(10));
    UseBaseSize(-7);
    EXPECT_FALSE(PlanFile(10));
}

TEST_F(SizePlanTest, EditsThatTurnTheReplanIntoARefusalDoNotShowAPlan) {
    UseBaseSize(1);
    ASSERT_TRUE(PlanFile(100));
    job.BigFileBytes = 40'000;
    // More than the file, and the base size plan has too many pieces.
    EXPECT_EQ(Edit(0, "50000"), PlanOutcome::TooManyPieces);
    EXPECT_TRUE(view.lines.empty());
    EXPECT_FALSE(view.Group(ControlGroup::SplitGroup));
}

TEST_F(SizePlanTest, ASelectionOutsideTheListPlansWithTheFirstEntry) {
    store.Write(settings::BaseSizeIndex, 42);
    plan.LoadBaseSizes();
    EXPECT_EQ(view.baseSizeSelected, 42);
    ASSERT_TRUE(PlanFile(1'000'000));
    EXPECT_EQ(view.lines, (Lines{"730112", "269888"}));
    plan.BaseSizeIndex = -1;
    EXPECT_EQ(plan.SelectedBaseSize(), 730'112);
}

TEST_F(SizePlanTest, ChoosingABaseSizeStoresItAndReplans) {
    job.BigFileBytes = 800'000'000;
    EXPECT_EQ(plan.BaseSizeChosen(6), PlanOutcome::Planned);
    EXPECT_EQ(store.Read(settings::BaseSizeIndex), 6);
    EXPECT_EQ(view.lines, (Lines{"681574400", "118425600"}));
    EXPECT_TRUE(view.Group(ControlGroup::SizeListGroup));
    EXPECT_EQ(view.status, PlanStatus::ReadyToSplit);
}

TEST_F(SizePlanTest, TheBaseSizeEditorIsFollowedByAFreshListAndPlan) {
    job.BigFileBytes = 5'000'000'000;
    view.onEditor = [this] {
        store.Write(settings::BaseSizes, 10);
        store.Write(settings::BaseSizeIndex, 9);
        store.WriteStringSetting(subkey::BaseSize, "BaseSizeValue_9", "4700000000");
        store.WriteStringSetting(subkey::BaseSize, "BaseSizeText_9", "DVD");
    };
    plan.EditBaseSizes();
    EXPECT_EQ(view.editorRuns, 1);
    EXPECT_EQ(view.baseSizeTexts.back(), "DVD");
    EXPECT_EQ(view.baseSizeSelected, 9);
    EXPECT_EQ(view.lines, (Lines{"4700000000", "300000000"}));
}

TEST_F(SizePlanTest, FreeSpaceModeEmptiesThePlanAndSwitchingBackReplans) {
    ASSERT_TRUE(PlanFile(3'000'000));
    plan.UseFreeSpaceChosen();
    EXPECT_TRUE(store.Read(settings::UseFreeSpace));
    EXPECT_FALSE(view.baseSizeControls);
    EXPECT_TRUE(view.lines.empty());
    EXPECT_EQ(view.pieceCount, kUnknownPieceCount);
    EXPECT_EQ(plan.CalculateSmallFileSizes(0), PlanOutcome::Planned);
    EXPECT_EQ(view.status, PlanStatus::ReadyToSplit);

    plan.UseBaseSizeChosen();
    EXPECT_FALSE(store.Read(settings::UseFreeSpace));
    EXPECT_TRUE(view.baseSizeControls);
    EXPECT_EQ(view.lines.size(), 3u);
}

TEST(SizeDisplayTest, ShowsThousandthsHalfUpWithoutTrailingZeros) {
    using enum SizeUnit;
    struct Row {
        std::int64_t bytes;
        SizeUnit unit;
        const char* caption;
    };
    const Row rows[] = {
        {1457664, Bytes, "1457664"},
        {1457664, Kilobytes, "1423.5"},
        {1457664, Megabytes, "1.39"},
        {1457664, Gigabytes, "0.001"},
        {730112, Megabytes, "0.696"},
        {1, Bytes, "1"},
        {1, Kilobytes, "0.001"},
        {1, Megabytes, "0.000"},
        {100, Megabytes, "0.000"},
        {std::int64_t{1} << 40, Terabytes, "1"},
        {std::int64_t{1} << 40, Gigabytes, "1024"},
        {0, Megabytes, " "},
        {0, static_cast<SizeUnit>(9), " "},
        {1536, Kilobytes, "1.5"},
        {1023, Kilobytes, "0.999"},
        {1024 * 1024 - 1, Megabytes, "1"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(BigFileSizeText(row.bytes, row.unit, "."), row.caption)
            << row.bytes << " in unit " << static_cast<int>(row.unit);
    }
    EXPECT_EQ(BigFileSizeText(1457664, Kilobytes, ","), "1423,5");
    EXPECT_EQ(BigFileSizeText(1, Gigabytes, ","), "0,000");
    EXPECT_EQ(BigFileSizeText(5, static_cast<SizeUnit>(0), "."), std::nullopt);
    EXPECT_DOUBLE_EQ(ScaleSize(1457664, 1024), 1423.5);
    EXPECT_DOUBLE_EQ(ScaleSize(1457664, 1048576), 1.39);
}

TEST_F(SizePlanTest, TheUnitIsShownAndStored) {
    job.BigFileBytes = 1457664;
    plan.ShowBigFileSize(SizeUnit::Kilobytes);
    EXPECT_EQ(view.bigFileSize, "1423.5");
    EXPECT_EQ(store.Read(settings::BigUnit), 2);
    plan.ShowBigFileSize(
        static_cast<SizeUnit>(8));  // a damaged unit leaves the caption and is kept
    EXPECT_EQ(view.bigFileSize, "1423.5");
    EXPECT_EQ(store.Read(settings::BigUnit), 8);
}

}  // namespace
}  // namespace brelker
