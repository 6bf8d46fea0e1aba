// Runs one split or join through the engine with a silent host and prints its
// result code, wall time in seconds and peak resident memory in KiB. A split
// writes the checksum file and a join checks it, unless
// BRELKER_BENCH_NO_CHECKSUMS is set in the environment.
//
//   transfer_bench split BIGFILE STEM PIECEBYTES
//   transfer_bench join  BIGFILE STEM

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string>

#include "console/ConsoleHost.h"
#include "engine/Engine.h"
#include "engine/PieceNames.h"
#include "platform/PosixPlatform.h"
#include "text/TextTable.h"

namespace {

using namespace brelker;

// The console's host, told that its stream is no terminal and writing into
// nothing: the bench measures the transfer, not the messages.
std::ostream& Nowhere() {
    static std::ostream nowhere(nullptr);
    return nowhere;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: transfer_bench split BIGFILE STEM PIECEBYTES\n"
                 "       transfer_bench join BIGFILE STEM\n");
    return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        return Usage();
    }
    const std::string mode = argv[1];
    FillTextTable(".Brelked_");
    PosixPlatform platform;
    ConsoleHost host(Nowhere(), false);
    Job job;
    Engine engine(job, platform, host);
    job.BigFilePath = argv[2];
    job.SmallFilesBase = argv[3];
    TransferOptions options;
    options.PauseMode = PauseMode::Never;
    options.WriteChecksumFile = std::getenv("BRELKER_BENCH_NO_CHECKSUMS") == nullptr;

    if (mode == "split" && argc == 5) {
        const std::int64_t piece = std::strtoll(argv[4], nullptr, 10);
        const std::int64_t total = engine.QueryFileSize(job.BigFilePath);
        if (piece <= 0 || total < 0) {
            return Usage();
        }
        job.ExtractCount = total;
        for (std::int64_t left = total; left > 0; left -= piece) {
            job.SmallFileSizes.push_back(std::min(left, piece));
        }
        job.SmallFileCount = static_cast<std::int32_t>(job.SmallFileSizes.size() - 1);
    } else if (mode == "join") {
        for (int k = 1;; ++k) {
            const std::int64_t size =
                engine.QueryFileSize(PieceName(job.SmallFilesBase, ".Brelked_", k));
            if (size < 0) {
                break;
            }
            job.SmallFileSizes.push_back(size);
            job.SmallFileCount = k;
        }
    } else {
        return Usage();
    }

    const auto start = std::chrono::steady_clock::now();
    const int code =
        mode == "split" ? engine.SplitBigFile(options) : engine.JoinSmallFiles(options);
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%d %.3f %ld\n", code, wall.count(), usage.ru_maxrss);
    return code == 0 ? 0 : 1;
}
