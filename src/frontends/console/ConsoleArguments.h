#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "text/TextSlot.h"

namespace brelker {

// What a command line of the form "brelker split|join|verify ..." asks for.
struct ConsoleRequest {
    enum class Command { Split, Join, Verify, Help, Version, ListBases };
    Command command = Command::Help;
    // The file to split ("-": standard input), or a piece of the series to join or verify.
    std::string file;
    // Split: the pieces' path and name without suffix and number, or a folder
    // for them. Join: the file to restore, a folder for it, or "-": standard output.
    std::string output;
    std::string script;
    std::optional<std::int64_t> pieceBytes;
    // Split into this many pieces of equal size.
    std::optional<std::int64_t> pieceCount;
    // Entry of the base size list, counted from 1.
    std::optional<int> baseEntry;
    bool freeSpace = false;
    bool append = false;
    // Join: replace an existing file rather than refuse it.
    bool force = false;
    bool noChecksum = false;
    // Continue a split or a join into a file that stopped.
    bool resume = false;
    bool quiet = false;

    bool FromStandardInput() const { return command == Command::Split && file == "-"; }
    bool ToStandardOutput() const { return command == Command::Join && output == "-"; }
    // No -b, -n, --base or --free: the base size chosen in the window.
    bool SizeGiven() const { return pieceBytes || pieceCount || baseEntry || freeSpace; }
};

// The request, or why the command line is wrong: the text slot of the reason
// and what follows it, the argument it concerns (quoted where it is what the
// user typed).
struct ConsoleParse {
    std::optional<ConsoleRequest> request;
    TextSlot errorSlot{0};
    std::string errorArgument;
};

// True when the arguments are for the command line rather than the window: the
// first one is a command word or starts with "-". The window's own switches
// start with "/".
bool IsConsoleCommandLine(const std::vector<std::string>& arguments);

// What a start of the program is for, by its arguments alone, and the same
// for every program that takes them: the command line (a command word, an
// option with "-", or a word and more words that the window would not take,
// such as a misspelt command), the window's "/" switches, or the window with
// the files it was given, if any.
enum class StartKind { CommandLine, Switches, Window };
StartKind ChooseStart(const std::vector<std::string>& arguments);

// Reads the arguments after the program's name as GNU tools read theirs:
// options before or after the command word, short ones bundled ("-qb 1K") and
// taking their value attached or as the next argument, long ones shortened to
// any unambiguous beginning ("--by") and taking theirs after "=" or as the
// next argument; "--" ends the options. --help, --version and then
// --list-bases win over everything else. "-" is standard input as split's
// FILE and standard output as join's -o, and refused wherever else it would
// be a file.
ConsoleParse ParseConsoleArguments(const std::vector<std::string>& arguments);

}  // namespace brelker
