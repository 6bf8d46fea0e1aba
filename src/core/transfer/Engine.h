#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "checksum/ChecksumFile.h"
#include "platform/Platform.h"
#include "settings/Settings.h"
#include "text/Slots.h"
#include "transfer/AppendRecord.h"
#include "transfer/EngineHost.h"
#include "transfer/Job.h"
#include "transfer/PauseMode.h"
#include "transfer/TransferResult.h"

namespace brelker {

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
    // Continue what the same run left when it stopped (a split's unfinished
    // list, a join's temporary, an append's record), after what still proves
    // against the series' list; otherwise such a run starts afresh.
    bool Resume = false;
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
    TransferResult SplitBigFile(const TransferOptions& options);
    // Joins the pieces of the series into the big file.
    TransferResult JoinSmallFiles(const TransferOptions& options);
    // Checks the series of the job's stem against its checksum file without
    // joining it; the joined file is looked for in each of the folders.
    TransferResult VerifySeries(const TransferOptions& options,
                                const std::vector<std::string>& bigFileFolders,
                                VerifyReport& report);

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
    // Files read back: each one's state and digest, and the digest of all as one stream.
    struct ReadBackResult {
        std::vector<CheckState> states;
        std::vector<std::string> digests;
        std::optional<std::string> whole;
    };

    TransferResult RunTransfer(Direction direction, const TransferOptions& options);
    TransferResult Result(int code);
    int Transfer(Run& run);
    int Refuse(int code, const std::string& path);
    int Fail(int code, const std::string& path);
    int RefuseUnownedNames(const Run& run);
    int RefuseBigFileAmongPieces(const Run& run);
    int TakeLocks(Run& run);
    void RemoveLeftTemporaries(const std::string& target);
    // An append's record of the target's old length.
    int UndoBrokenAppend();
    int CutBack(const std::optional<AppendRecord>& record, const std::string& recordPath);
    int WriteAppendRecord(Run& run);
    // Going on with what a stopped run of the same work left.
    int ContinueSplit(Run& run);
    bool TakeOverJoin(Run& run);
    bool TakeOverAppend(Run& run);
    int ContinueJoin(Run& run);
    int KeepJoinedBytes(Run& run);
    int ConfirmPiecesUnchanged(Run& run);
    void RemoveWrittenFiles(Run& run);
    int PieceSteps(Run& run, int piece);
    void PrepareBuffer(Run& run);
    int CopyPiece(Run& run, std::int64_t size);
    bool MoveBlock(Run& run, std::int64_t count);
    bool GoOnAfterStop();
    // Checksums of the pieces and of the whole.
    int StartChecksums(Run& run);
    bool JoinHashesPieces(const Run& run) const;
    int RefuseUnfinished(int listed, int planned, const std::string& suffix);
    int CollectDigests(Run& run);
    int BeginRecord(Run& run);
    int RecordFailed(const Run& run);
    int ListProvenPieces(Run& run, int upTo);
    int FinishRecord(Run& run);
    void NoteRecord(Run& run, bool finished);
    std::optional<std::string> RecordIdentity(const Run& run) const;
    // Told of each file read back as soon as its own digest is known: its
    // index, its state, its digest.
    using PieceRead = std::function<void(std::size_t, CheckState, const std::string&)>;
    std::optional<ReadBackResult> ReadBack(const std::vector<std::string>& paths, float scale,
                                           TransferProgress& progress,
                                           const PieceRead& pieceRead = {});
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
    // What the running transfer has to tell, filled in as it goes.
    TransferResult result_;
};

}  // namespace brelker
