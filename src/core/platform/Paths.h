#pragma once

#include <string>

namespace brelker {

// The separator of folders in the paths of this system. Windows takes "/" as
// well, so paths are cut at either there.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// True for a character that separates folders on this system.
bool IsPathSeparator(char c);

// What follows the last separator of a path; the whole path when it has none.
std::string BareFileName(const std::string& path);

// The folder part of a path: everything before the last separator, the root
// folder for a name in the root ("/"; on Windows also "C:\\"), "." for a bare name.
std::string FolderOfPath(const std::string& path);

// True for a path that names the same file from every current folder: from
// the root ("/"; on Windows also "C:\\", "\\\\server\\share" and "\\" for the
// current drive's root).
bool IsAbsolutePath(const std::string& path);

// A folder and a bare name joined by the folder rule: the root folder takes the
// name directly, any other folder with a separator between. On Windows every
// folder that ends with a separator is a root ("C:\\", "\\\\server\\share\\").
std::string JoinFolder(const std::string& folder, const std::string& name);

}  // namespace brelker
