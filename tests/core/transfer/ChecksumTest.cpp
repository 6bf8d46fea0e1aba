#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "EngineFixture.h"
#include "checksum/ChecksumFile.h"
#include "checksum/Sha256.h"
#include "checksum/StreamHasher.h"
#include "transfer/Series.h"

namespace brelker {
namespace {

using Lines = std::vector<ChecksumLine>;

const std::string kA(64, 'a');
const std::string kB(64, 'b');

const std::string kC(64, 'c');
const std::string kW(64, 'f');
const std::string kBom = "\xEF\xBB\xBF";

// A line of the list of big.bin's series: piece k, or the joined file.
std::string ListLine(int k, const std::string& digest) {
    return digest + "  big.bin.Brelked_" + std::to_string(k) + "\n";
}
const std::string kWhole = kW + "  big.bin\n";

ChecksumList Match(const std::string& text) { return MatchSeries(text, "big.bin", ".Brelked_"); }

TEST(ChecksumListTest, ReadsWhatSha256sumWritesAndReads) {
    EXPECT_EQ(Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    const Lines lines = {{kA, "a.bin.Brelked_1"}, {kW, "odd\\na\nme\r"}};
    const std::string text = FormatChecksumLines(lines);
    EXPECT_EQ(text, kA + "  a.bin.Brelked_1\n\\" + kW + "  odd\\\\na\\nme\\r\n");
    // A backslash is a folder part on Windows: the list read back names the
    // joined file by newline and carriage return alone.
    const ChecksumList written = MatchSeries(
        FormatChecksumLines({{kA, "a.bin.Brelked_1"}, {kW, "odd\na\nme\r"}}), "a.bin", ".Brelked_");
    ASSERT_TRUE(written.Valid());
    EXPECT_EQ(written.series.pieces, (std::vector<std::string>{"", kA}));
    EXPECT_EQ(written.series.wholeName, "odd\na\nme\r");

    struct Row {
        const char* what;
        std::string text;
        std::string wholeName;
    };
    const std::string one = ListLine(1, kA);
    const std::string two = ListLine(2, kB);
    const Row rows[] = {
        {"byte-order mark, CR LF",
         kBom + kA + "  big.bin.Brelked_1\r\n" + two + kW + "  big.bin\r\n", "big.bin"},
        {"comments, empty lines", "# by hand\n\n" + one + "\n" + two + kW + "  big.bin", "big.bin"},
        {"binary marker, blanks", kA + " *big.bin.Brelked_1\n \t" + two + kWhole, "big.bin"},
        {"tags", "SHA256 (big.bin.Brelked_1) = " + kA + "\n" + two + "SHA256 (x) = " + kW, "x"},
        {"escaped names", "\\" + one + two + "\\" + kW + "  a\\nb\\rc\n", "a\nb\rc"},
        {"a name of its own", one + two + kW + "  film.avi\n", "film.avi"},
    };
    for (const Row& row : rows) {
        const ChecksumList list = Match(row.text);
        ASSERT_TRUE(list.Valid()) << row.what;
        EXPECT_EQ(list.series.pieces, (std::vector<std::string>{"", kA, kB})) << row.what;
        EXPECT_EQ(list.series.whole, kW) << row.what;
        EXPECT_EQ(list.series.wholeName, row.wholeName) << row.what;
    }
}

// A list proves a series whole only when every line of it is understood; the
// first line that is not is named, with the reason.
TEST(ChecksumListTest, ADamagedListNamesItsFirstLineAtFaultAndWhy) {
    using enum ChecksumFault;
    struct Row {
        const char* what;
        std::string text;
        ChecksumFault fault;
        int line;
    };
    const std::string one = ListLine(1, kA);
    const std::string two = ListLine(2, kB);
    const Row rows[] = {
        {"empty", "# nothing\n\n", EndsBeforeWhole, 0},
        {"the big file alone", kWhole, EndsBeforeWhole, 1},
        {"one blank", kA + " big.bin.Brelked_1\n" + two + kWhole, NotALine, 1},
        {"a byte-order mark further on", one + kBom + two + kWhole, NotALine, 2},
        {"blanks only", one + "  \n" + two + kWhole, NotALine, 2},
        {"63 digits", one + kB.substr(1) + "  big.bin.Brelked_2\n", NotALine, 2},
        {"an unknown escape", "\\" + kA + "  a\\q\n", NotALine, 1},
        {"a NUL", one + two + kW + "  big.bin" + std::string(1, '\0') + "x\n", NotALine, 3},
        {"MD5", "MD5 (big.bin.Brelked_1) = " + kA + "\n", NotALine, 1},
        {"a repeated line", one + one + two + kWhole, OutOfOrder, 2},
        {"a gap", one + ListLine(3, kC) + kWhole, OutOfOrder, 2},
        {"a piece named twice", one + two + kC + "  ./big.bin.Brelked_2\n" + kWhole, OutOfOrder, 3},
        {"the big file twice", one + two + kWhole + kWhole, OutOfOrder, 4},
        {"another file too", one + two + kWhole + kC + "  big.bin.sig\n", OutOfOrder, 4},
        {"up a folder", one + two + kW + "  ../secret.txt\n", FolderPart, 3},
        {"from the root", one + two + kW + "  /etc/passwd\n", FolderPart, 3},
        {"in a folder", kA + "  sub/big.bin.Brelked_1\n", FolderPart, 1},
        {"the folder above", one + two + "SHA256 (..) = " + kW + "\n", FolderPart, 3},
#ifdef _WIN32
        {"a Windows folder", one + two + "\\" + kW + "  ..\\\\secret.txt\n", FolderPart, 3},
        {"a drive", one + two + kW + "  C:secret.txt\n", FolderPart, 3},
#endif
    };
    for (const Row& row : rows) {
        const ChecksumList list = Match(row.text);
        EXPECT_EQ(list.state, ChecksumList::State::Invalid) << row.what;
        EXPECT_EQ(list.problem.fault, row.fault) << row.what;
        EXPECT_EQ(list.problem.line, row.line) << row.what;
    }
}

// sha256sum writes the lines in the order it is given the names: a shell's
// glob puts piece 10 before piece 2, and "./" before names it was given so.
TEST(ChecksumListTest, ListsWrittenByHandAreReadInAnyOrder) {
    std::string globbed;
    std::vector<std::string> digests = {""};
    for (const int k : {1, 10, 11, 2, 3, 4, 5, 6, 7, 8, 9}) {
        globbed += ListLine(k, std::string(64, static_cast<char>('a' + k % 6)));
    }
    for (int k = 1; k <= 11; ++k) {
        digests.push_back(std::string(64, static_cast<char>('a' + k % 6)));
    }
    const ChecksumList ordered = Match(globbed + kWhole);
    ASSERT_TRUE(ordered.Valid());
    EXPECT_EQ(ordered.series.pieces, digests);
    EXPECT_EQ(ordered.series.wholeName, "big.bin");

    const ChecksumList dotted = Match(kW + "  ./big.bin\n" + kA + "  ./big.bin.Brelked_1\n" + kB +
                                      "  ./big.bin.Brelked_2\n");
    ASSERT_TRUE(dotted.Valid());
    EXPECT_EQ(dotted.series.pieces, (std::vector<std::string>{"", kA, kB}));
    EXPECT_EQ(dotted.series.wholeName, "big.bin");

    // The pieces alone: each is proven, the whole is not claimed.
    const ChecksumList piecesOnly = Match(ListLine(2, kB) + ListLine(1, kA));
    ASSERT_TRUE(piecesOnly.Valid());
    EXPECT_EQ(piecesOnly.series.Count(), 2);
    EXPECT_TRUE(piecesOnly.series.whole.empty());
}

// A split's list while it runs, or as a killed split left it: never valid,
// whatever lines it has so far, and always the program's own to replace.
TEST(ChecksumListTest, TheRecordOfASplitThatDidNotFinishIsNeverTakenForAWholeList) {
    const std::string one = ListLine(1, kA);
    const ChecksumList planned =
        Match(UnfinishedMark(3, 300) + one + ListLine(2, kB).substr(0, 30));
    EXPECT_EQ(planned.state, ChecksumList::State::Unfinished);
    EXPECT_EQ(planned.series.Count(), 1);  // the line cut short is none
    EXPECT_EQ(planned.plannedPieces, 3);
    const ChecksumList unknown = Match(UnfinishedMark(0, -1));
    EXPECT_EQ(unknown.state, ChecksumList::State::Unfinished);
    EXPECT_EQ(unknown.series.Count(), 0);
    EXPECT_EQ(unknown.plannedPieces, 0);
    // A record never holds the whole's line; one that does was edited.
    EXPECT_EQ(Match(UnfinishedMark(1, 3) + one + kWhole).state, ChecksumList::State::Invalid);
    // The mark further down is a comment of somebody's.
    EXPECT_TRUE(Match(one + UnfinishedMark(1, 3) + kWhole).Valid());
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

// Pieces end without waiting and come out by number, hashed from views of the
// cache or, where none can be made, read; a file handed over is closed once its
// bytes are hashed, and a range that cannot be read back names its piece.
TEST(StreamHasherTest, PiecesFinishInTheBackgroundFromViewsOrReads) {
    TempFolder folder;
    constexpr std::int64_t kSize = 10'000'000;
    const std::string bytes = PatternBytes(3 * kSize);
    WriteFile(folder / "data", bytes);
#ifndef _WIN32
    const auto OpenFiles = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                             std::filesystem::directory_iterator());
    };
    const auto filesBefore = OpenFiles();
#endif
    for (const bool mapping : {true, false}) {
        FaultyPlatform platform;
        platform.mapping = mapping;
        StreamHasher hasher(platform);
        for (int k = 0; k < 3; ++k) {
            const FileHandle file = platform.OpenForReading(folder / "data");
            hasher.Add(file, k * kSize, kSize);
            hasher.NextPiece();
            hasher.Release(file);
        }
        EXPECT_EQ(hasher.EndWhole(), Sha256Hex(bytes)) << mapping;
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(hasher.PieceDigest(k + 1),
                      Sha256Hex(std::string_view(bytes).substr(k * kSize, kSize)))
                << mapping;
        }
        EXPECT_EQ(platform.readBackBytes, 6 * kSize) << mapping;
        EXPECT_EQ(platform.mappedBytes == 6 * kSize, mapping);
#ifndef _WIN32
        EXPECT_EQ(OpenFiles(), filesBefore) << mapping;
#endif
    }

