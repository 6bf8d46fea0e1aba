#include "transfer/SplitRun.h"

#include "transfer/NameChecks.h"
#include "transfer/PieceNames.h"
#include "transfer/ReadBack.h"
#include "transfer/Resume.h"
#include "transfer/Sweeps.h"

namespace brelker {

SplitRun::SplitRun(const RunContext& context, const TransferOptions& options)
    : TransferRun(context, options) {}

SplitRun::~SplitRun() { hasher_.reset(); }

TransferResult SplitRun::Run() {
    const Step step = Transfer();
    hasher_.reset();
    piece_.Close();
    // A big file that could not be deleted leaves a whole series beside it.
    TransferResult result;
    if (step && step->outcome == TransferOutcome::BigFileNotRemoved) {
        result.Take(step);
        result.stalePieces = stale_;
    } else {
        result = SplitResult(step, owned_, list_, stale_);
    }
    result.resumedPieces = firstPiece_ - 1;
    return result;
}

bool SplitRun::RemovesBigFile() const { return options_.RemoveBigFile && !job_.ExtractActive; }

// A piece must be on the disk itself before the disk is changed or the big
// file deleted: until then its bytes may exist only in memory.
bool SplitRun::FlushesEachPiece() const { return prompting_ || RemovesBigFile(); }

Step SplitRun::Transfer() {
    MendPlan();
    if (Step refused = CheckSplitNames(platform_, job_, options_)) {
        return refused;
    }
    if (Step locked = locks_.Take({job_.SmallFilesBase, job_.BigFilePath})) {
        return locked;
    }
    if (Step failed = OpenBigFile()) {
        return failed;
    }
    DecidePrompts();
    if (options_.UseFreeSpace) {
        PlanFreeSpace();
    }
    ResetProgress();
    bytesToMove_ = job_.ExtractCount;
    scale_ = ScaleFor(static_cast<double>(job_.ExtractCount));
    // An extraction starts at its first byte. A seek that fails would cut the wrong bytes.
    if (job_.ExtractActive && !platform_.Seek(bigFile_.Handle(), job_.ExtractSkip)) {
        return EndRun(Refusal(TransferOutcome::CannotReadBigFile, {}));
    }
    if (Step failed = StartChecksums()) {
        return EndRun(*failed);
    }
    BoundBlocks(platform_.FileSize(job_.BigFilePath) / 52 + 1);
    // The count is read again before each piece: a free-space split raises it.
    for (int i = firstPiece_; i <= job_.SmallFileCount; ++i) {
        if (Step failed = PieceSteps(i)) {
            return EndRun(*failed);
        }
    }
    EndPieces();
    if (Step failed = FinishPieces()) {
        return failed;
    }
    return Commit();
}

Step SplitRun::OpenBigFile() {
    bigFile_.Reset(platform_.OpenForReading(job_.BigFilePath));
    if (!bigFile_) {
        return Failure(platform_, TransferOutcome::CannotReadBigFile, job_.BigFilePath);
    }
    disks_.Protect(job_.BigFilePath);
    bigFileBytesAtStart_ = platform_.SizeOf(bigFile_.Handle());
    bigFileStamp_ = platform_.FileStamp(job_.BigFilePath);
    return {};
}

// A free-space split decides its pieces as it goes.
void SplitRun::PlanFreeSpace() {
    remaining_ = job_.ExtractCount;
    job_.SmallFileCount = 1;
    job_.SmallFileSizes.assign(2, 0);
    run_.TargetDrive = platform_.VolumeOf(job_.SmallFilesBase);
}

// A split hashes what it moves when it writes a checksum file, and where it
// deletes the big file: that needs the digest of its bytes, to prove the
// pieces read back against it. The record of the split goes where its list
// goes; only a vendor's list there (kept by a split without a list) leaves it out.
Step SplitRun::StartChecksums() {
    job_.PieceDigests.clear();
    job_.WholeDigest.clear();
    sourceOffset_ = job_.ExtractActive ? job_.ExtractSkip : 0;
    list_.emplace(platform_, owned_, job_.SmallFilesBase, options_.Suffix);
    if (options_.WriteChecksumFile || RemovesBigFile()) {
        hasher_ = std::make_unique<StreamHasher>(platform_, options_.WriteChecksumFile);
    }
    return ContinueStopped();
}

// A split run again with Resume over the unfinished list of the same split
// keeps the pieces that still prove against the list and goes on after them;
// the whole's digest still covers every byte, the kept pieces' read from the
// big file. Before the first piece it writes, the record is rewritten with
// the kept lines alone. A split that asks for disks or takes the free space
// decides its pieces as it goes: it has nothing to continue.
Step SplitRun::ContinueStopped() {
    if (prompting_ || options_.UseFreeSpace || !list_->Active()) {
        return {};
    }
    list_->Describe(SplitResumeNote(bigFileStamp_.value_or(std::string()), bigFileBytesAtStart_,
                                    job_, options_.Suffix));
    if (!options_.Resume || !FindSplitResume(platform_, job_, options_.Suffix).Found()) {
        return {};
    }
    const ChecksumList list = ReadSeriesChecksums(platform_, job_.SmallFilesBase, options_.Suffix);
    const int kept = KeptPieces(platform_, job_.SmallFilesBase, options_.Suffix,
                                job_.SmallFileSizes, list.series);
    if (kept == 0) {
        return {};
    }
    for (int k = 1; k <= kept; ++k) {
        const std::int64_t size = job_.SmallFileSizes[static_cast<std::size_t>(k)];
        const std::string piece = PieceName(job_.SmallFilesBase, options_.Suffix, k);
        owned_.Add(piece);
        owned_.Seal(piece);
        if (hasher_) {
            hasher_->Add(kNoFile, 0, bigFile_.Handle(), sourceOffset_, size);
            hasher_->NextPiece();
        }
        host_.AddSizeLine(std::to_string(size));
        sourceOffset_ += size;
        measuredTotal_ += size;
    }
    if (!platform_.Seek(bigFile_.Handle(), sourceOffset_)) {
        return Failure(platform_, TransferOutcome::CannotReadBigFile, job_.BigFilePath);
    }
    keptDigests_.assign(list.series.pieces.begin(), list.series.pieces.begin() + kept + 1);
    bytesOfRun_ = measuredTotal_;
    firstPiece_ = kept + 1;
    list_->Keep(keptDigests_);
    return list_->Begin(job_.SmallFileCount, job_.ExtractCount);
}

Step SplitRun::PieceSteps(int piece) {
    if (Step refused = AskForPieceDisk(piece)) {
        return refused;
    }
    if (Step refused = EraseFloppy(piece)) {
        return refused;
    }
    if (options_.UseFreeSpace && !disks_.SizeFromFreeSpace(piece, remaining_)) {
        return Refusal(TransferOutcome::DiskRefused, {});
    }
    job_.PiecePath = PieceName(job_.SmallFilesBase, options_.Suffix, piece);
    if (Step refused = CheckPieceName(platform_, job_, job_.PiecePath, true)) {
        return refused;
    }
    pieceOffset_ = 0;
    // Each disk tells where the series stood before its first piece; the
    // erase above has passed.
    if (piece == 1 || prompting_) {
        if (Step failed =
                list_->Begin(options_.UseFreeSpace ? 0 : job_.SmallFileCount, job_.ExtractCount)) {
            return failed;
        }
    }
    return WritePiece(piece);
}

// Without a prompt between pieces the disk is never changed, so erasing it
// again would delete the pieces this run has just written; and a disk that
// still holds the last piece was not changed either, whatever the answer was.
Step SplitRun::EraseFloppy(int piece) {
    if (!floppyRoot_ || !options_.EraseFloppyDisks || !(prompting_ || piece == 1)) {
        return {};
    }
    const std::string previous =
        piece < 2 ? std::string() : PieceName(job_.SmallFilesBase, options_.Suffix, piece - 1);
    while (!disks_.WasChanged(previous)) {
        if (!disks_.AskForDisk(piece, DiskPrompt::NotChanged)) {
            return Refusal(TransferOutcome::DiskRefused, {});
        }
        host_.RepaintWindow();
    }
    disks_.EraseDisk(*floppyRoot_);
    return {};
}

Step SplitRun::WritePiece(int piece) {
    piece_.Reset(platform_.CreateForWriting(job_.PiecePath));
    if (!piece_) {
        TransferFailure failed = Failure(platform_, TransferOutcome::PieceFailed, job_.PiecePath);
        failed.piece = piece;
        return failed;
    }
    owned_.Add(job_.PiecePath);
    const std::int64_t size = job_.SmallFileSizes[static_cast<std::size_t>(piece)];
    BeginPiece(piece, size);
    if (Step failed =
            CopyPiece(bigFile_.Handle(), piece_.Handle(), size, job_.BigFilePath, job_.PiecePath)) {
        return failed;
    }
    if (Step failed = CheckPiece()) {
        return failed;
    }
    if (FlushesEachPiece() && !platform_.Flush(piece_.Handle())) {
        return Failure(platform_, TransferOutcome::FlushFailed, job_.PiecePath);
    }
    if (prompting_) {
        if (Step failed = list_->PutOnDisk()) {
            return failed;
        }
    }
    if (Step failed = ClosePiece(size)) {
        return failed;
    }
    owned_.Seal(job_.PiecePath);
    if (floppyRoot_ && options_.EraseFloppyDisks) {
        disks_.NoteLastPiece(job_.PiecePath);
    }
    return {};
}

// What is flushed later goes on its way to the disk now, while the next
// blocks are copied and hashed. Each piece is hashed from the piece itself,
// so that its digest is of the bytes that arrived there, and the whole from
// the big file.
void SplitRun::AfterBlock(std::int64_t count) {
    if (FlushesEachPiece()) {
        platform_.StartFlush(piece_.Handle(), pieceOffset_, count);
    }
    if (hasher_) {
        hasher_->Add(piece_.Handle(), pieceOffset_, bigFile_.Handle(), sourceOffset_, count);
    }
    sourceOffset_ += count;
    pieceOffset_ += count;
}

// A piece is proven before the disk that holds it leaves the drive; any other
// is hashed in the background while the next one is copied, and proven with
// the rest at the end. Its line goes into the record once it is proven.
Step SplitRun::CheckPiece() {
    if (!hasher_) {
        return {};
    }
    if (const int failed = EndPieceHashing(); failed != 0) {
        // Bytes could not be read back: what was written is not proven.
        return Refusal(TransferOutcome::ReadBackFailed,
                       PieceName(job_.SmallFilesBase, options_.Suffix, failed));
    }
    if (!options_.WriteChecksumFile) {
        return {};
    }
    return list_->AddProven(*hasher_, pieceNumber_);
}

// Bytes that ran out were not a full disk where the big file shrank or grew.
Step SplitRun::EndRun(TransferFailure failure) {
    using enum TransferOutcome;
    hasher_.reset();
    piece_.Close();
    const TransferOutcome outcome = failure.outcome;
    const bool bytesShort = outcome == SizesDiffer || outcome == BlockFailed ||
                            outcome == NoBuffer || outcome == FlushFailed ||
                            outcome == ReadBackFailed;
    if (bytesShort && bigFile_ && platform_.SizeOf(bigFile_.Handle()) != bigFileBytesAtStart_) {
        failure = Refusal(BigFileChanged, job_.BigFilePath);
    }
    bigFile_.Close();
    host_.SetProgress(0);
    mover_.Release();
    return failure;
}

// After the last piece: the big file must be as it was at the start, and
// the pieces as long as it.
Step SplitRun::FinishPieces() {
    const std::int64_t expected = job_.ExtractActive ? job_.ExtractCount : bigFileBytesAtStart_;
    if (hasher_) {
        hasher_->Wait();  // the whole is read back from the big file
    }
    if (platform_.SizeOf(bigFile_.Handle()) != bigFileBytesAtStart_) {
        return Refusal(TransferOutcome::BigFileChanged, job_.BigFilePath);
    }
    bigFile_.Close();
    if (expected != measuredTotal_) {
        return Refusal(TransferOutcome::SizesDiffer, {});
    }
    // Written to in place, the big file keeps its size but not its stamp: the
    // pieces may then hold some old bytes and some new, which no list may call whole.
    if (platform_.FileStamp(job_.BigFilePath) != bigFileStamp_) {
        return Refusal(TransferOutcome::BigFileChanged, job_.BigFilePath);
    }
    return CollectDigests();
}

// The digest of every piece and of the whole, once the hashing has read
// back the last bytes.
Step SplitRun::CollectDigests() {
    if (!hasher_) {
        return {};
    }
    const auto whole = hasher_->EndWhole();
    if (hasher_->FailedPiece() != 0 || !whole) {
        return Failure(platform_, TransferOutcome::ReadBackFailed, job_.PiecePath);
    }
    wholeDigest_ = *whole;
    if (options_.WriteChecksumFile) {
        job_.PieceDigests = {std::string()};
        for (int k = 1; k <= job_.SmallFileCount; ++k) {
            const auto index = static_cast<std::size_t>(k);
            job_.PieceDigests.push_back(index < keptDigests_.size()
                                            ? keptDigests_[index]
                                            : hasher_->PieceDigest(k).value_or(std::string()));
        }
        job_.WholeDigest = *whole;
    }
    hasher_.reset();
    return {};
}

// The big file goes only after every piece has passed its check, and only
// while each is still what this run wrote. The list is finished before the
// big file goes: killed in between, the user has both, never neither.
Step SplitRun::Commit() {
    if (RemovesBigFile()) {
        if (Step changed = ConfirmPiecesUnchanged()) {
            return changed;
        }
    }
    stale_ = RemoveStalePieces(platform_, job_.SmallFilesBase, options_.Suffix, job_.SmallFileCount,
                               [this](const std::string& piece) {
                                   return platform_.FileStamp(piece) == bigFileStamp_ ||
                                          platform_.SameFile(piece, job_.BigFilePath);
                               });
    if (Step failed = options_.WriteChecksumFile
                          ? list_->Finish(job_.PieceDigests, job_.WholeDigest)
                          : list_->Remove()) {
        return failed;
    }
    if (!RemovesBigFile()) {
        return {};
    }
    if (platform_.FileStamp(job_.BigFilePath) != bigFileStamp_) {
        return Refusal(TransferOutcome::BigFileChanged, job_.BigFilePath);
    }
    if (!platform_.DeleteFile(job_.BigFilePath)) {
        return Failure(platform_, TransferOutcome::BigFileNotRemoved, job_.BigFilePath);
    }
    return {};
}

// Before the big file goes, each piece on the disk in the drive must still be
// the file this run wrote, of its size and, read back, of its digest: another
// process may have written to it since. Where all of them are in the drive,
// they must also rebuild the big file's bytes, read back as one stream.
Step SplitRun::ConfirmPiecesUnchanged() {
    std::vector<std::string> pieces;
    for (int k = firstPieceOnDisk_; k <= job_.SmallFileCount; ++k) {
        const std::string piece = PieceName(job_.SmallFilesBase, options_.Suffix, k);
        if (!owned_.Noted(piece) || platform_.FileIdentity(piece) != owned_.IdentityOf(piece) ||
            platform_.FileSize(piece) != job_.SmallFileSizes[static_cast<std::size_t>(k)]) {
            return Refusal(TransferOutcome::PieceChanged, piece);
        }
        pieces.push_back(piece);
    }
    TransferProgress unshown;
    const auto back = ReadBack(stop_, platform_, host_).Files(pieces, 0.0f, unshown);
    if (!back) {
        return Refusal(TransferOutcome::Interrupted, {});
    }
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const auto index = static_cast<std::size_t>(firstPieceOnDisk_) + i;
        const bool listed = index < job_.PieceDigests.size() && !job_.PieceDigests[index].empty();
        if (back->states[i] != CheckState::Ok ||
            (listed && back->digests[i] != job_.PieceDigests[index])) {
            return Refusal(TransferOutcome::PieceChanged, pieces[i]);
        }
    }
    if (firstPieceOnDisk_ == 1 && back->whole != wholeDigest_) {
        return Refusal(TransferOutcome::PieceChanged, job_.SmallFilesBase);
    }
    return {};
}

}  // namespace brelker
