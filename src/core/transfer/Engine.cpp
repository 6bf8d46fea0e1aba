#include "transfer/Engine.h"

#include "transfer/JoinRun.h"
#include "transfer/SplitRun.h"
#include "transfer/VerifyRun.h"

namespace brelker {

TransferResult Engine::SplitBigFile(const TransferOptions& options) {
    return SplitRun(Context(), options).Run();
}

// A join never deletes the big file, never sizes by free space and never
// erases a disk, whatever the window's fields say.
TransferResult Engine::JoinSmallFiles(const TransferOptions& options) {
    TransferOptions join = options;
    join.UseFreeSpace = false;
    join.RemoveBigFile = false;
    join.EraseFloppyDisks = false;
    return JoinRun(Context(), join).Run();
}

TransferResult Engine::VerifySeries(const TransferOptions& options,
                                    const std::vector<std::string>& bigFileFolders,
                                    VerifyReport& report) {
    return VerifyRun(job_, stop_, platform_, host_, options).Run(bigFileFolders, report);
}

}  // namespace brelker