    FaultyPlatform platform;
    const FileHandle file = platform.OpenForReading(folder / "data");
    StreamHasher wholeOnly(platform, false);
    wholeOnly.Add(file, 0, kSize);
    wholeOnly.NextPiece();
    wholeOnly.Wait();
    platform.readBackFails = true;
    wholeOnly.Add(file, kSize, kSize);
    wholeOnly.NextPiece();
    EXPECT_EQ(wholeOnly.EndWhole(), std::nullopt);
    EXPECT_EQ(wholeOnly.FailedPiece(), 2);
    EXPECT_EQ(wholeOnly.PieceDigest(1), std::nullopt);  // only the whole was hashed
    platform.Close(file);
}

// Bytes sent on from memory take their place in the whole among ranges read
// back, and their buffer is free again only once they are hashed: two buffers
// taken in turn while the thread is still busy with what came before them.
TEST(StreamHasherTest, BytesFromMemoryJoinTheWholeInOrderBeforeTheirBufferIsReused) {
    TempFolder folder;
    constexpr std::int64_t kPart = 6'000'000;
    constexpr std::size_t kBlock = 1 << 20;
    const std::string file = PatternBytes(2 * kPart);
    const std::string sent = PatternBytes(8 * kBlock, 2);
    WriteFile(folder / "data", file);
    NativePlatform platform;
    const FileHandle handle = platform.OpenForReading(folder / "data");
    StreamHasher hasher(platform);
    hasher.Add(handle, 0, kPart);
    std::vector<std::string> buffers(2, std::string(kBlock, '\0'));
    for (std::size_t k = 0; k < 8; ++k) {
        std::string& buffer = buffers[k % 2];
        hasher.WaitForBytes(buffer.data());
        sent.copy(buffer.data(), kBlock, k * kBlock);
        hasher.AddToWhole(buffer.data(), kBlock);
    }
    hasher.Add(handle, kPart, kPart);
    hasher.NextPiece();
    EXPECT_EQ(hasher.EndWhole(), Sha256Hex(file.substr(0, kPart) + sent + file.substr(kPart)));
    platform.Close(handle);
}

// While the thread hashes one range of the whole, the caller maps the next
// ones, so that the thread only hashes them; a file cut shorter after they were
// mapped fails the whole instead of ending the process (Windows refuses to cut
// a file short while a view of it exists).
TEST(StreamHasherTest, TheCallerMapsAheadWhatTheThreadHashesNext) {
    constexpr std::int64_t kRange = 4 << 20;
    const std::string bytes = PatternBytes(5 * kRange);
#ifdef _WIN32
    for (const bool cut : {false}) {
#else
    for (const bool cut : {false, true}) {
#endif
        TempFolder folder;
        WriteFile(folder / "data", bytes);
        FaultyPlatform platform;
        std::atomic<bool> entered = false;
        std::atomic<bool> goOn = false;
        platform.beforeMappedRead = [&] {
            if (!entered.exchange(true)) {
                for (int k = 0; k < 5000 && !goOn; ++k) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                }
            }
        };
        const FileHandle file = platform.OpenForReading(folder / "data");
        StreamHasher hasher(platform, false);
        hasher.Add(file, 0, kRange);
        for (int k = 0; k < 5000 && !entered; ++k) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        for (int k = 1; k < 5; ++k) {
            hasher.Add(file, k * kRange, kRange);
        }
        if (cut) {
            std::filesystem::resize_file(folder / "data", 0);
        }
        goOn = true;
        hasher.NextPiece();
        EXPECT_EQ(hasher.EndWhole(), cut ? std::nullopt : std::optional(Sha256Hex(bytes))) << cut;
        EXPECT_EQ(platform.mappedAheadBytes, cut ? 0 : 4 * kRange) << cut;
        EXPECT_EQ(hasher.FailedPiece(), cut ? 1 : 0);
        platform.Close(file);
    }
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
        ASSERT_EQ(Split(), TransferOutcome::Done);
    }
    std::string ChecksumPath() const { return job.SmallFilesBase + ".sha256"; }
    TransferOutcome Join() {
        job.BigFilePath = folder / "joined.bin";
        CountSeries(job, platform, host, ".Brelked_");
        return JoinSeries();
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
    ASSERT_EQ(Split(), TransferOutcome::Done);
    EXPECT_EQ(job.WholeDigest, Sha256Hex(bytes.substr(100, 250)));
    EXPECT_EQ(ReadFile(ChecksumPath()).substr(0, 64), job.WholeDigest);
    options.WriteChecksumFile = false;
    ASSERT_EQ(Split(), TransferOutcome::Done);
    EXPECT_FALSE(Exists(ChecksumPath()));
    EXPECT_TRUE(job.WholeDigest.empty());
}

// Verify reads the pieces as one stream too: a list whose line for the whole
// agrees with no join of its pieces is not passed, and the list of a split
// that did not finish is refused by Verify and a join alike.
TEST_F(ChecksumTransferTest, VerifyProvesTheWholeLineAndRefusesAnUnfinishedSeries) {
    SplitThree();
    const std::string good = ReadFile(ChecksumPath());
    const std::string edited = good.substr(0, good.rfind('\n', good.size() - 2) + 1) +
                               std::string(64, 'a') + "  big.bin\n";
    WriteFile(ChecksumPath(), edited);
    VerifyReport report;
    ASSERT_EQ(Verify({folder / "elsewhere"}, report), TransferOutcome::Done);
    ASSERT_EQ(report.entries.size(), 4u);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(report.entries[static_cast<std::size_t>(k)].state, CheckState::Ok) << k;
    }
    EXPECT_EQ(report.entries[3].path, platform.JoinPath(folder / "pieces", "big.bin"));
    EXPECT_EQ(report.entries[3].state, CheckState::Failed);
    WriteFile(ChecksumPath(), good);
    ASSERT_EQ(Verify({folder / "elsewhere"}, report), TransferOutcome::Done);
    EXPECT_EQ(report.entries[3].state, CheckState::Ok);

