#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "checksum/Sha256.h"
#include "platform/OpenedFile.h"
#include "platform/Platform.h"
#include "transfer/EngineHost.h"
#include "transfer/Job.h"
#include "transfer/ListWriter.h"
#include "transfer/OwnedFiles.h"
#include "transfer/RunLocks.h"
#include "transfer/TransferResult.h"

namespace brelker {

// How a stream is cut: pieces of pieceBytes, at most maxPieces of them.
struct StreamCut {
    std::int64_t pieceBytes = 0;
    int maxPieces = 0;
    std::string suffix;
    bool checksums = true;
};

// Splits a stream whose size is known only at its end (standard input, a
// device, a FIFO) into pieces of one size, as the split of a file does: a
// piece is created when its first byte arrives, so that no empty piece follows
// the last, each piece and the whole are hashed as the bytes pass, and the
// checksum file comes once the stream has ended. A stream that ends before
// its first byte is one empty piece, as an empty file is. Each piece is put on
// the disk before the next one: the bytes of a stream cannot be read a second
// time. A split that does not end so removes what it wrote. The stream is the
// run's big file: a fault of the stream's own names it (inputPath, empty for
// standard input).
class StreamSplit {
public:
    StreamSplit(Platform& platform, ProgressView& host, std::string inputPath = {});

    // Reads input to its end into pieces named after the job's
    // SmallFilesBase. The job then holds the count, the sizes and the digests
    // of the pieces, and as its big file the stem itself: the file that a
    // join of the pieces restores.
    TransferResult Run(FileHandle input, const StreamCut& cut, Job& job);

private:
    Step Start(FileHandle input, Job& job);
    Step Copy(FileHandle input, char* buffer, Job& job);
    Step Take(const char* bytes, std::int64_t count, Job& job);
    Step OpenPiece(Job& job);
    Step ClosePiece(Job& job);
    Step Finish(Job& job);

    Platform& platform_;
    ProgressView& host_;
    const std::string inputPath_;
    StreamCut cut_;
    RunLocks locks_{platform_};
    // The stream's own identity, where it is a file: no piece may be it.
    std::optional<std::string> input_;
    OwnedFiles owned_{platform_};
    // The list, there and marked unfinished before the first piece.
    std::optional<ListWriter> list_;
    OpenedFile piece_{platform_, kNoFile};
    std::int64_t inPiece_ = 0;
    Sha256 pieceHash_;
    Sha256 wholeHash_;
    std::vector<std::string> stale_;
};

}  // namespace brelker
