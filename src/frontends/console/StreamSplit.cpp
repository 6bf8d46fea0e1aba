#include "console/StreamSplit.h"

#include <algorithm>
#include <utility>

#include "checksum/ChecksumFile.h"
#include "checksum/SeriesRecord.h"
#include "plan/SizePlan.h"
#include "platform/Paths.h"
#include "transfer/PieceNames.h"

namespace brelker {
namespace {

// Bytes read from the stream at a time.
constexpr std::int64_t kBlock = std::int64_t{1} << 20;

}  // namespace

StreamSplit::StreamSplit(Platform& platform, ConsoleHost& host, std::string inputPath)
    : platform_(platform), host_(host), inputPath_(std::move(inputPath)) {}

StreamFault StreamSplit::Run(FileHandle input, std::int64_t pieceBytes, const std::string& suffix,
                             bool checksums, Job& job) {
    suffix_ = suffix;
    job.BigFilePath = job.SmallFilesBase;
    job.BigFileBytes = 0;
    job.SmallFileCount = 0;
    job.SmallFileSizes = {0};
    job.PieceDigests = {std::string()};
    job.WholeDigest.clear();
    const auto lock = platform_.LockForWriting(job.SmallFilesBase);
    if (!lock) {
        return Fail(StreamFault::Locked, job.SmallFilesBase, false);
    }
    // Standard input may come from a piece of an earlier series of this stem
    // ("< x.Brelked_2"): it is refused before a piece is written.
    input_ = platform_.HandleIdentity(input);
    if (input_) {
        for (const std::int64_t number :
             PieceNumbersOnDisk(platform_, job.SmallFilesBase, suffix_)) {
            const std::string piece = PieceName(job.SmallFilesBase, suffix_, number);
            if (platform_.FileIdentity(piece) == input_) {
                return Fail(StreamFault::InputIsPiece, piece, false);
            }
        }
    }
    // A vendor's list under the stem's name is not rewritten.
    const ChecksumOwnership owner = OwnershipOf(platform_, job.SmallFilesBase, suffix_);
    if (checksums && owner == ChecksumOwnership::Foreign) {
        return Fail(StreamFault::ForeignList, ChecksumFilePath(job.SmallFilesBase), false);
    }
    // The list says that the split has not finished before the first piece
    // is there: killed anywhere, it leaves no series that looks whole.
    if (input_ && platform_.FileIdentity(ChecksumFilePath(job.SmallFilesBase)) == input_) {
        return Fail(StreamFault::InputIsPiece, ChecksumFilePath(job.SmallFilesBase), false);
    }
    if (owner != ChecksumOwnership::Foreign) {
        record_ = std::make_unique<SeriesRecord>(platform_, ChecksumFilePath(job.SmallFilesBase));
        if (!record_->Begin(0, -1)) {
            faultPath_ = record_->Path();
            faultReason_ = record_->Reason();
            return StreamFault::ChecksumNotWritten;
        }
        written_.push_back({record_->Path(), platform_.FileIdentity(record_->Path()), {}});
    }
    const auto buffer = platform_.Allocate(static_cast<std::size_t>(kBlock));
    StreamFault fault = buffer ? Copy(input, buffer.get(), pieceBytes, job)
                               : Fail(StreamFault::CannotRead, inputPath_, false);
    if (fault == StreamFault::None) {
        fault = Finish(job, checksums);
    }
    if (fault != StreamFault::None) {
        RemoveWritten();
    }
    return fault;
}

StreamFault StreamSplit::Copy(FileHandle input, char* buffer, std::int64_t pieceBytes, Job& job) {
    for (;;) {
        if (platform_.PendingInterrupt() != 0) {
            return StreamFault::Interrupted;
        }
        const std::int64_t got = platform_.Read(input, buffer, kBlock);
        if (got < 0) {
            return Fail(StreamFault::CannotRead, inputPath_, true);
        }
        if (got == 0) {
            break;
        }
        for (std::int64_t at = 0; at < got;) {
            if (piece_ == kNoFile) {
                if (const StreamFault fault = OpenPiece(job); fault != StreamFault::None) {
                    return fault;
                }
            }
            const std::int64_t count = std::min(got - at, pieceBytes - inPiece_);
            if (platform_.Write(piece_, buffer + at, count) != count) {
                return Fail(StreamFault::CannotWrite, job.PiecePath, true);
            }
            pieceHash_.Update(buffer + at, static_cast<std::size_t>(count));
            wholeHash_.Update(buffer + at, static_cast<std::size_t>(count));
            inPiece_ += count;
            at += count;
            job.BigFileBytes += count;
            if (inPiece_ == pieceBytes) {
                if (const StreamFault fault = ClosePiece(job); fault != StreamFault::None) {
                    return fault;
                }
            }
        }
        host_.ShowBytes(job.BigFileBytes);
    }
    // The same Ctrl+C that ended the writer may be what ended the stream: what
    // came is then not all there was.
    if (platform_.PendingInterrupt() != 0) {
        return StreamFault::Interrupted;
    }
    if (job.SmallFileCount == 0) {
        // Not one byte came: one empty piece, which joins back to the empty stream.
        if (const StreamFault fault = OpenPiece(job); fault != StreamFault::None) {
            return fault;
        }
    }
    return piece_ != kNoFile ? ClosePiece(job) : StreamFault::None;
}

StreamFault StreamSplit::OpenPiece(Job& job) {
    if (job.SmallFileCount >= SizePlan::MaxSmallFiles) {
        return Fail(StreamFault::TooManyPieces, inputPath_, false);
    }
    job.PiecePath = PieceName(job.SmallFilesBase, suffix_, job.SmallFileCount + 1);
    if (input_ && platform_.FileIdentity(job.PiecePath) == input_) {
        return Fail(StreamFault::InputIsPiece, job.PiecePath, false);
    }
    const FileKind kind = platform_.KindOf(job.PiecePath, false);
    if (kind != FileKind::Missing && kind != FileKind::Regular) {
        return Fail(StreamFault::NotRegular, job.PiecePath, false);
    }
    piece_ = platform_.CreateForWriting(job.PiecePath);
    if (piece_ == kNoFile) {
        return Fail(StreamFault::CannotCreate, job.PiecePath, true);
    }
    written_.push_back({job.PiecePath, platform_.FileIdentity(job.PiecePath), {}});
    ++job.SmallFileCount;
    inPiece_ = 0;
    return StreamFault::None;
}

StreamFault StreamSplit::ClosePiece(Job& job) {
    const bool flushed = platform_.Flush(piece_);
    const StreamFault fault =
        flushed ? StreamFault::None : Fail(StreamFault::CannotWrite, job.PiecePath, true);
    platform_.Close(piece_);
    piece_ = kNoFile;
    if (fault != StreamFault::None) {
        return fault;
    }
    written_.back().stamp = platform_.FileStamp(job.PiecePath);
    job.SmallFileSizes.push_back(inPiece_);
    job.PieceDigests.push_back(pieceHash_.HexDigest());
    if (record_ && !record_->Add({job.PieceDigests.back(), BareFileName(job.PiecePath)})) {
        faultPath_ = record_->Path();
        faultReason_ = record_->Reason();
        return StreamFault::ChecksumNotWritten;
    }
    return StreamFault::None;
}

StreamFault StreamSplit::Finish(Job& job, bool checksums) {
    const std::string& stem = job.SmallFilesBase;
    const std::string checksumFile = ChecksumFilePath(stem);
    job.WholeDigest = wholeHash_.HexDigest();
    platform_.FlushFolder(FolderOfPath(stem));
    RemoveStalePieces(job);
    if (!checksums) {
        job.PieceDigests.clear();
        job.WholeDigest.clear();
        // The record replaced the list of an earlier series, which would fail
        // every join of these pieces; it goes now that the pieces are whole.
        if (record_ && platform_.FileIdentity(checksumFile) == written_.front().identity &&
            !platform_.DeleteFile(checksumFile)) {
            return Fail(StreamFault::ChecksumNotWritten, checksumFile, true);
        }
        return StreamFault::None;
    }
    std::vector<ChecksumLine> lines;
    for (int k = 1; k <= job.SmallFileCount; ++k) {
        lines.push_back({job.PieceDigests[static_cast<std::size_t>(k)],
                         BareFileName(PieceName(stem, suffix_, k))});
    }
    lines.push_back({job.WholeDigest, BareFileName(stem)});
    if (!record_->Finish(lines)) {
        faultPath_ = checksumFile;
        faultReason_ = record_->Reason();
        return StreamFault::ChecksumNotWritten;
    }
    written_.front() = {checksumFile, platform_.FileIdentity(checksumFile),
                        platform_.FileStamp(checksumFile)};
    return StreamFault::None;
}

StreamFault StreamSplit::Fail(StreamFault fault, const std::string& path, bool withReason) {
    faultReason_ = withReason ? platform_.LastErrorText() : std::string();
    faultPath_ = path;
    return fault;
}

// As a split of a file does: only what this run created, and only while it is
// still the file this run wrote.
void StreamSplit::RemoveWritten() {
    if (piece_ != kNoFile) {
        platform_.Close(piece_);
        piece_ = kNoFile;
    }
    for (const Written& file : written_) {
        const bool same = file.identity && platform_.FileIdentity(file.path) == file.identity &&
                          (!file.stamp || platform_.FileStamp(file.path) == file.stamp);
        if (same && platform_.KindOf(file.path, false) == FileKind::Regular &&
            platform_.DeleteFile(file.path) && (!record_ || file.path != record_->Path())) {
            removed_.push_back(file.path);
        }
    }
}

// Pieces numbered above the new count belong to an earlier, longer series of
// the same stem, which a later join would otherwise take in.
void StreamSplit::RemoveStalePieces(const Job& job) {
    for (const std::int64_t number : PieceNumbersOnDisk(platform_, job.SmallFilesBase, suffix_)) {
        const std::string piece = PieceName(job.SmallFilesBase, suffix_, number);
        if (number <= job.SmallFileCount || platform_.KindOf(piece, false) != FileKind::Regular ||
            (input_ && platform_.FileIdentity(piece) == input_)) {
            continue;
        }
        if (platform_.DeleteFile(piece)) {
            stale_.push_back(piece);
        }
    }
}

}  // namespace brelker
