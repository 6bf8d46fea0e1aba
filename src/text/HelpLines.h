#pragma once

#include <functional>
#include <string>
#include <vector>

namespace brelker {

class TextTable;

// Number of lines of the How It Works manual, in every language.
inline constexpr int kHelpLineCount = 166;

// Emits the lines of the How It Works manual in the table's current language,
// one call per line, whatever the destination (a list, a file).
void EmitHelpLines(const TextTable& table, const std::function<void(const std::string&)>& emit);

// The same lines collected in order.
std::vector<std::string> HelpLines(const TextTable& table);

}  // namespace brelker
