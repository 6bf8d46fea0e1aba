#pragma once

#include <cstdint>
#include <string>

namespace brelker {

// Piece k of a series: the stem, the suffix and k in plain decimal, without
// leading zeros, fixed width or upper bound.
std::string PieceName(const std::string& stem, const std::string& suffix, std::int64_t number);

}  // namespace brelker
