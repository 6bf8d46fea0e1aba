#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "checksum/ChecksumFile.h"
#include "checksum/Sha256.h"
#include "checksum/StreamHasher.h"
#include "console/ConsoleHost.h"
#include "console/StreamSplit.h"
#include "platform/Platform.h"
#include "transfer/Job.h"

namespace brelker {

// Joins a series into a stream (standard output), where nothing written can
// be taken back: with a checksum file every piece is hashed whole and
// compared before its first byte goes out, and what goes out is hashed as
// it goes, so that a piece changed in between is caught too; the run stops
// at the first piece that differs. Without a checksum file the pieces go out
// unverified; with one that is not understood, none goes out.
// No piece is ever deleted.
class StreamJoin {
public:
    StreamJoin(Platform& platform, ConsoleHost& host);

    // Writes the pieces that the job counted to output.
    StreamFault Run(const Job& job, const std::string& suffix, FileHandle output);

    // Whether the last run was checked against a checksum file.
    bool Verified() const { return verified_; }
    const std::string& FaultPath() const { return faultPath_; }
    const std::string& FaultReason() const { return faultReason_; }
    // Where and why the checksum file of ListUnusable cannot be used.
    const ChecksumProblem& ListProblem() const { return listProblem_; }
    // The list of Unfinished: the pieces it lists and those its split planned.
    const ChecksumList& List() const { return list_; }

private:
    // A piece opened for its turn, and the number of its check.
    struct Pending {
        FileHandle file = kNoFile;
        int check = 0;
    };
    // Where the bytes that go out are hashed: the whole's stream, or each
    // piece on its own; and the buffers they go out of, taken in turn.
    struct Sending {
        char* buffers;
        StreamHasher* whole;
        Sha256* piece;
        std::int64_t next = 0;
    };

    StreamFault CopyPiece(FileHandle piece, const std::string& path, FileHandle output,
                          Sending& sending);
    std::string PieceAtFault(const Job& job, const std::string& suffix,
                             const SeriesChecksums& expected);
    StreamFault Fail(StreamFault fault, const std::string& path, bool withReason);

    Platform& platform_;
    ConsoleHost& host_;
    std::int64_t done_ = 0;
    std::int64_t total_ = 0;
    bool verified_ = false;
    std::string faultPath_;
    std::string faultReason_;
    ChecksumProblem listProblem_;
    ChecksumList list_;
};

}  // namespace brelker
