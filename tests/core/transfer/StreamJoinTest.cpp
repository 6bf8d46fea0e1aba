#include "transfer/StreamJoin.h"

#include <gtest/gtest.h>

#include "FakeHost.h"
#include "FaultyPlatform.h"
#include "TempFolder.h"
#include "checksum/ChecksumFile.h"
#include "transfer/PieceNames.h"

namespace brelker {
namespace {

// Large enough to be hashed on the hashing thread, so that the next piece is
// checked while one goes out.
constexpr std::int64_t kPiece = 3'000'000;
const std::string kSuffix = ".Brelked_";

class StreamJoinTest : public testing::Test {
protected:
    void SetUp() override {
        bytes = PatternBytes(3 * kPiece + 1000);
        job.SmallFilesBase = folder / "big";
        job.SmallFileCount = 4;
        job.BigFileBytes = static_cast<std::int64_t>(bytes.size());
        for (int k = 1; k <= 4; ++k) {
            WriteFile(Piece(k), Part(k));
        }
    }
    std::string Piece(int k) const { return PieceName(job.SmallFilesBase, kSuffix, k); }
    std::string Part(int k) const {
        return bytes.substr(static_cast<std::size_t>((k - 1) * kPiece), k < 4 ? kPiece : 1000);
    }
    void WriteList(bool withWhole, const std::string& whole = {}) {
        std::vector<ChecksumLine> lines;
        for (int k = 1; k <= 4; ++k) {
            lines.push_back({Sha256Hex(Part(k)), "big" + kSuffix + std::to_string(k)});
        }
        if (withWhole) {
            lines.push_back({whole.empty() ? Sha256Hex(bytes) : whole, "big"});
        }
        WriteFile(ChecksumFilePath(job.SmallFilesBase), FormatChecksumLines(lines));
    }
    // Joins into a file standing in for standard output; what went out goes to sent.
    TransferOutcome Join() {
        const FileHandle output = platform.CreateForWriting(folder / "out");
        StreamJoin join(platform, host);
        const TransferResult result = join.Run(job, kSuffix, output);
        platform.Close(output);
        sent = ReadFile(folder / "out");
        faultPath = result.file;
        verified = result.verified;
        return result.outcome;
    }

    TempFolder folder;
    FaultyPlatform platform;
    FakeHost host;
    Job job;
    std::string bytes;
    std::string sent;
    std::string faultPath;
    bool verified = false;
};

// A piece that differs from its line, or cannot be read, stops the join
// before its first byte goes out, though the next piece is checked ahead.
TEST_F(StreamJoinTest, EachPieceGoesOutWholeOnlyOnceItsCheckPassed) {
    WriteList(true);
    ASSERT_EQ(Join(), TransferOutcome::Done);
    EXPECT_TRUE(verified);
    EXPECT_TRUE(sent == bytes);

    std::string damaged = Part(3);
    damaged[kPiece / 2] = static_cast<char>(~damaged[kPiece / 2]);
    WriteFile(Piece(3), damaged);
    EXPECT_EQ(Join(), TransferOutcome::ChecksumMismatch);
    EXPECT_EQ(faultPath, Piece(3));
    EXPECT_TRUE(sent == Part(1) + Part(2));

    WriteFile(Piece(3), Part(3));
    platform.unreadable.insert(Piece(3));
    EXPECT_EQ(Join(), TransferOutcome::PieceFailed);
    EXPECT_EQ(faultPath, Piece(3));
    EXPECT_TRUE(sent == Part(1) + Part(2));
}

// What goes out is hashed as it goes: a piece written to after its check is
// caught by the whole, or where the list has no line for it by the piece's own
// line, and named either way; a list whose line for the whole disagrees with
// pieces that all match is named itself.
TEST_F(StreamJoinTest, APieceChangedAfterItsCheckIsCaughtAndNamed) {
    std::string changed = Part(2);
    changed[10] = static_cast<char>(~changed[10]);
    const auto second = platform.FileIdentity(Piece(2));
    platform.beforeRead = [&](FileHandle file) {
        if (platform.HandleIdentity(file) == second && ReadFile(Piece(2)) != changed) {
            WriteFile(Piece(2), changed);
        }
    };
    for (const bool withWhole : {true, false}) {
        WriteFile(Piece(2), Part(2));
        WriteList(withWhole);
        EXPECT_EQ(Join(), TransferOutcome::ChecksumMismatch) << withWhole;
        EXPECT_EQ(faultPath, Piece(2)) << withWhole;
        // With a line for the whole the rest goes out before the end tells.
        const std::string rest = withWhole ? Part(3) + Part(4) : std::string();
        EXPECT_TRUE(sent == Part(1) + changed + rest) << withWhole;
    }
    platform.beforeRead = nullptr;

    WriteFile(Piece(2), Part(2));
    WriteList(true, Sha256Hex("another file"));
    EXPECT_EQ(Join(), TransferOutcome::ChecksumMismatch);
    EXPECT_EQ(faultPath, "big");
    EXPECT_TRUE(sent == bytes);
}

}  // namespace
}  // namespace brelker
