#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "transfer/TransferResult.h"

namespace brelker {

// One writer per file: the locks a run holds on the names it writes, each
// name once, for as long as the run lives.
class RunLocks {
public:
    explicit RunLocks(Platform& platform) : platform_(platform) {}

    // Takes the lock of each name in turn; RunLocked with the name that
    // another run holds.
    Step Take(std::vector<std::string> names);

private:
    Platform& platform_;
    std::vector<std::unique_ptr<RunLock>> locks_;
};

}  // namespace brelker
