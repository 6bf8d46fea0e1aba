#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace brelker {

// A size as GNU split's -b takes it: a positive whole number of bytes, or one
// followed by K, M, G or T (powers of 1024, also written KiB...) or KB, MB, GB,
// TB (powers of 1000). Nothing for anything else, zero, or more than 64 bits hold.
std::optional<std::int64_t> ParseByteSize(std::string_view text);

}  // namespace brelker
