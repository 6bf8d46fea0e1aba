#include "transfer/ReadBack.h"

#include <algorithm>

#include "checksum/Sha256.h"
#include "platform/OpenedFile.h"
#include "transfer/BlockMover.h"

namespace brelker {

void ReadBack::ShowBytes(std::int64_t count, float scale, TransferProgress& progress) {
    progress.bytesDone += count;
    host_.SetProgress(static_cast<int>(std::clamp(static_cast<double>(progress.bytesDone) * scale,
                                                  0.0, double{kProgressMaximum})));
    // Without a scale the check runs unseen, after the bar went back.
    if (scale > 0) {
        host_.ShowTransfer(progress);
    }
}

bool ReadBack::Read(FileHandle file, std::int64_t size, float scale, TransferProgress& progress,
                    StreamHasher& hasher) {
    constexpr std::int64_t kBlock = std::int64_t{8} << 20;
    bool goOn = true;
    for (std::int64_t offset = 0; offset < size && goOn;) {
        const std::int64_t count = std::min(kBlock, size - offset);
        hasher.Add(file, offset, count);
        offset += count;
        ShowBytes(count, scale, progress);
        host_.ProcessMessages();
        goOn = GoOnAfterStop(stop_, platform_, host_);
    }
    return goOn;
}

std::optional<ReadBack::Result> ReadBack::Files(const std::vector<std::string>& paths, float scale,
                                                TransferProgress& progress,
                                                const PieceRead& pieceRead) {
    Result back;
    StreamHasher hasher(platform_);
    bool allRead = true;
    for (const std::string& path : paths) {
        if (scale > 0) {
            host_.ShowNote(path);
            progress.piece = std::min(progress.piece + 1, std::max(progress.pieceCount, 1));
            host_.ShowTransfer(progress);
        }
        OpenedFile file(platform_, platform_.OpenForReading(path));
        const std::int64_t size = file ? platform_.SizeOf(file.Handle()) : -1;
        if (size < 0) {
            file.Close();
            hasher.NextPiece();
            back.states.push_back(platform_.KindOf(path, true) == FileKind::Missing
                                      ? CheckState::Missing
                                      : CheckState::Unreadable);
            allRead = false;
            if (pieceRead) {
                pieceRead(back.states.size() - 1, back.states.back(), {});
            }
            continue;
        }
        const bool goOn = Read(file.Handle(), size, scale, progress, hasher);
        // Waited for only where it is shown at once; else it is finished
        // while the next piece is read.
        const auto digest = pieceRead ? hasher.EndPiece() : std::optional<std::string>();
        if (!pieceRead) {
            hasher.NextPiece();
        }
        hasher.Release(file.Release());
        if (!goOn) {
            return std::nullopt;
        }
        back.states.push_back(CheckState::Ok);
        if (pieceRead) {
            pieceRead(back.states.size() - 1, digest ? CheckState::Ok : CheckState::Unreadable,
                      digest.value_or(std::string()));
        }
    }
    const auto whole = hasher.EndWhole();
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const auto digest = hasher.PieceDigest(static_cast<int>(i) + 1);
        if (back.states[i] == CheckState::Ok && !digest) {
            back.states[i] = CheckState::Unreadable;
            allRead = false;
        }
        back.digests.push_back(digest.value_or(std::string()));
    }
    if (allRead && whole) {
        back.whole = *whole;
    }
    return back;
}

std::optional<CheckState> ReadBack::File(const std::string& path, const std::string& digest,
                                         float scale, TransferProgress& progress) {
    const OpenedFile file(platform_, platform_.OpenForReading(path));
    if (!file) {
        return platform_.KindOf(path, true) == FileKind::Missing ? CheckState::Missing
                                                                 : CheckState::Unreadable;
    }
    constexpr std::int64_t kBlock = std::int64_t{1} << 20;
    const auto buffer = platform_.Allocate(static_cast<std::size_t>(kBlock));
    Sha256 hash;
    std::int64_t got = buffer ? kBlock : -1;
    while (got > 0) {
        got = platform_.Read(file.Handle(), buffer.get(), kBlock);
        if (got > 0) {
            hash.Update(buffer.get(), static_cast<std::size_t>(got));
            ShowBytes(got, scale, progress);
        }
        host_.ProcessMessages();
        if (!GoOnAfterStop(stop_, platform_, host_)) {
            return std::nullopt;
        }
    }
    if (got != 0) {
        return CheckState::Unreadable;
    }
    return hash.HexDigest() == digest ? CheckState::Ok : CheckState::Failed;
}

}  // namespace brelker
