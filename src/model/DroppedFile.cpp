#include "model/DroppedFile.h"

#include <algorithm>

#include "platform/Paths.h"
#include "transfer/PieceNames.h"

namespace brelker {

DroppedAs ClassifyDroppedFile(const std::string& path, const std::string& suffix) {
    const std::string stem = FindSeriesBase(path, suffix);
    if (stem.empty() || BareFileName(stem).empty()) {
        return DroppedAs::BigFile;
    }
    const std::string number = path.substr(stem.size() + suffix.size());
    const bool digits = !number.empty() && std::all_of(number.begin(), number.end(),
                                                       [](char c) { return c >= '0' && c <= '9'; });
    return digits ? DroppedAs::FirstPiece : DroppedAs::BigFile;
}

std::optional<std::string> DropAnsweringDialogs::OpenFile(const std::string& title,
                                                          const std::string& filter,
                                                          const std::string& folder) {
    if (!dropped_) {
        return shown_.OpenFile(title, filter, folder);
    }
    std::optional<std::string> path;
    path.swap(dropped_);
    // As a confirmed dialog does: the folder of the choice becomes the current one.
    session_.SetCurrentFolder(FolderOfPath(*path));
    return path;
}

}  // namespace brelker
