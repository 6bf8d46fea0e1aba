#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "transfer/EngineHost.h"

namespace brelker {

// What a run's progress says in words: per cent, rate, time left and the
// piece ("42 % · 85.3 MB/s · 0:12 left · File 3 of 7"), each part only where
// it is known. elapsed is the time the bytes took so far, in milliseconds;
// the time left assumes the rest moves as fast as they did. doneBefore of
// the bytes done were done before elapsed began (what a run that continues
// a stopped one kept): they count to the per cent, not to the rate.
std::string ProgressText(const TransferProgress& progress, std::int64_t elapsed,
                         const std::string& decimalSeparator, std::int64_t doneBefore = 0);

// Words a run's progress a few times a second, however often the engine
// reports it: a transfer moves thousands of blocks, a reader needs no more.
// Times are milliseconds of a steady clock.
class ProgressMeter {
public:
    // Shortest time between two texts, also when the piece changes: a split
    // into thousands of small pieces changes it with nearly every block.
    static constexpr std::int64_t kInterval = 250;

    // A new run: its clock starts with its first report.
    void Begin(const std::string& decimalSeparator);
    // The text to show for progress at now, or nothing while the last one
    // shown is still fresh.
    std::optional<std::string> Update(const TransferProgress& progress, std::int64_t now);
    // The text for the last progress reported, however fresh the one shown:
    // what stays on screen while the run waits. Empty before the first report.
    std::string Latest(std::int64_t now);
    // The run waits for the user (a disk prompt, the Stop question) from Pause
    // to Resume: the wait counts to neither the rate nor the time left.
    void Pause(std::int64_t now);
    void Resume(std::int64_t now);

private:
    std::int64_t Elapsed(std::int64_t now) const;

    std::string separator_ = ".";
    std::optional<std::int64_t> start_;
    // The bytes already done at the first report: kept, not moved by the run.
    std::int64_t doneAtStart_ = 0;
    std::int64_t lastShown_ = 0;
    std::optional<TransferProgress> last_;
    std::int64_t waited_ = 0;
    std::optional<std::int64_t> waitingSince_;
};

}  // namespace brelker
