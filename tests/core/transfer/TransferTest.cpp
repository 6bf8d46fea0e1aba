#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>

#include "EngineFixture.h"

namespace brelker {
namespace {

using TransferTest = EngineFixture;

TEST(BlockSizeTest, FollowsThePieceTheBigFileAndTheMemory) {
    struct Row {
        const char* name;
        std::int64_t piece, baseTerm;
        int maxFromFile;
        std::int64_t memory, expected;
    };
    constexpr std::int64_t kAmple = std::int64_t{1} << 40;
    const Row rows[] = {
        {"a 52nd of a 52,000,000-byte file, cut to the piece", 1'000'000, 1'000'001, 10, kAmple,
         1'000'000},
        {"ten per cent of a floppy piece in a join", 1'457'664, 1, 10, kAmple, 145'766},
        {"the base term when larger than the file term", 10'000'000, 2'000'000, 10, kAmple,
         2'000'000},
        {"the memory limit caps the block", 100'000'000, 1, 10, 1'000'000, 1'000'000},
        {"an empty piece gets 256 bytes", 0, 1, 10, kAmple, 256},
        {"no memory at all still gives 256 bytes", 5'000, 1, 10, 0, 256},
        {"a damaged negative limit gives 256 bytes", 5'000, 1, -10, -1, 256},
        {"never more than 32 bits", std::int64_t{1} << 40, std::int64_t{1} << 36, 10, kAmple,
         INT32_MAX},
        {"an absurd percentage saturates instead of overflowing", std::int64_t{1} << 50, 1, INT_MAX,
         kAmple, INT32_MAX},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(BlockSizeFor(row.piece, row.baseTerm, row.maxFromFile, row.memory), row.expected)
            << row.name;
    }
}

TEST_F(TransferTest, SplitsAndJoinsBackByteForByte) {
    const std::string bytes = PatternBytes(3'000'000);
    PlanSplit(bytes, {1'457'664, 1'457'664, 84'672});
    const int filesBefore = OpenFiles();

    ASSERT_EQ(Split(), TransferOutcome::Done);
    EXPECT_EQ(ReadFile(Piece(1)), bytes.substr(0, 1'457'664));
    EXPECT_EQ(ReadFile(Piece(2)), bytes.substr(1'457'664, 1'457'664));
    EXPECT_EQ(ReadFile(Piece(3)), bytes.substr(2'915'328));
    EXPECT_FALSE(Exists(Piece(4)));
    EXPECT_EQ(host.sizeLines, (std::vector<std::string>{"1457664", "1457664", "84672"}));
    EXPECT_EQ(host.selections, (std::vector<int>{0, 1, 2, -1}));
    EXPECT_EQ(host.notes.back(), Piece(3));
    EXPECT_EQ(job.PiecePath, Piece(3));
    EXPECT_LE(OpenFiles(), filesBefore);

    std::filesystem::remove(job.BigFilePath);
    host = FakeHost();
    ASSERT_EQ(JoinSeries(), TransferOutcome::Done);
    EXPECT_EQ(ReadFile(job.BigFilePath), bytes);
    EXPECT_TRUE(Exists(Piece(1)));
    EXPECT_LE(OpenFiles(), filesBefore);
}

TEST_F(TransferTest, ProgressRisesToTheEndAndReturnsToZero) {
    PlanSplit(PatternBytes(3'000'000), {1'457'664, 1'457'664, 84'672});
    ASSERT_EQ(Split(), TransferOutcome::Done);
    EXPECT_EQ(host.progressMinimum, 0);
    EXPECT_EQ(host.progressMaximum, 1000);
    ASSERT_GE(host.progress.size(), 3u);
    EXPECT_EQ(host.progress.front(), 0);
    EXPECT_EQ(host.progress.back(), 0);
    const std::vector<int> during(host.progress.begin() + 1, host.progress.end() - 1);
    EXPECT_TRUE(std::is_sorted(during.begin(), during.end()));
    EXPECT_GE(during.back(), 999);
    EXPECT_LE(during.back(), 1000);
    // A 52nd of the file is 57,693 bytes and a tenth of a floppy piece 145,766: ten full
    // blocks and one of 4 bytes for each of the first two pieces, two for the third.
    EXPECT_EQ(host.pumps, 24);
    EXPECT_EQ(during.size(), 24u);
}

// The window words these: the bytes must add up to the total, and the piece
// named must be the one being moved.
TEST_F(TransferTest, TheBytesAndThePieceMovedAreReportedAsTheRunGoes) {
    PlanSplit(PatternBytes(3'000'000), {1'457'664, 1'457'664, 84'672});
    ASSERT_EQ(Split(), TransferOutcome::Done);
    ASSERT_FALSE(host.transfers.empty());
    const TransferProgress& first = host.transfers.front();
    EXPECT_EQ(first.bytesDone, 0);
    EXPECT_EQ(first.piece, 1);  // before the first block: the piece is named at once
    const TransferProgress& last = host.transfers.back();
    EXPECT_EQ(last.bytesDone, 3'000'000);
    EXPECT_EQ(last.bytesTotal, 3'000'000);
    EXPECT_EQ(last.piece, 3);
    EXPECT_EQ(last.pieceCount, 3);
    for (std::size_t i = 1; i < host.transfers.size(); ++i) {
        EXPECT_GE(host.transfers[i].bytesDone, host.transfers[i - 1].bytesDone);
        EXPECT_GE(host.transfers[i].piece, host.transfers[i - 1].piece);
        // The bytes lie within those of the piece named: from its first to its last.
        const std::int64_t starts[] = {0, 0, 1'457'664, 2'915'328, 3'000'000};
        const auto piece = static_cast<std::size_t>(host.transfers[i].piece);
        EXPECT_GE(host.transfers[i].bytesDone, starts[piece]) << i;
        EXPECT_LE(host.transfers[i].bytesDone, starts[piece + 1]) << i;
    }

    // A join that asks for each disk cannot know the bytes to come.
    host = FakeHost();
    options.PauseMode = PauseMode::Always;
    ASSERT_EQ(JoinSeries(), TransferOutcome::Done);
    EXPECT_EQ(host.transfers.back().bytesTotal, 0);
    EXPECT_EQ(host.transfers.back().bytesDone, 3'000'000);
    EXPECT_EQ(host.transfers.back().piece, 3);
}

TEST_F(TransferTest, AJoinOfFloppyPiecesMovesTenFullBlocksAndOneOfFourBytes) {
    PlanJoin({PatternBytes(1'457'664, 1), PatternBytes(1'457'664, 2)});
    ASSERT_EQ(JoinSeries(), TransferOutcome::Done);
    EXPECT_EQ(engine.LastRun().BlockSize, 145'766);
    EXPECT_EQ(host.pumps, 22);
    EXPECT_EQ(ReadFile(job.BigFilePath), PatternBytes(1'457'664, 1) + PatternBytes(1'457'664, 2));
}

TEST_F(TransferTest, APieceOfAMillionBytesOfA52MillionByteFileGoesInOneBlock) {
    WriteFile(job.BigFilePath, "");
    std::filesystem::resize_file(job.BigFilePath, 52'000'000);  // sparse: reads as zeros
    job.ExtractCount = 52'000'000;
    job.SmallFileCount = 52;
    job.SmallFileSizes.assign(53, 1'000'000);
    ASSERT_EQ(Split(), TransferOutcome::Done);
    EXPECT_EQ(engine.LastRun().BlockSize, 1'000'000);
    EXPECT_EQ(host.pumps, 52);
    EXPECT_EQ(std::filesystem::file_size(Piece(52)), 1'000'000u);
}

TEST_F(TransferTest, EmptyPiecesAndEmptyPlans) {
    options.WriteChecksumFile = false;  // a series as other tools leave it
    PlanSplit("", {0});
    ASSERT_EQ(Split(), TransferOutcome::Done);
    EXPECT_TRUE(Exists(Piece(1)));
    EXPECT_EQ(engine.LastRun().BlockSize, 256);
    EXPECT_EQ(host.sizeLines, std::vector<std::string>{"0"});

    std::filesystem::remove(job.BigFilePath);
    ASSERT_EQ(JoinSeries(), TransferOutcome::Done);
    EXPECT_EQ(std::filesystem::file_size(job.BigFilePath), 0u);

    // No pieces at all: a join writes an empty big file, a split of data fails its check.
    job.SmallFileCount = 0;
    job.SmallFileSizes = {0};
    WriteFile(job.BigFilePath, "old contents");
    EXPECT_EQ(JoinSeries(), TransferOutcome::Done);
    EXPECT_EQ(std::filesystem::file_size(job.BigFilePath), 0u);
    PlanSplit("data", {});
    EXPECT_EQ(Split(), TransferOutcome::SizesDiffer);
    EXPECT_FALSE(Exists(Piece(2)));
}

TEST_F(TransferTest, ExtractionSplitsARangeAndKeepsTheBigFile) {
    const std::string bytes = PatternBytes(1000);
    PlanSplit(bytes, {300, 200});
    job.ExtractActive = true;
    job.ExtractSkip = 100;
    job.ExtractCount = 500;
    options.RemoveBigFile = true;
    ASSERT_EQ(Split(), TransferOutcome::Done);
    EXPECT_EQ(ReadFile(Piece(1)), bytes.substr(100, 300));
    EXPECT_EQ(ReadFile(Piece(2)), bytes.substr(400, 200));
    EXPECT_EQ(ReadFile(job.BigFilePath), bytes);

    // Pieces that do not add up to the extracted count fail the final check.
    job.SmallFileSizes = {0, 300, 100};
    EXPECT_EQ(Split(), TransferOutcome::SizesDiffer);
}

TEST_F(TransferTest, AnExtractionLeftOverFromASplitDoesNotSkewAJoin) {
    PlanJoin({"abc", "def"});
    job.ExtractActive = true;
    job.ExtractCount = 123;
    EXPECT_EQ(JoinSeries(), TransferOutcome::Done);
    EXPECT_EQ(ReadFile(job.BigFilePath), "abcdef");
}

TEST_F(TransferTest, AppendingWritesAfterAnExistingBigFileOrCreatesIt) {
    PlanJoin({"12345", "678"});
    job.AppendActive = true;
    ASSERT_EQ(JoinSeries(), TransferOutcome::Done);
    EXPECT_EQ(engine.LastRun().AppendBaseBytes, 0);
    EXPECT_EQ(ReadFile(job.BigFilePath), "12345678");

    ASSERT_EQ(JoinSeries(), TransferOutcome::Done);
    EXPECT_EQ(engine.LastRun().AppendBaseBytes, 8);
    EXPECT_EQ(ReadFile(job.BigFilePath), "1234567812345678");

    job.AppendActive = false;
    ASSERT_EQ(JoinSeries(), TransferOutcome::Done);
    EXPECT_EQ(ReadFile(job.BigFilePath), "12345678");
}

TEST_F(TransferTest, TheBigFileIsDeletedOnlyAfterACleanSplit) {
    PlanSplit(PatternBytes(5000), {3000, 2000});
    options.RemoveBigFile = true;
    platform.kernelCopy = false;
    platform.writeRoom = 4000;
    EXPECT_EQ(Split(), TransferOutcome::BlockFailed);
    EXPECT_EQ(result.file, Piece(2));
    EXPECT_TRUE(Exists(job.BigFilePath));

    platform.writeRoom = INT64_MAX;
    EXPECT_EQ(Split(), TransferOutcome::Done);
    EXPECT_FALSE(Exists(job.BigFilePath));
    EXPECT_EQ(ReadFile(Piece(1)) + ReadFile(Piece(2)), PatternBytes(5000));
}

TEST_F(TransferTest, AFullDiskEndsTheSplitAndRemovesWhatItWrote) {
    PlanSplit(PatternBytes(3000), {1000, 1000, 1000});
    platform.kernelCopy = false;
    platform.writeRoom = 1500;
    const int filesBefore = OpenFiles();
    EXPECT_EQ(Split(), TransferOutcome::BlockFailed);
    // Pieces 1 and 2 alone would look like a whole series of two.
    EXPECT_EQ(result.removedAfterFailure, (std::vector<std::string>{Piece(1), Piece(2)}));
    EXPECT_FALSE(Exists(ChecksumFilePath(job.SmallFilesBase)));
    EXPECT_FALSE(Exists(Piece(1)));
    EXPECT_FALSE(Exists(Piece(2)));
    EXPECT_FALSE(Exists(Piece(3)));
    EXPECT_EQ(host.progress.back(), 0);
    EXPECT_EQ(host.selections.back(), 1);  // the last processed line stays selected
    EXPECT_LE(OpenFiles(), filesBefore);
}

TEST_F(TransferTest, AFullDiskDuringAJoinIsCaughtAndNoPieceIsDeleted) {
    PlanJoin({PatternBytes(1000, 1), PatternBytes(1000, 2)});
    options.RemoveSmallFiles = true;
    platform.kernelCopy = false;
    platform.writeRoom = 1200;
    EXPECT_EQ(JoinSeries(), TransferOutcome::BlockFailed);
    EXPECT_TRUE(Exists(Piece(1)));  // all its bytes arrived, but the whole did not
    EXPECT_TRUE(Exists(Piece(2)));
    EXPECT_EQ(ReadFile(Piece(2)), PatternBytes(1000, 2));
}

TEST_F(TransferTest, AShortReadNeverPassesStaleBytesOff) {
    // The source ends early after the first read: the buffer would still hold
    // the bytes of the first block, which must not be written as the second.
    PlanSplit(PatternBytes(4000), {4000});
    platform.kernelCopy = false;
    platform.readsLeft = 1;
    options.MaxFromFile = 25;
    EXPECT_EQ(Split(), TransferOutcome::SizesDiffer);
    EXPECT_FALSE(Exists(Piece(1)));

    PlanJoin({PatternBytes(4000)});
    options.RemoveSmallFiles = true;
    platform.readsLeft = 1;
    EXPECT_EQ(JoinSeries(), TransferOutcome::SizesDiffer);
    EXPECT_TRUE(Exists(Piece(1)));
}

TEST_F(TransferTest, ABigFileThatCannotBeReadOrWritten) {
    job.BigFilePath = folder / "missing.bin";
    job.SmallFileCount = 1;
    job.SmallFileSizes = {0, 10};
    EXPECT_EQ(Split(), TransferOutcome::CannotReadBigFile);
    job.BigFilePath = folder.Path();  // a folder is no file, and is said to be none
    EXPECT_EQ(Split(), TransferOutcome::NotARegularFile);
    EXPECT_EQ(result.file, folder.Path());
    EXPECT_TRUE(host.progress.empty());
    EXPECT_FALSE(Exists(Piece(1)));

    PlanJoin({"abc"});
    job.BigFilePath = folder / "no/such/folder/big.bin";
    EXPECT_EQ(JoinSeries(), TransferOutcome::CannotWriteBigFile);
    EXPECT_TRUE(host.progress.empty());
}

TEST_F(TransferTest, APieceThatCannotBeCreatedOrOpenedReturnsItsNumber) {
    PlanSplit(PatternBytes(300), {100, 100, 100});
    std::filesystem::create_directory(Piece(2));  // a folder where piece 2 should go
    EXPECT_EQ(Split(), TransferOutcome::NotARegularFile);
    EXPECT_EQ(result.file, Piece(2));
    EXPECT_FALSE(Exists(Piece(1)));  // refused before anything was written
    std::filesystem::remove(Piece(2));

    platform.uncreatable = {Piece(1)};
    EXPECT_EQ(Split(), TransferOutcome::PieceFailed);
    EXPECT_EQ(result.piece, 1);
    EXPECT_FALSE(Exists(ChecksumFilePath(job.SmallFilesBase)));

    // Where nothing can be written, the list that the split writes first says so.
    job.SmallFilesBase = folder / "no/such/folder/big.bin";
    EXPECT_EQ(Split(), TransferOutcome::ChecksumFileNotWritten);
    EXPECT_EQ(result.file, ChecksumFilePath(job.SmallFilesBase));
}

TEST_F(TransferTest, AMissingPieceInTheMiddleOfAJoin) {
    PlanJoin({"aa", "bb", "cc", "dd"});
    std::filesystem::remove(Piece(3));
    options.RemoveSmallFiles = true;
    EXPECT_EQ(JoinSeries(), TransferOutcome::PieceFailed);
    EXPECT_EQ(result.piece, 3);
    // Every piece stays until the whole is there; the big file's name is not
    // taken by a file that is not whole.
    EXPECT_FALSE(Exists(job.BigFilePath));
    EXPECT_TRUE(result.partialPath.empty());
    for (const int k : {1, 2, 4}) {
        EXPECT_TRUE(Exists(Piece(k))) << k;
    }
}

TEST_F(TransferTest, APieceThatChangedSinceItWasCountedFailsItsCheck) {
    PlanJoin({"abcdef"});
    WriteFile(Piece(1), "abcdefgh");
    options.RemoveSmallFiles = true;
    EXPECT_EQ(JoinSeries(), TransferOutcome::SizesDiffer);
    EXPECT_TRUE(Exists(Piece(1)));
}

TEST_F(TransferTest, ShortOfMemoryTheBlockIsHalvedUntilABufferCanBeHad) {
    const std::string bytes = PatternBytes(100'000);
    PlanSplit(bytes, {100'000});
    platform.kernelCopy = false;
    platform.largestAllocation = 5000;
    ASSERT_EQ(Split(), TransferOutcome::Done);
    EXPECT_EQ(ReadFile(Piece(1)), bytes);
    EXPECT_LE(engine.LastRun().BlockSize, 5000);
    EXPECT_GT(engine.LastRun().BlockSize, 2500);
    EXPECT_GT(platform.allocations.size(), 1u);

    // With no memory at all nothing is copied, and only an empty piece is right.
    platform.largestAllocation = 0;
    EXPECT_EQ(Split(), TransferOutcome::NoBuffer);
    PlanJoin({bytes});
    options.RemoveSmallFiles = true;
    EXPECT_EQ(JoinSeries(), TransferOutcome::NoBuffer);
    EXPECT_TRUE(Exists(Piece(1)));
}

TEST_F(TransferTest, OneBufferServesEveryPieceOfARun) {
    PlanSplit(PatternBytes(30'000), {10'000, 10'000, 10'000});
    ASSERT_EQ(Split(), TransferOutcome::Done);
    EXPECT_EQ(platform.allocations.size(), 1u);
}

TEST_F(TransferTest, StopAsksOncePerPressAndYesGoesOn) {
    const std::string bytes = PatternBytes(100'000);
    PlanSplit(bytes, {50'000, 50'000});
    int pump = 0;
    host.onPump = [&] {
        if (++pump == 3) {
            engine.RequestStop();
        }
    };
    host.answers = {true};
    ASSERT_EQ(Split(), TransferOutcome::Done);
    EXPECT_EQ(host.questions, std::vector<std::string>{"continue"});
    EXPECT_FALSE(engine.StopRequested());
    EXPECT_EQ(host.busyCursors, 1);
    EXPECT_EQ(ReadFile(Piece(1)) + ReadFile(Piece(2)), bytes);
}

TEST_F(TransferTest, StopThenNoInterruptsAndClosesEverything) {
    PlanSplit(PatternBytes(100'000), {50'000, 50'000});
    options.RemoveBigFile = true;
    host.onPump = [&] { engine.RequestStop(); };
    host.answers = {false};
    const int filesBefore = OpenFiles();
    EXPECT_EQ(Split(), TransferOutcome::Interrupted);
    EXPECT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.progress.back(), 0);
    EXPECT_LE(OpenFiles(), filesBefore);
    EXPECT_TRUE(Exists(job.BigFilePath));
    EXPECT_FALSE(Exists(Piece(2)));
}

TEST_F(TransferTest, DiskPromptsComeBeforeEveryPieceWhenAlwaysPausing) {
    PlanSplit(PatternBytes(300), {100, 100, 100});
    options.PauseMode = PauseMode::Always;
    host.answers = {true, false};
    EXPECT_EQ(Split(), TransferOutcome::DiskRefused);
    EXPECT_EQ(host.questions, (std::vector<std::string>{"disk 1", "disk 2"}));
    // Piece 1 is still on the disk in the drive: a series of one must not stay.
    EXPECT_FALSE(Exists(Piece(1)));
    EXPECT_FALSE(Exists(Piece(2)));
    EXPECT_EQ(host.progress.back(), 0);

    // Pausing only for floppies: none here.
    host = FakeHost();
    options.PauseMode = PauseMode::FloppiesOnly;
    EXPECT_EQ(Split(), TransferOutcome::Done);
    EXPECT_TRUE(host.questions.empty());

    // A No for the first disk of a join creates no big file.
    options.PauseMode = PauseMode::Always;
    host.answers = {false};
    std::filesystem::remove(job.BigFilePath);
    EXPECT_EQ(JoinSeries(), TransferOutcome::DiskRefused);
    EXPECT_FALSE(Exists(job.BigFilePath));
}

TEST_F(TransferTest, APromptedJoinMeasuresEachPieceWhenItsDiskIsIn) {
    PlanJoin({"aaaa", "bbbbbb", "cc"});
    job.SmallFileSizes = {0, 0, 0, 0};  // the disk count left the sizes unknown
    options.PauseMode = PauseMode::Always;
    options.MaxFromFile = 100;  // one block per piece
    ASSERT_EQ(JoinSeries(), TransferOutcome::Done);
    EXPECT_EQ(job.SmallFileSizes, (std::vector<std::int64_t>{0, 4, 6, 2}));
    EXPECT_EQ(host.sizeLines, (std::vector<std::string>{"4", "6", "2"}));
    EXPECT_EQ(ReadFile(job.BigFilePath), "aaaabbbbbbcc");
    EXPECT_EQ(host.questions.size(), 3u);
    // Progress stands near i / (count - 1/2) after piece i and at the end after the last.
    ASSERT_EQ(host.progress.size(), 5u);
    EXPECT_EQ(host.progress[1], 400);
    EXPECT_EQ(host.progress[2], 800);
    EXPECT_EQ(host.progress[3], 1000);
}

TEST_F(TransferTest, APieceThatIsTheBigFileItselfIsRefusedBeforeAnythingIsTouched) {
    const std::string bytes = PatternBytes(300);
    // Piece 1 would be the big file by name.
    job.SmallFilesBase = folder / "big";
    job.BigFilePath = folder / "big.Brelked_1";
    PlanSplit(bytes, {100, 100, 100});
    EXPECT_EQ(Split(), TransferOutcome::SelfOverwrite);
    EXPECT_EQ(result.file, job.BigFilePath);
    EXPECT_EQ(ReadFile(job.BigFilePath), bytes);
    EXPECT_FALSE(Exists(Piece(2)));

    // Piece 2 would be the big file through a link.
    job.SmallFilesBase = folder / "pieces/big.bin";
    job.BigFilePath = folder / "big.bin";
    PlanSplit(bytes, {100, 100, 100});
#ifdef _WIN32  // links need a privilege on Windows and Wine has none: a hard link
    std::filesystem::create_hard_link(job.BigFilePath, Piece(2));
#else
    std::filesystem::create_symlink(job.BigFilePath, Piece(2));
#endif
    EXPECT_EQ(Split(), TransferOutcome::SelfOverwrite);
    EXPECT_EQ(ReadFile(job.BigFilePath), bytes);
    EXPECT_FALSE(Exists(Piece(1)));

    // A join whose big file is one of its own pieces.
    std::filesystem::remove(Piece(2));
    PlanJoin({"aa", "bb"});
    job.BigFilePath = Piece(2);
    EXPECT_EQ(JoinSeries(), TransferOutcome::CannotWriteBigFile);
    EXPECT_EQ(ReadFile(Piece(2)), "bb");
    EXPECT_EQ(ReadFile(Piece(1)), "aa");
}

TEST_F(TransferTest, KernelCopyAndBufferedCopyGiveTheSameBytes) {
    const std::string bytes = PatternBytes(200'000);
    PlanSplit(bytes, {70'000, 70'000, 60'000});
    ASSERT_EQ(Split(), TransferOutcome::Done);
    EXPECT_GT(platform.copyCalls, 0);
    const std::string kernelCopied = ReadFile(Piece(1)) + ReadFile(Piece(2)) + ReadFile(Piece(3));
    platform.kernelCopy = false;
    ASSERT_EQ(Split(), TransferOutcome::Done);
    EXPECT_EQ(ReadFile(Piece(1)) + ReadFile(Piece(2)) + ReadFile(Piece(3)), kernelCopied);
    EXPECT_EQ(kernelCopied, bytes);
}

}  // namespace
}  // namespace brelker
