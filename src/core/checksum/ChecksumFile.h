#pragma once

#include <cstdint>
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

// The comment line that opens the list of a split while it runs, before its
// first piece is written; sha256sum -c passes over it. plannedPieces and
// plannedBytes are left out where the split does not know them yet (a split by
// free space, a stream): 0 and -1.
std::string UnfinishedMark(int plannedPieces, std::int64_t plannedBytes);

// Writes the list whole into a temporary file beside path, puts it on the
// disk and renames it over path, so that path holds either the list as it was
// or the new one, never a part. The handle of the new file goes to kept when
// the caller wants to add lines to it later; else it is closed. On failure
// the system's reason goes to reason.
bool ReplaceChecksumFile(Platform& platform, const std::string& path, const std::string& text,
                         std::string& reason, FileHandle* kept = nullptr);

// What a checksum file says about one series.
struct SeriesChecksums {
    // Piece k at index k; index 0 is never used.
    std::vector<std::string> pieces = {std::string()};
    // The joined file's digest and bare name; both empty for a list of the
    // pieces alone.
    std::string whole;
    std::string wholeName;

    int Count() const { return static_cast<int>(pieces.size()) - 1; }
};

// Why a checksum file cannot be used for its series.
enum class ChecksumFault {
    NotALine,         // a line that sha256sum would not read
    OutOfOrder,       // not the pieces from 1 up, each once, and at most one other file
    EndsBeforeWhole,  // no piece at all
    FolderPart,       // a name with a folder part, or "." or ".."
    Unreadable,       // the file cannot be read
    NotRegular,       // a folder, a FIFO, a device, a link that leads nowhere
    TooLarge,         // larger than any list of a series
};

// A checksum file that cannot be used, the line at fault (from 1; 0 when the
// fault is the file's as a whole) and why.
struct ChecksumProblem {
    std::string path;
    int line = 0;
    ChecksumFault fault = ChecksumFault::NotALine;

    bool operator==(const ChecksumProblem&) const = default;
};

// What is found at a series' checksum file: nothing at all, a list of the
// series that was understood line by line, the list of a split that has not
// finished (or never will: it was killed), or a file that cannot be used.
// Only a valid list proves anything; an invalid or unfinished one is never
// taken as absent.
struct ChecksumList {
    enum class State { Absent, Valid, Unfinished, Invalid };
    State state = State::Absent;
    // When Valid; when Unfinished, the pieces listed so far (from 1 up, no whole).
    SeriesChecksums series;
    // When Unfinished, the pieces the split meant to write; 0 when it did not know.
    int plannedPieces = 0;
    ChecksumProblem problem;  // when Invalid

    bool Valid() const { return state == State::Valid; }
};

// Reads a checksum file's text as a list of the series stemName + suffix + k.
// Every line is what sha256sum -c reads (two-space or binary lines, escaped
// names, --tag lines, # comments, empty lines, CR LF ends) after an optional
// UTF-8 byte-order mark, and names a file by its bare name, "./" before it
// allowed: pieces 1 to N, each once, in any order (a shell's glob puts 10
// before 2), and at most one other file, the joined one. Anything else makes
// the list invalid, at the first line at fault; the problem's path is left
// empty. A text that opens with the unfinished mark is the list of a split
// that did not finish: its lines so far are read, and a last line cut short
// by the end of the run that wrote it is passed over.
ChecksumList MatchSeries(std::string_view text, const std::string& stemName,
                         const std::string& suffix);

// The checksum file of the series stem + suffix + k, read and matched.
ChecksumList ReadSeriesChecksums(Platform& platform, const std::string& stem,
                                 const std::string& suffix);

// Whose checksum file lies at a stem's name, so that a split knows whether it
// may replace or delete it.
enum class ChecksumOwnership { Absent, Ours, Foreign };

// Ours only when it is a regular file, not a link, that reads as checksum
// lines of which every one names a piece of the stem (any number), except that
// the last may name the joined file (any bare name) once a piece came before
// it, or when it opens with the unfinished mark of a split, whatever follows
// (a split killed while it wrote a line leaves that line cut short). Anything
// else, even a file that cannot be read or one that lists the joined file
// alone, is somebody else's.
ChecksumOwnership OwnershipOf(Platform& platform, const std::string& stem,
                              const std::string& suffix);

}  // namespace brelker