    // Killed after the first piece's line: the record says so.
    const std::string firstLine = good.substr(0, good.find('\n') + 1);
    WriteFile(ChecksumPath(),
              UnfinishedMark(3, static_cast<std::int64_t>(bytes.size())) + firstLine);
    EXPECT_EQ(Verify({folder.Path()}, report), TransferOutcome::SeriesUnfinished);
    EXPECT_EQ(result.piece, 3);  // written, though only one was proven yet
    EXPECT_EQ(result.plannedPieces, 3);
    EXPECT_EQ(Join(), TransferOutcome::SeriesUnfinished);
    EXPECT_FALSE(Exists(folder / "joined.bin"));
    // The next split of the stem replaces the record as its own.
    SplitThree();
    EXPECT_EQ(ReadFile(ChecksumPath()), good);
}

// The big file written to in place while it is split (its size unchanged) may
// have given the pieces old and new bytes: the split fails and keeps it. A
// piece written to before it was hashed keeps the big file too.
TEST_F(ChecksumTransferTest, ABigFileOrPieceChangedInPlaceDuringTheSplitFailsIt) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows lets no other writer into a file the split holds";
#endif
    PlanSplit(bytes, {kPiece, kPiece, 100});
    host.onPump = [&] {
        host.onPump = nullptr;
        std::filesystem::last_write_time(
            job.BigFilePath,
            std::filesystem::file_time_type::clock::now() + std::chrono::seconds(5));
    };
    EXPECT_EQ(Split(), TransferOutcome::BigFileChanged);
    EXPECT_FALSE(Exists(ChecksumPath()));

    options.RemoveBigFile = true;
    PlanSplit(bytes, {kPiece, kPiece, 100});
    // On the hashing thread, before it reads piece 1 back.
    std::atomic<bool> written = false;
    std::atomic<bool> overwritten = false;
    platform.beforeMappedRead = [&] {
        if (!written.exchange(true)) {
            // Windows lets no one open a piece the split holds: the case is
            // then not made, and the split succeeds.
            if (std::FILE* piece = std::fopen(Piece(1).c_str(), "r+b"); piece != nullptr) {
                std::fputc('!', piece);
                std::fclose(piece);
                overwritten = true;
            }
        }
    };
    const TransferOutcome changed = Split();
    EXPECT_TRUE(changed == TransferOutcome::PieceChanged || !overwritten)
        << static_cast<int>(changed);
    platform.beforeMappedRead = nullptr;
    EXPECT_EQ(ReadFile(job.BigFilePath), bytes);

    // A big file that cannot be deleted is said; the series it leaves is whole.
    PlanSplit(bytes, {kPiece, kPiece, 100});
    platform.undeletable = {job.BigFilePath};
    EXPECT_EQ(Split(), TransferOutcome::BigFileNotRemoved);
    EXPECT_EQ(result.file, job.BigFilePath);
    EXPECT_EQ(Join(), TransferOutcome::Done);
    EXPECT_TRUE(result.verified);
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
        EXPECT_EQ(Join(), TransferOutcome::ChecksumMismatch) << what;
        EXPECT_EQ(result.file, Piece(2)) << what;
        EXPECT_TRUE(Exists(Piece(1)));  // none goes before the whole is proven
        EXPECT_EQ(ReadFile(Piece(2)), piece2) << what;
        EXPECT_TRUE(Exists(Piece(3))) << what;
        options.RemoveSmallFiles = false;
    }

    // A stale piece left by a longer split is not part of the series.
    SplitThree();
    WriteFile(Piece(4), "stale");
    EXPECT_EQ(Join(), TransferOutcome::Done);
    EXPECT_TRUE(result.verified);
    EXPECT_EQ(ReadFile(job.BigFilePath), bytes);

    // Pieces that match a checksum file whose joined file does not.
    std::string text = ReadFile(ChecksumPath());
    text.replace(text.rfind('\n', text.size() - 2) + 1, 64, kA);
    WriteFile(ChecksumPath(), text);
    EXPECT_EQ(Join(), TransferOutcome::ChecksumMismatch);
    EXPECT_EQ(result.file, job.BigFilePath);

    // Pieces of other tools join as before.
    std::filesystem::remove(ChecksumPath());
    EXPECT_EQ(Join(), TransferOutcome::Done);
    EXPECT_FALSE(result.verified);
}

