#pragma once

#include <cstdint>
#include <string>

namespace brelker {

// Piece k of a series: the stem, the suffix and k in plain decimal, without
// leading zeros, fixed width or upper bound.
std::string PieceName(const std::string& stem, const std::string& suffix, std::int64_t number);

// The stem of the series that a piece belongs to: everything before the last
// occurrence of the suffix that ends before the name's last character, compared
// exactly. What follows the suffix is not examined, so any piece of a series
// gives the same stem; a name without the suffix gives the empty stem.
std::string FindSeriesBase(const std::string& piecePath, const std::string& suffix);

}  // namespace brelker
