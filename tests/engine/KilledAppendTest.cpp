// An append that does not finish, however it ends (a failure, a kill at any
// call that changes the disk), leaves a record from which the next run on the
// target takes off what was appended, or refuses where that is not safe: no
// run ever appends after bytes that are not the target's own.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "CrashingPlatform.h"
#include "EngineFixture.h"
#include "engine/AppendRecord.h"
#include "engine/ChecksumFile.h"
#include "platform/OwnNames.h"
#include "platform/Paths.h"

namespace brelker {
namespace {

class KilledAppendTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        options.MaxFromFile = 50;  // two blocks a piece: a kill between them too
        PlanSplit(whole, {1000, 1000, 1000});
        ASSERT_EQ(Split(), TransferOutcome::Done);
        job.BigFilePath = target;
        job.AppendActive = true;
    }

    // The target as it was before the append, and the series' pieces whole.
    void Arrange() {
        std::filesystem::remove(record);
        WriteFile(target, old);
        for (int k = 1; k <= 3; ++k) {
            WriteFile(Piece(k), whole.substr(static_cast<std::size_t>(k - 1) * 1000, 1000));
        }
    }

    // An append that fails after some bytes went out and cannot cut them
    // off again, as a full disk that then refuses the cut does.
    void LeaveABrokenAppend() {
        Arrange();
        platform.kernelCopy = false;
        platform.writeRoom = 1500;  // the record, then part of the pieces
        platform.failTruncates = true;
        ASSERT_EQ(JoinSeries(), TransferOutcome::SizesDiffer);
        platform.kernelCopy = true;
        platform.writeRoom = std::numeric_limits<std::int64_t>::max();
        platform.failTruncates = false;
        ASSERT_GT(ReadFile(target).size(), old.size());
        ASSERT_TRUE(Exists(record));
    }

    const std::string whole = PatternBytes(3000);
    const std::string old = PatternBytes(700, 9);
    const std::string target = folder / "target.bin";
    const std::string record = AppendRecordPath(target);
};

TEST_F(KilledAppendTest, AnAppendKilledAtAnyCallLeavesWhatTheNextRunsTakeBackOrRefuse) {
    CrashingPlatform crashing;
    Engine crashingEngine(job, crashing, host);
    // With disk changes, a piece goes as soon as its bytes are proven in the target.
    for (const bool removePieces : {false, true}) {
        options.RemoveSmallFiles = removePieces;
        options.PauseMode = removePieces ? PauseMode::Always : PauseMode::Never;
        Arrange();
        crashing.Revive();
        ASSERT_TRUE(crashingEngine.JoinSmallFiles(options).Succeeded());
        const int calls = crashing.operations;
        ASSERT_EQ(ReadFile(target), old + whole);
        EXPECT_FALSE(Exists(record));
        for (int call = 1; call <= calls; ++call) {
            const std::string at = (removePieces ? "deleting, call " : "call ") +
                                   std::to_string(call) + " of " + std::to_string(calls);
            Arrange();
            crashing.DieAt(call);
            EXPECT_THROW(crashingEngine.JoinSmallFiles(options), SimulatedCrash) << at;
            crashing.Revive();
            const std::string left = ReadFile(target);
            ASSERT_EQ(left.substr(0, old.size()), old) << at;
            // A piece that is gone has its only copy in its place after the old bytes.
            for (int k = 1; k <= 3; ++k) {
                if (!Exists(Piece(k))) {
                    ASSERT_GE(left.size(), old.size() + k * 1000u) << at;
                    EXPECT_EQ(left.substr(old.size() + (k - 1) * 1000u, 1000),
                              whole.substr((k - 1) * 1000u, 1000))
                        << at << ", piece " << k;
                }
            }
            // The killed run was done only where no record is left.
            const bool done = !Exists(record) && left == old + whole;
            if (!done) {
                EXPECT_TRUE(Exists(record) || left == old) << at;
            }
            const TransferOutcome again = JoinSeries();
            if (again == TransferOutcome::Done) {
                EXPECT_EQ(ReadFile(target), (done ? old + whole : old) + whole) << at;
                EXPECT_TRUE(result.verified) << at;
                EXPECT_FALSE(Exists(record)) << at;
            } else {
                // Only pieces that are gone stop it, and it wrote nothing.
                EXPECT_TRUE(removePieces) << at << ": " << static_cast<int>(again);
                EXPECT_EQ(ReadFile(target), left) << at;
            }
            // No temporary of the target outlives the next run.
            for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
                EXPECT_FALSE(IsTemporaryOf(entry.path().filename().string(), target))
                    << at << ": " << entry.path();
            }
        }
    }
}