TEST_F(ChecksumTransferTest, BytesThatCannotBeReadBackForHashingFailTheRun) {
    platform.readBackFails = true;
    PlanSplit(bytes, {kPiece, kPiece, 100});
    EXPECT_EQ(Split(), TransferOutcome::ReadBackFailed);
    EXPECT_FALSE(Exists(ChecksumPath()));
    EXPECT_TRUE(job.PieceDigests.empty());

    platform.readBackFails = false;
    SplitThree();
    platform.readBackFails = true;
    options.RemoveSmallFiles = true;
    // Could not be read, which says nothing of what it holds.
    EXPECT_EQ(Join(), TransferOutcome::PieceFailed);
    EXPECT_EQ(result.piece, 1);
    EXPECT_TRUE(Exists(Piece(1)));
}

// A join proves the file it wrote, not the pieces it read, and reads each byte
// of it back once: a write that lands garbled is caught and the piece it came
// from named, also where pieces are deleted on the way. An append reads back
// after the bytes it appends to; where the file may be written but not read,
// the pieces are hashed as they are read.
TEST_F(ChecksumTransferTest, AJoinChecksWhatReachedTheJoinedFileReadingItBackOnce) {
    SplitThree();
    platform.kernelCopy = false;  // the bytes go through writes that can garble
    platform.readBackBytes = 0;
    ASSERT_EQ(Join(), TransferOutcome::Done);
    EXPECT_TRUE(result.verified);
    EXPECT_EQ(platform.readBackBytes, static_cast<std::int64_t>(bytes.size()));
    // Flushed while its last bytes are hashed: one that does not reach the
    // disk never takes the big file's name, however well it compares.
    WriteFile(job.BigFilePath, "kept");
    platform.failFlushes = true;
    EXPECT_EQ(Join(), TransferOutcome::CannotWriteBigFile);
    platform.failFlushes = false;
    EXPECT_EQ(ReadFile(job.BigFilePath), "kept");

    job.AppendActive = true;
    for (const bool readable : {true, false}) {
        WriteFile(job.BigFilePath, "head");
        platform.unreadable = readable ? std::set<std::string>{} : std::set{job.BigFilePath};
        EXPECT_EQ(Join(), TransferOutcome::Done) << readable;
        EXPECT_TRUE(result.verified) << readable;
        platform.unreadable.clear();
        EXPECT_TRUE(ReadFile(job.BigFilePath) == "head" + bytes) << readable;
    }
    job.AppendActive = false;

    ASSERT_EQ(Join(), TransferOutcome::Done);
    for (const bool removeSmallFiles : {false, true}) {
        platform.writeCalls = 0;
        platform.garbledWrite = 2;  // one block per piece: piece 2's
        options.RemoveSmallFiles = removeSmallFiles;
        EXPECT_EQ(Join(), TransferOutcome::ChecksumMismatch) << removeSmallFiles;
        EXPECT_EQ(result.file, Piece(2)) << removeSmallFiles;
        EXPECT_TRUE(ReadFile(job.BigFilePath) == bytes) << removeSmallFiles;
        EXPECT_TRUE(Exists(Piece(1)));
        EXPECT_TRUE(Exists(Piece(2)));
    }
}

