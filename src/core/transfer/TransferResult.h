#pragma once

#include <optional>
#include <string>
#include <vector>

#include "checksum/ChecksumFile.h"
#include "platform/Platform.h"

namespace brelker {

// How a split, a join or Verify ended.
enum class TransferOutcome {
    Done,
    // The file's size on the disk is not the size it was to have (a piece
    // after it was written, a joined file after the last piece, or the bytes
    // of the big file ran out before the plan did).
    SizesDiffer,
    // A piece could not be created (a split) or opened (a join): the result's
    // piece names it.
    PieceFailed,
    CannotReadBigFile,
    CannotWriteBigFile,
    // The user did not put in the disk a piece needed.
    DiskRefused,
    // Stop, Ctrl+C, a termination or a closed terminal.
    Interrupted,
    // A piece or the joined file differs from its checksum.
    ChecksumMismatch,
    // The split's checksum file could not be written beside the last piece.
    ChecksumFileNotWritten,
    // Verify found no checksum file of the series, or a join no longer finds
    // the one its pieces were counted from.
    NoChecksumFile,
    // Another run holds the lock of the stem or the target.
    RunLocked,
    // A name the run would read or write is a folder, a device, a FIFO, a
    // socket or (where it would be written) a link.
    NotARegularFile,
    // The checksum file's name holds a file that is not this program's.
    ForeignChecksumFile,
    // The big file grew or shrank while it was split.
    BigFileChanged,
    // A piece or the checksum file of a split is the big file itself.
    SelfOverwrite,
    // A piece changed on disk after the split wrote it; the big file is kept.
    PieceChanged,
    // The series' checksum file is there but cannot be used (checksumProblem
    // says where and why); nothing was written.
    ChecksumFileUnusable,
    // The series' checksum file says that its split did not finish: piece
    // holds the pieces it lists, plannedPieces those the split meant to
    // write (0 when it did not know); file is the series' stem.
    SeriesUnfinished,
    // The split is whole and its list finished, but the big file that was to
    // be deleted after it is still there: file and reason say why.
    BigFileNotRemoved,
    // An earlier append to the target was broken off, and what it appended
    // cannot safely be taken off: the file names its record.
    AppendNotUndone,
    // The big file of a split has the name of one of its own pieces.
    BigFileNamedAsPiece,
    // A file's bytes could not be put on the disk before the disk changes or
    // a file goes that they stand in for: file and reason say which and why.
    FlushFailed,
    // Not even the smallest buffer for a block could be had.
    NoBuffer,
    // A block could not be read from one file or written to the other: file
    // is the one written, reason the system's.
    BlockFailed,
    // Bytes that were written could not be read back to be proven: file is
    // the one read back.
    ReadBackFailed,
    // The stream a split reads or a join writes is a file of the series
    // itself (a piece or its list), named by file.
    StreamIsSeriesFile,
    // A stream holds more pieces than a series may have.
    TooManyPieces,
};

// What went wrong in one step of a run: everything a front end needs to say
// it, and what the run hands up unchanged.
struct TransferFailure {
    TransferOutcome outcome = TransferOutcome::Done;
    // The piece of PieceFailed, counted from 1; the pieces listed of SeriesUnfinished.
    int piece = 0;
    int plannedPieces = 0;
    // The file a failure is about (the one that did not match or could not be
    // written, read, locked or used) and the system's reason, when it has one.
    std::string file;
    std::string reason;
    ChecksumProblem checksumProblem;
};

// A step's answer: nothing when it did its work.
using Step = std::optional<TransferFailure>;

// A refusal before anything was touched: the file it is about, without a
// system reason.
inline TransferFailure Refusal(TransferOutcome outcome, const std::string& file) {
    return {outcome, 0, 0, file, {}, {}};
}

// A failure right after the call that failed: the file and the system's reason.
inline TransferFailure Failure(Platform& platform, TransferOutcome outcome,
                               const std::string& file) {
    return {outcome, 0, 0, file, platform.LastErrorText(), {}};
}

// Everything a front end needs to tell the user how a run went.
struct TransferResult : TransferFailure {
    // A join that was checked against the series' checksum file.
    bool verified = false;
    // A join that failed after pieces were deleted keeps what it joined so
    // far, here.
    std::string partialPath;
    // What a failed split removed of what it had written, so that nothing is
    // left that looks like a whole series.
    std::vector<std::string> removedAfterFailure;
    // The pieces of an earlier, longer series that a split removed.
    std::vector<std::string> stalePieces;
    // The target of a join, where an earlier append to it had been broken
    // off: what that append had added was taken off first.
    std::string appendUndone;

    bool Succeeded() const { return outcome == TransferOutcome::Done; }
    // Takes a step's failure, or Done.
    void Take(const Step& step) {
        static_cast<TransferFailure&>(*this) = step.value_or(TransferFailure{});
    }
};

}  // namespace brelker
