#pragma once

#include <string>

namespace brelker {

// The separator of folders in the paths of this system.
inline constexpr char kPathSeparator = '/';

// What follows the last separator of a path; the whole path when it has none.
std::string BareFileName(const std::string& path);

// The folder part of a path: everything before the last separator, the root
// folder for a name in the root, "." for a bare name.
std::string FolderOfPath(const std::string& path);

// A folder and a bare name joined by the folder rule: the root folder takes the
// name directly, any other folder with a separator between.
std::string JoinFolder(const std::string& folder, const std::string& name);

}  // namespace brelker
