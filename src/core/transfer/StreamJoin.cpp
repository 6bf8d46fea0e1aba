#include "transfer/StreamJoin.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "transfer/PieceNames.h"
#include "transfer/TransferOptions.h"

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

StreamJoin::StreamJoin(Platform& platform, ProgressView& host) : platform_(platform), host_(host) {}

// Whatever ends the run, the hashing is over before a piece is closed.
StreamJoin::~StreamJoin() { checks_.reset(); }

std::string StreamJoin::Piece(int k) const { return PieceName(stem_, suffix_, k); }

TransferResult StreamJoin::Run(const Job& job, const std::string& suffix, FileHandle output) {
    stem_ = job.SmallFilesBase;
    suffix_ = suffix;
    count_ = job.SmallFileCount;
    total_ = job.BigFileBytes;
    TransferResult result;
    Step step = Start(job, output);
    if (!step) {
        step = SendAll(output);
    }
    checks_.reset();
    ahead_.clear();
    result.Take(step);
    result.verified = !step && expected_ != nullptr;
    return result;
}

// Read as a join reads: no split may write these pieces meanwhile. A list
// that is there but not understood proves nothing, and is not taken for no
// list: what goes out cannot be taken back.
Step StreamJoin::Start(const Job& job, FileHandle output) {
    if (Step locked = locks_.Take({stem_})) {
        return locked;
    }
    list_ = ReadSeriesChecksums(platform_, stem_, suffix_);
    if (list_.state == ChecksumList::State::Unfinished) {
        TransferFailure unfinished = Refusal(TransferOutcome::SeriesUnfinished, stem_);
        unfinished.piece = list_.series.Count();
        unfinished.plannedPieces = list_.plannedPieces;
        return unfinished;
    }
    if (list_.state == ChecksumList::State::Invalid) {
        TransferFailure unusable =
            Refusal(TransferOutcome::ChecksumFileUnusable, list_.problem.path);
        unusable.checksumProblem = list_.problem;
        return unusable;
    }
    expected_ = list_.Valid() ? &list_.series : nullptr;
    if (expected_ != nullptr && expected_->Count() != job.SmallFileCount) {
        return Refusal(TransferOutcome::ChecksumMismatch, ChecksumFilePath(stem_));
    }
    // Standard output may be redirected into a piece (">>"): it would grow
    // while it is read.
    if (const auto out = platform_.HandleIdentity(output)) {
        for (int k = 1; k <= count_; ++k) {
            if (platform_.FileIdentity(Piece(k)) == out) {
                return Refusal(TransferOutcome::StreamIsSeriesFile, Piece(k));
            }
        }
        if (platform_.FileIdentity(ChecksumFilePath(stem_)) == out) {
            return Refusal(TransferOutcome::StreamIsSeriesFile, ChecksumFilePath(stem_));
        }
    }
    buffers_ = platform_.Allocate(static_cast<std::size_t>(kBuffers * kBlock));
    if (!buffers_) {
        return Refusal(TransferOutcome::NoBuffer, {});
    }
    return {};
}

// Each piece is hashed whole before its first byte goes out: the next ones
// are hashed while one goes out. What goes out is hashed once more from the
// buffer it went out of: as the whole where the list has its line, which
// also catches a piece that changed after its check, else piece by piece.
// Both threads take whichever hashing is free, so that both cores work while
// this one reads and writes.
Step StreamJoin::SendAll(FileHandle output) {
    platform_.WidenPipe(output, kBlock);
    host_.SetProgressRange(0, kProgressMaximum);
    done_ = 0;
    if (expected_ != nullptr) {
        checks_ = std::make_unique<StreamHasher>(platform_);
    }
    wholeListed_ = expected_ != nullptr && !expected_->whole.empty();
    for (int k = 1; k <= count_; ++k) {
        if (Step failed = SendPiece(k, output)) {
            return failed;
        }
    }
    const std::optional<std::string> whole =
        wholeListed_ ? checks_->EndWhole() : std::optional<std::string>();
    if (wholeListed_ && whole != expected_->whole) {
        checks_.reset();
        return Refusal(TransferOutcome::ChecksumMismatch, PieceAtFault());
    }
    return {};
}

