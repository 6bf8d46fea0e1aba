#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "EngineFixture.h"
#include "engine/ChecksumFile.h"
#include "engine/Series.h"
#include "engine/Sha256.h"
#include "engine/StreamHasher.h"

namespace brelker {
namespace {

using Lines = std::vector<ChecksumLine>;

const std::string kA(64, 'a');
const std::string kB(64, 'b');

TEST(ChecksumFileTest, LinesAreWrittenAndReadAsSha256sumDoes) {
    EXPECT_EQ(Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    const Lines lines = {{kA, "a.bin.Brelked_1"}, {kB, "odd\\na\nme\r"}};
    const std::string text = FormatChecksumLines(lines);
    EXPECT_EQ(text, kA + "  a.bin.Brelked_1\n\\" + kB + "  odd\\\\na\\nme\\r\n");
    EXPECT_EQ(ParseChecksumLines(text), lines);

    // What else sha256sum writes or reads: the binary marker, --tag lines,
    // comments, capitals, and line ends from Windows.
    const std::string upper = "BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB";
    EXPECT_EQ(ParseChecksumLines("# made by hand\r\n" + kA + " *x y\r\n\nSHA256 (z) = " + upper),
              (Lines{{kA, "x y"}, {kB, "z"}}));

    for (const std::string& foreign :
         {std::string(), std::string("\n\n"), kA + " x\n", kA.substr(1) + "  x\n",
          std::string(64, 'g') + "  x\n", kA + "  \n", "\\" + kA + "  bad\\q\n",
          kA + "  ok\nnot a checksum line\n", std::string("MD5 (x) = ") + kA}) {
        EXPECT_FALSE(ParseChecksumLines(foreign)) << foreign;
    }
}

TEST(ChecksumFileTest, ASeriesIsItsPiecesFromOneOnAndTheJoinedFile) {
    const auto series =
        MatchSeries({{kB, "big.bin.Brelked_2"}, {kA, "big.bin.Brelked_1"}, {kA, "big.bin"}},
                    "big.bin", ".Brelked_");
    ASSERT_TRUE(series);
    EXPECT_EQ(series->pieces, (std::vector<std::string>{"", kA, kB}));
    EXPECT_EQ(series->whole, kA);
    EXPECT_EQ(series->wholeName, "big.bin");

    // A gap, a piece listed twice or no piece at all: some other series.
    for (const Lines& other :
         {Lines{{kA, "big.bin.Brelked_1"}, {kA, "big.bin.Brelked_3"}},
          Lines{{kA, "big.bin.Brelked_1"}, {kB, "big.bin.Brelked_1"}},
          Lines{{kA, "big.bin.Brelked_01"}}, Lines{{kA, "other.bin.Brelked_1"}}}) {
        EXPECT_FALSE(MatchSeries(other, "big.bin", ".Brelked_"));
    }
}

TEST(StreamHasherTest, PiecesAndTheWholeComeOutAsIfHashedOneAfterTheOther) {
    TempFolder folder;
    const std::string bytes = PatternBytes(7'000'000);
    WriteFile(folder / "data", bytes);
    NativePlatform platform;
    const FileHandle file = platform.OpenForReading(folder / "data");
    StreamHasher hasher(platform);
    // Ranges large and small, the small ones while the thread is still busy.
    const std::vector<std::pair<std::int64_t, std::int64_t>> pieces = {
        {0, 3'000'000}, {3'000'000, 100}, {3'000'100, 3'999'900}};
    for (const auto& [start, size] : pieces) {
        for (std::int64_t at = start; at < start + size; at += 1'300'000) {
            hasher.Add(file, at, std::min<std::int64_t>(1'300'000, start + size - at));
        }
        EXPECT_EQ(hasher.EndPiece(), Sha256Hex(std::string_view(bytes).substr(start, size)));
    }
    EXPECT_EQ(hasher.EndWhole(), Sha256Hex(bytes));
    platform.Close(file);
}

// Pieces large enough to be hashed on the hashing thread.
constexpr std::int64_t kPiece = 400'000;

class ChecksumTransferTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        options.MaxFromFile = 100;  // one block per piece
    }
    // Splits into three pieces, the last a short one, with the checksum file.
    void SplitThree() {
        PlanSplit(bytes, {kPiece, kPiece, 100});
        ASSERT_EQ(engine.SplitBigFile(options), kTransferDone);
    }
    std::string ChecksumPath() const { return job.SmallFilesBase + ".sha256"; }
    int Join() {
        job.BigFilePath = folder / "joined.bin";
        CountSeries(job, platform, host, ".Brelked_");
        return engine.JoinSmallFiles(options);
    }

