#include "transfer/StreamSplit.h"

#include <algorithm>
#include <utility>

#include "checksum/ChecksumFile.h"
#include "platform/Paths.h"
#include "transfer/PieceNames.h"
#include "transfer/Sweeps.h"

namespace brelker {
namespace {

// Bytes read from the stream at a time.
constexpr std::int64_t kBlock = std::int64_t{1} << 20;

}  // namespace

StreamSplit::StreamSplit(Platform& platform, ProgressView& host, std::string inputPath)
    : platform_(platform), host_(host), inputPath_(std::move(inputPath)) {}

TransferResult StreamSplit::Run(FileHandle input, const StreamCut& cut, Job& job) {
    cut_ = cut;
    job.BigFilePath = job.SmallFilesBase;
    job.BigFileBytes = 0;
    job.SmallFileCount = 0;
    job.SmallFileSizes = {0};
    job.PieceDigests = {std::string()};
    job.WholeDigest.clear();
    Step step = Start(input, job);
    if (!step) {
        const auto buffer = platform_.Allocate(static_cast<std::size_t>(kBlock));
        step = buffer ? Copy(input, buffer.get(), job) : Refusal(TransferOutcome::NoBuffer, {});
    }
    if (!step) {
        step = Finish(job);
    }
    piece_.Close();
    return SplitResult(step, owned_, list_, stale_);
}

// Standard input may come from a piece of an earlier series of this stem
// ("< x.Brelked_2"): it is refused before a piece is written. The list says
// that the split has not finished before the first piece is there: killed
// anywhere, it leaves no series that looks whole.
Step StreamSplit::Start(FileHandle input, Job& job) {
    const std::string& stem = job.SmallFilesBase;
    if (Step locked = locks_.Take({stem})) {
        return locked;
    }
    input_ = platform_.HandleIdentity(input);
    if (input_) {
        for (const std::int64_t number : PieceNumbersOnDisk(platform_, stem, cut_.suffix)) {
            const std::string piece = PieceName(stem, cut_.suffix, number);
            if (platform_.FileIdentity(piece) == input_) {
                return Refusal(TransferOutcome::StreamIsSeriesFile, piece);
            }
        }
    }
    // A vendor's list under the stem's name is not rewritten.
    const std::string checksumFile = ChecksumFilePath(stem);
    if (cut_.checksums && OwnershipOf(platform_, stem, cut_.suffix) == ChecksumOwnership::Foreign) {
        return Refusal(TransferOutcome::ForeignChecksumFile, checksumFile);
    }
    if (input_ && platform_.FileIdentity(checksumFile) == input_) {
        return Refusal(TransferOutcome::StreamIsSeriesFile, checksumFile);
    }
    list_.emplace(platform_, owned_, stem, cut_.suffix);
    return list_->Begin(0, -1);
}

Step StreamSplit::Copy(FileHandle input, char* buffer, Job& job) {
    for (;;) {
        if (platform_.PendingInterrupt() != 0) {
            return Refusal(TransferOutcome::Interrupted, {});
        }
        const std::int64_t got = platform_.Read(input, buffer, kBlock);
        if (got < 0) {
            return Failure(platform_, TransferOutcome::CannotReadBigFile, inputPath_);
        }
        if (got == 0) {
            break;
        }
        if (Step failed = Take(buffer, got, job)) {
            return failed;
        }
        host_.ShowBytes(job.BigFileBytes);
    }
    // The same Ctrl+C that ended the writer may be what ended the stream: what
    // came is then not all there was.
    if (platform_.PendingInterrupt() != 0) {
        return Refusal(TransferOutcome::Interrupted, {});
    }
    if (job.SmallFileCount == 0) {
        // Not one byte came: one empty piece, which joins back to the empty stream.
        if (Step failed = OpenPiece(job)) {
            return failed;
        }
    }
    return piece_ ? ClosePiece(job) : Step();
}

// The bytes go into the pieces, each piece closed once it is full.
Step StreamSplit::Take(const char* bytes, std::int64_t count, Job& job) {
    for (std::int64_t at = 0; at < count;) {
        if (!piece_) {
            if (Step failed = OpenPiece(job)) {
                return failed;
            }
        }
        const std::int64_t part = std::min(count - at, cut_.pieceBytes - inPiece_);
        if (platform_.Write(piece_.Handle(), bytes + at, part) != part) {
            return Failure(platform_, TransferOutcome::BlockFailed, job.PiecePath);
        }
        pieceHash_.Update(bytes + at, static_cast<std::size_t>(part));
        wholeHash_.Update(bytes + at, static_cast<std::size_t>(part));
        inPiece_ += part;
        at += part;
        job.BigFileBytes += part;
        if (inPiece_ == cut_.pieceBytes) {
            if (Step failed = ClosePiece(job)) {
                return failed;
            }
        }
    }
    return {};
}

Step StreamSplit::OpenPiece(Job& job) {
    if (job.SmallFileCount >= cut_.maxPieces) {
        return Refusal(TransferOutcome::TooManyPieces, inputPath_);
    }
    job.PiecePath = PieceName(job.SmallFilesBase, cut_.suffix, job.SmallFileCount + 1);
    if (input_ && platform_.FileIdentity(job.PiecePath) == input_) {
        return Refusal(TransferOutcome::StreamIsSeriesFile, job.PiecePath);
    }
    const FileKind kind = platform_.KindOf(job.PiecePath, false);
    if (kind != FileKind::Missing && kind != FileKind::Regular) {
        return Refusal(TransferOutcome::NotARegularFile, job.PiecePath);
    }
    piece_.Reset(platform_.CreateForWriting(job.PiecePath));
    if (!piece_) {
        TransferFailure failed = Failure(platform_, TransferOutcome::PieceFailed, job.PiecePath);
        failed.piece = job.SmallFileCount + 1;
        return failed;
    }
    owned_.Add(job.PiecePath);
    ++job.SmallFileCount;
    inPiece_ = 0;
    return {};
}

Step StreamSplit::ClosePiece(Job& job) {
    if (!platform_.Flush(piece_.Handle())) {
        const TransferFailure failed =
            Failure(platform_, TransferOutcome::FlushFailed, job.PiecePath);
        piece_.Close();
        return failed;
    }
    piece_.Close();
    owned_.Seal(job.PiecePath);
    job.SmallFileSizes.push_back(inPiece_);
    job.PieceDigests.push_back(pieceHash_.HexDigest());
    return list_->Add(job.SmallFileCount, job.PieceDigests.back());
}

Step StreamSplit::Finish(Job& job) {
    const std::string& stem = job.SmallFilesBase;
    job.WholeDigest = wholeHash_.HexDigest();
    platform_.FlushFolder(FolderOfPath(stem));
    stale_ = RemoveStalePieces(platform_, stem, cut_.suffix, job.SmallFileCount,
                               [this](const std::string& piece) {
                                   return input_ && platform_.FileIdentity(piece) == input_;
                               });
    if (cut_.checksums) {
        return list_->Finish(job.PieceDigests, job.WholeDigest);
    }
    job.PieceDigests.clear();
    job.WholeDigest.clear();
    // The record replaced the list of an earlier series, which would fail
    // every join of these pieces; it goes now that the pieces are whole.
    return list_->Remove();
}

}  // namespace brelker
