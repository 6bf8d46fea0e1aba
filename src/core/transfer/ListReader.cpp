#include "transfer/ListReader.h"

#include <algorithm>
#include <utility>

#include "transfer/PieceNames.h"

namespace brelker {

TransferFailure UnfinishedSeries(Platform& platform, const std::string& stem,
                                 const std::string& suffix, int listed, int planned) {
    int written = 0;
    while (platform.Exists(PieceName(stem, suffix, written + 1))) {
        ++written;
    }
    TransferFailure failure = Refusal(TransferOutcome::SeriesUnfinished, stem);
    failure.piece = std::max(listed, written);
    failure.plannedPieces = planned;
    return failure;
}

TransferFailure UnusableList(const std::string& stem, const ChecksumList& list) {
    if (list.state == ChecksumList::State::Invalid) {
        TransferFailure failure =
            Refusal(TransferOutcome::ChecksumFileUnusable, ChecksumFilePath(stem));
        failure.checksumProblem = list.problem;
        return failure;
    }
    return Refusal(TransferOutcome::NoChecksumFile, ChecksumFilePath(stem));
}

ListReader::ListReader(Platform& platform, std::string stem, std::string suffix)
    : platform_(platform), stem_(std::move(stem)), suffix_(std::move(suffix)) {}

Step ListReader::Read(int count, bool countedFromList) {
    const ChecksumList list = ReadSeriesChecksums(platform_, stem_, suffix_);
    if (list.state == ChecksumList::State::Absent && !countedFromList) {
        return {};
    }
    if (list.state == ChecksumList::State::Unfinished) {
        return UnfinishedSeries(platform_, stem_, suffix_, list.series.Count(), list.plannedPieces);
    }
    if (!list.Valid()) {
        return UnusableList(stem_, list);
    }
    expected_ = list.series;
    // The series was counted before its checksum file changed.
    if (expected_->Count() != count) {
        return Refusal(TransferOutcome::ChecksumMismatch, ChecksumFilePath(stem_));
    }
    return {};
}

Step ListReader::LookOnDisk(int piece, Job& job) {
    if (expected_ && !unfinished_) {
        return {};
    }
    const ChecksumList list = ReadSeriesChecksums(platform_, stem_, suffix_);
    if (list.state == ChecksumList::State::Absent) {
        return {};
    }
    if (list.state == ChecksumList::State::Unfinished) {
        expected_ = list.series;
        unfinished_ = true;
        unfinishedPlanned_ = list.plannedPieces;
        return {};
    }
    if (!list.Valid()) {
        return UnusableList(stem_, list);
    }
    expected_ = list.series;
    unfinished_ = false;
    if (expected_->Count() < piece) {
        return Refusal(TransferOutcome::ChecksumMismatch, ChecksumFilePath(stem_));
    }
    job.SmallFileCount = expected_->Count();
    job.SmallFileSizes.resize(static_cast<std::size_t>(job.SmallFileCount) + 1, 0);
    return {};
}

// The record of a split that had not finished lists fewer pieces: the rest
// wait for a later disk's list.
Step ListReader::Compare(StreamHasher& hasher, int upTo) {
    upTo = std::min(upTo, expected_->Count());
    for (; checked_ < upTo; ++checked_) {
        const int k = checked_ + 1;
        if (hasher.PieceDigest(k) != expected_->pieces[static_cast<std::size_t>(k)]) {
            return Refusal(TransferOutcome::ChecksumMismatch, PieceName(stem_, suffix_, k));
        }
    }
    return {};
}

Step ListReader::RefuseIfUnfinished() const {
    if (!unfinished_) {
        return {};
    }
    return UnfinishedSeries(platform_, stem_, suffix_, expected_->Count(), unfinishedPlanned_);
}

}  // namespace brelker
