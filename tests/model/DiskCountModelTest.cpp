#include "model/DiskCountModel.h"

#include <gtest/gtest.h>

namespace brelker {
namespace {

TEST(DiskCountModelTest, TheNumberStaysWithinItsBoundsAndCountsOnlyOnceConfirmed) {
    DiskCountModel disks;
    EXPECT_EQ(disks.Number(), 1);
    EXPECT_EQ(disks.DiskCount(), 0);
    const int cases[][2] = {{0, 1}, {-5, 1}, {1, 1}, {9999, 9999}, {32760, 32760}, {32761, 32760}};
    for (const auto& [typed, kept] : cases) {
        disks.SetNumber(typed);
        EXPECT_EQ(disks.Number(), kept) << typed;
    }
    EXPECT_EQ(disks.DiskCount(), 0);

    disks.SetNumber(12);
    disks.Confirm();
    disks.SetNumber(50);  // typed, then cancelled: shown again next time, not counted
    EXPECT_EQ(disks.DiskCount(), 12);
    EXPECT_EQ(disks.Number(), 50);
}

}  // namespace
}  // namespace brelker