    std::string bytes = PatternBytes(2 * kPiece + 100);
};

TEST_F(ChecksumTransferTest, ASplitWritesWhatSha256sumChecks) {
    SplitThree();
    EXPECT_EQ(job.PieceDigests, (std::vector<std::string>{"", Sha256Hex(bytes.substr(0, kPiece)),
                                                          Sha256Hex(bytes.substr(kPiece, kPiece)),
                                                          Sha256Hex(bytes.substr(2 * kPiece))}));
    EXPECT_EQ(job.WholeDigest, Sha256Hex(bytes));
#ifndef _WIN32  // sha256sum is a tool of Linux
    const std::string pieces = folder / "pieces";
    const std::string check = "cd '" + pieces + "' && sha256sum --quiet -c ";
    EXPECT_EQ(std::system((check + "--ignore-missing big.bin.sha256").c_str()), 0);
    std::filesystem::copy_file(job.BigFilePath, pieces + "/big.bin");
    EXPECT_EQ(std::system((check + "--strict big.bin.sha256").c_str()), 0);
#endif

    // An extraction lists the range it took; without the option no file is
    // written and an old one of the same pieces goes.
    PlanSplit(bytes, {250});
    job.ExtractActive = true;
    job.ExtractSkip = 100;
    job.ExtractCount = 250;
    ASSERT_EQ(engine.SplitBigFile(options), kTransferDone);
    EXPECT_EQ(job.WholeDigest, Sha256Hex(bytes.substr(100, 250)));
    EXPECT_EQ(ReadFile(ChecksumPath()).substr(0, 64), job.WholeDigest);
    options.WriteChecksumFile = false;
    ASSERT_EQ(engine.SplitBigFile(options), kTransferDone);
    EXPECT_FALSE(Exists(ChecksumPath()));
    EXPECT_TRUE(job.WholeDigest.empty());
}

TEST_F(ChecksumTransferTest, AJoinStopsAtAPieceThatIsNotTheOneSplitAndKeepsTheRest) {
    const std::vector<std::pair<const char*, std::string>> damages = {
        {"corrupted", std::string(kPiece, 'x')},
        {"truncated", bytes.substr(kPiece, kPiece - 1)},
        {"foreign", PatternBytes(kPiece, 7)},
    };
    for (const auto& [what, piece2] : damages) {
        SplitThree();
        WriteFile(Piece(2), piece2);
        options.RemoveSmallFiles = true;
        EXPECT_EQ(Join(), kChecksumMismatch) << what;
        EXPECT_EQ(engine.MismatchedFile(), Piece(2)) << what;
        EXPECT_FALSE(Exists(Piece(1)));  // checked before it went
        EXPECT_EQ(ReadFile(Piece(2)), piece2) << what;
        EXPECT_TRUE(Exists(Piece(3))) << what;
        options.RemoveSmallFiles = false;
    }

    // A stale piece left by a longer split is not part of the series.
    SplitThree();
    WriteFile(Piece(4), "stale");
    EXPECT_EQ(Join(), kTransferDone);
    EXPECT_TRUE(engine.LastJoinVerified());
    EXPECT_EQ(ReadFile(job.BigFilePath), bytes);

    // Pieces that match a checksum file whose joined file does not.
    std::string text = ReadFile(ChecksumPath());
    text.replace(text.rfind('\n', text.size() - 2) + 1, 64, kA);
    WriteFile(ChecksumPath(), text);
    EXPECT_EQ(Join(), kChecksumMismatch);
    EXPECT_EQ(engine.MismatchedFile(), job.BigFilePath);

    // Pieces of other tools join as before.
    std::filesystem::remove(ChecksumPath());
    EXPECT_EQ(Join(), kTransferDone);
    EXPECT_FALSE(engine.LastJoinVerified());
}

TEST_F(ChecksumTransferTest, BytesThatCannotBeReadBackForHashingFailTheRun) {
    platform.readBackFails = true;
    PlanSplit(bytes, {kPiece, kPiece, 100});
    EXPECT_EQ(engine.SplitBigFile(options), kSizesDiffer);
    EXPECT_FALSE(Exists(ChecksumPath()));
    EXPECT_TRUE(job.PieceDigests.empty());

    platform.readBackFails = false;
    SplitThree();
    platform.readBackFails = true;
    options.RemoveSmallFiles = true;
    EXPECT_EQ(Join(), kChecksumMismatch);
    EXPECT_EQ(engine.MismatchedFile(), Piece(1));
    EXPECT_TRUE(Exists(Piece(1)));
}

TEST_F(ChecksumTransferTest, AChecksumFileThatCannotBeWrittenFailsTheSplitAndKeepsTheBigFile) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no kernel copy that could pass the pieces by a full disk";
#endif
    platform.writeRoom = 10;  // the kernel copies the pieces past it
    options.RemoveBigFile = true;
    PlanSplit(bytes, {kPiece, kPiece, 100});
    EXPECT_EQ(engine.SplitBigFile(options), kChecksumFileNotWritten);
    EXPECT_EQ(engine.MismatchedFile(), ChecksumPath());
    EXPECT_EQ(ReadFile(job.BigFilePath), bytes);
}

