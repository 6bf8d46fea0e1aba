#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace brelker {

// The longest name the program gives a file of its own, in bytes: what the
// file systems it writes to take for one name (255 bytes of UTF-8 are never
// more than the 255 UTF-16 units of a Windows name).
inline constexpr std::size_t kLongestOwnName = 255;
// A temporary's name ends in this many letters and digits, chosen when the
// file is created in place of as many X's.
inline constexpr std::size_t kTemporaryRandomLength = 6;

// The path of a file that the program keeps beside the file at path: in the
// same folder, named after path's own name, the program's name and tag, so
// that no user's file has that name by accident (".big.bin.brelker-append").
// Hidden (a leading ".") unless the user is to find it. Where the name would
// be too long for one name, path's name is cut short and a digest of the
// whole name follows it, so that no two files share their own names.
std::string OwnNameBeside(const std::string& path, std::string_view tag, bool hidden = true);

// The name of a temporary beside path, with X's where its random letters go.
std::string TemporaryPattern(const std::string& path);

// True when name, a bare name in path's folder, is one of path's temporaries:
// its pattern with letters or digits in place of the X's, and nothing else.
bool IsTemporaryOf(const std::string& name, const std::string& path);

}  // namespace brelker
