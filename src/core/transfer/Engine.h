#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "transfer/BlockMover.h"
#include "transfer/DiskChanger.h"
#include "transfer/EngineHost.h"
#include "transfer/Job.h"
#include "transfer/TransferOptions.h"
#include "transfer/TransferResult.h"
#include "transfer/TransferRun.h"

namespace brelker {

// The runs of one job for a front end: a split, a join or Verify, each a run
// of its own (SplitRun, JoinRun, VerifyRun), the Stop button's request, and
// the questions about files and volumes the window asks between runs.
class Engine {
public:
    Engine(Job& job, Platform& platform, EngineHost& host)
        : job_(job), platform_(platform), host_(host) {}

    // -1 when the file cannot be opened for reading, also for a folder.
    std::int64_t QueryFileSize(const std::string& path) { return platform_.FileSize(path); }
    // Free bytes of a volume; -1 when there is no disk or no such volume.
    std::int64_t QueryFreeSpace(const std::string& volume) { return platform_.FreeSpace(volume); }

    // Splits the big file into the pieces of the plan (or of the free space).
    TransferResult SplitBigFile(const TransferOptions& options);
    // Joins the pieces of the series into the big file.
    TransferResult JoinSmallFiles(const TransferOptions& options);
    // Checks the series of the job's stem against its checksum file without
    // joining it; the joined file is looked for in each of the folders.
    TransferResult VerifySeries(const TransferOptions& options,
                                const std::vector<std::string>& bigFileFolders,
                                VerifyReport& report);

    // The Stop button: the running work pauses at its next block to ask
    // whether it goes on. A Stop after the last block is not the next run's.
    void RequestStop() { stop_.requested = true; }
    bool StopRequested() const { return stop_.requested; }
    // What the last split or join kept while it ran.
    const RunState& LastRun() const { return run_; }

    // Deletes the ordinary files of a floppy, in every folder; folders and
    // hidden files remain.
    void EraseDisk(const std::string& root) {
        DiskChanger(job_, run_, platform_, host_).EraseDisk(root);
    }

private:
    RunContext Context() { return {job_, run_, stop_, platform_, host_}; }

    Job& job_;
    Platform& platform_;
    EngineHost& host_;
    RunState run_;
    StopSignal stop_;
};

}  // namespace brelker
