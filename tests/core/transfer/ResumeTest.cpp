// A split, a join and an append killed at points spread over their calls
// that change the disk, then run again with Resume: the result is byte for
// byte what an undisturbed run gives, the run again does less than a whole
// run where the dead one had proven something, and a piece changed while the
// run was stopped is moved again rather than kept.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <string>

#include "CrashingPlatform.h"
#include "FakeHost.h"
#include "TempFolder.h"
#include "TestEnvironment.h"
#include "checksum/ChecksumFile.h"
#include "platform/OwnNames.h"
#include "text/TextTable.h"
#include "transfer/AppendRecord.h"
#include "transfer/Engine.h"
#include "transfer/Resume.h"
#include "transfer/Series.h"

namespace brelker {
namespace {

constexpr int kPieces = 6;
constexpr std::int64_t kPieceBytes = 1000;

class ResumeTest : public ::testing::Test {
protected:
    void SetUp() override {
        FillTextTable(".Brelked_");
        SetCurrentLanguage(kEnglish);
        std::filesystem::create_directory(folder / "pieces");
        WriteFile(BigFile(), bytes);
    }

    static TransferOptions TwoBlocksAPiece() {
        TransferOptions options;
        options.PauseMode = PauseMode::Never;
        options.MaxFromFile = 50;
        return options;
    }

    std::string BigFile() const { return folder / "big.bin"; }
    std::string Stem() const { return folder / "pieces/big.bin"; }
    std::string Piece(int k) const { return Stem() + ".Brelked_" + std::to_string(k); }
    std::string Target() const { return folder / "joined.bin"; }

    Job SplitJob() const {
        Job job;
        job.BigFilePath = BigFile();
        job.SmallFilesBase = Stem();
        job.BigFileBytes = static_cast<std::int64_t>(bytes.size());
        job.ExtractCount = job.BigFileBytes;
        job.ExtractLimit = job.BigFileBytes;
        job.SmallFileCount = kPieces;
        job.SmallFileSizes.assign(kPieces + 1, kPieceBytes);
        job.SmallFileSizes[0] = 0;
        return job;
    }

    Job JoinJob(bool append) {
        Job job;
        job.SmallFilesBase = Stem();
        job.BigFilePath = Target();
        job.AppendActive = append;
        CountSeries(job, platform, host, ".Brelked_");
        return job;
    }

    // Runs a split or a join over job, dying at the given call (0: never);
    // true when it lived. The calls it made stay in platform.operations.
    bool Run(Job& job, bool split, int dieAt, TransferResult& result) {
        platform.DieAt(dieAt);
        Engine engine(job, platform, host);
        try {
            result = split ? engine.SplitBigFile(options) : engine.JoinSmallFiles(options);
        } catch (const SimulatedCrash&) {
            return false;
        }
        return true;
    }

    // The calls of an undisturbed run, and what it leaves, to compare with.
    int WholeRun(Job job, bool split) {
        TransferResult result;
        EXPECT_TRUE(Run(job, split, 0, result));
        EXPECT_TRUE(result.Succeeded());
        return platform.operations;
    }

    void Corrupt(const std::string& path, std::int64_t at) {
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(at);
        file.put('!');
    }

