#include "transfer/Resume.h"

#include <algorithm>
#include <string_view>

#include "checksum/Sha256.h"
#include "checksum/StreamHasher.h"
#include "platform/OpenedFile.h"
#include "platform/OwnNames.h"
#include "platform/Paths.h"
#include "transfer/AppendRecord.h"
#include "transfer/PieceNames.h"

namespace brelker {
namespace {

constexpr std::string_view kNoteStart = "# brelker: resume ";
constexpr std::string_view kJoinHeading = "brelker join record";
// A record and the head of a list are far shorter; more is not read.
constexpr std::int64_t kLongestHead = 4096;

// The first bytes of a file, at most kLongestHead; nothing when it cannot be read.
std::optional<std::string> ReadHead(Platform& platform, FileHandle file) {
    std::string text(static_cast<std::size_t>(kLongestHead), '\0');
    const std::int64_t got = platform.ReadAt(file, 0, text.data(), kLongestHead);
    if (got < 0) {
        return std::nullopt;
    }
    text.resize(static_cast<std::size_t>(got));
    return text;
}

std::optional<std::string> ReadHead(Platform& platform, const std::string& path) {
    const OpenedFile file(platform, platform.OpenForReading(path));
    return file ? ReadHead(platform, file.Handle()) : std::nullopt;
}

// The line of text that starts with start, without its line end.
std::optional<std::string_view> LineStarting(std::string_view text, std::string_view start) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = text.substr(at, end - at);
        if (line.starts_with(start)) {
            return line;
        }
        at = end + 1;
    }
    return std::nullopt;
}

std::string PlanDigest(const Job& job, const std::string& suffix) {
    std::string plan = suffix + "\n" + std::to_string(job.SmallFileCount);
    for (std::size_t k = 1; k <= static_cast<std::size_t>(std::max(job.SmallFileCount, 0)) &&
                            k < job.SmallFileSizes.size();
         ++k) {
        plan += "," + std::to_string(job.SmallFileSizes[k]);
    }
    return Sha256Hex(plan);
}

std::string BigFilePart(const std::string& bigFileStamp, std::int64_t bigFileBytes) {
    return "big " + Sha256Hex(bigFileStamp) + " " + std::to_string(bigFileBytes);
}

std::string PlanPart(const Job& job, const std::string& suffix) {
    return "range " + std::to_string(job.ExtractActive ? job.ExtractSkip : 0) + " " +
           std::to_string(job.ExtractCount) + " plan " + PlanDigest(job, suffix);
}

// The pieces whose bytes fill size bytes whole, from 1 on.
int WholePieces(const Job& job, std::int64_t size) {
    int whole = 0;
    for (int k = 1;
         k <= job.SmallFileCount && static_cast<std::size_t>(k) < job.SmallFileSizes.size(); ++k) {
        size -= job.SmallFileSizes[static_cast<std::size_t>(k)];
        if (size < 0) {
            break;
        }
        whole = k;
    }
    return whole;
}

std::string JoinRecordStart(const std::string& series) {
    return std::string(kJoinHeading) + "\nseries " + series + "\n";
}

// The temporary a join's record names, where it is still there.
std::optional<std::string> TemporaryOfRecord(Platform& platform, const std::string& target,
                                             std::string_view record) {
    const auto line = LineStarting(record, "temporary ");
    if (!line) {
        return std::nullopt;
    }
    const std::string name(line->substr(std::string_view("temporary ").size()));
    const std::string path = JoinFolder(FolderOfPath(target), name);
    if (!IsTemporaryOf(name, target) || platform.KindOf(path, false) != FileKind::Regular) {
        return std::nullopt;
    }
    return path;
}

ResumePoint Changed(ResumePoint point, ResumeChange change) {
    point.state = ResumePoint::State::Changed;
    point.change = change;
    return point;
}

