#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace brelker {

// A size as GNU split 9.1 reads its -b: a whole decimal number, optionally
// after blanks and a "+", followed by nothing (bytes), "b" (512 bytes), or one
// of K k M m G T P E Z Y for a power of 1024, which "B" or "D" after it makes
// a power of 1000 and "iB" leaves one of 1024 ("KB", "kB", "MiB"). A unit
// alone counts one of it ("K" is 1024). Nothing for anything else, for zero
// and for more than 63 bits hold (Z and Y always are).
std::optional<std::int64_t> ParseByteSize(std::string_view text);

// A count as GNU split reads -n N: the same number without any unit.
std::optional<std::int64_t> ParseCount(std::string_view text);

}  // namespace brelker
