#include "model/ProgressMeter.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

// A rate from less time than this jumps about too much to say anything.
constexpr std::int64_t kShortestMeasure = 500;

// Megabytes of 1,000,000 bytes a second, as copying tools count them: one
// decimal below 100.
std::string RateText(double bytesPerSecond, const std::string& separator) {
    const double megabytes = bytesPerSecond / 1e6;
    if (megabytes >= 99.95) {
        return std::to_string(static_cast<std::int64_t>(megabytes + 0.5));
    }
    const auto tenths = static_cast<std::int64_t>(megabytes * 10 + 0.5);
    return std::to_string(tenths / 10) + separator + std::to_string(tenths % 10);
}

// m:ss, or h:mm:ss from an hour on; the same in every language.
std::string DurationText(std::int64_t seconds) {
    const auto twoDigits = [](std::int64_t value) {
        return (value < 10 ? "0" : "") + std::to_string(value);
    };
    const std::int64_t hours = seconds / 3600;
    const std::int64_t minutes = seconds / 60 % 60;
    const std::string rest = twoDigits(seconds % 60);
    return hours > 0 ? std::to_string(hours) + ":" + twoDigits(minutes) + ":" + rest
                     : std::to_string(minutes) + ":" + rest;
}

}  // namespace

std::string ProgressText(const TransferProgress& progress, std::int64_t elapsed,
                         const std::string& decimalSeparator, std::int64_t doneBefore) {
    std::vector<std::string> parts;
    const std::int64_t done = std::max<std::int64_t>(progress.bytesDone, 0);
    const std::int64_t total = progress.bytesTotal;
    if (total > 0) {
        const auto percent = static_cast<int>(std::min<double>(
            100.0, 100.0 * static_cast<double>(done) / static_cast<double>(total)));
        parts.push_back(TextWith(slot::kProgressPercent, {std::to_string(percent)}));
    }
    const std::int64_t moved = done - std::clamp<std::int64_t>(doneBefore, 0, done);
    if (elapsed >= kShortestMeasure && moved > 0) {
        const double rate = static_cast<double>(moved) * 1000.0 / static_cast<double>(elapsed);
        parts.push_back(TextWith(slot::kProgressRate, {RateText(rate, decimalSeparator)}));
        if (total > done) {
            const double left = static_cast<double>(total - done) / rate;
            // A part of a second left counts as a whole one.
            const auto seconds = static_cast<std::int64_t>(std::ceil(left - 1e-6));
            parts.push_back(TextWith(slot::kProgressTimeLeft, {DurationText(seconds)}));
        }
    }
    if (progress.piece > 0) {
        parts.push_back(
            progress.pieceCount > 0
                ? TextWith(slot::kProgressPieceOf,
                           {std::to_string(progress.piece), std::to_string(progress.pieceCount)})
                : TextWith(slot::kProgressPiece, {std::to_string(progress.piece)}));
    }
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : " \u00b7 ") + part;
    }
    return text;
}

void ProgressMeter::Begin(const std::string& decimalSeparator) {
    separator_ = decimalSeparator;
    start_.reset();
    doneAtStart_ = 0;
    lastShown_ = 0;
    last_.reset();
    waited_ = 0;
    waitingSince_.reset();
}

std::int64_t ProgressMeter::Elapsed(std::int64_t now) const {
    return now - *start_ - waited_ - (waitingSince_ ? now - *waitingSince_ : 0);
}

std::optional<std::string> ProgressMeter::Update(const TransferProgress& progress,
                                                 std::int64_t now) {
    last_ = progress;
    if (!start_) {
        start_ = now;
        doneAtStart_ = progress.bytesDone;
    } else if (now - lastShown_ < kInterval) {
        return std::nullopt;
    }
    lastShown_ = now;
    return ProgressText(progress, Elapsed(now), separator_, doneAtStart_);
}

std::string ProgressMeter::Latest(std::int64_t now) {
    if (!last_) {
        return {};
    }
    lastShown_ = now;
    return ProgressText(*last_, Elapsed(now), separator_, doneAtStart_);
}

// The clock runs from the first report: a prompt before it is no wait of the run's.
void ProgressMeter::Pause(std::int64_t now) {
    if (start_ && !waitingSince_) {
        waitingSince_ = now;
    }
}

void ProgressMeter::Resume(std::int64_t now) {
    if (waitingSince_) {
        waited_ += now - *waitingSince_;
        waitingSince_.reset();
    }
}

}  // namespace brelker
