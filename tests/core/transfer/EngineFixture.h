#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "FakeHost.h"
#include "FaultyPlatform.h"
#include "TempFolder.h"
#include "text/TextTable.h"
#include "transfer/Engine.h"
#include "transfer/Job.h"

namespace brelker {

// A big file in one temp folder and its pieces in another, with a job, a
// platform that can fail on purpose and a host that records everything.
class EngineFixture : public ::testing::Test {
protected:
    void SetUp() override {
        FillTextTable(".Brelked_");
        SetCurrentLanguage(kEnglish);
        std::filesystem::create_directory(folder / "pieces");
        job.BigFilePath = folder / "big.bin";
        job.SmallFilesBase = folder / "pieces/big.bin";
        options.PauseMode = PauseMode::Never;
    }

    // Writes the big file and plans its pieces as the main window would.
    void PlanSplit(const std::string& bytes, const std::vector<std::int64_t>& sizes) {
        WriteFile(job.BigFilePath, bytes);
        job.BigFileBytes = static_cast<std::int64_t>(bytes.size());
        job.ExtractSkip = 0;
        job.ExtractCount = job.BigFileBytes;
        job.ExtractLimit = job.BigFileBytes;
        job.SmallFileCount = static_cast<std::int32_t>(sizes.size());
        job.SmallFileSizes = {0};
        job.SmallFileSizes.insert(job.SmallFileSizes.end(), sizes.begin(), sizes.end());
    }

    // Writes pieces and sets the job up for joining them, as series discovery would.
    void PlanJoin(const std::vector<std::string>& pieces) {
        job.SmallFileCount = static_cast<std::int32_t>(pieces.size());
        job.SmallFileSizes = {0};
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            WriteFile(Piece(static_cast<int>(k) + 1), pieces[k]);
            job.SmallFileSizes.push_back(static_cast<std::int64_t>(pieces[k].size()));
        }
    }

    std::string Piece(int number) const {
        return job.SmallFilesBase + ".Brelked_" + std::to_string(number);
    }

    // Open descriptors of the process: a leak shows as more after a run than
    // before (under Wine some of Wine's own may have closed in between).
    static int OpenFiles() {
        return static_cast<int>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                              std::filesystem::directory_iterator()));
    }

    // The runs of the fixture's engine with its options; the whole result of
    // the last one stays in result.
    TransferOutcome Split() {
        result = engine.SplitBigFile(options);
        return result.outcome;
    }
    TransferOutcome JoinSeries() {
        result = engine.JoinSmallFiles(options);
        return result.outcome;
    }
    TransferOutcome Verify(const std::vector<std::string>& bigFileFolders, VerifyReport& report) {
        result = engine.VerifySeries(options, bigFileFolders, report);
        return result.outcome;
    }

    TempFolder folder;
    FaultyPlatform platform;
    FakeHost host;
    Job job;
    Engine engine{job, platform, host};
    TransferOptions options;
    TransferResult result;
};

}  // namespace brelker
