// The disks of removable media: prompts for the next disk, pieces sized by free
// space, and the floppy erase.

#include <algorithm>

#include "transfer/DiskChanger.h"

namespace brelker {

bool DiskChanger::AskForDisk(int piece, DiskPrompt kind) { return host_.AskForDisk(piece, kind); }

std::int64_t RoomForOneFile(std::int64_t free, std::int64_t unit) {
    if (free <= 0 || unit <= 0) {
        return free;
    }
    // A map unit holds unit / 4 addresses of further units (ext2's indirect
    // blocks); one unit more for each level of maps and for the folder entry.
    const std::int64_t units = free / unit;
    const std::int64_t perMap = std::max<std::int64_t>(unit / 4, 2);
    const std::int64_t records = units / perMap + units / (perMap * perMap) + 4;
    return units > records ? (units - records) * unit : 0;
}

bool DiskChanger::SizeFromFreeSpace(int piece, std::int64_t& remaining) {
    // A volume that cannot be asked (no disk in the drive, no such folder) counts
    // as full: the user is asked for another disk instead of getting a piece the
    // disk cannot take, and a No ends the run.
    const auto room = [this] {
        return RoomForOneFile(platform_.FreeSpace(run_.TargetDrive),
                              platform_.AllocationUnit(run_.TargetDrive));
    };
    std::int64_t free = room();
    while (free <= 0) {
        if (!AskForDisk(piece, DiskPrompt::Full)) {
            return false;
        }
        free = room();
    }

    auto& sizes = job_.SmallFileSizes;
    const auto index = static_cast<std::size_t>(piece);
    if (sizes.size() <= index) {
        sizes.resize(index + 1, 0);
    }
    if (free >= remaining) {
        sizes[index] = remaining;
        remaining = 0;
    } else {
        sizes[index] = free;
        remaining -= free;
        job_.SmallFileCount += 1;
        sizes.resize(static_cast<std::size_t>(job_.SmallFileCount) + 1, 0);
    }
    return true;
}

void DiskChanger::EraseDisk(const std::string& root) {
    host_.NoteErasing();
    run_.EraseDepth = 0;
    EraseWalk(root);
}

// The root's files go first, then each folder's, the deepest before their parents.
void DiskChanger::EraseWalk(const std::string& folder) {
    const auto entries = platform_.ListFolder(folder);
    if (!entries) {
        return;
    }
    if (run_.EraseDepth == 0 && platform_.IsFolder(folder)) {
        DeleteFilesIn(folder);
    }
    ++run_.EraseDepth;
    for (const FolderEntry& entry : *entries) {
        if (!entry.isFolder) {
            continue;
        }
        const std::string path = platform_.JoinPath(folder, entry.name);
        EraseWalk(path);
        DeleteFilesIn(path);
    }
}

void DiskChanger::DeleteFilesIn(const std::string& folder) {
    const auto entries = platform_.ListFolder(folder);
    if (!entries) {
        return;
    }
    for (const FolderEntry& entry : *entries) {
        if (entry.isFolder || entry.isHidden) {
            continue;
        }
        const std::string path = platform_.JoinPath(folder, entry.name);
        // Splitting a file that lies on the floppy itself must not delete it.
        if (!protected_.empty() && platform_.SameFile(path, protected_)) {
            continue;
        }
        if (platform_.DeleteFile(path)) {
            host_.NoteErased(path);
        } else {
            host_.ReportUndeletable(path);
        }
    }
}

bool DiskChanger::WasChanged(const std::string& previous) const {
    return !lastPieceStamp_ || previous.empty() || platform_.FileStamp(previous) != lastPieceStamp_;
}

}  // namespace brelker
