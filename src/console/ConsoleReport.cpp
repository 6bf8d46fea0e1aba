#include "console/ConsoleReport.h"

#include <array>
#include <cstdio>

#include "engine/PieceNames.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {

std::string SizeText(std::int64_t bytes) {
    std::string text = std::to_string(bytes) + " " + Text(slot::kBytesWord);
    static constexpr std::array<const char*, 6> kUnits = {"KiB", "MiB", "GiB", "TiB", "PiB", "EiB"};
    if (bytes < 1024) {
        return text;
    }
    double scaled = static_cast<double>(bytes) / 1024;
    std::size_t unit = 0;
    while (scaled >= 1024 && unit + 1 < kUnits.size()) {
        scaled /= 1024;
        ++unit;
    }
    char shortly[32];
    std::snprintf(shortly, sizeof shortly, " (%.1f %s)", scaled, kUnits[unit]);
    return text + shortly;
}

std::string SplitSummary(const Job& job, const std::string& suffix) {
    const int count = job.SmallFileCount;
    const std::int64_t size = job.SmallFileSizes.at(1);
    const std::int64_t last = job.SmallFileSizes.at(static_cast<std::size_t>(count));
    const std::string first = PieceName(job.SmallFilesBase, suffix, 1);
    const std::string final = PieceName(job.SmallFilesBase, suffix, count);
    if (count == 1) {
        return TextWith(slot::kSplitIntoOne, {SizeText(size), first});
    }
    if (last == size) {
        return TextWith(slot::kSplitInto, {std::to_string(count), SizeText(size), first, final});
    }
    return TextWith(slot::kSplitIntoWithLast,
                    {std::to_string(count), SizeText(size), SizeText(last), first, final});
}

std::string CheckLine(const std::string& name, CheckState state) {
    const char* word = state == CheckState::Ok       ? "OK"
                       : state == CheckState::Failed ? "FAILED"
                                                     : "FAILED open or read";
    if (name.find('\n') == std::string::npos) {
        return name + ": " + word;
    }
    std::string escaped = "\\";
    for (const char c : name) {
        escaped += c == '\\' ? "\\\\" : c == '\n' ? "\\n" : c == '\r' ? "\\r" : std::string(1, c);
    }
    return escaped + ": " + word;
}

std::string WithReason(std::string text, const std::string& reason) {
    return reason.empty() ? text : text + ": " + reason;
}

}  // namespace brelker
