#include "transfer/Series.h"

#include <algorithm>

#include "checksum/ChecksumFile.h"
#include "transfer/PieceNames.h"

namespace brelker {

bool PromptsBeforePieces(PauseMode mode, bool onFloppy) {
    return mode == PauseMode::Always || (mode != PauseMode::Never && onFloppy);
}

namespace {

// A series with a checksum file has exactly the pieces it lists: one of them
// missing is named and leaves the count at 0, pieces above them do not belong.
void CountListedSeries(Job& job, Platform& platform, EngineHost& host, const std::string& suffix,
                       int listed) {
    for (int k = 1; k <= listed; ++k) {
        const std::string piece = PieceName(job.SmallFilesBase, suffix, k);
        const std::int64_t size = platform.FileSize(piece);
        if (size < 0) {
            job.PiecePath = piece;
            job.SmallFileCount = 0;
            job.SmallFileSizes.assign(1, 0);
            job.BigFileBytes = 0;
            host.ReportMissingFile(piece);
            return;
        }
        job.BigFileBytes += size;
        job.SmallFileCount = k;
        job.SmallFileSizes.push_back(size);
        host.AddSizeLine(std::to_string(size));
    }
    job.PiecePath = PieceName(job.SmallFilesBase, suffix, listed + 1);
}

}  // namespace

void CountSeries(Job& job, Platform& platform, EngineHost& host, const std::string& suffix) {
    host.BeginCounting();
    job.SmallFileCount = 0;
    job.SmallFileSizes.assign(1, 0);
    const ChecksumList list = ReadSeriesChecksums(platform, job.SmallFilesBase, suffix);
    job.CountedFromChecksumFile = list.Valid();
    if (list.state == ChecksumList::State::Invalid) {
        // A list that is not understood cannot say which pieces belong.
        job.BigFileBytes = 0;
        host.ReportUnusableChecksumFile(list.problem);
        return;
    }
    if (list.Valid()) {
        CountListedSeries(job, platform, host, suffix, list.series.Count());
        return;
    }
    job.PiecePath = PieceName(job.SmallFilesBase, suffix, 1);
    std::int64_t size = platform.FileSize(job.PiecePath);
    while (size >= 0) {
        job.BigFileBytes += size;
        job.SmallFileCount += 1;
        job.SmallFileSizes.push_back(size);
        host.AddSizeLine(std::to_string(size));
        job.PiecePath = PieceName(job.SmallFilesBase, suffix, job.SmallFileCount + 1);
        size = platform.FileSize(job.PiecePath);
    }

    // job.PiecePath is the first number that could not be opened. The series
    // ends there only if it is really not there and no higher number is.
    const auto numbers = PieceNumbersOnDisk(platform, job.SmallFilesBase, suffix);
    const bool unreadable = platform.Exists(job.PiecePath);
    const bool gap = std::any_of(numbers.begin(), numbers.end(),
                                 [&](std::int64_t number) { return number > job.SmallFileCount; });
    if (job.SmallFileCount > 0 && !unreadable && !gap) {
        return;
    }
    job.BigFileBytes = 0;
    job.SmallFileCount = 0;
    job.SmallFileSizes.assign(1, 0);
    host.ClearSizeList();
    if (unreadable) {
        host.ReportUnreadableFile(job.PiecePath);
    } else {
        host.ReportMissingFile(job.PiecePath);
    }
}

void TakeSeriesFromDiskCount(Job& job, EngineHost& host) {
    job.CountedFromChecksumFile = false;
    const int disks = std::max(host.AskDiskCount(), 0);
    job.SmallFileCount = disks;
    job.SmallFileSizes.assign(static_cast<std::size_t>(disks) + 1, 0);
    for (int i = 0; i < disks; ++i) {
        host.AddSizeLine("?");
    }
}

}  // namespace brelker
