#include "transfer/VerifyRun.h"

#include <algorithm>

#include "platform/Paths.h"
#include "transfer/BlockMover.h"
#include "transfer/ListReader.h"
#include "transfer/PieceNames.h"

namespace brelker {

VerifyRun::VerifyRun(Job& job, StopSignal& stop, Platform& platform, EngineHost& host,
                     const TransferOptions& options)
    : job_(job),
      platform_(platform),
      host_(host),
      options_(options),
      readBack_(stop, platform, host) {}

TransferResult VerifyRun::Run(const std::vector<std::string>& bigFileFolders,
                              VerifyReport& report) {
    report = {};
    report.checksumFile = ChecksumFilePath(job_.SmallFilesBase);
    const ChecksumList list = ReadSeriesChecksums(platform_, job_.SmallFilesBase, options_.Suffix);
    TransferResult result;
    if (list.state == ChecksumList::State::Unfinished) {
        result.Take(UnfinishedSeries(platform_, job_.SmallFilesBase, options_.Suffix,
                                     list.series.Count(), list.plannedPieces));
    } else if (!list.Valid()) {
        result.Take(UnusableList(job_.SmallFilesBase, list));
    } else {
        result.Take(Check(list, bigFileFolders, report));
        host_.SetProgress(0);
    }
    return result;
}

// The list names the joined file by a bare name, so it is only ever looked
// for in these folders; one there that cannot be read is reported.
std::optional<std::string> VerifyRun::FindJoined(const SeriesChecksums& expected,
                                                 const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        const std::string path = JoinFolder(folder, expected.wholeName);
        if (!expected.wholeName.empty() && platform_.KindOf(path, true) == FileKind::Regular) {
            return path;
        }
    }
    return std::nullopt;
}

Step VerifyRun::Check(const ChecksumList& list, const std::vector<std::string>& bigFileFolders,
                      VerifyReport& report) {
    const SeriesChecksums& expected = list.series;
    std::vector<std::string> pieces;
    for (int k = 1; k <= expected.Count(); ++k) {
        pieces.push_back(PieceName(job_.SmallFilesBase, options_.Suffix, k));
    }
    const std::optional<std::string> joined = FindJoined(expected, bigFileFolders);
    std::vector<std::string> measured = pieces;
    if (joined) {
        measured.push_back(*joined);
    }
    double total = 0;
    for (const std::string& path : measured) {
        total += static_cast<double>(std::max<std::int64_t>(platform_.FileSize(path), 0));
    }
    host_.ClearSizeList();
    host_.SetProgressRange(0, kProgressMaximum);
    scale_ = ScaleFor(total);
    progress_ = {0, static_cast<std::int64_t>(total), 0, expected.Count()};
    // Each piece's verdict is shown as soon as its digest is known.
    const auto show = [&](std::size_t i, CheckState state, const std::string& digest) {
        const bool differs = state == CheckState::Ok && digest != expected.pieces[i + 1];
        host_.ShowChecked(pieces[i], differs ? CheckState::Failed : state);
    };
    const auto back = readBack_.Files(pieces, scale_, progress_, show);
    if (!back) {
        return Refusal(TransferOutcome::Interrupted, {});
    }
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        CheckState state = back->states[i];
        if (state == CheckState::Ok && back->digests[i] != expected.pieces[i + 1]) {
            state = CheckState::Failed;
        }
        report.entries.push_back({pieces[i], state});
    }
    return CheckWhole(expected, back->whole, joined, report);
}

// The list's line for the whole is proven by the pieces read as one stream,
// and by the joined file where there is one: a line that agrees with neither
// would fail every join. Where a piece could not be read and no joined file
// is there, the line for the whole is not checked: the piece already fails
// the series.
Step VerifyRun::CheckWhole(const SeriesChecksums& expected, const std::optional<std::string>& whole,
                           const std::optional<std::string>& joined, VerifyReport& report) {
    if (expected.whole.empty() || (!whole && !joined)) {
        return {};
    }
    CheckState state = !whole                     ? CheckState::Unreadable
                       : *whole == expected.whole ? CheckState::Ok
                                                  : CheckState::Failed;
    // The joined file there answers for itself, unless every piece passed
    // and they still do not make the whole: then the list contradicts itself.
    if (joined) {
        host_.ShowNote(*joined);
        progress_.piece = 0;
        host_.ShowTransfer(progress_);
        const auto own = readBack_.File(*joined, expected.whole, scale_, progress_);
        if (!own) {
            return Refusal(TransferOutcome::Interrupted, {});
        }
        const bool piecesPassed = std::all_of(
            report.entries.begin(), report.entries.end(),
            [](const VerifyReport::Entry& entry) { return entry.state == CheckState::Ok; });
        state = state == CheckState::Failed && piecesPassed ? state : *own;
    }
    report.entries.push_back(
        {joined.value_or(JoinFolder(FolderOfPath(job_.SmallFilesBase), expected.wholeName)),
         state});
    host_.ShowChecked(report.entries.back().path, state);
    return {};
}

}  // namespace brelker
