#include "engine/ChecksumFile.h"

#include <algorithm>
#include <charconv>

#include "engine/Sha256.h"
#include "platform/Paths.h"

namespace brelker {
namespace {

// A series of 32760 pieces with long names stays far below this; anything
// larger is not a checksum file and is not read into memory.
constexpr std::int64_t kLargestChecksumFile = std::int64_t{16} << 20;

constexpr std::string_view kTagStart = "SHA256 (";
constexpr std::string_view kTagMiddle = ") = ";

bool NeedsEscape(std::string_view name) { return name.find_first_of("\\\n\r") != name.npos; }

std::optional<std::string> Unescape(std::string_view name) {
    std::string plain;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] != '\\') {
            plain.push_back(name[i]);
            continue;
        }
        if (++i == name.size()) {
            return std::nullopt;
        }
        switch (name[i]) {
            case '\\':
                plain.push_back('\\');
                break;
            case 'n':
                plain.push_back('\n');
                break;
            case 'r':
                plain.push_back('\r');
                break;
            default:
                return std::nullopt;
        }
    }
    return plain;
}

std::optional<std::string> DigestOf(std::string_view text) {
    std::string digest(text);
    std::transform(digest.begin(), digest.end(), digest.begin(),
                   [](char c) { return c >= 'A' && c <= 'F' ? static_cast<char>(c + 32) : c; });
    return IsHexDigest(digest) ? std::optional(digest) : std::nullopt;
}

std::optional<ChecksumLine> ParseLine(std::string_view line) {
    const bool escaped = line.starts_with('\\');
    if (escaped) {
        line.remove_prefix(1);
    }
    std::string_view digest;
    std::string_view name;
    if (line.starts_with(kTagStart)) {
        const auto middle = line.rfind(kTagMiddle);
        if (middle == line.npos || middle < kTagStart.size()) {
            return std::nullopt;
        }
        name = line.substr(kTagStart.size(), middle - kTagStart.size());
        digest = line.substr(middle + kTagMiddle.size());
    } else {
        if (line.size() < 67 || line[64] != ' ' || (line[65] != ' ' && line[65] != '*')) {
            return std::nullopt;
        }
        digest = line.substr(0, 64);
        name = line.substr(66);
    }
    auto hex = DigestOf(digest);
    auto plain = escaped ? Unescape(name) : std::optional<std::string>(name);
    if (!hex || !plain || plain->empty()) {
        return std::nullopt;
    }
    return ChecksumLine{std::move(*hex), std::move(*plain)};
}

// k when name is prefix + k in plain decimal (no sign, no leading zero), else 0.
int PieceNumber(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix)) {
        return 0;
    }
    const std::string_view digits = name.substr(prefix.size());
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (digits.empty() || digits.front() == '0' || error != std::errc() ||
        end != digits.data() + digits.size()) {
        return 0;
    }
    return number;
}

}  // namespace

std::string ChecksumFilePath(const std::string& stem) { return stem + ".sha256"; }

std::string FormatChecksumLines(const std::vector<ChecksumLine>& lines) {
    std::string text;
    for (const ChecksumLine& line : lines) {
        if (!NeedsEscape(line.name)) {
            text += line.digest + "  " + line.name + "\n";
            continue;
        }
        text += "\\" + line.digest + "  ";
        for (const char c : line.name) {
            text += c == '\\' ? "\\\\" : c == '\n' ? "\\n" : c == '\r' ? "\\r" : std::string(1, c);
        }
        text += "\n";
    }
    return text;
}

std::optional<std::vector<ChecksumLine>> ParseChecksumLines(std::string_view text) {
    std::vector<ChecksumLine> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == text.npos ? std::string_view() : text.substr(end + 1);
        // A file that went through a Windows machine ends its lines with CR LF;
        // a name's own CR would have been escaped.
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (line.empty() || line.starts_with('#')) {
            continue;
        }
        auto parsed = ParseLine(line);
        if (!parsed) {
            return std::nullopt;
        }
        lines.push_back(std::move(*parsed));
    }
    if (lines.empty()) {
        return std::nullopt;
    }
    return lines;
}

bool WriteChecksumFile(Platform& platform, const std::string& path,
                       const std::vector<ChecksumLine>& lines) {
    const std::string text = FormatChecksumLines(lines);
    const FileHandle file = platform.CreateForWriting(path);
    if (file == kNoFile) {
        return false;
    }
    const auto size = static_cast<std::int64_t>(text.size());
    const bool written = platform.Write(file, text.data(), size) == size && platform.Flush(file);
    platform.Close(file);
    return written;
}

std::optional<std::vector<ChecksumLine>> ReadChecksumFile(Platform& platform,
                                                          const std::string& path) {
    const std::int64_t size = platform.FileSize(path);
    if (size <= 0 || size > kLargestChecksumFile) {
        return std::nullopt;
    }
    const FileHandle file = platform.OpenForReading(path);
    if (file == kNoFile) {
        return std::nullopt;
    }
    std::string text(static_cast<std::size_t>(size), '\0');
    const std::int64_t got = platform.Read(file, text.data(), size);
    platform.Close(file);
    if (got != size) {
        return std::nullopt;
    }
    return ParseChecksumLines(text);
}

std::optional<SeriesChecksums> MatchSeries(const std::vector<ChecksumLine>& lines,
                                           const std::string& stemName, const std::string& suffix) {
    const std::string piecePrefix = stemName + suffix;
    SeriesChecksums series;
    std::vector<const ChecksumLine*> others;
    for (const ChecksumLine& line : lines) {
        const int k = PieceNumber(line.name, piecePrefix);
        if (k == 0) {
            others.push_back(&line);
            continue;
        }
        if (static_cast<std::size_t>(k) > lines.size()) {
            return std::nullopt;  // a gap: some number below k is not listed
        }
        if (series.pieces.size() <= static_cast<std::size_t>(k)) {
            series.pieces.resize(static_cast<std::size_t>(k) + 1);
        }
        std::string& digest = series.pieces[static_cast<std::size_t>(k)];
        if (!digest.empty()) {
            return std::nullopt;
        }
        digest = line.digest;
    }
    if (series.pieces.size() < 2 ||
        std::any_of(series.pieces.begin() + 1, series.pieces.end(),
                    [](const std::string& digest) { return digest.empty(); })) {
        return std::nullopt;
    }
    // The joined file is the one other line; where a user added lines of
    // their own, it is the one named like the series.
    for (const ChecksumLine* line : others) {
        if (others.size() == 1 || line->name == stemName) {
            series.whole = line->digest;
            series.wholeName = line->name;
        }
    }
    return series;
}

std::optional<SeriesChecksums> ReadSeriesChecksums(Platform& platform, const std::string& stem,
                                                   const std::string& suffix) {
    const auto lines = ReadChecksumFile(platform, ChecksumFilePath(stem));
    if (!lines) {
        return std::nullopt;
    }
    return MatchSeries(*lines, BareFileName(stem), suffix);
}

}  // namespace brelker
