#include "transfer/OwnedFiles.h"

#include <algorithm>

namespace brelker {

void OwnedFiles::Add(const std::string& path) {
    std::erase_if(written_, [&](const Written& file) { return file.path == path; });
    written_.push_back({path, platform_.FileIdentity(path), std::nullopt});
}

void OwnedFiles::Seal(const std::string& path) {
    for (Written& file : written_) {
        if (file.path == path) {
            file.stamp = platform_.FileStamp(path);
        }
    }
}

bool OwnedFiles::Noted(const std::string& path) const {
    return std::any_of(written_.begin(), written_.end(),
                       [&](const Written& file) { return file.path == path; });
}

std::optional<std::string> OwnedFiles::IdentityOf(const std::string& path) const {
    for (const Written& file : written_) {
        if (file.path == path) {
            return file.identity;
        }
    }
    return std::nullopt;
}

// Files on disks that went out of the drive are beyond reach, and a file
// that another run or the user put under one of the names since is not the
// run's.
std::vector<std::string> OwnedFiles::RemoveAll(const std::string& except) {
    std::vector<std::string> removed;
    for (const Written& file : written_) {
        const bool same = file.identity && platform_.FileIdentity(file.path) == file.identity &&
                          (!file.stamp || platform_.FileStamp(file.path) == file.stamp);
        if (same && platform_.KindOf(file.path, false) == FileKind::Regular &&
            platform_.DeleteFile(file.path) && file.path != except) {
            removed.push_back(file.path);
        }
    }
    return removed;
}

}  // namespace brelker
