#pragma once

#include <ostream>
#include <string>
#include <vector>

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
// name) to the end, without a window and without asking anything: help and
// version on out, every message on errors in the stored language, a progress
// line on errors when it is a terminal. Returns the exit code.
int RunConsoleCommandLine(const std::vector<std::string>& arguments, Platform& platform,
                          const SettingsStore& store, std::ostream& out, std::ostream& errors,
                          bool terminal);

}  // namespace brelker
