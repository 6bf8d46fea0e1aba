#pragma once

#include <string>

#include "script/SelfUnitScript.h"

namespace brelker {

// The restore script for POSIX shells, as the file holds it: its texts in the
// current language as UTF-8, names as the bytes they are, LF line ends. Any
// name can stand in it. The pieces are checked (presence, size, and SHA-256
// when the input has digests and the receiver has a tool for them), joined
// into a file of their own and renamed to the big file only when the whole is
// there; only then are pieces and script deleted. Exit code 0 on success, 1
// when nothing was restored, 2 when the file is restored but its checksums
// could not be checked for want of a tool (pieces and script stay, and a file
// that had the big file's name keeps it: the restored bytes get a new name).
std::string ComposeShellScript(const SelfUnitInput& input);

}  // namespace brelker
