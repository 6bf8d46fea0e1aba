#include "console/ConsoleReport.h"

#include <array>
#include <cstdio>

#include "console/ShellQuote.h"
#include "model/ResultText.h"
#include "text/Slots.h"
#include "text/TextTable.h"
#include "transfer/PieceNames.h"

namespace brelker {

std::string BytesText(std::int64_t bytes) {
    return std::to_string(bytes) + " " + Text(bytes == 1 ? slot::kByteWord : slot::kBytesWord);
}

std::string SizeText(std::int64_t bytes) {
    std::string text = BytesText(bytes);
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
    const std::string first = QuotedName(PieceName(job.SmallFilesBase, suffix, 1));
    const std::string final = QuotedName(PieceName(job.SmallFilesBase, suffix, count));
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

std::string UnreadableFileText(Files& files, const std::string& path) {
    const std::string name = QuotedName(path);
    switch (files.KindOf(path, true)) {
        case FileKind::Missing:
            if (files.LastErrorIsMissing()) {
                return WithReason(Text(slot::kFileMissing) + name, files.LastErrorText());
            }
            break;
        case FileKind::Folder:
            return Text(slot::kIsAFolder) + name;
        case FileKind::Special:
            return Text(slot::kNotARegularFile) + name;
        case FileKind::Regular:
        case FileKind::Link:
            // Opened once more for the system's reason; a file that opens now
            // could not be read a moment ago all the same.
            if (const FileHandle file = files.OpenForReading(path); file != kNoFile) {
                files.Close(file);
                return TextWith(slot::kCannotReadNamed, {name});
            }
            break;
    }
    return WithReason(TextWith(slot::kCannotReadNamed, {name}), files.LastErrorText());
}

std::string ChecksumProblemWords(Files& files, ChecksumProblem problem) {
    std::string reason;
    if (problem.fault == ChecksumFault::Unreadable) {
        if (const FileHandle file = files.OpenForReading(problem.path); file != kNoFile) {
            files.Close(file);
        } else {
            reason = files.LastErrorText();
        }
    }
    problem.path = QuotedName(problem.path);
    return WithReason(ChecksumProblemText(problem), reason);
}

}  // namespace brelker
