#pragma once

#include <string>

#include "platform/Platform.h"
#include "transfer/EngineHost.h"
#include "transfer/Job.h"
#include "transfer/PauseMode.h"

namespace brelker {

// Whether a run stops for a disk before this piece, in the given pause mode.
bool PromptsBeforePieces(PauseMode mode, bool onFloppy);

// Counts the pieces of the job's stem on disk, from piece 1 up to the first
// number that cannot be opened, listing and summing their sizes. A series that
// cannot be joined whole leaves the count at 0 and the list empty, with the
// reason reported: piece 1 missing, a gap (a higher number exists beyond the
// first missing one, which is named), or a piece that exists but cannot be read. When the series
// has a checksum file, its pieces are the ones it lists; a checksum file that cannot be used
// is reported and counts nothing.
void CountSeries(Job& job, Platform& platform, EngineHost& host, const std::string& suffix);

// When the pieces lie on disks yet to be put in, their number comes from the
// user: that many pieces of unknown size, each listed as "?". The engine
// measures each when its disk is in.
void TakeSeriesFromDiskCount(Job& job, EngineHost& host);

}  // namespace brelker
