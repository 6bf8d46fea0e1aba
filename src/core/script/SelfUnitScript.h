#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brelker {

// What a restore script is made of: bare file names only, so that it works in
// the folder it is run from.
struct SelfUnitInput {
    std::string scriptName;  // the script's own name, for its last line
    std::string bigName;     // the big file to rebuild
    std::int64_t bigBytes = 0;
    std::string stemName;  // the pieces without suffix and number
    std::string suffix;
    int pieceCount = 0;
    // Planned size and SHA-256 (64 lower-case hex digits, or empty) of piece k
    // at index k, from 1; the digest of the whole file, or empty.
    std::vector<std::int64_t> pieceBytes;
    std::vector<std::string> pieceDigests;
    std::string wholeDigest;
    bool removeSmallFiles = false;
    bool removeSelfUnit = false;
    std::string dateTime;
};

// The planned size of piece k, and of pieces 1 to k together; 0 for a piece the
// plan does not know, so that a check against it fails rather than passes.
std::int64_t PieceBytes(const SelfUnitInput& input, int number);
std::int64_t BytesUpTo(const SelfUnitInput& input, int number);

// The digest of piece k, and of the whole file, as the script may hold them:
// 64 lower-case hex digits, the form the tools print, or empty, so that a
// damaged job cannot put anything else into a script.
std::string PieceDigest(const SelfUnitInput& input, int number);
std::string WholeDigest(const SelfUnitInput& input);
// True when the script holds a digest to check the pieces or the whole against.
bool HasDigests(const SelfUnitInput& input);

// The size of a script that writes its own size in decimal once and holds rest
// bytes besides: a script removes itself only where the file it was started as
// still has that size, so a file that merely has its name is never removed.
std::int64_t SizeCountingItself(std::int64_t rest);

// Why a batch script cannot be written for the names of a series.
enum class BatchRefusal {
    None,
    NameUnsafe,         // a double quote, control character, wildcard, separator or colon
    NameNotInCodePage,  // a character the console's code page lacks
};
BatchRefusal CheckBatchNames(const SelfUnitInput& input);

// The script's units in order, as UTF-8 with "\n" line ends, its echo texts in
// the current language. The command interpreter would read some characters of a
// name as commands: they are escaped where the name stands (quoted or echoed).
// Nothing when CheckBatchNames refuses the names.
std::optional<std::vector<std::string>> ComposeSelfUnitScript(const SelfUnitInput& input);

// The units as the file holds them: code page 850 with CR LF line ends.
// Nothing when a character cannot be encoded.
std::optional<std::string> EncodeSelfUnitScript(const std::vector<std::string>& units);

}  // namespace brelker
