#include "platform/Paths.h"

namespace brelker {

std::string BareFileName(const std::string& path) {
    const auto separator = path.rfind(kPathSeparator);
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string FolderOfPath(const std::string& path) {
    const auto separator = path.rfind(kPathSeparator);
    if (separator == std::string::npos) {
        return ".";
    }
    return separator == 0 ? std::string(1, kPathSeparator) : path.substr(0, separator);
}

std::string JoinFolder(const std::string& folder, const std::string& name) {
    if (folder == std::string(1, kPathSeparator)) {
        return folder + name;
    }
    return folder + kPathSeparator + name;
}

}  // namespace brelker
