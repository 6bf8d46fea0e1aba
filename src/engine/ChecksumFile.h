#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

namespace brelker {

// One line of a checksum file: a digest and the bare name of its file.
struct ChecksumLine {
    std::string digest;  // 64 lower-case hex digits
    std::string name;

    bool operator==(const ChecksumLine&) const = default;
};

// The checksum file of a series sits beside its pieces under the stem's name.
std::string ChecksumFilePath(const std::string& stem);

// The lines exactly as sha256sum writes them, so that its -c checks the series.
std::string FormatChecksumLines(const std::vector<ChecksumLine>& lines);

// Reads what sha256sum writes (text or binary marker, escaped names, --tag
// lines, comments) and nothing else: one line of anything else, or no line at
// all, means that this is not a checksum file.
std::optional<std::vector<ChecksumLine>> ParseChecksumLines(std::string_view text);

bool WriteChecksumFile(Platform& platform, const std::string& path,
                       const std::vector<ChecksumLine>& lines);
std::optional<std::vector<ChecksumLine>> ReadChecksumFile(Platform& platform,
                                                          const std::string& path);

// What a checksum file says about one series.
struct SeriesChecksums {
    // Piece k at index k; index 0 is never used.
    std::vector<std::string> pieces;
    // The joined file's digest and name; empty when the file lists none.
    std::string whole;
    std::string wholeName;

    int Count() const { return static_cast<int>(pieces.size()) - 1; }
};

// The lines of the pieces named stemName + suffix + k (k = 1, 2, ...) and of
// the joined file. Nothing when the pieces are not exactly 1 to some N, each
// once: such a file belongs to some other series.
std::optional<SeriesChecksums> MatchSeries(const std::vector<ChecksumLine>& lines,
                                           const std::string& stemName, const std::string& suffix);

// The checksums of the series stem + suffix + k, from its checksum file.
std::optional<SeriesChecksums> ReadSeriesChecksums(Platform& platform, const std::string& stem,
                                                   const std::string& suffix);

}  // namespace brelker
