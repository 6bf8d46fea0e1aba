#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/ChecksumFile.h"
#include "engine/EngineHost.h"
#include "engine/Job.h"
#include "engine/PauseMode.h"
#include "platform/Platform.h"
#include "settings/Settings.h"
#include "text/Slots.h"

namespace brelker {

// Result codes of a run. A negative code other than -1 is the negated slot of
// its text: the message for -89, -90 and -91, the caption for -343. A positive
// code is the number of the piece that could not be created or opened.
inline constexpr int kTransferDone = 0;
inline constexpr int kSizesDiffer = -1;
inline constexpr int kCannotReadBigFile = -slot::kCannotReadBigFile.number;
inline constexpr int kCannotWriteBigFile = -slot::kCannotWriteBigFile.number;
inline constexpr int kDiskRefused = -slot::kNotAllDisksUsed.number;
inline constexpr int kInterrupted = -slot::kInterrupted.number;
// A piece or the joined file differs from its checksum (MismatchedFile names it).
inline constexpr int kChecksumMismatch = -slot::kChecksumMismatch.number;
// The split's checksum file could not be written beside the last piece.
inline constexpr int kChecksumFileNotWritten = -slot::kChecksumFileNotWritten.number;
// Verify found no checksum file of the series, or a join no longer finds the
// one its pieces were counted from.
inline constexpr int kNoChecksumFile = -slot::kNoChecksumFile.number;
// Another run holds the lock of the stem or the target (MismatchedFile names it).
inline constexpr int kRunLocked = -slot::kRunLocked.number;
// A name the run would read or write is a folder, a device, a FIFO, a socket
// or (where it would be written) a link (MismatchedFile names it).
inline constexpr int kNotARegularFile = -slot::kNotARegularFile.number;
// The checksum file's name holds a file that is not this program's.
inline constexpr int kForeignChecksumFile = -slot::kForeignChecksumFile.number;
// The big file grew or shrank while it was split.
inline constexpr int kBigFileChanged = -slot::kBigFileChanged.number;
// A piece or the checksum file of a split is the big file itself.
inline constexpr int kSelfOverwrite = -slot::kSelfOverwrite.number;
// A piece changed on disk after the split wrote it; the big file is kept.
inline constexpr int kPieceChanged = -slot::kPieceChanged.number;
// The series' checksum file is there but cannot be used (ChecksumFileProblem
// says where and why); nothing was written.
inline constexpr int kChecksumFileUnusable = -slot::kChecksumFileUnusable.number;

inline constexpr int kProgressMaximum = 1000;

// Options that shape a run, taken from the main window's fields.
struct TransferOptions {
    int MaxFromRAM = settings::MaxFromRAM.defaultValue;
    int MaxFromFile = settings::MaxFromFile.defaultValue;
    std::string Suffix{settings::AddedFileType.defaultValue};
    brelker::PauseMode PauseMode =
        static_cast<brelker::PauseMode>(settings::ChangeDisk.defaultValue);
    bool UseFreeSpace = settings::UseFreeSpace.defaultValue;
    bool RemoveSmallFiles = settings::RemoveSmallFiles.defaultValue;
    bool RemoveBigFile = settings::RemoveBigFile.defaultValue;
    bool EraseFloppyDisks = settings::EraseFloppyDisks.defaultValue;
    bool WriteChecksumFile = settings::WriteChecksumFile.defaultValue;
};

// Unreadable: the file is there, but it could not be read to the end.
enum class CheckState { Ok, Failed, Missing, Unreadable };

// What Verify found: each piece of the series in order, then the joined file
// when it is there.
struct VerifyReport {
    struct Entry {
        std::string path;
        CheckState state;
    };
    std::string checksumFile;
    std::vector<Entry> entries;
};

// Bytes one new file can take on a volume with free bytes, handed out in units
// of unit bytes: the file system spends some units on the file's own records
// (its block maps, a folder entry), which a piece sized to the last free byte
// would not leave room for.
std::int64_t RoomForOneFile(std::int64_t free, std::int64_t unit);

// Bytes one block of a piece moves: at least the base term (a 52nd of the big
// file in a split) and MaxFromFile per cent of the piece, at most the memory
// limit and the piece itself, 256 for an empty piece, and within 32 bits.
std::int64_t BlockSizeFor(std::int64_t pieceSize, std::int64_t baseTerm, int maxFromFile,
                          std::int64_t memoryLimit);

// Moves the bytes of a split or a join, and handles the disks of removable media.
class Engine {
public:
    Engine(Job& job, Platform& platform, EngineHost& host);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // -1 when the file cannot be opened for reading, also for a folder.
    std::int64_t QueryFileSize(const std::string& path);
    // Free bytes of a volume; -1 when there is no disk or no such volume.
    std::int64_t QueryFreeSpace(const std::string& volume);

