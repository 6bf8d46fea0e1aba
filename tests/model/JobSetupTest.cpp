// The rules both front ends set their jobs up by.

#include "model/JobSetup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "FaultyPlatform.h"
#include "TempFolder.h"
#include "plan/PieceSizes.h"

namespace brelker {
namespace {

TEST(JobSetupTest, ABigFileIsMeasuredAndItsRangeFollowsItsSizeOnlyWhenItCanBeRead) {
    TempFolder folder;
    FaultyPlatform platform;
    Job job;
    job.ExtractSkip = 5;
    job.ExtractCount = 7;
    WriteFile(folder / "big.bin", "0123456789");
    EXPECT_EQ(TakeBigFile(job, platform, folder / "big.bin"), UnusableFile::None);
    EXPECT_EQ(job.BigFileBytes, 10);
    EXPECT_EQ(job.ExtractSkip, 0);
    EXPECT_EQ(job.ExtractCount, 10);
    EXPECT_EQ(job.ExtractLimit, 10);

    // A file that cannot be split leaves the range of the last one alone.
    EXPECT_EQ(TakeBigFile(job, platform, folder / "gone"), UnusableFile::Missing);
    EXPECT_EQ(job.BigFileBytes, -1);
    EXPECT_EQ(job.ExtractCount, 10);
    EXPECT_EQ(TakeBigFile(job, platform, folder.Path()), UnusableFile::Folder);
#ifndef _WIN32
    EXPECT_EQ(TakeBigFile(job, platform, "/dev/null"), UnusableFile::NotRegular);
#endif
}

TEST(JobSetupTest, PieceSizesAreCountedFromOneAfterTheKeptOnes) {
    Job job;
    TakePieceSizes(job, 0, {100, 100, 50});
    EXPECT_EQ(job.SmallFileSizes, (std::vector<std::int64_t>{0, 100, 100, 50}));
    EXPECT_EQ(job.SmallFileCount, 3);
    TakePieceSizes(job, 1, {120, 30});
    EXPECT_EQ(job.SmallFileSizes, (std::vector<std::int64_t>{0, 100, 120, 30}));
    EXPECT_EQ(job.SmallFileCount, 3);
}

TEST(JobSetupTest, ASeriesIsTakenFromOneOfItsPieces) {
    Job job;
    EXPECT_TRUE(TakeSeries(job, "/d/song.mp3.Brelked_3", ".Brelked_"));
    EXPECT_EQ(job.SmallFilesBase, "/d/song.mp3");
    EXPECT_EQ(job.BigFilePath, "/d/song.mp3");
    EXPECT_EQ(job.PiecePath, "/d/song.mp3.Brelked_3");
    EXPECT_FALSE(TakeSeries(job, "/d/song.mp3", ".Brelked_"));
}

}  // namespace
}  // namespace brelker
