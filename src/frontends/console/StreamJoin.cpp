#include "console/StreamJoin.h"

#include <algorithm>
#include <deque>
#include <utility>
#include <vector>

#include "transfer/Engine.h"
#include "transfer/PieceNames.h"

namespace brelker {
namespace {

// What goes out is read and written a block at a time, into one of a few
// buffers in turn: large enough for few calls, small enough to stay in the
// processor's cache while it is hashed.
constexpr std::int64_t kBlock = std::int64_t{1} << 20;
constexpr std::int64_t kBuffers = 8;

// The pieces after the one going out that are opened and hashed meanwhile.
constexpr int kPiecesAhead = 2;

}  // namespace

StreamJoin::StreamJoin(Platform& platform, ConsoleHost& host) : platform_(platform), host_(host) {}

StreamFault StreamJoin::Run(const Job& job, const std::string& suffix, FileHandle output) {
    verified_ = false;
    const std::string& stem = job.SmallFilesBase;
    // Read as a join reads: no split may write these pieces meanwhile.
    const auto lock = platform_.LockForWriting(stem);
    if (!lock) {
        return Fail(StreamFault::Locked, stem, false);
    }
    // A list that is there but not understood proves nothing, and is not taken
    // for no list: what goes out cannot be taken back.
    list_ = ReadSeriesChecksums(platform_, stem, suffix);
    const ChecksumList& list = list_;
    if (list.state == ChecksumList::State::Unfinished) {
        return Fail(StreamFault::Unfinished, stem, false);
    }
    if (list.state == ChecksumList::State::Invalid) {
        listProblem_ = list.problem;
        return Fail(StreamFault::ListUnusable, list.problem.path, false);
    }
    const SeriesChecksums* expected = list.Valid() ? &list.series : nullptr;
    if (expected != nullptr && expected->Count() != job.SmallFileCount) {
        return Fail(StreamFault::Mismatch, ChecksumFilePath(stem), false);
    }
    // Standard output may be redirected into a piece (">>"): it would grow
    // while it is read.
    if (const auto out = platform_.HandleIdentity(output)) {
        for (int k = 1; k <= job.SmallFileCount; ++k) {
            const std::string piece = PieceName(stem, suffix, k);
            if (platform_.FileIdentity(piece) == out) {
                return Fail(StreamFault::OutputIsPiece, piece, false);
            }
        }
        if (platform_.FileIdentity(ChecksumFilePath(stem)) == out) {
            return Fail(StreamFault::OutputIsPiece, ChecksumFilePath(stem), false);
        }
    }
    const auto buffers = platform_.Allocate(static_cast<std::size_t>(kBuffers * kBlock));
    if (!buffers) {
        return Fail(StreamFault::CannotRead, PieceName(stem, suffix, 1), false);
    }
    platform_.WidenPipe(output, kBlock);
    host_.SetProgressRange(0, kProgressMaximum);
    total_ = job.BigFileBytes;
    done_ = 0;
    // Each piece is hashed whole before its first byte goes out: the next
    // ones are hashed while one goes out. What goes out is hashed once more
    // from the buffer it went out of: as the whole where the list has its
    // line, which also catches a piece that changed after its check, else
    // piece by piece. Both threads take whichever hashing is free, so that
    // both cores work while this one reads and writes.
    std::unique_ptr<StreamHasher> checks;
    if (expected != nullptr) {
        checks = std::make_unique<StreamHasher>(platform_);
    }
    const bool wholeListed = expected != nullptr && !expected->whole.empty();
    Sha256 pieceSent;
    Sending sending{buffers.get(), wholeListed ? checks.get() : nullptr,
                    expected != nullptr && !wholeListed ? &pieceSent : nullptr};
    int checksStarted = 0;
    const auto start = [&](int k) {
        const FileHandle file = platform_.OpenForReading(PieceName(stem, suffix, k));
        const std::int64_t size = file == kNoFile ? -1 : platform_.SizeOf(file);
        if (size < 0) {
            platform_.Close(file);
            return Pending{};
        }
        if (checks) {
            checks->AddToPieceAhead(file, 0, size);
            checks->NextPiece();
            ++checksStarted;
        }
        return Pending{file, checksStarted};
    };
    // The piece going out, and the ones after it, opened and queued for their checks.
    Pending current;
    std::deque<Pending> ahead;
    int opened = 0;
    // Whatever ends the run, the hashing is over before a piece is closed.
    const auto closeAll = [&] {
        checks.reset();
        platform_.Close(current.file);
        for (const Pending& piece : ahead) {
            platform_.Close(piece.file);
        }
    };
    for (int k = 1; k <= job.SmallFileCount; ++k) {
        const std::string path = PieceName(stem, suffix, k);
        while (opened < std::min(k + kPiecesAhead, job.SmallFileCount)) {
            ahead.push_back(start(++opened));
        }
        current = ahead.front();
        ahead.pop_front();
        if (current.file == kNoFile) {
            // Opened again, for the system's reason now.
            current = start(k);
            if (current.file == kNoFile) {
                closeAll();
                return Fail(StreamFault::CannotRead, path, true);
            }
        }
        if (checks) {
            const auto digest = checks->WaitForPiece(current.check);
            if (!digest || *digest != expected->pieces[static_cast<std::size_t>(k)]) {
                closeAll();
                return Fail(digest ? StreamFault::Mismatch : StreamFault::CannotRead, path, false);
            }
        }
        const StreamFault fault = CopyPiece(current.file, path, output, sending);
        if (fault == StreamFault::None && sending.piece != nullptr &&
            sending.piece->HexDigest() != expected->pieces[static_cast<std::size_t>(k)]) {
            closeAll();
            return Fail(StreamFault::Mismatch, path, false);
        }
        if (fault != StreamFault::None) {
            closeAll();
            return fault;
        }
        platform_.Close(std::exchange(current.file, kNoFile));
    }
    const std::optional<std::string> whole = wholeListed ? checks->EndWhole() : std::nullopt;
    closeAll();
    if (wholeListed && whole != expected->whole) {
        return Fail(StreamFault::Mismatch, PieceAtFault(job, suffix, *expected), false);
    }
    verified_ = expected != nullptr;
    return StreamFault::None;
}

// Sends the piece to output as it is now, each block from a buffer of its
// own, so that its hashing may end while the next blocks go out.
StreamFault StreamJoin::CopyPiece(FileHandle piece, const std::string& path, FileHandle output,
                                  Sending& sending) {
    for (std::int64_t got = kBlock; got > 0;) {
        if (platform_.PendingInterrupt() != 0) {
            return StreamFault::Interrupted;
        }
        char* const buffer = sending.buffers + (sending.next++ % kBuffers) * kBlock;
        if (sending.whole != nullptr) {
            sending.whole->WaitForBytes(buffer);
        }
        got = platform_.Read(piece, buffer, kBlock);
        if (got < 0) {
            return Fail(StreamFault::CannotRead, path, true);
        }
        if (got > 0 && platform_.Write(output, buffer, got) != got) {
            return Fail(StreamFault::CannotWrite, {}, true);
        }
        if (sending.whole != nullptr) {
            sending.whole->AddToWhole(buffer, got);
        } else if (sending.piece != nullptr) {
            sending.piece->Update(buffer, static_cast<std::size_t>(got));
        }
        done_ += got;
        if (total_ > 0) {
            host_.SetProgress(static_cast<int>(done_ * kProgressMaximum / total_));
        }
    }
    return StreamFault::None;
}

// What went out differs from the list's line for the whole although each
// piece matched its own line before it went: the first piece that no longer
// does changed on its way out; with none, the list contradicts itself.
std::string StreamJoin::PieceAtFault(const Job& job, const std::string& suffix,
                                     const SeriesChecksums& expected) {
    StreamHasher pieces(platform_);
    std::vector<FileHandle> files;
    for (int k = 1; k <= job.SmallFileCount; ++k) {
        const FileHandle file = platform_.OpenForReading(PieceName(job.SmallFilesBase, suffix, k));
        const std::int64_t size = file == kNoFile ? -1 : platform_.SizeOf(file);
        if (size > 0) {
            pieces.AddToPiece(file, 0, size);
        }
        pieces.NextPiece();
        files.push_back(file);
    }
    pieces.Wait();
    std::string fault = expected.wholeName;
    for (int k = 1; k <= job.SmallFileCount; ++k) {
        if (pieces.PieceDigest(k) != expected.pieces[static_cast<std::size_t>(k)]) {
            fault = PieceName(job.SmallFilesBase, suffix, k);
            break;
        }
    }
    for (const FileHandle file : files) {
        pieces.Release(file);
    }
    return fault;
}

StreamFault StreamJoin::Fail(StreamFault fault, const std::string& path, bool withReason) {
    faultReason_ = withReason ? platform_.LastErrorText() : std::string();
    faultPath_ = path;
    return fault;
}

}  // namespace brelker
