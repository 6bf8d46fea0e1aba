// Runs that do not finish, and what they must leave behind: the user's files as
// they were, or, where pieces are already gone, the bytes joined so far.

#include <gtest/gtest.h>

#include <filesystem>

#include "EngineFixture.h"
#include "transfer/Series.h"

namespace brelker {
namespace {

class SafeTransferTest : public EngineFixture {
protected:
    // Every name in the big file's folder, to see that no temporary is left over.
    std::vector<std::string> NamesBesideBigFile() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(SafeTransferTest, AJoinThatDoesNotFinishLeavesTheExistingBigFileAsItWas) {
    struct Row {
        const char* name;
        std::function<void()> arrange;
        TransferOutcome expected;
        int piece = 0;
    };
    const Row rows[] = {
        {"No for the first disk",
         [this] {
             options.PauseMode = PauseMode::Always;
             host.answers = {false};
         },
         TransferOutcome::DiskRefused},
        {"a piece that vanished after counting", [this] { std::filesystem::remove(Piece(2)); },
         TransferOutcome::PieceFailed, 2},
        {"a piece that changed size after counting", [this] { WriteFile(Piece(3), "c"); },
         TransferOutcome::SizesDiffer},
        {"Stop, then No",
         [this] {
             host.onPump = [this] { engine.RequestStop(); };
             host.answers = {false};
         },
         TransferOutcome::Interrupted},
#ifndef _WIN32  // Windows has no kernel copy
        {"a kernel copy that fails half way", [this] { platform.copyRoom = 3; },
         TransferOutcome::BlockFailed},
#endif
    };
    for (const Row& row : rows) {
        host = FakeHost();
        platform.copyRoom = std::numeric_limits<std::int64_t>::max();
        options.PauseMode = PauseMode::Never;
        PlanJoin({"aa", "bb", "cc"});
        WriteFile(job.BigFilePath, "the user's own file");
        row.arrange();
        EXPECT_EQ(JoinSeries(), row.expected) << row.name;
        EXPECT_EQ(result.piece, row.piece) << row.name;
        EXPECT_EQ(ReadFile(job.BigFilePath), "the user's own file") << row.name;
        EXPECT_EQ(NamesBesideBigFile(), (std::vector<std::string>{"big.bin", "pieces"}))
            << row.name;
        EXPECT_TRUE(result.partialPath.empty()) << row.name;
    }

    // A join that finishes replaces the file.
    host = FakeHost();
    platform.copyRoom = std::numeric_limits<std::int64_t>::max();
    PlanJoin({"aa", "bb", "cc"});
    ASSERT_EQ(JoinSeries(), TransferOutcome::Done);
    EXPECT_EQ(ReadFile(job.BigFilePath), "aabbcc");
    EXPECT_EQ(NamesBesideBigFile(), (std::vector<std::string>{"big.bin", "pieces"}));
}

TEST_F(SafeTransferTest, AnAppendingJoinNeverTouchesTheBytesItAppendsTo) {
    job.AppendActive = true;
    WriteFile(job.BigFilePath, "head");
    PlanJoin({"aa", "bb"});
    platform.failSeeks = true;
    EXPECT_EQ(JoinSeries(), TransferOutcome::CannotWriteBigFile);
    EXPECT_EQ(ReadFile(job.BigFilePath), "head");

    // A failure after some pieces were appended takes them back off.
    platform.failSeeks = false;
    std::filesystem::remove(Piece(2));
    EXPECT_EQ(JoinSeries(), TransferOutcome::PieceFailed);
    EXPECT_EQ(result.piece, 2);
    EXPECT_EQ(ReadFile(job.BigFilePath), "head");

    PlanJoin({"aa", "bb"});
    ASSERT_EQ(JoinSeries(), TransferOutcome::Done);
    EXPECT_EQ(ReadFile(job.BigFilePath), "headaabb");
}

TEST_F(SafeTransferTest, PiecesAreOnTheDiskBeforeTheBigFileGoesOrTheDiskIsChanged) {
    PlanSplit(PatternBytes(300), {100, 100, 100});
    options.RemoveBigFile = true;
    platform.flushesLeft = 1;  // the list's record goes on the disk, the pieces do not
    EXPECT_EQ(Split(), TransferOutcome::FlushFailed);
    EXPECT_EQ(result.file, Piece(1));
    EXPECT_TRUE(Exists(job.BigFilePath));

    options.RemoveBigFile = false;
    options.PauseMode = PauseMode::Always;
    platform.flushesLeft = 1;
    EXPECT_EQ(Split(), TransferOutcome::FlushFailed);
    EXPECT_EQ(host.questions.size(), 1u);  // never asked for disk 2
}

TEST_F(SafeTransferTest, ASplitRemovesThePiecesOfAnEarlierLongerSeries) {
    PlanSplit(PatternBytes(500), {100, 100, 100, 100, 100});
    ASSERT_EQ(Split(), TransferOutcome::Done);
    WriteFile(job.SmallFilesBase + ".Brelked_07", "not a piece of this series");
    WriteFile(job.SmallFilesBase + ".Brelked_6x", "nor this");

    PlanSplit(PatternBytes(500), {250, 250});
    ASSERT_EQ(Split(), TransferOutcome::Done);
    EXPECT_EQ(result.stalePieces.size(), 3u);
    EXPECT_TRUE(Exists(Piece(2)));
    EXPECT_FALSE(Exists(Piece(3)));
    EXPECT_FALSE(Exists(Piece(5)));
    EXPECT_TRUE(Exists(job.SmallFilesBase + ".Brelked_07"));
    EXPECT_TRUE(Exists(job.SmallFilesBase + ".Brelked_6x"));

    // A failed split leaves everything in place.
    PlanSplit(PatternBytes(500), {500});
    platform.writeRoom = 10;
    platform.kernelCopy = false;
    EXPECT_NE(Split(), TransferOutcome::Done);
    EXPECT_TRUE(Exists(Piece(2)));
}

TEST_F(SafeTransferTest, ASeriesWithAGapOrAnUnreadablePieceCountsNothing) {
    PlanJoin({"aa", "bb", "cc", "dd"});
    std::filesystem::remove(Piece(3));
    CountSeries(job, platform, host, ".Brelked_");
    EXPECT_EQ(job.SmallFileCount, 0);
    EXPECT_EQ(host.missingFiles, (std::vector<std::string>{Piece(3)}));
    EXPECT_TRUE(host.sizeLines.empty());

    // Piece 5 alone above the first missing number is a gap too.
    PlanJoin({"aa", "bb"});
    WriteFile(Piece(5), "ee");
    std::filesystem::remove(Piece(3));
    std::filesystem::remove(Piece(4));
    host = FakeHost();
    CountSeries(job, platform, host, ".Brelked_");
    EXPECT_EQ(host.missingFiles, (std::vector<std::string>{Piece(3)}));

    std::filesystem::remove(Piece(5));
    PlanJoin({"aa", "bb", "cc"});
    platform.unreadable = {Piece(2)};
    host = FakeHost();
    CountSeries(job, platform, host, ".Brelked_");
    EXPECT_EQ(job.SmallFileCount, 0);
    EXPECT_EQ(host.unreadableFiles, (std::vector<std::string>{Piece(2)}));

    platform.unreadable.clear();
    host = FakeHost();
    CountSeries(job, platform, host, ".Brelked_");
    EXPECT_EQ(job.SmallFileCount, 3);
    EXPECT_TRUE(host.missingFiles.empty());
}

TEST(RoomForOneFileTest, LeavesRoomForTheFileSystemsOwnRecords) {
    struct Row {
        const char* name;
        std::int64_t free, unit, expected;
    };
    const Row rows[] = {
        {"an ext2 floppy with 1 KiB blocks", 1'440 * 1024, 1024, (1'440 - 5 - 4) * 1024},
        {"4 KiB blocks", 1'000 * 4096, 4096, (1'000 - 0 - 4) * 4096},
        {"a disk with only room for records", 4 * 1024, 1024, 0},
        {"a part block is never counted", 10 * 1024 + 1000, 1024, (10 - 4) * 1024},
        {"no unit known: the free space", 5000, 0, 5000},
        {"a full disk stays full", 0, 1024, 0},
        {"a disk that cannot be asked", -1, 1024, -1},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(RoomForOneFile(row.free, row.unit), row.expected) << row.name;
    }
}

}  // namespace
}  // namespace brelker