TEST_F(ChecksumTransferTest, AChecksumFileThatCannotBeWrittenFailsTheSplitAndKeepsTheBigFile) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no kernel copy that could pass the pieces by a full disk";
#endif
    platform.writeRoom = 10;  // the kernel copies the pieces past it
    options.RemoveBigFile = true;
    PlanSplit(bytes, {kPiece, kPiece, 100});
    EXPECT_EQ(Split(), TransferOutcome::ChecksumFileNotWritten);
    EXPECT_EQ(result.file, ChecksumPath());
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
    EXPECT_EQ(JoinSeries(), TransferOutcome::Done);
    EXPECT_EQ(job.SmallFileCount, 3);
    EXPECT_TRUE(result.verified);
}

TEST_F(ChecksumTransferTest, VerifyReportsEachPieceAndThenTheJoinedFileAsNoPiece) {
    SplitThree();
    VerifyReport report;
    host = FakeHost();
    ASSERT_EQ(Verify({folder.Path()}, report), TransferOutcome::Done);
    std::vector<int> pieces;
    for (const TransferProgress& progress : host.transfers) {
        if (pieces.empty() || pieces.back() != progress.piece) {
            pieces.push_back(progress.piece);
        }
        EXPECT_EQ(progress.pieceCount, 3);
        EXPECT_EQ(progress.bytesTotal, 2 * (2 * kPiece + 100));
    }
    EXPECT_EQ(pieces, (std::vector<int>{1, 2, 3, 0}));
    EXPECT_EQ(host.transfers.back().bytesDone, host.transfers.back().bytesTotal);
}

