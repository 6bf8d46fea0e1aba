#pragma once

#include "platform/Platform.h"
#include "transfer/Job.h"
#include "transfer/TransferOptions.h"
#include "transfer/TransferResult.h"

namespace brelker {

// Every name a run will write must be the run's to write: nothing that is the
// big file itself (under its own name or through a link: it would be
// overwritten while it is read), no folder, device, FIFO or link. Such a run
// is refused before any file is touched; the pieces of a free-space split are
// checked again one by one as they are decided (CheckPieceName).
Step CheckSplitNames(Platform& platform, const Job& job, const TransferOptions& options);
Step CheckJoinNames(Platform& platform, const Job& job, const TransferOptions& options);

// The piece about to be written (a split) or read (a join) is not the big
// file, nor (in a split) anything but a regular file or none.
Step CheckPieceName(Platform& platform, const Job& job, const std::string& piece, bool split);

}  // namespace brelker
