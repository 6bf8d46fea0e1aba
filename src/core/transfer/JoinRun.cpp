#include "transfer/JoinRun.h"

#include "transfer/NameChecks.h"
#include "transfer/PieceNames.h"
#include "transfer/Resume.h"

namespace brelker {

JoinRun::JoinRun(const RunContext& context, const TransferOptions& options)
    : TransferRun(context, options),
      reader_(context.platform, context.job.SmallFilesBase, options.Suffix) {}

JoinRun::~JoinRun() { hasher_.reset(); }

TransferResult JoinRun::Run() {
    TransferResult result;
    result.Take(Transfer());
    result.verified = verified_;
    result.partialPath = target_.PartialPath();
    result.appendUndone = target_.AppendUndone();
    result.keptForResume = target_.KeptForResume();
    result.resumedPieces = firstPiece_ - 1;
    return result;
}

Step JoinRun::Transfer() {
    MendPlan();
    if (Step refused = CheckJoinNames(platform_, job_, options_)) {
        return refused;
    }
    if (Step locked = locks_.Take({job_.BigFilePath, job_.SmallFilesBase})) {
        return locked;
    }
    // A prompted join reads its list disk by disk: no record ties it to one.
    DecidePrompts();
    const auto series =
        prompting_ ? std::nullopt : SeriesIdentity(platform_, job_.SmallFilesBase, options_.Suffix);
    if (Step failed = target_.Open(series, options_.Resume)) {
        return failed;
    }
    ResetProgress();
    if (!prompting_) {
        MeasurePieces();
    }
    if (Step failed = StartChecksums()) {
        return EndRun(*failed);
    }
    if (Step failed = ContinueStopped()) {
        return EndRun(*failed);
    }
    BoundBlocks(1);
    // The count is read again before each piece: a disk's list may set it.
    for (int i = firstPiece_; i <= job_.SmallFileCount; ++i) {
        if (Step failed = PieceSteps(i)) {
            return EndRun(*failed);
        }
    }
    EndPieces();
    return Finish();
}

// A prompted join cannot know the bytes to move and scales piece by piece.
void JoinRun::MeasurePieces() {
    double total = 0;
    for (int i = 1; i <= job_.SmallFileCount; ++i) {
        total += static_cast<double>(job_.SmallFileSizes[static_cast<std::size_t>(i)]);
        bytesToMove_ += job_.SmallFileSizes[static_cast<std::size_t>(i)];
    }
    scale_ = ScaleFor(total);
}

// A join hashes what it moves when its series has a list. A prompted join
// hashes from the first piece on, since the list may come in only with a
// later disk.
Step JoinRun::StartChecksums() {
    if (!prompting_) {
        if (Step refused = reader_.Read(job_.SmallFileCount, job_.CountedFromChecksumFile)) {
            return refused;
        }
        if (!reader_.Expected()) {
            return {};
        }
    }
    hasher_ = std::make_unique<StreamHasher>(platform_, HashesPieces());
    return {};
}

// The bytes of a taken-over target count only as far as they prove, piece by
// piece, against the list; the rest is cut off, and the join goes on after
// the last piece that proved. They are hashed once more into the whole,
// which is compared at the end as always.
Step JoinRun::ContinueStopped() {
    if (!target_.TakenOver()) {
        return {};
    }
    const std::int64_t base = run_.AppendBaseBytes;
    const int kept = reader_.Expected() && hasher_
                         ? KeptPrefix(platform_, target_.Handle(), base, job_.SmallFileSizes,
                                      *reader_.Expected())
                         : 0;
    std::int64_t bytes = 0;
    for (int k = 1; k <= kept; ++k) {
        const std::int64_t size = job_.SmallFileSizes[static_cast<std::size_t>(k)];
        hasher_->Add(target_.Handle(), base + bytes, size);
        hasher_->NextPiece();
        host_.AddSizeLine(std::to_string(size));
        bytes += size;
    }
    if (!target_.KeepProven(bytes)) {
        return Failure(platform_, TransferOutcome::CannotWriteBigFile, target_.Path());
    }
    measuredTotal_ = bytes;
    bytesOfRun_ = bytes;
    firstPiece_ = kept + 1;
    return {};
}

// A join proves what it wrote by the digest of the whole, read back from the
// joined file, and so hashes each byte once. It hashes the pieces as well
// where one is deleted before the end (a prompted join, disk by disk), where
// it reads back the pieces instead of what it wrote, and where the list has
// no line for the whole.
bool JoinRun::HashesPieces() const {
    return prompting_ || !target_.Readable() ||
           (reader_.Expected() && reader_.Expected()->whole.empty());
}

Step JoinRun::PieceSteps(int piece) {
    if (Step refused = AskForPieceDisk(piece)) {
        return refused;
    }
    if (prompting_) {
        if (Step refused = reader_.LookOnDisk(piece, job_)) {
            return refused;
        }
    }
    job_.PiecePath = PieceName(job_.SmallFilesBase, options_.Suffix, piece);
    if (Step refused = CheckPieceName(platform_, job_, job_.PiecePath, false)) {
        return refused;
    }
    if (prompting_) {
        ScaleByDisk(piece);
    }
    piece_.Reset(platform_.OpenForReading(job_.PiecePath));
    if (!piece_) {
        TransferFailure failed = Failure(platform_, TransferOutcome::PieceFailed, job_.PiecePath);
        failed.piece = piece;
        return failed;
    }
    const std::int64_t size = job_.SmallFileSizes[static_cast<std::size_t>(piece)];
    BeginPiece(piece, size);
    sourceOffset_ = 0;
    if (Step failed =
            CopyPiece(piece_.Handle(), target_.Handle(), size, job_.PiecePath, target_.Path())) {
        return failed;
    }
    if (Step failed = CheckPiece(piece)) {
        return failed;
    }
    if (Step failed = ClosePiece(size)) {
        return failed;
    }
    return DeleteWithDisk(piece);
}

// The pieces so far, with the pieces still to come taken as large as them.
void JoinRun::ScaleByDisk(int piece) {
    auto& sizes = job_.SmallFileSizes;
    const auto index = static_cast<std::size_t>(piece);
    sizes[index] = platform_.FileSize(job_.PiecePath);
    double sum = 0;
    for (std::size_t k = 1; k <= index; ++k) {
        sum += static_cast<double>(sizes[k]);
    }
    scale_ = job_.SmallFileCount > piece ? ScaleFor(sum * (job_.SmallFileCount - 0.5) / piece)
                                         : ScaleFor(sum);
}

// What is flushed later goes on its way to the disk now. What arrived in the
// target is hashed from there; an append to a file that may be written but
// not read hashes the pieces as it reads them instead.
void JoinRun::AfterBlock(std::int64_t count) {
    platform_.StartFlush(target_.Handle(), target_.Offset(), count);
    if (hasher_ && target_.Readable()) {
        hasher_->Add(target_.Handle(), target_.Offset(), count);
    } else if (hasher_) {
        hasher_->Add(piece_.Handle(), sourceOffset_, count);
    }
    sourceOffset_ += count;
    target_.Offset() += count;
}

// A piece is proven before it can go: before a join deletes it, and before
// the disk that holds it leaves the drive; pieces of a prompted join that
// came before the list are compared as soon as it is there. Any other piece
// is hashed in the background while the next one is copied.
Step JoinRun::CheckPiece(int piece) {
    if (!hasher_) {
        return {};
    }
    if (const int failed = EndPieceHashing(); failed != 0) {
        // The piece could not be read, whatever it holds.
        TransferFailure unread = Refusal(TransferOutcome::PieceFailed, {});
        unread.piece = failed;
        return unread;
    }
    if (!prompting_ || !reader_.Expected()) {
        return {};
    }
    return reader_.Compare(*hasher_, piece);
}

// A piece of a prompted join goes with its disk, once its bytes are safely
// in the big file and match their line in the list; one that no list
// proves yet stays. Without disk changes every piece stays until the
// whole is proven.
Step JoinRun::DeleteWithDisk(int piece) {
    if (!options_.RemoveSmallFiles || !prompting_ || reader_.Checked() < piece) {
        return {};
    }
    if (!platform_.Flush(target_.Handle())) {
        return Failure(platform_, TransferOutcome::FlushFailed, target_.Path());
    }
    if (Step failed = target_.KeepForPieces()) {
        return failed;
    }
    if (platform_.DeleteFile(job_.PiecePath)) {
        target_.PieceDeleted();
    }
    return {};
}

Step JoinRun::EndRun(TransferFailure failure) {
    const bool outOfRoom =
        failure.outcome == TransferOutcome::BlockFailed && platform_.LastErrorIsFull();
    hasher_.reset();
    piece_.Close();
    target_.Abandon(outOfRoom);
    host_.SetProgress(0);
    mover_.Release();
    return failure;
}

// Extraction belongs to a split: a join is always checked against the file
// it wrote on disk, even while an extraction range is still set. The joined
// file goes to the disk while the hashing of its last bytes ends; it is
// compared whole before it may replace the big file.
Step JoinRun::Finish() {
    if (job_.AppendActive) {
        measuredTotal_ += run_.AppendBaseBytes;
    }
    const bool flushed = platform_.Flush(target_.Handle());
    const std::string flushFailure = flushed ? std::string() : platform_.LastErrorText();
    if (Step failed = FinishChecksums()) {
        target_.Abandon();
        return failed;
    }
    Step failed = target_.Finish(measuredTotal_, flushed, flushFailure);
    if (!failed && options_.RemoveSmallFiles && !prompting_) {
        for (int k = 1; k <= job_.SmallFileCount; ++k) {
            platform_.DeleteFile(PieceName(job_.SmallFilesBase, options_.Suffix, k));
        }
    }
    return failed;
}

// The whole file, or where the list has no line for it each piece, compared
// with the list. A prompted join whose last list was the record of an
// unfinished split proves nothing whole.
Step JoinRun::FinishChecksums() {
    if (!hasher_) {
        return {};
    }
    const auto whole = hasher_->EndWhole();
    if (const int failed = hasher_->FailedPiece(); failed != 0 || !whole) {
        TransferFailure unread =
            Refusal(failed == 0 ? TransferOutcome::ReadBackFailed : TransferOutcome::PieceFailed,
                    failed == 0 ? job_.BigFilePath : std::string());
        unread.piece = failed;
        return unread;
    }
    if (!reader_.Expected()) {
        return {};
    }
    if (Step refused = reader_.RefuseIfUnfinished()) {
        return refused;
    }
    const bool pieceDigests = HashesPieces();
    if (pieceDigests) {
        if (Step differs = reader_.Compare(*hasher_, job_.SmallFileCount)) {
            return differs;
        }
    }
    hasher_.reset();
    const SeriesChecksums& expected = *reader_.Expected();
    if (!expected.whole.empty() && *whole != expected.whole) {
        return Refusal(TransferOutcome::ChecksumMismatch,
                       pieceDigests ? job_.BigFilePath : PieceAtFault());
    }
    verified_ = true;
    return {};
}

// The joined file differs from the list: the first piece whose bytes in it
// differ from their line, read back once more, with both threads; the joined
// file itself when every piece matches its line, and so the list's line for
// the whole disagrees with the lines of its pieces.
std::string JoinRun::PieceAtFault() {
    StreamHasher pieces(platform_);
    std::int64_t offset = run_.AppendBaseBytes;
    for (int k = 1; k <= job_.SmallFileCount; ++k) {
        const std::int64_t size = job_.SmallFileSizes[static_cast<std::size_t>(k)];
        pieces.AddToPiece(target_.Handle(), offset, size);
        pieces.NextPiece();
        offset += size;
    }
    pieces.Wait();
    for (int k = 1; k <= job_.SmallFileCount; ++k) {
        const auto digest = pieces.PieceDigest(k);
        if (digest && *digest != reader_.Expected()->pieces[static_cast<std::size_t>(k)]) {
            return PieceName(job_.SmallFilesBase, options_.Suffix, k);
        }
    }
    return job_.BigFilePath;
}

}  // namespace brelker