TEST_F(ChecksumTransferTest, VerifyNamesEachPieceOkFailedMissingOrUnreadable) {
    SplitThree();
    WriteFile(Piece(2), std::string(kPiece, 'x'));
    std::filesystem::remove(Piece(3));
    platform.unreadable.insert(job.BigFilePath);
    const std::string restored = folder / "restored";
    std::filesystem::create_directory(restored);
    std::filesystem::copy_file(job.BigFilePath, restored + "/big.bin");
    VerifyReport report;
    ASSERT_EQ(Verify({folder / "pieces", restored}, report), TransferOutcome::Done);
    ASSERT_EQ(report.entries.size(), 4u);
    EXPECT_EQ(report.entries[0].state, CheckState::Ok);
    EXPECT_EQ(report.entries[1].state, CheckState::Failed);
    EXPECT_EQ(report.entries[2].state, CheckState::Missing);
    EXPECT_EQ(report.entries[3].path, platform.JoinPath(restored, "big.bin"));
    EXPECT_EQ(report.entries[3].state, CheckState::Ok);
    ASSERT_EQ(Verify({folder.Path()}, report), TransferOutcome::Done);
    ASSERT_EQ(report.entries.size(), 4u);
    EXPECT_EQ(report.entries[3].state, CheckState::Unreadable);

    std::filesystem::remove(ChecksumPath());
    EXPECT_EQ(Verify({}, report), TransferOutcome::NoChecksumFile);
    EXPECT_EQ(result.file, ChecksumPath());
}

