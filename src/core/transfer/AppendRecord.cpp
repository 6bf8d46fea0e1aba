#include "transfer/AppendRecord.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "checksum/Sha256.h"
#include "platform/OwnNames.h"

namespace brelker {
namespace {

constexpr std::string_view kHeading = "brelker append record";
constexpr std::string_view kKept = "kept";
constexpr std::string_view kGone = "gone";
// The record ends with "pieces kept\n" or "pieces gone\n".
static_assert(kKept.size() == kGone.size());
constexpr std::int64_t kMarkFromEnd = static_cast<std::int64_t>(kKept.size()) + 1;
constexpr std::int64_t kLongestRecord = 4096;
constexpr std::int64_t kTailBytes = std::int64_t{64} << 10;

// The value of a line "name value"; nothing for another line.
std::optional<std::string_view> Value(std::string_view line, std::string_view name) {
    if (line.size() <= name.size() || !line.starts_with(name) || line[name.size()] != ' ') {
        return std::nullopt;
    }
    return line.substr(name.size() + 1);
}

}  // namespace

std::string AppendRecordPath(const std::string& target) { return OwnNameBeside(target, "append"); }

std::string AppendRecordText(const AppendRecord& record) {
    return std::string(kHeading) + "\nlength " + std::to_string(record.length) + "\nidentity " +
           (record.identity.empty() ? "-" : record.identity) + "\ntail " +
           (record.tailDigest.empty() ? "-" : record.tailDigest) +
           (record.series.empty() ? "" : "\nseries " + record.series) + "\npieces " +
           std::string(record.piecesGone ? kGone : kKept) + "\n";
}

std::optional<AppendRecord> ParseAppendRecord(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        if (end == std::string_view::npos) {
            return std::nullopt;  // cut short
        }
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    // The series' line is left out by a run without a list, and by older runs.
    if ((lines.size() != 5 && lines.size() != 6) || lines[0] != kHeading) {
        return std::nullopt;
    }
    const auto length = Value(lines[1], "length");
    const auto identity = Value(lines[2], "identity");
    const auto tail = Value(lines[3], "tail");
    const auto series = lines.size() == 6 ? Value(lines[4], "series") : std::string_view("-");
    const auto pieces = Value(lines.back(), "pieces");
    AppendRecord record;
    if (!series || (lines.size() == 6 && !IsHexDigest(*series))) {
        return std::nullopt;
    }
    record.series = lines.size() == 6 ? std::string(*series) : std::string();
    if (!length || !identity || !tail || !pieces || (*pieces != kKept && *pieces != kGone) ||
        (*tail != "-" && !IsHexDigest(*tail))) {
        return std::nullopt;
    }
    const auto [end, error] =
        std::from_chars(length->data(), length->data() + length->size(), record.length);
    if (error != std::errc() || end != length->data() + length->size() || record.length < 0) {
        return std::nullopt;
    }
    record.identity = *identity == "-" ? std::string() : std::string(*identity);
    record.tailDigest = *tail == "-" ? std::string() : std::string(*tail);
    record.piecesGone = *pieces == kGone;
    return record;
}

std::optional<AppendRecord> ReadAppendRecord(Platform& platform, FileHandle file) {
    // Read through the handle itself: on Windows a second handle on a file
    // held this way is refused.
    std::string text(static_cast<std::size_t>(kLongestRecord), '\0');
    const std::int64_t got = platform.Seek(file, 0)
                                 ? platform.Read(file, text.data(), kLongestRecord)
                                 : std::int64_t{-1};
    if (got < 0 || got == kLongestRecord) {
        return std::nullopt;
    }
    text.resize(static_cast<std::size_t>(got));
    return ParseAppendRecord(text);
}

bool MarkPiecesGone(Platform& platform, FileHandle file) {
    const std::int64_t size = platform.SizeOf(file);
    return size >= kMarkFromEnd && platform.Seek(file, size - kMarkFromEnd) &&
           platform.Write(file, kGone.data(), static_cast<std::int64_t>(kGone.size())) ==
               static_cast<std::int64_t>(kGone.size()) &&
           platform.Flush(file);
}

std::optional<std::string> TailDigest(Platform& platform, FileHandle file, std::int64_t length) {
    const std::int64_t count = std::min(length, kTailBytes);
    std::string bytes(static_cast<std::size_t>(count), '\0');
    if (platform.ReadAt(file, length - count, bytes.data(), count) != count) {
        return std::nullopt;
    }
    return Sha256Hex(bytes);
}

bool SameFileOnVolume(const std::string& first, const std::string& second) {
    const auto firstNumber = first.find(':');
    const auto secondNumber = second.find(':');
    return firstNumber != std::string::npos && secondNumber != std::string::npos &&
           first.compare(firstNumber, std::string::npos, second, secondNumber) == 0;
}

}  // namespace brelker
