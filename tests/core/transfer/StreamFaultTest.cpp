#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "CrashingPlatform.h"
#include "FakeHost.h"
#include "TempFolder.h"
#include "TestEnvironment.h"
#include "checksum/ChecksumFile.h"
#include "text/TextTable.h"
#include "transfer/Engine.h"
#include "transfer/Series.h"
#include "transfer/StreamJoin.h"
#include "transfer/StreamSplit.h"

namespace brelker {
namespace {

const std::string kSuffix = ".Brelked_";

// A split of a stream and a join into one, with a call that changes the disk
// failing, or the process dying, at each such call in turn: a split that
// says it succeeded leaves a series that joins back to the stream's bytes,
// one that failed leaves nothing that joins or verifies as whole, and the
// next split of the stem finishes; a join into a stream sends a prefix of
// the bytes, all of them only when it says it succeeded.
class StreamFaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        FillTextTable(kSuffix);
        SetCurrentLanguage(kEnglish);
        WriteFile(folder / "stream", bytes);
    }

    std::string Stem() const { return folder / "big.bin"; }
    std::string Piece(int k) const { return Stem() + kSuffix + std::to_string(k); }

    // Splits the stream into pieces of 1000 bytes; false when the run died.
    bool SplitOnce(int faultAt, bool die, TransferResult& result) {
        Job job;
        job.SmallFilesBase = Stem();
        const FileHandle input = platform.OpenForReading(folder / "stream");
        platform.DieAt(faultAt);
        platform.failInstead = !die;
        bool lived = true;
        try {
            StreamSplit split(platform, host, folder / "stream");
            result = split.Run(input, {1000, 100, kSuffix, true}, job);
        } catch (const SimulatedCrash&) {
            lived = false;
        }
        platform.Revive();
        platform.Close(input);
        return lived;
    }

    // Joins the series into a file standing in for standard output.
    bool JoinOnce(int faultAt, bool die, TransferResult& result, std::string& sent) {
        Job job;
        job.SmallFilesBase = Stem();
        CountSeries(job, platform, host, kSuffix);
        const FileHandle output = platform.CreateForWriting(folder / "out");
        platform.DieAt(faultAt);
        platform.failInstead = !die;
        bool lived = true;
        try {
            StreamJoin join(platform, host);
            result = join.Run(job, kSuffix, output);
        } catch (const SimulatedCrash&) {
            lived = false;
        }
        platform.Revive();
        platform.Close(output);
        sent = ReadFile(folder / "out");
        return lived;
    }

    // What is left joins and verifies as whole only where it is the stream's bytes.
    void ExpectNoFalseWhole(const std::string& where) {
        Job job;
        job.SmallFilesBase = Stem();
        VerifyReport report;
        Engine engine(job, platform, host);
        TransferOptions options;
        options.Suffix = kSuffix;
        const bool verified = engine.VerifySeries(options, {}, report).Succeeded() &&
                              std::all_of(report.entries.begin(), report.entries.end(),
                                          [](const VerifyReport::Entry& entry) {
                                              return entry.state == CheckState::Ok;
                                          });
        std::string joined;
        for (int k = 1; Exists(Piece(k)); ++k) {
            joined += ReadFile(Piece(k));
        }
        EXPECT_TRUE(!verified || joined == bytes) << where;
    }

    TempFolder folder;
    CrashingPlatform platform;
    FakeHost host;
    const std::string bytes = PatternBytes(3500);
};

TEST_F(StreamFaultTest, ASplitOfAStreamThatFailsOrDiesLeavesNoFalseSeries) {
#ifdef _WIN32
    GTEST_SKIP() << "the simulated death leaves handles that only a real one closes";
#endif
    for (const bool die : {false, true}) {
        for (int faultAt = 1;; ++faultAt) {
            const std::string where = (die ? "die at " : "fail at ") + std::to_string(faultAt);
            TransferResult result;
            const bool lived = SplitOnce(faultAt, die, result);
            if (lived && result.Succeeded()) {
                std::string joined;
                for (int k = 1; k <= 4; ++k) {
                    joined += ReadFile(Piece(k));
                }
                EXPECT_TRUE(joined == bytes) << where;
                EXPECT_FALSE(Exists(Piece(5))) << where;
            }
            if (lived && !result.Succeeded()) {
                EXPECT_NE(result.outcome, TransferOutcome::Done) << where;
                EXPECT_FALSE(Exists(Piece(1)) && Exists(ChecksumFilePath(Stem())) &&
                             ReadSeriesChecksums(platform, Stem(), kSuffix).Valid())
                    << where;
            }
            ExpectNoFalseWhole(where);
            TransferResult again;
            ASSERT_TRUE(SplitOnce(0, false, again)) << where;
            EXPECT_TRUE(again.Succeeded()) << where;
            if (platform.operations < faultAt) {
                break;  // the run made fewer calls than that
            }
        }
    }
}

TEST_F(StreamFaultTest, AJoinIntoAStreamSendsAPrefixAndAllOnlyWhenItSaysSo) {
#ifdef _WIN32
    GTEST_SKIP() << "the simulated death leaves handles that only a real one closes";
#endif
    TransferResult split;
    ASSERT_TRUE(SplitOnce(0, false, split));
    ASSERT_TRUE(split.Succeeded());
    for (const bool die : {false, true}) {
        for (int faultAt = 1;; ++faultAt) {
            const std::string where = (die ? "die at " : "fail at ") + std::to_string(faultAt);
            TransferResult result;
            std::string sent;
            const bool lived = JoinOnce(faultAt, die, result, sent);
            EXPECT_TRUE(bytes.starts_with(sent)) << where;
            EXPECT_EQ(lived && result.Succeeded(), sent == bytes) << where;
            if (lived && !result.Succeeded()) {
                EXPECT_EQ(result.outcome, TransferOutcome::CannotWriteBigFile) << where;
            }
            for (int k = 1; k <= 4; ++k) {
                EXPECT_TRUE(Exists(Piece(k))) << where;
            }
            if (platform.operations < faultAt) {
                break;
            }
        }
    }
}

}  // namespace
}  // namespace brelker