// What lies at the list's name: nothing, a list, or something that cannot be
// one, which is never taken for nothing.
TEST_F(ChecksumTransferTest, TheListOnDiskIsAbsentValidOrInvalidWithItsReason) {
    using enum ChecksumFault;
    const std::string list = ChecksumPath();
    const auto read = [&] {
        return ReadSeriesChecksums(platform, job.SmallFilesBase, ".Brelked_");
    };
    EXPECT_EQ(read().state, ChecksumList::State::Absent);
    SplitThree();
    EXPECT_TRUE(read().Valid());
    const std::string good = ReadFile(list);

    platform.unreadable.insert(list);
    EXPECT_EQ(read().problem, (ChecksumProblem{list, 0, Unreadable}));
    platform.unreadable.clear();
    // Larger than any list: junk is named by its line, lines that might be a
    // list by the size.
    WriteFile(list, std::string(17 << 20, 'j'));
    EXPECT_EQ(read().problem, (ChecksumProblem{list, 1, NotALine}));
    std::string comments;
    while (comments.size() <= (17u << 20)) {
        comments += "# " + std::string(100, 'x') + "\n";
    }
    WriteFile(list, comments);
    EXPECT_EQ(read().problem, (ChecksumProblem{list, 0, TooLarge}));

    std::filesystem::remove(list);
    std::filesystem::create_directory(list);
    EXPECT_EQ(read().problem, (ChecksumProblem{list, 0, NotRegular}));
    std::filesystem::remove(list);
#ifndef _WIN32  // Wine has no FIFOs
    ASSERT_EQ(::mkfifo(list.c_str(), 0600), 0);
    EXPECT_EQ(read().problem, (ChecksumProblem{list, 0, NotRegular}));  // and does not wait
#endif
}

