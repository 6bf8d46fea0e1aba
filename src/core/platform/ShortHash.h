#pragma once

#include <string>
#include <string_view>

namespace brelker {

// 16 hex digits of a 64-bit FNV-1a hash: a short name, the same in every run
// and on every system, for a text of any length (the lock file of a path).
std::string ShortHash(std::string_view text);

}  // namespace brelker
