#pragma once

#include <optional>
#include <string>
#include <vector>

#include "checksum/ChecksumFile.h"
#include "platform/Platform.h"
#include "transfer/EngineHost.h"
#include "transfer/Job.h"
#include "transfer/ReadBack.h"
#include "transfer/TransferOptions.h"
#include "transfer/TransferResult.h"

namespace brelker {

// Checks the series of the job's stem against its checksum file without
// joining it: each piece, and the list's line for the whole against the
// pieces read as one stream and against the joined file where there is one.
class VerifyRun {
public:
    VerifyRun(Job& job, StopSignal& stop, Platform& platform, EngineHost& host,
              const TransferOptions& options);

    // The joined file is looked for in each of the folders.
    TransferResult Run(const std::vector<std::string>& bigFileFolders, VerifyReport& report);

private:
    Step Check(const ChecksumList& list, const std::vector<std::string>& bigFileFolders,
               VerifyReport& report);
    std::optional<std::string> FindJoined(const SeriesChecksums& expected,
                                          const std::vector<std::string>& folders);
    Step CheckWhole(const SeriesChecksums& expected, const std::optional<std::string>& whole,
                    const std::optional<std::string>& joined, VerifyReport& report);

    Job& job_;
    Platform& platform_;
    EngineHost& host_;
    const TransferOptions options_;
    ReadBack readBack_;
    float scale_ = 0.0f;
    TransferProgress progress_;
};

}  // namespace brelker
