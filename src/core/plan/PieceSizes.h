#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "transfer/Job.h"

namespace brelker {

// The sizes of the pieces that cut bytes into pieces of base bytes: as many
// whole ones as fit and the remainder, which is a whole piece when bytes is a
// multiple of base. Nothing when that takes more than mostPieces pieces.
std::optional<std::vector<std::int64_t>> PieceSizesFor(std::int64_t bytes, std::int64_t base,
                                                       std::int64_t mostPieces);

// Plans the job's pieces: the first kept ones stay as they are, the sizes
// follow them. The job's list holds piece i at index i.
void TakePieceSizes(Job& job, int kept, const std::vector<std::int64_t>& sizes);

}  // namespace brelker
