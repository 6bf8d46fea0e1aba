#include "transfer/NameChecks.h"

#include "checksum/ChecksumFile.h"
#include "transfer/PieceNames.h"

namespace brelker {
namespace {

bool IsBigFile(Platform& platform, const Job& job, const std::string& path) {
    return path == job.BigFilePath || platform.SameFile(path, job.BigFilePath);
}

// A big file under the name of a piece of its own series, above the count it
// is split into, would stay among the pieces: every later count of the series
// takes it for one, and no checksum list makes such a series join. The name
// is compared as written and, for the pieces on disk, by identity.
Step RefuseBigFileAmongPieces(Platform& platform, const Job& job, const std::string& suffix) {
    if (PieceNumberOf(job.BigFilePath, job.SmallFilesBase, suffix) > 0) {
        return Refusal(TransferOutcome::BigFileNamedAsPiece, job.BigFilePath);
    }
    for (const std::int64_t number : PieceNumbersOnDisk(platform, job.SmallFilesBase, suffix)) {
        const std::string piece = PieceName(job.SmallFilesBase, suffix, number);
        if (platform.SameFile(piece, job.BigFilePath)) {
            return Refusal(TransferOutcome::BigFileNamedAsPiece, piece);
        }
    }
    return {};
}

Step CheckPieceNames(Platform& platform, const Job& job, const std::string& suffix, bool split) {
    for (int i = 1; i <= job.SmallFileCount; ++i) {
        if (Step refused =
                CheckPieceName(platform, job, PieceName(job.SmallFilesBase, suffix, i), split)) {
            return refused;
        }
    }
    return {};
}

}  // namespace

Step CheckPieceName(Platform& platform, const Job& job, const std::string& piece, bool split) {
    if (IsBigFile(platform, job, piece)) {
        return Refusal(split ? TransferOutcome::SelfOverwrite : TransferOutcome::CannotWriteBigFile,
                       piece);
    }
    const FileKind kind = platform.KindOf(piece, false);
    if (split && kind != FileKind::Missing && kind != FileKind::Regular) {
        return Refusal(TransferOutcome::NotARegularFile, piece);
    }
    return {};
}

Step CheckSplitNames(Platform& platform, const Job& job, const TransferOptions& options) {
    if (platform.KindOf(job.BigFilePath, true) != FileKind::Regular) {
        return Refusal(platform.Exists(job.BigFilePath) ? TransferOutcome::NotARegularFile
                                                        : TransferOutcome::CannotReadBigFile,
                       job.BigFilePath);
    }
    if (Step refused = CheckPieceNames(platform, job, options.Suffix, true)) {
        return refused;
    }
    const std::string checksumFile = ChecksumFilePath(job.SmallFilesBase);
    if (IsBigFile(platform, job, checksumFile)) {
        return Refusal(TransferOutcome::SelfOverwrite, checksumFile);
    }
    if (Step refused = RefuseBigFileAmongPieces(platform, job, options.Suffix)) {
        return refused;
    }
    // A vendor's list under the stem's name is not rewritten.
    if (options.WriteChecksumFile &&
        OwnershipOf(platform, job.SmallFilesBase, options.Suffix) == ChecksumOwnership::Foreign) {
        return Refusal(TransferOutcome::ForeignChecksumFile, checksumFile);
    }
    return {};
}

Step CheckJoinNames(Platform& platform, const Job& job, const TransferOptions& options) {
    if (Step refused = CheckPieceNames(platform, job, options.Suffix, false)) {
        return refused;
    }
    // The series' checksum file is read by the join as its pieces are, and a
    // name of a piece above the count would join the series at its next count.
    if (IsBigFile(platform, job, ChecksumFilePath(job.SmallFilesBase)) ||
        PieceNumberOf(job.BigFilePath, job.SmallFilesBase, options.Suffix) > 0) {
        return Refusal(TransferOutcome::CannotWriteBigFile, job.BigFilePath);
    }
    // A join writes one regular file, or replaces a link by one; it never
    // writes into a folder, a device, a FIFO or a socket, nor appends through
    // a link.
    const FileKind target = platform.KindOf(job.BigFilePath, false);
    if (target == FileKind::Folder || target == FileKind::Special ||
        (target == FileKind::Link && job.AppendActive)) {
        return Refusal(TransferOutcome::NotARegularFile, job.BigFilePath);
    }
    return {};
}

}  // namespace brelker
