#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brelker {

// What a command line of the form "brelker split|join|verify ..." asks for.
struct ConsoleRequest {
    enum class Command { Split, Join, Verify, Help, Version };
    Command command = Command::Help;
    // The file to split, or a piece of the series to join or verify.
    std::string file;
    // Split: the pieces' path and name without suffix and number. Join: the file to restore.
    std::string output;
    std::string script;
    std::optional<std::int64_t> pieceBytes;
    // Entry of the base size list, counted from 1.
    std::optional<int> baseEntry;
    bool freeSpace = false;
    bool append = false;
    // Join: replace an existing file rather than refuse it.
    bool force = false;
    bool noChecksum = false;
    bool quiet = false;
};

// The request, or why the command line is wrong: the text slot of the reason
// and the argument it concerns.
struct ConsoleParse {
    std::optional<ConsoleRequest> request;
    int errorSlot = 0;
    std::string errorArgument;
};

// True when the arguments are for the command line rather than the window: the
// first one is a command word or starts with "-". The window's own switches
// start with "/".
bool IsConsoleCommandLine(const std::vector<std::string>& arguments);

// Reads the arguments after the program's name. Options take their value as
// the next argument, after "=" (long ones) or directly after the letter (short
// ones); "--" ends the options.
ConsoleParse ParseConsoleArguments(const std::vector<std::string>& arguments);

}  // namespace brelker
