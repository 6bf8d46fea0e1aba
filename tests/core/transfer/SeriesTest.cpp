#include "transfer/Series.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "EngineFixture.h"
#include "transfer/PieceNames.h"

namespace brelker {
namespace {

TEST(FindSeriesBaseTest, CutsBeforeTheLastSuffixThatEndsBeforeTheLastCharacter) {
    struct Row {
        std::string piece, stem;
    };
    const Row rows[] = {
        {"C:\\X\\DATA.ZIP.Brelked_7", "C:\\X\\DATA.ZIP"},
        {"C:\\X\\DATA.ZIP.Brelked_12", "C:\\X\\DATA.ZIP"},
        {"C:\\A.Brelked_.Brelked_3", "C:\\A.Brelked_"},
        {"C:\\A.Brelked_", ""},  // ends with the suffix: nothing follows it
        {"C:\\A.Brelked_x.Brelked_", "C:\\A"},
        {"X.BRELKED_1", ""},  // compared exactly
        {"/home/me/Stor fil åäö.bin.Brelked_1", "/home/me/Stor fil åäö.bin"},
        {".Brelked_1", ""},
        {"a.Brelked_1x", "a"},  // what follows the suffix is not examined
        {"", ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(FindSeriesBase(row.piece, ".Brelked_"), row.stem) << row.piece;
    }
    EXPECT_EQ(FindSeriesBase("a.part9", ".part"), "a");
    EXPECT_EQ(FindSeriesBase("a.part9", ""), "");
    EXPECT_EQ(PieceName("/x/a.bin", ".Brelked_", 10), "/x/a.bin.Brelked_10");
}

TEST(PromptsBeforePiecesTest, FollowsThePauseMode) {
    EXPECT_TRUE(PromptsBeforePieces(PauseMode::Always, false));
    EXPECT_TRUE(PromptsBeforePieces(PauseMode::FloppiesOnly, true));
    EXPECT_FALSE(PromptsBeforePieces(PauseMode::FloppiesOnly, false));
    EXPECT_FALSE(PromptsBeforePieces(PauseMode::Never, true));
    // A stored value no menu item sets: floppies only.
    EXPECT_TRUE(PromptsBeforePieces(static_cast<PauseMode>(7), true));
    EXPECT_FALSE(PromptsBeforePieces(static_cast<PauseMode>(-1), false));
}

using SeriesTest = EngineFixture;

TEST_F(SeriesTest, AnyPieceOfACompleteSeriesCountsThemAllFromOne) {
    std::vector<std::string> pieces;
    for (int k = 1; k <= 12; ++k) {
        pieces.push_back(std::string(static_cast<std::size_t>(k), 'x'));
    }
    PlanJoin(pieces);
    job = Job();
    job.SmallFilesBase = FindSeriesBase(folder / "pieces/big.bin.Brelked_7", ".Brelked_");
    CountSeries(job, platform, host, ".Brelked_");
    EXPECT_EQ(job.SmallFilesBase, folder / "pieces/big.bin");
    EXPECT_EQ(job.SmallFileCount, 12);
    EXPECT_EQ(job.BigFileBytes, 78);
    EXPECT_EQ(job.SmallFileSizes[1], 1);
    EXPECT_EQ(job.SmallFileSizes[12], 12);
    EXPECT_EQ(host.sizeLines.front(), "1");
    EXPECT_EQ(host.sizeLines.back(), "12");
    EXPECT_EQ(host.countings, 1);
    EXPECT_EQ(job.PiecePath, Piece(13));
    EXPECT_TRUE(host.missingFiles.empty());
}

TEST_F(SeriesTest, AMissingFirstPieceIsReportedAndCountsNothing) {
    PlanJoin({"a", "b"});
    std::filesystem::remove(Piece(1));
    CountSeries(job, platform, host, ".Brelked_");
    EXPECT_EQ(job.SmallFileCount, 0);
    EXPECT_EQ(host.missingFiles, std::vector<std::string>{Piece(1)});
    EXPECT_TRUE(host.sizeLines.empty());

    // A chosen name without the suffix leaves an empty stem: piece 1 is looked for
    // as the bare suffix and the number, and not found.
    host = FakeHost();
    job.SmallFilesBase = FindSeriesBase(folder / "pieces/big.bin", ".Brelked_");
    CountSeries(job, platform, host, ".Brelked_");
    EXPECT_EQ(host.missingFiles, std::vector<std::string>{".Brelked_1"});
}

TEST_F(SeriesTest, ThousandsOfPiecesAreCountedOneByOne) {
    for (int k = 1; k <= 3000; ++k) {
        WriteFile(Piece(k), k % 7 == 0 ? "seven" : "");
    }
    CountSeries(job, platform, host, ".Brelked_");
    EXPECT_EQ(job.SmallFileCount, 3000);
    EXPECT_EQ(job.BigFileBytes, 428 * 5);
    EXPECT_EQ(host.sizeLines.size(), 3000u);
}

TEST_F(SeriesTest, TheDiskCountGivesThatManyPiecesOfUnknownSize) {
    job.BigFileBytes = 0;
    host.diskCount = 4;
    TakeSeriesFromDiskCount(job, host);
    EXPECT_EQ(job.SmallFileCount, 4);
    EXPECT_EQ(job.SmallFileSizes, (std::vector<std::int64_t>(5, 0)));
    EXPECT_EQ(host.sizeLines, (std::vector<std::string>(4, "?")));
    EXPECT_EQ(job.BigFileBytes, 0);

    host = FakeHost();
    host.diskCount = 0;  // the dialog was never confirmed
    TakeSeriesFromDiskCount(job, host);
    EXPECT_EQ(job.SmallFileCount, 0);
    EXPECT_TRUE(host.sizeLines.empty());
}

}  // namespace
}  // namespace brelker
