#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "checksum/SeriesRecord.h"
#include "checksum/Sha256.h"
#include "console/ConsoleHost.h"
#include "platform/Platform.h"
#include "transfer/Job.h"

namespace brelker {

// Why a split from a stream or a join into one stopped. A fault without a
// path is the stream's own.
enum class StreamFault {
    None,
    Locked,              // another run writes this stem
    InputIsPiece,        // the stream is a file this run would write
    NotRegular,          // a piece's name holds a folder, a link, a device...
    CannotCreate,        // a piece could not be created
    CannotWrite,         // a piece could not be written or put on the disk
    CannotRead,          // the stream could not be read
    TooManyPieces,       // the stream holds more pieces than a series may have
    ChecksumNotWritten,  // the checksum file could not be written
    Interrupted,         // Ctrl+C, a termination or a closed terminal
    // Of a join into a stream:
    OutputIsPiece,  // the stream is a file this run reads
    ForeignList,    // the checksum file's name holds a list that is not this program's
    ListUnusable,   // the series' checksum file is there but cannot be used
    Mismatch,       // a piece or the whole differs from its checksum
    Unfinished,     // the series' list says that its split did not finish
};

// Splits a stream whose size is known only at its end (standard input, a
// device, a FIFO) into pieces of one size, as the split of a file does: a
// piece is created when its first byte arrives, so that no empty piece follows
// the last, each piece and the whole are hashed as the bytes pass, and the
// checksum file comes once the stream has ended. A stream that ends before
// its first byte is one empty piece, as an empty file is. Each piece is put on
// the disk before the next one: the bytes of a stream cannot be read a second
// time. A split that does not end so removes what it wrote.
class StreamSplit {
public:
    // inputPath names the stream in what is said of it; empty for standard input.
    StreamSplit(Platform& platform, ConsoleHost& host, std::string inputPath = {});

    // Reads input to its end into pieces of pieceBytes named after the job's
    // SmallFilesBase. The job then holds the count, the sizes and the digests
    // of the pieces, and as its big file the stem itself: the file that a
    // join of the pieces restores.
    StreamFault Run(FileHandle input, std::int64_t pieceBytes, const std::string& suffix,
                    bool checksums, Job& job);

    // The file a fault is about (the stream's name, empty for standard
    // input, where it is the stream's own), and the system's reason where it gave one.
    const std::string& FaultPath() const { return faultPath_; }
    const std::string& FaultReason() const { return faultReason_; }
    // What a split that failed removed of its own files.
    const std::vector<std::string>& Removed() const { return removed_; }
    // Pieces of an earlier, longer series of the same stem, removed after success.
    const std::vector<std::string>& StalePieces() const { return stale_; }

private:
    struct Written {
        std::string path;
        std::optional<std::string> identity;
        std::optional<std::string> stamp;  // once closed
    };

    StreamFault Copy(FileHandle input, char* buffer, std::int64_t pieceBytes, Job& job);
    StreamFault OpenPiece(Job& job);
    StreamFault ClosePiece(Job& job);
    StreamFault Finish(Job& job, bool checksums);
    StreamFault Fail(StreamFault fault, const std::string& path, bool withReason);
    void RemoveWritten();
    void RemoveStalePieces(const Job& job);

    Platform& platform_;
    ConsoleHost& host_;
    const std::string inputPath_;
    std::string suffix_;
    // The stream's own identity, where it is a file: no piece may be it.
    std::optional<std::string> input_;
    FileHandle piece_ = kNoFile;
    std::int64_t inPiece_ = 0;
    Sha256 pieceHash_;
    Sha256 wholeHash_;
    // The list, there and marked unfinished before the first piece; the
    // first of the files written.
    std::unique_ptr<SeriesRecord> record_;
    std::vector<Written> written_;
    std::string faultPath_;
    std::string faultReason_;
    std::vector<std::string> removed_;
    std::vector<std::string> stale_;
};

}  // namespace brelker
