#include "transfer/RunLocks.h"

namespace brelker {

Step RunLocks::Take(std::vector<std::string> names) {
    if (names.size() == 2 && (names[1] == names[0] || platform_.SameFile(names[0], names[1]))) {
        names.pop_back();
    }
    for (const std::string& name : names) {
        auto lock = platform_.LockForWriting(name);
        if (!lock) {
            return Refusal(TransferOutcome::RunLocked, name);
        }
        locks_.push_back(std::move(lock));
    }
    return {};
}

}  // namespace brelker
