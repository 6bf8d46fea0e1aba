#pragma once

#include <functional>
#include <string>
#include <vector>

namespace brelker {

class TextTable;

// Number of lines of the How It Works manual, in every language and for
// every system.
inline constexpr int kHelpLineCount = 219;

// The system whose tools the manual's restore part names: the command
// interpreter's batch files, COPY and drives A: and B: on Windows; sh, cat and
// mount points elsewhere. The rest of the manual is the same for both.
enum class HelpSystem { Windows, Posix };

#ifdef _WIN32
inline constexpr HelpSystem kThisHelpSystem = HelpSystem::Windows;
#else
inline constexpr HelpSystem kThisHelpSystem = HelpSystem::Posix;
#endif

// Emits the lines of the How It Works manual in the table's current language,
// one call per line, whatever the destination (a list, a file).
void EmitHelpLines(const TextTable& table, HelpSystem system,
                   const std::function<void(const std::string&)>& emit);

// The same lines collected in order.
std::vector<std::string> HelpLines(const TextTable& table, HelpSystem system = kThisHelpSystem);

}  // namespace brelker
