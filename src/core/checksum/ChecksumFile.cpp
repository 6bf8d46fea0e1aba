#include "checksum/ChecksumFile.h"

#include <algorithm>
#include <charconv>

#include "checksum/DigestNames.h"
#include "checksum/Sha256.h"
#include "platform/OpenedFile.h"
#include "platform/Paths.h"

namespace brelker {
namespace {

// A series of 32760 pieces with long names stays far below this; no more of
// a larger file is read into memory.
constexpr std::int64_t kLargestChecksumFile = std::int64_t{16} << 20;

// No file name comes near this, escaped or not: a longer line is none.
constexpr std::size_t kLongestLine = std::size_t{64} << 10;

// The program's own words: no list that a person or another tool writes opens
// with them.
constexpr std::string_view kUnfinishedMark = "# brelker: unfinished split";
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

// One line without its line end, as sha256sum -c reads it: blanks before it
// are skipped. A NUL would cut the name short wherever it is used.
std::optional<ChecksumLine> ParseLine(std::string_view line) {
    line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
    if (line.size() > kLongestLine || line.find('\0') != line.npos) {
        return std::nullopt;
    }
    const bool escaped = line.starts_with('\\');
    if (escaped) {
        line.remove_prefix(1);
    }
    std::string_view digest;
    std::string_view name;
    const std::string_view tag = kSeriesDigest.tag;
    const std::size_t digits = kSeriesDigest.hexDigits;
    if (line.starts_with(tag) && line.substr(tag.size()).starts_with(" (")) {
        const std::size_t nameAt = tag.size() + 2;
        const auto middle = line.rfind(kTagMiddle);
        if (middle == line.npos || middle < nameAt) {
            return std::nullopt;
        }
        name = line.substr(nameAt, middle - nameAt);
        digest = line.substr(middle + kTagMiddle.size());
    } else {
        // The digest, a blank, a blank or '*' for binary, and at least one
        // character of name.
        if (line.size() < digits + 3 || line[digits] != ' ' ||
            (line[digits + 1] != ' ' && line[digits + 1] != '*')) {
            return std::nullopt;
        }
        digest = line.substr(0, digits);
        name = line.substr(digits + 2);
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

// A name that stays inside the folder it is looked for in. On Windows a
// colon names a drive or a stream of a file.
bool IsBareName(std::string_view name) {
#ifdef _WIN32
    if (name.find(':') != name.npos) {
        return false;
    }
#endif
    return !name.empty() && name != "." && name != ".." &&
           std::none_of(name.begin(), name.end(), IsPathSeparator);
}

struct NumberedLine {
    int number;  // from 1
    ChecksumLine line;
};

// Editors on Windows like to start a UTF-8 file with a byte-order mark.
std::string_view WithoutByteOrderMark(std::string_view text) {
    return text.starts_with("\xEF\xBB\xBF") ? text.substr(3) : text;
}

bool OpensUnfinished(std::string_view text) {
    return WithoutByteOrderMark(text).starts_with(kUnfinishedMark);
}

// The checksum lines of a text with the numbers of the lines they stand on;
// comments and empty lines are passed over. Nothing when a line is none, whose
// number then goes to badLine. With cutShort, a last line without its line end
// is passed over: the run that wrote it ended before the line did.
std::optional<std::vector<NumberedLine>> ParseNumberedLines(std::string_view text, int& badLine,
                                                            bool cutShort = false) {
    text = WithoutByteOrderMark(text);
    if (cutShort && !text.empty() && !text.ends_with('\n')) {
        text = text.substr(0, text.rfind('\n') + 1);  // all of it goes without any line end
    }
    std::vector<NumberedLine> lines;
    for (int number = 1; !text.empty(); ++number) {
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
            badLine = number;
            return std::nullopt;
        }
        lines.push_back({number, std::move(*parsed)});
    }
    return lines;
}

// The text of a checksum file, at most kLargestChecksumFile bytes of it;
// nothing when it cannot be read. complete says whether that was all of it.
std::optional<std::string> ReadListText(Platform& platform, const std::string& path,
                                        bool& complete) {
    const OpenedFile file(platform, platform.OpenForReading(path));
    if (!file) {
        return std::nullopt;
    }
    constexpr std::int64_t kChunk = std::int64_t{64} << 10;
    std::string text;
    std::int64_t got = 0;
    do {
        const std::size_t filled = text.size();
        text.resize(filled + kChunk);
        got = platform.Read(file.Handle(), text.data() + filled, kChunk);
        text.resize(filled + static_cast<std::size_t>(std::max<std::int64_t>(got, 0)));
    } while (got > 0 && static_cast<std::int64_t>(text.size()) <= kLargestChecksumFile);
    if (got < 0) {
        return std::nullopt;
    }
    complete = static_cast<std::int64_t>(text.size()) <= kLargestChecksumFile;
    text.resize(std::min(text.size(), static_cast<std::size_t>(kLargestChecksumFile)));
    return text;
}

// The pieces an unfinished mark says were planned; 0 when it does not say.
int PlannedPieces(std::string_view text) {
    const std::string_view mark = text.substr(0, text.find('\n'));
    const std::string_view after = mark.substr(std::min(kUnfinishedMark.size(), mark.size()));
    int planned = 0;
    if (after.starts_with(", ")) {
        const char* first = after.data() + 2;
        const auto [end, error] = std::from_chars(first, after.data() + after.size(), planned);
        if (error != std::errc() ||
            !std::string_view(end, after.data() + after.size() - end).starts_with(" pieces")) {
            planned = 0;
        }
    }
    return std::max(planned, 0);
}

ChecksumList Invalid(int line, ChecksumFault fault) {
    ChecksumList list;
    list.state = ChecksumList::State::Invalid;
    list.problem.line = line;
    list.problem.fault = fault;
    return list;
}

}  // namespace

std::string ChecksumFilePath(const std::string& stem) {
    return stem + std::string(kSeriesDigest.fileEnding);
}

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

std::string UnfinishedMark(int plannedPieces, std::int64_t plannedBytes) {
    std::string mark(kUnfinishedMark);
    if (plannedPieces > 0) {
        mark += ", " + std::to_string(plannedPieces) + " pieces";
    }
    if (plannedBytes >= 0) {
        mark += ", " + std::to_string(plannedBytes) + " bytes";
    }
    return mark + " planned\n";
}

bool ReplaceChecksumFile(Platform& platform, const std::string& path, const std::string& text,
                         std::string& reason, FileHandle* kept) {
    std::string temporary;
    OpenedFile file(platform, platform.CreateTemporaryBeside(path, temporary));
    if (!file) {
        reason = platform.LastErrorText();
        return false;
    }
    const auto size = static_cast<std::int64_t>(text.size());
    if (platform.Write(file.Handle(), text.data(), size) != size ||
        !platform.Flush(file.Handle()) || !platform.RenameFile(temporary, path)) {
        reason = platform.LastErrorText();
        file.Close();
        platform.DeleteFile(temporary);
        return false;
    }
    // The new name must be on the disk before anything relies on it.
    if (!platform.FlushFolder(FolderOfPath(path))) {
        reason = platform.LastErrorText();
        return false;
    }
    if (kept != nullptr) {
        *kept = file.Release();
    }
    return true;
}

ChecksumList MatchSeries(std::string_view text, const std::string& stemName,
                         const std::string& suffix) {
    const bool unfinished = OpensUnfinished(text);
    int badLine = 0;
    const auto lines = ParseNumberedLines(text, badLine, unfinished);
    if (!lines) {
        return Invalid(badLine, ChecksumFault::NotALine);
    }
    const std::string piecePrefix = stemName + suffix;
    ChecksumList list;
    SeriesChecksums& series = list.series;
    // Where each piece was listed, to name a gap or a repeat by its line.
    std::vector<int> lineOf = {0};
    int wholeLine = 0;
    for (const auto& [number, listed] : *lines) {
        std::string_view name = listed.name;
        while (name.starts_with("./")) {
            name.remove_prefix(2);
        }
        if (!IsBareName(name)) {
            return Invalid(number, ChecksumFault::FolderPart);
        }
        const int k = PieceNumber(name, piecePrefix);
        if (k == 0) {
            // One file besides the pieces: the joined one. A running split has
            // not listed it yet.
            if (wholeLine != 0 || unfinished) {
                return Invalid(number, ChecksumFault::OutOfOrder);
            }
            wholeLine = number;
            series.whole = listed.digest;
            series.wholeName = std::string(name);
            continue;
        }
        const auto index = static_cast<std::size_t>(k);
        if (index >= series.pieces.size()) {
            series.pieces.resize(index + 1);
            lineOf.resize(index + 1, 0);
        }
        if (lineOf[index] != 0) {
            return Invalid(number, ChecksumFault::OutOfOrder);
        }
        lineOf[index] = number;
        series.pieces[index] = listed.digest;
    }
    // Every piece from 1 up to the highest one listed: a gap is a piece the
    // list does not prove, named by the line after it.
    for (std::size_t k = 1; k < lineOf.size(); ++k) {
        if (lineOf[k] == 0) {
            return Invalid(lineOf[k + 1 < lineOf.size() ? k + 1 : k], ChecksumFault::OutOfOrder);
        }
    }
    if (unfinished) {
        list.state = ChecksumList::State::Unfinished;
        list.plannedPieces = PlannedPieces(WithoutByteOrderMark(text));
        return list;
    }
    if (series.Count() == 0) {
        return Invalid(wholeLine, ChecksumFault::EndsBeforeWhole);
    }
    list.state = ChecksumList::State::Valid;
    return list;
}

ChecksumList ReadSeriesChecksums(Platform& platform, const std::string& stem,
                                 const std::string& suffix) {
    const std::string path = ChecksumFilePath(stem);
    const auto read = [&]() -> ChecksumList {
        if (platform.KindOf(path, false) == FileKind::Missing) {
            return ChecksumList();
        }
        if (platform.KindOf(path, true) != FileKind::Regular) {
            return Invalid(0, ChecksumFault::NotRegular);
        }
        bool complete = false;
        const auto text = ReadListText(platform, path, complete);
        if (!text) {
            return Invalid(0, ChecksumFault::Unreadable);
        }
        if (complete) {
            return MatchSeries(*text, BareFileName(stem), suffix);
        }
        // Larger than any list of a series. A line at fault in what was read
        // is named; the last line, cut short there, is only when it is too
        // long to be a checksum line anyway.
        std::size_t keep = text->rfind('\n') + 1;  // 0 when there is no line end
        if (text->size() - keep > kLongestLine) {
            keep = text->size();
        }
        ChecksumList list =
            MatchSeries(std::string_view(*text).substr(0, keep), BareFileName(stem), suffix);
        if (list.state == ChecksumList::State::Invalid && list.problem.line > 0) {
            return list;
        }
        return Invalid(0, ChecksumFault::TooLarge);
    };
    ChecksumList list = read();
    list.problem.path = list.state == ChecksumList::State::Invalid ? path : std::string();
    return list;
}

ChecksumOwnership OwnershipOf(Platform& platform, const std::string& stem,
                              const std::string& suffix) {
    const std::string path = ChecksumFilePath(stem);
    const FileKind kind = platform.KindOf(path, false);
    if (kind == FileKind::Missing) {
        return ChecksumOwnership::Absent;
    }
    bool complete = false;
    const auto text =
        kind == FileKind::Regular ? ReadListText(platform, path, complete) : std::nullopt;
    if (text && OpensUnfinished(*text)) {
        return ChecksumOwnership::Ours;
    }
    int badLine = 0;
    const auto lines = text && complete ? ParseNumberedLines(*text, badLine) : std::nullopt;
    if (!lines || lines->empty()) {
        return ChecksumOwnership::Foreign;
    }
    const std::string stemName = BareFileName(stem);
    const std::string piecePrefix = stemName + suffix;
    for (std::size_t i = 0; i < lines->size(); ++i) {
        const std::string& name = (*lines)[i].line.name;
        if (PieceNumber(name, piecePrefix) > 0) {
            continue;
        }
        // The joined file: last, after the pieces. A list of the joined file
        // alone is a vendor's, whose name the series happens to share.
        if (i + 1 != lines->size() || !IsBareName(name) || i == 0) {
            return ChecksumOwnership::Foreign;
        }
    }
    return ChecksumOwnership::Ours;
}

}  // namespace brelker