// Counting, joining and verifying all stop at a list that cannot be used, and
// a join stops when the list its pieces were counted from is gone; the big
// file that was there stays as it was.
TEST_F(ChecksumTransferTest, AListThatCannotBeUsedStopsEveryReaderBeforeAnythingIsWritten) {
    SplitThree();
    const std::string list = ChecksumPath();
    const std::string good = ReadFile(list);
    const std::string damaged = kBom + good.substr(0, good.find('\n') + 1) + good;
    const ChecksumProblem problem{list, 2, ChecksumFault::OutOfOrder};
    const std::string joined = folder / "joined.bin";
    WriteFile(joined, "kept");

    const auto untouched = [&] {
        return ReadFile(joined) == "kept" &&
               std::distance(std::filesystem::directory_iterator(folder.Path()),
                             std::filesystem::directory_iterator()) == 3;
    };
    job.BigFilePath = joined;

    WriteFile(list, damaged);
    CountSeries(job, platform, host, ".Brelked_");
    EXPECT_EQ(job.SmallFileCount, 0);
    EXPECT_EQ(host.unusableLists, std::vector<ChecksumProblem>{problem});
    EXPECT_TRUE(host.missingFiles.empty());
    VerifyReport report;
    EXPECT_EQ(Verify({folder.Path()}, report), TransferOutcome::ChecksumFileUnusable);
    EXPECT_EQ(result.checksumProblem, problem);
    EXPECT_TRUE(report.entries.empty());

    // The list changed, or went, between counting and joining.
    WriteFile(list, good);
    CountSeries(job, platform, host, ".Brelked_");
    WriteFile(list, damaged);
    EXPECT_EQ(JoinSeries(), TransferOutcome::ChecksumFileUnusable);
    EXPECT_EQ(result.checksumProblem, problem);
    EXPECT_TRUE(untouched());
    WriteFile(list, good);
    CountSeries(job, platform, host, ".Brelked_");
    std::filesystem::remove(list);
    EXPECT_EQ(JoinSeries(), TransferOutcome::NoChecksumFile);
    EXPECT_EQ(result.file, list);
    EXPECT_TRUE(untouched());

    // Prompted for disks, the list that comes with a disk is read as strictly.
    WriteFile(list, damaged);
    host.diskCount = 3;
    TakeSeriesFromDiskCount(job, host);
    options.PauseMode = PauseMode::Always;
    EXPECT_EQ(JoinSeries(), TransferOutcome::ChecksumFileUnusable);
    EXPECT_EQ(result.checksumProblem, problem);
    EXPECT_TRUE(untouched());
}

// A split may replace or delete the list at its stem's name only when it is
// one that a split of these pieces would have written.
TEST_F(ChecksumTransferTest, AListIsOursOnlyWhenItNamesNothingButThePiecesAndTheirBigFile) {
    const std::string list = ChecksumPath();
    const auto owner = [&] { return OwnershipOf(platform, job.SmallFilesBase, ".Brelked_"); };
    EXPECT_EQ(owner(), ChecksumOwnership::Absent);
    using enum ChecksumOwnership;
    struct Row {
        const char* what;
        std::string text;
        ChecksumOwnership owner;
    };
    const Row rows[] = {
        {"a split's list", ListLine(1, kA) + ListLine(2, kB) + kWhole, Ours},
        {"pieces only, in any order", ListLine(2, kB) + ListLine(1, kA), Ours},
        {"the big file under a name of its own", ListLine(1, kA) + kW + "  film.avi\n", Ours},
        {"a vendor's list of the stem's own file alone", kWhole, Foreign},
        {"a vendor's list", kWhole + kC + "  big.bin.sig\n", Foreign},
        {"another file alone", kW + "  film.avi\n", Foreign},
        {"outside the folder", ListLine(1, kA) + kW + "  ../film.avi\n", Foreign},
        {"junk", "not a list\n", Foreign},
    };
    for (const Row& row : rows) {
        WriteFile(list, row.text);
        EXPECT_EQ(owner(), row.owner) << row.what;
    }
    platform.unreadable.insert(list);
    EXPECT_EQ(owner(), Foreign) << "unreadable";
    platform.unreadable.clear();
    std::filesystem::remove(list);
    std::filesystem::create_directory(list);
    EXPECT_EQ(owner(), Foreign) << "a folder";
    std::filesystem::remove(list);
#ifndef _WIN32  // Wine has no links
    WriteFile(folder / "ours", kWhole);
    std::filesystem::create_symlink(folder / "ours", list);
    EXPECT_EQ(owner(), Foreign) << "a link";
#endif
}

}  // namespace
}  // namespace brelker
