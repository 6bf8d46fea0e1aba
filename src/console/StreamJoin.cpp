#include "console/StreamJoin.h"

#include "engine/Engine.h"
#include "engine/PieceNames.h"

namespace brelker {
namespace {

constexpr std::int64_t kBlock = std::int64_t{1} << 20;

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
    const auto buffer = platform_.Allocate(static_cast<std::size_t>(kBlock));
    if (!buffer) {
        return Fail(StreamFault::CannotRead, PieceName(stem, suffix, 1), false);
    }
    host_.SetProgressRange(0, kProgressMaximum);
    total_ = job.BigFileBytes;
    done_ = 0;
    for (int k = 1; k <= job.SmallFileCount; ++k) {
        const std::string path = PieceName(stem, suffix, k);
        const FileHandle piece = platform_.OpenForReading(path);
        if (piece == kNoFile) {
            return Fail(StreamFault::CannotRead, path, true);
        }
        const std::string* digest =
            expected != nullptr ? &expected->pieces[static_cast<std::size_t>(k)] : nullptr;
        const StreamFault fault = CopyPiece(piece, path, digest, output, buffer.get());
        platform_.Close(piece);
        if (fault != StreamFault::None) {
            return fault;
        }
    }
    if (expected != nullptr && whole_.HexDigest() != expected->whole) {
        return Fail(StreamFault::Mismatch, expected->wholeName, false);
    }
    verified_ = expected != nullptr;
    return StreamFault::None;
}

StreamFault StreamJoin::CopyPiece(FileHandle piece, const std::string& path,
                                  const std::string* digest, FileHandle output, char* buffer) {
    Sha256 hash;
    if (digest != nullptr) {
        for (std::int64_t got = kBlock; got > 0;) {
            if (platform_.PendingInterrupt() != 0) {
                return StreamFault::Interrupted;
            }
            got = platform_.Read(piece, buffer, kBlock);
            if (got < 0) {
                return Fail(StreamFault::CannotRead, path, true);
            }
            hash.Update(buffer, static_cast<std::size_t>(got));
        }
        if (hash.HexDigest() != *digest) {
            return Fail(StreamFault::Mismatch, path, false);
        }
        if (!platform_.Seek(piece, 0)) {
            return Fail(StreamFault::CannotRead, path, true);
        }
    }
    for (std::int64_t got = kBlock; got > 0;) {
        if (platform_.PendingInterrupt() != 0) {
            return StreamFault::Interrupted;
        }
        got = platform_.Read(piece, buffer, kBlock);
        if (got < 0) {
            return Fail(StreamFault::CannotRead, path, true);
        }
        if (got > 0 && platform_.Write(output, buffer, got) != got) {
            return Fail(StreamFault::CannotWrite, {}, true);
        }
        if (digest != nullptr) {
            hash.Update(buffer, static_cast<std::size_t>(got));
            whole_.Update(buffer, static_cast<std::size_t>(got));
        }
        done_ += got;
        if (total_ > 0) {
            host_.SetProgress(static_cast<int>(done_ * kProgressMaximum / total_));
        }
    }
    // Changed between the check and the copy: its bytes are out, but it is named.
    if (digest != nullptr && hash.HexDigest() != *digest) {
        return Fail(StreamFault::Mismatch, path, false);
    }
    return StreamFault::None;
}

StreamFault StreamJoin::Fail(StreamFault fault, const std::string& path, bool withReason) {
    faultReason_ = withReason ? platform_.LastErrorText() : std::string();
    faultPath_ = path;
    return fault;
}

}  // namespace brelker
