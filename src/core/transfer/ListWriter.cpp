#include "transfer/ListWriter.h"

#include <utility>

#include "checksum/ChecksumFile.h"
#include "platform/Paths.h"
#include "transfer/PieceNames.h"
#include "transfer/Sweeps.h"

namespace brelker {

ListWriter::ListWriter(Platform& platform, OwnedFiles& owned, std::string stem, std::string suffix)
    : platform_(platform),
      owned_(owned),
      stem_(std::move(stem)),
      suffix_(std::move(suffix)),
      path_(ChecksumFilePath(stem_)) {
    RemoveLeftTemporaries(platform_, path_);
    if (OwnershipOf(platform_, stem_, suffix_) != ChecksumOwnership::Foreign) {
        record_ = std::make_unique<SeriesRecord>(platform_, path_);
    }
}

// The record could not be written: its path and the system's reason.
Step ListWriter::Failed() const {
    TransferFailure failure = Refusal(TransferOutcome::ChecksumFileNotWritten, path_);
    failure.reason = record_->Reason();
    return failure;
}

Step ListWriter::Begin(int plannedPieces, std::int64_t plannedBytes) {
    if (!record_) {
        return {};
    }
    if (!record_->Begin(plannedPieces, plannedBytes)) {
        return Failed();
    }
    owned_.Add(path_);
    return {};
}

Step ListWriter::Add(int piece, const std::string& digest) {
    if (record_ && !record_->Add({digest, BareFileName(PieceName(stem_, suffix_, piece))})) {
        return Failed();
    }
    return {};
}

Step ListWriter::AddProven(StreamHasher& hasher, int upTo) {
    for (int k = Proven() + 1; record_ && k <= upTo; ++k) {
        const auto digest = hasher.PieceDigest(k);
        if (!digest) {
            break;
        }
        if (Step failed = Add(k, *digest)) {
            return failed;
        }
    }
    return {};
}

Step ListWriter::PutOnDisk() {
    if (record_ && !record_->PutOnDisk()) {
        return Failed();
    }
    return {};
}

// Once finished the list is stamped too, so that a failure after it removes
// the list only while it is what this run wrote.
Step ListWriter::Finish(const std::vector<std::string>& digests, const std::string& whole) {
    if (!record_) {
        return {};
    }
    std::vector<ChecksumLine> lines;
    for (std::size_t k = 1; k < digests.size(); ++k) {
        lines.push_back({digests[k], BareFileName(PieceName(stem_, suffix_, k))});
    }
    lines.push_back({whole, BareFileName(stem_)});
    if (!record_->Finish(lines)) {
        return Failed();
    }
    owned_.Add(path_);
    owned_.Seal(path_);
    return {};
}

Step ListWriter::Remove() {
    if (!record_) {
        return {};
    }
    const auto identity = platform_.FileIdentity(path_);
    if (identity && identity == owned_.IdentityOf(path_) && !platform_.DeleteFile(path_)) {
        return Failure(platform_, TransferOutcome::ChecksumFileNotWritten, path_);
    }
    return {};
}

TransferResult SplitResult(const Step& step, OwnedFiles& owned,
                           const std::optional<ListWriter>& list,
                           std::vector<std::string> stalePieces) {
    TransferResult result;
    if (step) {
        result.removedAfterFailure =
            owned.RemoveAll(list && list->Active() ? list->Path() : std::string());
    }
    result.Take(step);
    result.stalePieces = std::move(stalePieces);
    return result;
}

}  // namespace brelker