TEST_F(KilledAppendTest, AnAppendThatCannotCutBackIsTakenBackByTheNextRun) {
    LeaveABrokenAppend();
    ASSERT_EQ(JoinSeries(), TransferOutcome::Done);
    EXPECT_EQ(ReadFile(target), old + whole);
    EXPECT_TRUE(result.verified);
    EXPECT_EQ(result.appendUndone, target);
    EXPECT_FALSE(Exists(record));

    // A join that replaces the target takes the broken append off first too.
    LeaveABrokenAppend();
    job.AppendActive = false;
    ASSERT_EQ(JoinSeries(), TransferOutcome::Done);
    EXPECT_EQ(result.appendUndone, target);
    EXPECT_EQ(ReadFile(target), whole);
    EXPECT_FALSE(Exists(record));
}

TEST_F(KilledAppendTest, ARecordThatCannotBeTrustedStopsEveryRunAndIsNamed) {
    const auto rewrite = [this](const std::function<std::string(std::string)>& change) {
        return [this, change] { WriteFile(record, change(ReadFile(record))); };
    };
    struct Row {
        const char* name;
        std::function<void()> change;
    };
    const Row rows[] = {
        {"the file was replaced by a copy",
         [this] {
             std::filesystem::copy_file(target, target + ".copy");
             std::filesystem::rename(target + ".copy", target);
         }},
        {"a byte before the old end changed",
         [this] {
             std::fstream file(target, std::ios::in | std::ios::out | std::ios::binary);
             file.seekp(static_cast<std::streamoff>(old.size()) - 1);
             file.put('!');
         }},
        {"the file is shorter than it was", [this] { std::filesystem::resize_file(target, 10); }},
        {"the file is gone", [this] { std::filesystem::remove(target); }},
        {"its pieces are gone",
         rewrite([](std::string text) { return text.replace(text.rfind("kept"), 4, "gone"); })},
        {"the record is cut short", rewrite([](std::string text) { return text.substr(0, 30); })},
        {"a length that is no number",
         rewrite([](std::string text) { return text.replace(text.find("length ") + 7, 1, "x"); })},
    };
    for (const Row& row : rows) {
        LeaveABrokenAppend();
        row.change();
        const bool there = Exists(target);
        const std::string before = there ? ReadFile(target) : std::string();
        for (const bool append : {true, false}) {
            job.AppendActive = append;
            EXPECT_EQ(JoinSeries(), TransferOutcome::AppendNotUndone) << row.name;
            EXPECT_EQ(result.file, record) << row.name;
            EXPECT_EQ(Exists(target), there) << row.name;
            EXPECT_EQ(there ? ReadFile(target) : std::string(), before) << row.name;
            EXPECT_TRUE(Exists(record)) << row.name;
        }
        job.AppendActive = true;
        std::filesystem::remove(record);
    }
}

