#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "checksum/ChecksumFile.h"
#include "checksum/Sha256.h"
#include "checksum/StreamHasher.h"
#include "platform/OpenedFile.h"
#include "platform/Platform.h"
#include "transfer/EngineHost.h"
#include "transfer/Job.h"
#include "transfer/RunLocks.h"
#include "transfer/TransferResult.h"

namespace brelker {

// Joins a series into a stream (standard output), where nothing written can
// be taken back: with a checksum file every piece is hashed whole and
// compared before its first byte goes out, and what goes out is hashed as
// it goes, so that a piece changed in between is caught too; the run stops
// at the first piece that differs. Without a checksum file the pieces go out
// unverified; with one that is not understood, none goes out. No piece is
// ever deleted. The stream is the run's big file: a fault of its own names
// no file.
class StreamJoin {
public:
    StreamJoin(Platform& platform, ProgressView& host);
    ~StreamJoin();
    StreamJoin(const StreamJoin&) = delete;
    StreamJoin& operator=(const StreamJoin&) = delete;

    // Writes the pieces that the job counted to output.
    TransferResult Run(const Job& job, const std::string& suffix, FileHandle output);

private:
    // A piece opened for its turn, and the number of its check.
    struct Pending {
        OpenedFile file;
        int check = 0;
    };

    Step Start(const Job& job, FileHandle output);
    Step SendAll(FileHandle output);
    Step SendPiece(int k, FileHandle output);
    Pending Open(int k);
    Step CopyPiece(FileHandle piece, int k, FileHandle output);
    std::string PieceAtFault();
    std::string Piece(int k) const;

    Platform& platform_;
    ProgressView& host_;
    RunLocks locks_{platform_};
    std::string stem_;
    std::string suffix_;
    int count_ = 0;
    ChecksumList list_;
    const SeriesChecksums* expected_ = nullptr;
    bool wholeListed_ = false;
    std::int64_t done_ = 0;
    std::int64_t total_ = 0;
    // The buffers bytes go out of, taken in turn.
    std::unique_ptr<char[]> buffers_;
    std::int64_t nextBuffer_ = 0;
    // The pieces after the one going out, opened and queued for their checks.
    std::deque<Pending> ahead_;
    int opened_ = 0;
    int checksStarted_ = 0;
    // What went out, hashed piece by piece where the list has no line for
    // the whole.
    Sha256 pieceSent_;
    // The checks ahead and the whole's hashing; it goes before the files
    // it reads are closed.
    std::unique_ptr<StreamHasher> checks_;
};

}  // namespace brelker
