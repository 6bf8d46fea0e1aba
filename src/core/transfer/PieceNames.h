#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace brelker {

// Piece k of a series: the stem, the suffix and k in plain decimal, without
// leading zeros, fixed width or upper bound.
std::string PieceName(const std::string& stem, const std::string& suffix, std::int64_t number);

// The stem of the series that a piece belongs to: everything before the last
// occurrence of the suffix that ends before the name's last character, compared
// exactly. What follows the suffix is not examined, so any piece of a series
// gives the same stem; a name without the suffix gives the empty stem.
std::string FindSeriesBase(const std::string& piecePath, const std::string& suffix);

// The number of a piece name of this stem and suffix, written as PieceName
// writes it; 0 for any other name.
std::int64_t PieceNumberOf(const std::string& piecePath, const std::string& stem,
                           const std::string& suffix);

// The numbers of every piece of the series that lies in the stem's folder, in
// no particular order; empty when the folder cannot be read.
std::vector<std::int64_t> PieceNumbersOnDisk(Platform& platform, const std::string& stem,
                                             const std::string& suffix);

}  // namespace brelker
