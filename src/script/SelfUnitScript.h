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
    bool removeSmallFiles = false;
    bool removeSelfUnit = false;
    std::string dateTime;
};

// The script's units in order, as UTF-8 with "\n" line ends, its echo texts in
// the current language. The command interpreter would read some characters of a
// name as commands: they are escaped where the name stands (quoted or echoed).
// Nothing when a name cannot be made safe: a double quote, a control character,
// a wildcard, a path separator or drive colon, or a character the console's
// code page lacks.
std::optional<std::vector<std::string>> ComposeSelfUnitScript(const SelfUnitInput& input);

// The units as the file holds them: code page 850 with CR LF line ends.
// Nothing when a character cannot be encoded.
std::optional<std::string> EncodeSelfUnitScript(const std::vector<std::string>& units);

}  // namespace brelker