TEST_F(ChecksumTransferTest, TheChecksumFileGivesTheCountOfTheSeries) {
    SplitThree();
    std::filesystem::remove(Piece(2));
    CountSeries(job, platform, host, ".Brelked_");
    EXPECT_EQ(job.SmallFileCount, 0);
    EXPECT_EQ(host.missingFiles, std::vector<std::string>{Piece(2)});

    // Prompted for disks, the count from the user gives way to the list.
    SplitThree();
    TakeSeriesFromDiskCount(job, host);
    job.SmallFileCount = 5;
    job.SmallFileSizes.assign(6, 0);
    options.PauseMode = PauseMode::Always;
    job.BigFilePath = folder / "joined.bin";
    EXPECT_EQ(engine.JoinSmallFiles(options), kTransferDone);
    EXPECT_EQ(job.SmallFileCount, 3);
    EXPECT_TRUE(engine.LastJoinVerified());
}

TEST_F(ChecksumTransferTest, VerifyNamesEachPieceOkFailedOrMissing) {
    SplitThree();
    WriteFile(Piece(2), std::string(kPiece, 'x'));
    std::filesystem::remove(Piece(3));
    const std::string restored = folder / "restored";
    std::filesystem::create_directory(restored);
    std::filesystem::copy_file(job.BigFilePath, restored + "/big.bin");
    VerifyReport report;
    ASSERT_EQ(engine.VerifySeries(options, {folder / "pieces", restored}, report), kTransferDone);
    ASSERT_EQ(report.entries.size(), 4u);
    EXPECT_EQ(report.entries[0].state, CheckState::Ok);
    EXPECT_EQ(report.entries[1].state, CheckState::Failed);
    EXPECT_EQ(report.entries[2].state, CheckState::Missing);
    EXPECT_EQ(report.entries[3].path, platform.JoinPath(restored, "big.bin"));
    EXPECT_EQ(report.entries[3].state, CheckState::Ok);

    std::filesystem::remove(ChecksumPath());
    EXPECT_EQ(engine.VerifySeries(options, {}, report), kNoChecksumFile);
    EXPECT_EQ(engine.MismatchedFile(), ChecksumPath());
}

}  // namespace
}  // namespace brelker
