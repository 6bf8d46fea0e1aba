#include "transfer/Sweeps.h"

#include "platform/OpenedFile.h"
#include "platform/OwnNames.h"
#include "platform/Paths.h"
#include "transfer/PieceNames.h"

namespace brelker {

std::vector<std::string> RemoveStalePieces(Platform& platform, const std::string& stem,
                                           const std::string& suffix, std::int64_t count,
                                           const std::function<bool(const std::string&)>& keep) {
    std::vector<std::string> removed;
    for (const std::int64_t number : PieceNumbersOnDisk(platform, stem, suffix)) {
        const std::string piece = PieceName(stem, suffix, number);
        if (number <= count || platform.KindOf(piece, false) != FileKind::Regular || keep(piece)) {
            continue;
        }
        if (platform.DeleteFile(piece)) {
            removed.push_back(piece);
        }
    }
    return removed;
}

// The hold is on the file itself, so a run that keeps its locks in another
// folder (another session's) still keeps its own.
void RemoveLeftTemporaries(Platform& platform, const std::string& target) {
    const std::string folder = FolderOfPath(target);
    const auto entries = platform.ListFolder(folder);
    if (!entries) {
        return;
    }
    for (const FolderEntry& entry : *entries) {
        if (entry.isFolder || !IsTemporaryOf(entry.name, target)) {
            continue;
        }
        const std::string path = JoinFolder(folder, entry.name);
        bool held = false;
        if (const OpenedFile left(platform, platform.TakeLeftFile(path, held)); left) {
            platform.DeleteFile(path);
        }
    }
}

}  // namespace brelker