TEST_F(KilledAppendTest, ARecordALiveRunHoldsLeavesTheTargetAlone) {
    LeaveABrokenAppend();
    const std::string broken = ReadFile(target);
    bool held = false;
    const FileHandle live = platform.TakeLeftFile(record, held);
    ASSERT_NE(live, kNoFile);
    EXPECT_EQ(JoinSeries(), TransferOutcome::RunLocked);
    EXPECT_EQ(result.file, target);
    EXPECT_EQ(ReadFile(target), broken);
    platform.Close(live);
    ASSERT_EQ(JoinSeries(), TransferOutcome::Done);
    EXPECT_EQ(ReadFile(target), old + whole);

    // An append from another session, whose locks are in another folder,
    // finds the record of the one that runs.
    Arrange();
    FaultyPlatform session;
    session.SetLockFolder(folder / "other-locks");
    host.onPump = [&] {
        host.onPump = nullptr;
        Job second = job;
        FakeHost quiet;
        Engine other(second, session, quiet);
        const TransferResult refused = other.JoinSmallFiles(options);
        EXPECT_EQ(refused.outcome, TransferOutcome::RunLocked);
        EXPECT_EQ(refused.file, target);
    };
    ASSERT_EQ(JoinSeries(), TransferOutcome::Done);
    EXPECT_EQ(ReadFile(target), old + whole);
}

TEST_F(KilledAppendTest, ATargetWithALongNameIsJoinedAndAppendedToUnderItsOwnName) {
    const std::string name = std::string(241, 'n') + ".bin";
    job.SmallFilesBase = folder / ("pieces/" + name);
    PlanJoin({"aa", "bb"});
    job.BigFilePath = folder / name;
    job.AppendActive = false;
    ASSERT_EQ(JoinSeries(), TransferOutcome::Done);
    EXPECT_EQ(ReadFile(job.BigFilePath), "aabb");

    job.AppendActive = true;
    std::filesystem::remove(Piece(2));
    platform.failTruncates = true;
    ASSERT_EQ(JoinSeries(), TransferOutcome::PieceFailed);
    EXPECT_EQ(ReadFile(job.BigFilePath), "aabbaa");
    EXPECT_LE(BareFileName(AppendRecordPath(job.BigFilePath)).size(), kLongestOwnName);
    ASSERT_TRUE(Exists(AppendRecordPath(job.BigFilePath)));
    platform.failTruncates = false;
    WriteFile(Piece(2), "bb");
    ASSERT_EQ(JoinSeries(), TransferOutcome::Done);
    EXPECT_EQ(ReadFile(job.BigFilePath), "aabbaabb");
}

TEST(OwnNamesTest, NamesBesideATargetAreItsOwnAndFitInOneName) {
    EXPECT_EQ(OwnNameBeside("dir/big.bin", "append"), "dir/.big.bin.brelker-append");
    EXPECT_EQ(OwnNameBeside("big.bin", "partial", false), "big.bin.brelker-partial");
    EXPECT_TRUE(IsTemporaryOf(".big.bin.brelker-tmp-aZ09xy", "dir/big.bin"));
    EXPECT_FALSE(IsTemporaryOf(".big.bin.brelker-tmp-aZ09xy", "dir/big.bi"));
    EXPECT_FALSE(IsTemporaryOf(".big.bin.brelker-tmp-aZ09x-", "dir/big.bin"));

    // Two long names that differ only at their end, in letters of two bytes.
    std::string first;
    for (int i = 0; i < 120; ++i) {
        first += "\xC3\xA4";  // ä
    }
    const std::string second = first + "x";
    first += "y";
    const std::string a = BareFileName(TemporaryPattern("dir/" + first));
    const std::string b = BareFileName(TemporaryPattern("dir/" + second));
    EXPECT_EQ(a.size(), kLongestOwnName);
    EXPECT_LE(b.size(), kLongestOwnName);
    EXPECT_NE(a.substr(0, a.size() - kTemporaryRandomLength),
              b.substr(0, b.size() - kTemporaryRandomLength));
    // Cut after a whole letter, never inside one.
    const std::size_t cut = a.find('~');
    ASSERT_NE(cut, std::string::npos);
    EXPECT_EQ((cut - 1) % 2, 0u) << a;
    EXPECT_TRUE(IsTemporaryOf(a.substr(0, a.size() - 6) + "abc123", "dir/" + first));
}

}  // namespace
}  // namespace brelker
