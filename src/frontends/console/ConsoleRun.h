#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "console/ConsoleHost.h"
#include "platform/Platform.h"

namespace brelker {

class SettingsStore;

// Exit codes of the command line.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
// A run ended by a signal ends as the signal would have ended it: 128 + its number.
inline constexpr int kExitSignalBase = 128;

// Runs "brelker split|join|verify ..." (the arguments after the program's
// name) to the end, without a window and without asking anything: help,
// version and Verify's lines on out, every other message on errors in the
// stored language, a progress line on errors drawn as progress says. Returns
// the exit code.
int RunConsoleCommandLine(const std::vector<std::string>& arguments, Platform& platform,
                          SettingsStore& store, std::ostream& out, std::ostream& errors,
                          ProgressLine progress);

}  // namespace brelker
