// An append that does not finish, however it ends (a failure, a kill at any
// call that changes the disk), leaves a record from which the next run on the
// target takes off what was appended, or refuses where that is not safe: no
// run ever appends after bytes that are not the target's own. The target's
// name is as long as a name may be and still take the pieces' suffix, so the
// record and the temporaries beside it must shorten theirs.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "CrashingPlatform.h"
#include "EngineFixture.h"
#include "platform/OwnNames.h"
#include "platform/Paths.h"
#include "transfer/AppendRecord.h"

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
            WriteFile(Piece(k), whole.substr((k - 1) * 1000u, 1000));
        }
    }

    // An append whose write fails half way, on a disk that then refuses the cut too.
    void LeaveABrokenAppend() {
        Arrange();
        platform.kernelCopy = false;
        platform.writeRoom = 1500;  // the record, then part of the pieces
        platform.failTruncates = true;
        ASSERT_EQ(JoinSeries(), TransferOutcome::BlockFailed);
        platform.kernelCopy = true;
        platform.writeRoom = std::numeric_limits<std::int64_t>::max();
        platform.failTruncates = false;
        ASSERT_GT(ReadFile(target).size(), old.size());
        ASSERT_TRUE(Exists(record));
    }

    const std::string whole = PatternBytes(3000);
    const std::string old = PatternBytes(700, 9);
    const std::string target = folder / (std::string(241, 'n') + ".bin");
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
            EXPECT_TRUE(done || Exists(record) || left == old) << at;
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
            for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
                EXPECT_FALSE(IsTemporaryOf(entry.path().filename().string(), target)) << at;
            }
        }
    }
}

TEST_F(KilledAppendTest, AnAppendThatCannotCutBackIsTakenBackByTheNextJoinOfEitherKind) {
    for (const bool append : {true, false}) {
        LeaveABrokenAppend();
        job.AppendActive = append;
        ASSERT_EQ(JoinSeries(), TransferOutcome::Done);
        EXPECT_EQ(ReadFile(target), append ? old + whole : whole);
        EXPECT_TRUE(result.verified);
        EXPECT_EQ(result.appendUndone, target);
        EXPECT_FALSE(Exists(record));
        job.AppendActive = true;
    }
}

TEST_F(KilledAppendTest, ARecordThatCannotBeTrustedStopsEveryRunAndIsNamed) {
    const std::pair<const char*, std::function<void()>> rows[] = {
        {"the file was replaced by a copy",
         [this] {
             std::filesystem::copy_file(target, target + "~");
             std::filesystem::rename(target + "~", target);
         }},
        {"a byte before the old end changed",
         [this] {
             std::fstream file(target, std::ios::in | std::ios::out | std::ios::binary);
             file.seekp(static_cast<std::streamoff>(old.size()) - 1);
             file.put('!');
         }},
        {"the file is shorter than it was", [this] { std::filesystem::resize_file(target, 10); }},
        {"its pieces are gone",
         [this] {
             std::string text = ReadFile(record);
             WriteFile(record, text.replace(text.rfind("kept"), 4, "gone"));
         }},
        {"the record is cut short", [this] { WriteFile(record, ReadFile(record).substr(0, 30)); }},
    };
    for (const auto& [name, change] : rows) {
        LeaveABrokenAppend();
        change();
        const std::string before = ReadFile(target);
        for (const bool append : {true, false}) {
            job.AppendActive = append;
            EXPECT_EQ(JoinSeries(), TransferOutcome::AppendNotUndone) << name;
            EXPECT_EQ(result.file, record) << name;
            EXPECT_EQ(ReadFile(target), before) << name;
            EXPECT_TRUE(Exists(record)) << name;
        }
        job.AppendActive = true;
    }
}

TEST_F(KilledAppendTest, AnAppendFromAnotherSessionFindsTheRecordOfTheOneThatRuns) {
    Arrange();
    FaultyPlatform session;  // its locks in a folder of its own
    session.SetLockFolder(folder / "other-locks");
    host.onPump = [&] {
        host.onPump = nullptr;
        Job second = job;
        FakeHost quiet;
        const TransferResult refused = Engine(second, session, quiet).JoinSmallFiles(options);
        EXPECT_EQ(refused.outcome, TransferOutcome::RunLocked);
        EXPECT_EQ(refused.file, target);
    };
    ASSERT_EQ(JoinSeries(), TransferOutcome::Done);
    EXPECT_EQ(ReadFile(target), old + whole);
}

TEST(OwnNamesTest, ALongNameIsCutAfterAWholeLetterAndKeptApartByItsDigest) {
    std::string first;
    for (int i = 0; i < 120; ++i) {
        first += "\xC3\xA4";  // ä
    }
    const std::string a = BareFileName(TemporaryPattern("dir/" + first + "x"));
    const std::string b = BareFileName(TemporaryPattern("dir/" + first + "y"));
    EXPECT_EQ(a.size(), kLongestOwnName);
    EXPECT_NE(a, b);
    EXPECT_EQ(a.find('~') % 2, 1u) << a;  // after "." and whole letters of two bytes
    EXPECT_TRUE(IsTemporaryOf(a.substr(0, a.size() - 6) + "aZ09xy", "dir/" + first + "x"));
    EXPECT_FALSE(IsTemporaryOf(a.substr(0, a.size() - 6) + "aZ09x-", "dir/" + first + "x"));
}

}  // namespace
}  // namespace brelker