ResumePoint FindAppendResume(Platform& platform, const Job& job, const std::string& series) {
    const OpenedFile file(platform, platform.OpenForReading(AppendRecordPath(job.BigFilePath)));
    const auto record = file ? ReadAppendRecord(platform, file.Handle()) : std::nullopt;
    ResumePoint point;
    point.planned = job.SmallFileCount;
    if (!record) {
        return point;
    }
    if (record->series.empty() || record->piecesGone) {
        return Changed(point, ResumeChange::NotResumable);
    }
    if (record->series != series) {
        return Changed(point, ResumeChange::ListChanged);
    }
    const std::int64_t size = platform.FileSize(job.BigFilePath);
    if (size < record->length) {
        return Changed(point, ResumeChange::BigFileChanged);
    }
    point.done = WholePieces(job, size - record->length);
    point.state = point.done > 0 ? ResumePoint::State::Found : ResumePoint::State::Nothing;
    return point;
}

}  // namespace

void RemoveStoppedSplit(Platform& platform, const Job& job, const std::string& suffix,
                        const ResumePoint& point) {
    for (int k = 1; k <= std::max(point.done, point.planned); ++k) {
        const std::string piece = PieceName(job.SmallFilesBase, suffix, k);
        if (platform.KindOf(piece, false) == FileKind::Regular &&
            !platform.SameFile(piece, job.BigFilePath)) {
            platform.DeleteFile(piece);
        }
    }
    platform.DeleteFile(ChecksumFilePath(job.SmallFilesBase));
}

std::string SplitResumeNote(const std::string& bigFileStamp, std::int64_t bigFileBytes,
                            const Job& job, const std::string& suffix) {
    return std::string(kNoteStart) + BigFilePart(bigFileStamp, bigFileBytes) + " " +
           PlanPart(job, suffix) + "\n";
}

ResumePoint FindSplitResume(Platform& platform, const Job& job, const std::string& suffix) {
    ResumePoint point;
    const ChecksumList list = ReadSeriesChecksums(platform, job.SmallFilesBase, suffix);
    if (list.state != ChecksumList::State::Unfinished || list.series.Count() == 0) {
        return point;
    }
    point.done = list.series.Count();
    point.planned = list.plannedPieces;
    const auto head = ReadHead(platform, ChecksumFilePath(job.SmallFilesBase));
    const auto note = head ? LineStarting(*head, kNoteStart) : std::nullopt;
    if (!note) {
        return Changed(point, ResumeChange::NotResumable);
    }
    const auto stamp = platform.FileStamp(job.BigFilePath);
    const std::string big = std::string(kNoteStart) +
                            BigFilePart(stamp.value_or(""), platform.FileSize(job.BigFilePath));
    if (!stamp || !note->starts_with(big + " ")) {
        return Changed(point, ResumeChange::BigFileChanged);
    }
    if (note->substr(big.size() + 1) != PlanPart(job, suffix)) {
        return Changed(point, ResumeChange::PlanChanged);
    }
    point.state = ResumePoint::State::Found;
    return point;
}

ResumePoint FindJoinResume(Platform& platform, const Job& job, const std::string& suffix) {
    ResumePoint point;
    point.planned = job.SmallFileCount;
    const auto series = SeriesIdentity(platform, job.SmallFilesBase, suffix);
    if (!series) {
        return point;
    }
    if (job.AppendActive) {
        return FindAppendResume(platform, job, *series);
    }
    // A record whose temporary is gone is what a join left that was killed
    // after its file took its name.
    const auto head = ReadHead(platform, JoinRecordPath(job.BigFilePath));
    const auto temporary =
        head ? TemporaryOfRecord(platform, job.BigFilePath, *head) : std::nullopt;
    if (!temporary) {
        return point;
    }
    if (!head->starts_with(JoinRecordStart(*series))) {
        return Changed(point, ResumeChange::ListChanged);
    }
    point.done = WholePieces(job, platform.FileSize(*temporary));
    point.state = point.done > 0 ? ResumePoint::State::Found : ResumePoint::State::Nothing;
    return point;
}

