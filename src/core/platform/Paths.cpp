#include "platform/Paths.h"

namespace brelker {
namespace {

std::string::size_type LastSeparator(const std::string& path) {
#ifdef _WIN32
    return path.find_last_of("\\/");
#else
    return path.rfind(kPathSeparator);
#endif
}

}  // namespace

bool IsPathSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == kPathSeparator;
#endif
}

std::string BareFileName(const std::string& path) {
    const auto separator = LastSeparator(path);
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string FolderOfPath(const std::string& path) {
    const auto separator = LastSeparator(path);
    if (separator == std::string::npos) {
        return ".";
    }
#ifdef _WIN32
    // "C:\\name" lies in the drive's root, which keeps its separator.
    if (separator == 2 && path[1] == ':') {
        return path.substr(0, 3);
    }
#endif
    return separator == 0 ? path.substr(0, 1) : path.substr(0, separator);
}

bool IsAbsolutePath(const std::string& path) {
    if (!path.empty() && IsPathSeparator(path.front())) {
        return true;
    }
#ifdef _WIN32
    return path.size() >= 3 && path[1] == ':' && IsPathSeparator(path[2]);
#else
    return false;
#endif
}

std::string JoinFolder(const std::string& folder, const std::string& name) {
#ifdef _WIN32
    if (!folder.empty() && IsPathSeparator(folder.back())) {
        return folder + name;
    }
#else
    if (folder == std::string(1, kPathSeparator)) {
        return folder + name;
    }
#endif
    return folder + kPathSeparator + name;
}

}  // namespace brelker