StreamJoin::Pending StreamJoin::Open(int k) {
    OpenedFile file(platform_, platform_.OpenForReading(Piece(k)));
    const std::int64_t size = file ? platform_.SizeOf(file.Handle()) : -1;
    if (size < 0) {
        return {OpenedFile(platform_, kNoFile), 0};
    }
    if (checks_) {
        checks_->AddToPieceAhead(file.Handle(), 0, size);
        checks_->NextPiece();
        ++checksStarted_;
    }
    return {std::move(file), checksStarted_};
}

Step StreamJoin::SendPiece(int k, FileHandle output) {
    while (opened_ < std::min(k + kPiecesAhead, count_)) {
        ahead_.push_back(Open(++opened_));
    }
    Pending current = std::move(ahead_.front());
    ahead_.pop_front();
    if (!current.file) {
        // Opened again, for the system's reason now.
        current = Open(k);
        if (!current.file) {
            TransferFailure failed = Failure(platform_, TransferOutcome::PieceFailed, Piece(k));
            failed.piece = k;
            checks_.reset();
            return failed;
        }
    }
    const auto& listed =
        expected_ != nullptr ? expected_->pieces[static_cast<std::size_t>(k)] : std::string();
    if (checks_) {
        const auto digest = checks_->WaitForPiece(current.check);
        if (!digest || *digest != listed) {
            checks_.reset();
            return Refusal(
                digest ? TransferOutcome::ChecksumMismatch : TransferOutcome::ReadBackFailed,
                Piece(k));
        }
    }
    Step failed = CopyPiece(current.file.Handle(), k, output);
    if (!failed && expected_ != nullptr && !wholeListed_ && pieceSent_.HexDigest() != listed) {
        failed = Refusal(TransferOutcome::ChecksumMismatch, Piece(k));
    }
    if (failed) {
        checks_.reset();
    }
    return failed;
}

// Sends the piece to output as it is now, each block from a buffer of its
// own, so that its hashing may end while the next blocks go out.
Step StreamJoin::CopyPiece(FileHandle piece, int k, FileHandle output) {
    for (std::int64_t got = kBlock; got > 0;) {
        if (platform_.PendingInterrupt() != 0) {
            return Refusal(TransferOutcome::Interrupted, {});
        }
        char* const buffer = buffers_.get() + (nextBuffer_++ % kBuffers) * kBlock;
        if (wholeListed_) {
            checks_->WaitForBytes(buffer);
        }
        got = platform_.Read(piece, buffer, kBlock);
        if (got < 0) {
            TransferFailure failed = Failure(platform_, TransferOutcome::PieceFailed, Piece(k));
            failed.piece = k;
            return failed;
        }
        if (got > 0 && platform_.Write(output, buffer, got) != got) {
            return Failure(platform_, TransferOutcome::CannotWriteBigFile, {});
        }
        if (wholeListed_) {
            checks_->AddToWhole(buffer, got);
        } else if (expected_ != nullptr) {
            pieceSent_.Update(buffer, static_cast<std::size_t>(got));
        }
        done_ += got;
        if (total_ > 0) {
            host_.SetProgress(static_cast<int>(done_ * kProgressMaximum / total_));
        }
    }
    return {};
}

// What went out differs from the list's line for the whole although each
// piece matched its own line before it went: the first piece that no longer
// does changed on its way out; with none, the list contradicts itself.
std::string StreamJoin::PieceAtFault() {
    StreamHasher pieces(platform_);
    std::vector<FileHandle> files;
    for (int k = 1; k <= count_; ++k) {
        OpenedFile file(platform_, platform_.OpenForReading(Piece(k)));
        const std::int64_t size = file ? platform_.SizeOf(file.Handle()) : -1;
        if (size > 0) {
            pieces.AddToPiece(file.Handle(), 0, size);
        }
        pieces.NextPiece();
        files.push_back(file.Release());
    }
    pieces.Wait();
    std::string fault = expected_->wholeName;
    for (int k = 1; k <= count_; ++k) {
        if (pieces.PieceDigest(k) != expected_->pieces[static_cast<std::size_t>(k)]) {
            fault = Piece(k);
            break;
        }
    }
    for (const FileHandle file : files) {
        pieces.Release(file);
    }
    return fault;
}

}  // namespace brelker