    // Splits the big file into the pieces of the plan (or of the free space).
    int SplitBigFile(const TransferOptions& options);
    // Joins the pieces of the series into the big file.
    int JoinSmallFiles(const TransferOptions& options);
    // Checks the series of the job's stem against its checksum file without
    // joining it; the joined file is looked for in each of the folders.
    int VerifySeries(const TransferOptions& options, const std::vector<std::string>& bigFileFolders,
                     VerifyReport& report);

    // Whether the last join was checked against a checksum file.
    bool LastJoinVerified() const { return verified_; }
    // The file that the last run's failure is about: the one that did not
    // match or could not be written, read, locked or used.
    const std::string& MismatchedFile() const { return mismatchedFile_; }
    // The system's reason for that failure, when it has one ("Permission denied").
    const std::string& FailureReason() const { return failureReason_; }
    // What a failed split removed of what it had written (pieces, its
    // checksum file), so that nothing is left that looks like a whole series.
    const std::vector<std::string>& RemovedAfterFailure() const { return removedAfterFailure_; }
    // The pieces of an earlier, longer series that the last split removed.
    const std::vector<std::string>& StalePieces() const { return stalePieces_; }
    // Where and why the checksum file of kChecksumFileUnusable cannot be used.
    const ChecksumProblem& ChecksumFileProblem() const { return checksumProblem_; }

    // Asks for the disk of piece i; true when the user answers Yes.
    bool AskForDisk(int piece, DiskPrompt kind);
    // Sizes piece i by the free space of the target volume; false when the user gave up.
    bool SizeFromFreeSpace(int piece, std::int64_t& remaining);
    // Deletes the ordinary files of a floppy, in every folder; folders, hidden
    // files and the big file of the running split remain.
    void EraseDisk(const std::string& root);
    // Deletes the ordinary files of one folder.
    void DeleteFilesIn(const std::string& folder);

private:
    enum class Direction { Split, Join };
    struct Run;

    int RunTransfer(Direction direction, const TransferOptions& options);
    int Transfer(Run& run);
    int Refuse(int code, const std::string& path);
    int Fail(int code, const std::string& path);
    int RefuseUnownedNames(const Run& run);
    int TakeLocks(Run& run);
    void RemoveLeftTemporaries(const std::string& target);
    int ConfirmPiecesUnchanged(Run& run);
    void RemoveWrittenFiles(Run& run);
    int PieceSteps(Run& run, int piece);
    void PrepareBuffer(Run& run);
    int CopyPiece(Run& run, std::int64_t size);
    bool MoveBlock(Run& run, std::int64_t count);
    bool GoOnAfterStop();
    // Checksums of the pieces and of the whole.
    int StartChecksums(Run& run);
    int LookForChecksums(Run& run, int piece);
    void HashMoved(Run& run, std::int64_t count);
    int CheckPiece(Run& run, int piece);
    int ComparePieces(Run& run, int upTo);
    int FinishChecksums(Run& run);
    std::string PieceAtFault(Run& run);
    int RefuseChecksumFile(const ChecksumList& list);
    std::optional<CheckState> CheckFile(const std::string& path, const std::string& digest,
                                        float scale, TransferProgress& progress);
    void ShowProgress(const Run& run);
    void ShowTransfer(const Run& run);
    int EndRun(Run& run, int code);
    int OpenJoinTarget(Run& run);
    int FinishJoinTarget(Run& run, bool flushed, const std::string& flushFailure);
    void AbandonJoinTarget(Run& run);
    bool DiskWasChanged(const Run& run, int piece);
    void RemoveStalePieces(const std::string& suffix, const std::optional<std::string>& bigFile);
    void EraseWalk(const std::string& folder);

    Job& job_;
    Platform& platform_;
    EngineHost& host_;
    // The big file of the running split, which an erase must leave alone.
    std::string protectedFile_;
    bool verified_ = false;
    std::string mismatchedFile_;
    std::string failureReason_;
    std::vector<std::string> removedAfterFailure_;
    std::vector<std::string> stalePieces_;
    ChecksumProblem checksumProblem_;
};

}  // namespace brelker