std::optional<std::string> SeriesIdentity(Platform& platform, const std::string& stem,
                                          const std::string& suffix) {
    const OpenedFile file(platform, platform.OpenForReading(ChecksumFilePath(stem)));
    if (!file) {
        return std::nullopt;
    }
    Sha256 hash;
    const std::string name = stem + "\n" + suffix + "\n";
    hash.Update(name.data(), name.size());
    std::string block(std::size_t{64} << 10, '\0');
    std::int64_t got = 0;
    while ((got = platform.Read(file.Handle(), block.data(),
                                static_cast<std::int64_t>(block.size()))) > 0) {
        hash.Update(block.data(), static_cast<std::size_t>(got));
    }
    return got == 0 ? std::optional(hash.HexDigest()) : std::nullopt;
}

std::string JoinRecordPath(const std::string& target) { return OwnNameBeside(target, "join"); }

bool WriteJoinRecord(Platform& platform, const std::string& target, const std::string& series,
                     const std::string& temporary) {
    const std::string text =
        JoinRecordStart(series) + "temporary " + BareFileName(temporary) + "\n";
    std::string reason;
    return ReplaceChecksumFile(platform, JoinRecordPath(target), text, reason);
}

std::optional<std::string> RecordedTemporary(Platform& platform, const std::string& target,
                                             const std::string& series) {
    const auto head = ReadHead(platform, JoinRecordPath(target));
    if (!head || !head->starts_with(JoinRecordStart(series))) {
        return std::nullopt;
    }
    return TemporaryOfRecord(platform, target, *head);
}

int KeptRanges(Platform& platform, const std::vector<KeptRange>& ranges) {
    StreamHasher hasher(platform);
    for (const KeptRange& range : ranges) {
        hasher.AddToPiece(range.file, range.offset, range.size);
        hasher.NextPiece();
    }
    hasher.Wait();
    int proven = 0;
    while (proven < static_cast<int>(ranges.size()) &&
           hasher.PieceDigest(proven + 1) == ranges[static_cast<std::size_t>(proven)].digest) {
        ++proven;
    }
    return proven;
}

int KeptPieces(Platform& platform, const std::string& stem, const std::string& suffix,
               const std::vector<std::int64_t>& sizes, const SeriesChecksums& listed) {
    std::vector<std::unique_ptr<OpenedFile>> files;
    std::vector<KeptRange> ranges;
    const int count = std::min(listed.Count(), static_cast<int>(sizes.size()) - 1);
    for (int k = 1; k <= count; ++k) {
        const auto index = static_cast<std::size_t>(k);
        const std::string piece = PieceName(stem, suffix, k);
        if (platform.KindOf(piece, false) != FileKind::Regular) {
            break;
        }
        auto file = std::make_unique<OpenedFile>(platform, platform.OpenForReading(piece));
        if (!*file || platform.SizeOf(file->Handle()) != sizes[index]) {
            break;
        }
        ranges.push_back({file->Handle(), 0, sizes[index], listed.pieces[index]});
        files.push_back(std::move(file));
    }
    return KeptRanges(platform, ranges);
}

int KeptPrefix(Platform& platform, FileHandle file, std::int64_t base,
               const std::vector<std::int64_t>& sizes, const SeriesChecksums& listed) {
    const std::int64_t size = platform.SizeOf(file);
    std::vector<KeptRange> ranges;
    std::int64_t offset = base;
    const int count = std::min(listed.Count(), static_cast<int>(sizes.size()) - 1);
    for (int k = 1; k <= count; ++k) {
        const auto index = static_cast<std::size_t>(k);
        if (offset + sizes[index] > size) {
            break;
        }
        ranges.push_back({file, offset, sizes[index], listed.pieces[index]});
        offset += sizes[index];
    }
    return KeptRanges(platform, ranges);
}

}  // namespace brelker
