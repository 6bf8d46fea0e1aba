// A run writes and deletes only what it owns: what a failed split wrote goes,
// nothing another run or the user put under a name is touched, and one run at
// a time writes a file.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "EngineFixture.h"
#include "checksum/ChecksumFile.h"
#include "platform/OpenedFile.h"
#include "platform/Paths.h"

namespace brelker {
namespace {

using OwnedNamesTest = EngineFixture;

TEST_F(OwnedNamesTest, AnInterruptedSplitRemovesWhatItWroteWithoutAsking) {
    PlanSplit(PatternBytes(3000), {1000, 1000, 1000});
    options.MaxFromFile = 100;     // a block per piece
    platform.interruptAtCall = 2;  // after the second block
    EXPECT_EQ(Split(), TransferOutcome::Interrupted);
    EXPECT_TRUE(host.questions.empty());
    EXPECT_EQ(result.removedAfterFailure.size(), 2u);
    for (int k = 1; k <= 3; ++k) {
        EXPECT_FALSE(Exists(Piece(k))) << k;
    }
    EXPECT_FALSE(Exists(ChecksumFilePath(job.SmallFilesBase)));
    EXPECT_TRUE(Exists(job.BigFilePath));

    // A Stop that came after the last block of a run is not asked at the next.
    platform.interruptAtCall = 0;
    engine.RequestStop();
    EXPECT_EQ(Split(), TransferOutcome::Done);
    EXPECT_TRUE(host.questions.empty());
}

TEST_F(OwnedNamesTest, PiecesOnADiskTakenOutAreNeverRemoved) {
    PlanSplit(PatternBytes(300), {100, 100, 100});
    options.PauseMode = PauseMode::Always;
    // Disk 2 goes in: piece 1 leaves with disk 1, and the new disk happens to
    // hold a file of the same name. Disk 3 is refused.
    host.answers = {true, true, false};
    host.onQuestion = [&](const std::string& question) {
        if (question == "disk 2") {
            std::filesystem::rename(Piece(1), folder / "disk1-piece1");
            WriteFile(Piece(1), "someone else's file");
        }
    };
    EXPECT_EQ(Split(), TransferOutcome::DiskRefused);
    EXPECT_EQ(result.removedAfterFailure, std::vector<std::string>{Piece(2)});
    EXPECT_EQ(ReadFile(Piece(1)), "someone else's file");
    EXPECT_EQ(ReadFile(folder / "disk1-piece1"), PatternBytes(300).substr(0, 100));
}

TEST_F(OwnedNamesTest, ABigFileThatChangesOrAPieceChangedAfterWritingIsCaught) {
    PlanSplit(PatternBytes(3000), {1000, 1000, 1000});
    options.MaxFromFile = 50;
    int pumps = 0;
    host.onPump = [&] {
        if (++pumps == 3) {
            std::ofstream(job.BigFilePath, std::ios::app) << "more";
        }
    };
    EXPECT_EQ(Split(), TransferOutcome::BigFileChanged);
    EXPECT_EQ(result.file, job.BigFilePath);

    // Another process writes into piece 1 while piece 3 is copied: the big
    // file must stay, and the piece that is no longer this run's is kept.
    PlanSplit(PatternBytes(3000), {1000, 1000, 1000});
    options.RemoveBigFile = true;
    pumps = 0;
    host.onPump = [&] {
        if (++pumps == 5) {
            std::fstream piece(Piece(1), std::ios::in | std::ios::out | std::ios::binary);
            piece.seekp(10);
            piece << "X";
        }
    };
    EXPECT_EQ(Split(), TransferOutcome::PieceChanged);
    EXPECT_EQ(result.file, Piece(1));
    EXPECT_TRUE(Exists(job.BigFilePath));
    EXPECT_TRUE(Exists(Piece(1)));
    EXPECT_FALSE(Exists(Piece(2)));
}

TEST_F(OwnedNamesTest, StalePiecesAreRegularFilesOfTheSeriesAndNeverTheBigFile) {
    // "brelker split big.bin.Brelked_5 -o big.bin": the big file would stay
    // among its own pieces, and every count of the series would take it in.
    PlanSplit(PatternBytes(200), {100, 100});
    WriteFile(Piece(3), "an old piece");
    std::filesystem::rename(job.BigFilePath, Piece(5));
    job.BigFilePath = Piece(5);
    EXPECT_EQ(Split(), TransferOutcome::BigFileNamedAsPiece);
    EXPECT_EQ(result.file, Piece(5));
    EXPECT_FALSE(Exists(Piece(1)));
    job.BigFilePath = folder / "pieces/../pieces/big.bin.Brelked_5";  // the same file
    EXPECT_EQ(Split(), TransferOutcome::BigFileNamedAsPiece);
    EXPECT_EQ(result.file, Piece(5));
    EXPECT_EQ(ReadFile(Piece(3)), "an old piece");

    job.BigFilePath = folder / "big.bin";
    PlanSplit(PatternBytes(200), {100, 100});
    std::filesystem::create_directory(Piece(4));
    ASSERT_EQ(Split(), TransferOutcome::Done);
    std::sort(result.stalePieces.begin(), result.stalePieces.end());
    EXPECT_EQ(result.stalePieces, (std::vector<std::string>{Piece(3), Piece(5)}));
    EXPECT_TRUE(std::filesystem::is_directory(Piece(4)));
}

TEST_F(OwnedNamesTest, SomebodyElsesChecksumFileIsNeitherRewrittenNorDeleted) {
    // A vendor's list beside an image, and a split of the image beside it.
    PlanSplit(PatternBytes(300), {100, 100, 100});
    job.SmallFilesBase = job.BigFilePath;
    const std::string vendor = std::string(64, 'a') + "  big.bin\n";
    WriteFile(ChecksumFilePath(job.SmallFilesBase), vendor);
    EXPECT_EQ(Split(), TransferOutcome::ForeignChecksumFile);
    EXPECT_FALSE(Exists(Piece(1)));
    options.WriteChecksumFile = false;
    ASSERT_EQ(Split(), TransferOutcome::Done);
    EXPECT_EQ(ReadFile(ChecksumFilePath(job.SmallFilesBase)), vendor);

    // "split x.sha256 -o x": the list would overwrite the file being split.
    options.WriteChecksumFile = true;
    job.SmallFilesBase = folder / "pieces/x";
    job.BigFilePath = ChecksumFilePath(job.SmallFilesBase);
    PlanSplit(vendor, {static_cast<std::int64_t>(vendor.size())});
    EXPECT_EQ(Split(), TransferOutcome::SelfOverwrite);
    EXPECT_EQ(ReadFile(job.BigFilePath), vendor);
}

TEST_F(OwnedNamesTest, OneRunAtATimeWritesAStemOrATarget) {
    PlanSplit(PatternBytes(300), {100, 100, 100});
    {
        const auto held = platform.LockForWriting(job.SmallFilesBase);
        ASSERT_NE(held, nullptr);
        EXPECT_EQ(Split(), TransferOutcome::RunLocked);
        EXPECT_EQ(result.file, job.SmallFilesBase);
        EXPECT_FALSE(Exists(Piece(1)));
    }
    ASSERT_EQ(Split(), TransferOutcome::Done);

    job.AppendActive = true;
    WriteFile(job.BigFilePath, "kept");
    platform.lockedElsewhere = {job.BigFilePath};
    EXPECT_EQ(JoinSeries(), TransferOutcome::RunLocked);
    EXPECT_EQ(ReadFile(job.BigFilePath), "kept");
}

TEST_F(OwnedNamesTest, AnAppendWritesInPlaceEvenWhereTheFileCannotBeRead) {
    WriteFile(job.BigFilePath, "head");
#ifndef _WIN32
    ::chmod(job.BigFilePath.c_str(), 0640);
#endif
    PlanJoin({"aa", "bb"});
    job.AppendActive = true;
    platform.unreadable = {job.BigFilePath};  // as a write-only file is to its owner
    ASSERT_EQ(JoinSeries(), TransferOutcome::Done);
    platform.unreadable.clear();
    EXPECT_EQ(ReadFile(job.BigFilePath), "headaabb");
#ifndef _WIN32
    struct stat info {};
    ::stat(job.BigFilePath.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);  // the same file, not a replacement
#endif
}

TEST_F(OwnedNamesTest, AJoinRemovesOnlyItsTargetsTemporariesThatNoLiveRunHolds) {
    const std::string pieces = folder / "pieces";
    job.BigFilePath = pieces + "/big.bin";
    std::string left;  // a killed join's
    platform.Close(platform.CreateTemporaryBeside(job.BigFilePath, left));
    std::string live;  // a join that runs with its locks in another folder
    const OpenedFile held(platform, platform.CreateTemporaryBeside(job.BigFilePath, live));
    std::string other;
    platform.Close(platform.CreateTemporaryBeside(pieces + "/other.bin", other));
    // A user's own hidden files, some close to the form.
    std::vector<std::string> kept = {live, other};
    for (const char* name : {".big.bin.part-a1b2c3", ".notes.part-backup",
                             ".big.bin.brelker-tmp-a1b2c", ".big.bin.brelker-tmp-a1.b2c"}) {
        kept.push_back(pieces + "/" + name);
        WriteFile(kept.back(), "a user's file");
    }
    PlanJoin({"aa", "bb"});
    ASSERT_EQ(JoinSeries(), TransferOutcome::Done);
    EXPECT_FALSE(Exists(left)) << left;
    for (const std::string& name : kept) {
        EXPECT_TRUE(Exists(name)) << name;
    }
    EXPECT_GE(platform.flushes, 1);  // the joined file reached the disk before its name
}

TEST_F(OwnedNamesTest, WhatAJoinKeepsOfDeletedPiecesIsNoTemporaryOfTheNextJoin) {
    const std::string whole = PatternBytes(300);
    PlanSplit(whole, {100, 100, 100});
    ASSERT_EQ(Split(), TransferOutcome::Done);
    WriteFile(Piece(3), PatternBytes(100, 5));  // damaged on its disk
    options.PauseMode = PauseMode::Always;
    options.RemoveSmallFiles = true;
    job.BigFilePath = folder / "joined.bin";
    EXPECT_EQ(JoinSeries(), TransferOutcome::ChecksumMismatch);
    EXPECT_FALSE(Exists(Piece(1)));
    const std::string kept = folder / "joined.bin.brelker-partial";
    EXPECT_EQ(result.partialPath, kept);
    EXPECT_EQ(ReadFile(kept).substr(0, 200), whole.substr(0, 200));

    options.PauseMode = PauseMode::Never;
    job.SmallFilesBase = folder / "other";
    PlanJoin({"xx"});
    ASSERT_EQ(JoinSeries(), TransferOutcome::Done);
    EXPECT_EQ(ReadFile(kept).substr(0, 200), whole.substr(0, 200));
}

TEST_F(OwnedNamesTest, NothingIsWrittenIntoAFolderOrThroughALink) {
    PlanJoin({"aa"});
    job.BigFilePath = folder / "target";
    std::filesystem::create_directory(job.BigFilePath);
    EXPECT_EQ(JoinSeries(), TransferOutcome::NotARegularFile);
    EXPECT_TRUE(std::filesystem::is_directory(job.BigFilePath));
#ifdef _WIN32
    GTEST_SKIP() << "links need a privilege on Windows and Wine has none";
#else
    // A link at a piece's name is not followed, and the split writes nothing.
    WriteFile(folder / "outside.txt", "outside");
    job.BigFilePath = folder / "big.bin";
    PlanSplit(PatternBytes(200), {100, 100});
    std::filesystem::create_symlink(folder / "outside.txt", Piece(2));
    EXPECT_EQ(Split(), TransferOutcome::NotARegularFile);
    EXPECT_EQ(result.file, Piece(2));
    EXPECT_EQ(ReadFile(folder / "outside.txt"), "outside");
    EXPECT_EQ(ReadFile(Piece(1)), "aa");  // the first join's piece, untouched

    // A FIFO as the target of a join is refused at once, not waited on.
    std::filesystem::remove(Piece(2));
    PlanJoin({"aa"});
    job.BigFilePath = folder / "fifo";
    ASSERT_EQ(::mkfifo(job.BigFilePath.c_str(), 0600), 0);
    EXPECT_EQ(JoinSeries(), TransferOutcome::NotARegularFile);
    job.BigFilePath = folder / "link";
    std::filesystem::create_symlink(folder / "outside.txt", job.BigFilePath);
    job.AppendActive = true;
    EXPECT_EQ(JoinSeries(), TransferOutcome::NotARegularFile);
    EXPECT_EQ(ReadFile(folder / "outside.txt"), "outside");
#endif
}

}  // namespace
}  // namespace brelker