    TempFolder folder;
    CrashingPlatform platform;
    FakeHost host;
    TransferOptions options = TwoBlocksAPiece();
    const std::string bytes = PatternBytes(kPieces * kPieceBytes);
};

TEST_F(ResumeTest, AKilledSplitContinuesAfterThePiecesThatStillProve) {
#ifdef _WIN32
    GTEST_SKIP() << "the simulated death leaves handles that only a real one closes";
#endif
    const int whole = WholeRun(SplitJob(), true);
    const std::string list = ReadFile(ChecksumFilePath(Stem()));
    int shorter = 0;
    for (const bool corrupt : {false, true}) {
        for (int dieAt = 1; dieAt < whole; ++dieAt) {
            const std::string where =
                "die at " + std::to_string(dieAt) + (corrupt ? ", piece 1 changed" : "");
            std::filesystem::remove_all(folder / "pieces");
            std::filesystem::create_directory(folder / "pieces");
            Job job = SplitJob();
            TransferResult result;
            options.Resume = false;
            ASSERT_FALSE(Run(job, true, dieAt, result)) << where;
            const ResumePoint point = FindSplitResume(platform, SplitJob(), ".Brelked_");
            if (corrupt && Exists(Piece(1))) {
                Corrupt(Piece(1), 10);
            }
            options.Resume = true;
            job = SplitJob();
            ASSERT_TRUE(Run(job, true, 0, result)) << where;
            ASSERT_TRUE(result.Succeeded()) << where;
            EXPECT_EQ(ReadFile(ChecksumFilePath(Stem())), list) << where;
            std::string joined;
            for (int k = 1; k <= kPieces; ++k) {
                joined += ReadFile(Piece(k));
            }
            EXPECT_EQ(joined, bytes) << where;
            EXPECT_FALSE(Exists(Piece(kPieces + 1))) << where;
            // Only what proved was kept, and keeping it saved work.
            EXPECT_LE(result.resumedPieces, point.done) << where;
            EXPECT_TRUE(!corrupt || result.resumedPieces == 0) << where;
            if (result.resumedPieces > 0) {
                EXPECT_LT(platform.operations, whole) << where;
                ++shorter;
            }
        }
    }
    EXPECT_GT(shorter, 12) << "the kills should leave pieces to keep";
}

TEST_F(ResumeTest, AKilledJoinOrAppendContinuesInWhatItHadWritten) {
    WholeRun(SplitJob(), true);
    const std::string old = PatternBytes(700, 9);
    for (const bool append : {false, true}) {
        std::filesystem::remove(Target());
        if (append) {
            WriteFile(Target(), old);
        }
        const int whole = WholeRun(JoinJob(append), false);
        int shorter = 0;
        for (const bool corrupt : {false, true}) {
            for (int dieAt = 1; dieAt < whole; ++dieAt) {
                const std::string where = std::string(append ? "append" : "join") + ", die at " +
                                          std::to_string(dieAt) + (corrupt ? ", changed" : "");
                std::filesystem::remove(Target());
                if (append) {
                    WriteFile(Target(), old);
                }
                Job job = JoinJob(append);
                TransferResult result;
                options.Resume = false;
                if (Run(job, false, dieAt, result)) {
                    continue;  // the kill came after the join was done
                }
                const ResumePoint point = FindJoinResume(platform, JoinJob(append), ".Brelked_");
                // A byte of what the dead run wrote changes while it is stopped.
                if (corrupt && point.done > 0) {
                    const std::string recorded =
                        append ? Target()
                               : *RecordedTemporary(platform, Target(),
                                                    *SeriesIdentity(platform, Stem(), ".Brelked_"));
                    Corrupt(recorded, (append ? 700 : 0) + 10);
                }
                options.Resume = true;
                job = JoinJob(append);
                ASSERT_TRUE(Run(job, false, 0, result)) << where;
                ASSERT_TRUE(result.Succeeded()) << where;
                EXPECT_TRUE(result.verified) << where;
                EXPECT_EQ(ReadFile(Target()), append ? old + bytes : bytes) << where;
                EXPECT_LE(result.resumedPieces, point.done) << where;
                EXPECT_TRUE(!corrupt || result.resumedPieces == 0) << where;
                if (result.resumedPieces > 0) {
                    EXPECT_LT(platform.operations, whole) << where;
                    ++shorter;
                }
                for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
                    const std::string name = entry.path().filename().string();
                    EXPECT_FALSE(IsTemporaryOf(name, Target())) << where << ": " << name;
                    EXPECT_NE(entry.path().string(), JoinRecordPath(Target())) << where;
                    EXPECT_NE(entry.path().string(), AppendRecordPath(Target())) << where;
                }
            }
        }
        EXPECT_GT(shorter, 6) << (append ? "append" : "join");
    }
}

// A join that runs out of room keeps what it joined, for the same join to go
// on with once there is room; any other failure, or a join that is not asked
// to go on, leaves nothing of it behind.
TEST_F(ResumeTest, AJoinThatRanOutOfRoomKeepsItsTemporaryForTheSameJoin) {
    WholeRun(SplitJob(), true);
    const int whole = WholeRun(JoinJob(false), false);
    std::filesystem::remove(Target());
    platform.kernelCopy = false;
    for (const bool resume : {true, false}) {
        platform.writeRoom = 3500;  // the join's record, then three pieces and a half
        Job job = JoinJob(false);
        TransferResult result;
        options.Resume = false;
        ASSERT_TRUE(Run(job, false, 0, result));
        EXPECT_EQ(result.outcome, TransferOutcome::BlockFailed);
        const std::string kept = result.keptForResume;
        ASSERT_FALSE(kept.empty());
        EXPECT_TRUE(Exists(kept));
        EXPECT_FALSE(Exists(Target()));
        EXPECT_EQ(FindJoinResume(platform, JoinJob(false), ".Brelked_").done, 3);

        platform.writeRoom = std::numeric_limits<std::int64_t>::max();
        options.Resume = resume;
        job = JoinJob(false);
        ASSERT_TRUE(Run(job, false, 0, result));
        ASSERT_TRUE(result.Succeeded()) << resume;
        EXPECT_EQ(ReadFile(Target()), bytes);
        EXPECT_EQ(result.resumedPieces, resume ? 3 : 0);
        EXPECT_EQ(platform.operations < whole, resume);
        EXPECT_FALSE(Exists(kept));
        std::filesystem::remove(Target());
    }
}

// What a stopped run left is continued only by the same run: another big
// file, plan or list makes the run start afresh, and says why.
TEST_F(ResumeTest, WhatChangedSinceTheRunStoppedIsNamed) {
    Job job = SplitJob();
    TransferResult result;
    ASSERT_FALSE(Run(job, true, 12, result));
    EXPECT_TRUE(FindSplitResume(platform, SplitJob(), ".Brelked_").Found());

    Job otherPlan = SplitJob();
    otherPlan.SmallFileSizes[kPieces] = kPieceBytes - 1;
    EXPECT_EQ(FindSplitResume(platform, otherPlan, ".Brelked_").change, ResumeChange::PlanChanged);
    EXPECT_EQ(FindSplitResume(platform, SplitJob(), ".Cut_").state, ResumePoint::State::Nothing);
    WriteFile(BigFile(), PatternBytes(kPieces * kPieceBytes, 5));
    EXPECT_EQ(FindSplitResume(platform, SplitJob(), ".Brelked_").change,
              ResumeChange::BigFileChanged);

    // The changed big file is split afresh, and its list is its own.
    options.Resume = true;
    job = SplitJob();
    ASSERT_TRUE(Run(job, true, 0, result));
    EXPECT_TRUE(result.Succeeded());
    EXPECT_EQ(result.resumedPieces, 0);
    EXPECT_EQ(ReadFile(Piece(1)), PatternBytes(kPieces * kPieceBytes, 5).substr(0, kPieceBytes));

    Job join = JoinJob(false);
    options.Resume = false;
    ASSERT_FALSE(Run(join, false, 12, result));
    EXPECT_TRUE(FindJoinResume(platform, JoinJob(false), ".Brelked_").Found());
    WriteFile(ChecksumFilePath(Stem()), ReadFile(ChecksumFilePath(Stem())) + "\n");
    EXPECT_EQ(FindJoinResume(platform, JoinJob(false), ".Brelked_").change,
              ResumeChange::ListChanged);
}

TEST(AppendRecordTest, TheSeriesLineIsReadBackAndOlderRecordsStillRead) {
    AppendRecord record;
    record.length = 12;
    record.identity = "1:2:3";
    record.series = std::string(64, 'a');
    const auto back = ParseAppendRecord(AppendRecordText(record));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->series, record.series);
    record.series.clear();
    const auto older = ParseAppendRecord(AppendRecordText(record));
    ASSERT_TRUE(older);
    EXPECT_TRUE(older->series.empty());
    EXPECT_FALSE(ParseAppendRecord(
        "brelker append record\nlength 1\nidentity -\ntail -\nseries x\npieces kept\n"));
}

}  // namespace
}  // namespace brelker
