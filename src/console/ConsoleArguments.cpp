#include "console/ConsoleArguments.h"

#include <array>
#include <charconv>
#include <string_view>

#include "console/ByteSize.h"
#include "text/Slots.h"

namespace brelker {
namespace {

using Command = ConsoleRequest::Command;

struct CommandWord {
    std::string_view word;
    Command command;
};

constexpr std::array<CommandWord, 3> kCommands = {{
    {"split", Command::Split},
    {"join", Command::Join},
    {"verify", Command::Verify},
}};

enum class Takes { Nothing, Value };

// An option, the commands it belongs to, and what it does with its value.
struct OptionSpec {
    std::string_view shortName;
    std::string_view longName;
    Takes takes;
    bool split, join, verify;
};

constexpr std::array<OptionSpec, 9> kOptions = {{
    {"-b", "--bytes", Takes::Value, true, false, false},
    {"", "--base", Takes::Value, true, false, false},
    {"", "--free", Takes::Nothing, true, false, false},
    {"-o", "--output", Takes::Value, true, true, false},
    {"", "--script", Takes::Value, true, false, false},
    {"", "--no-checksum", Takes::Nothing, true, false, false},
    {"", "--append", Takes::Nothing, false, true, false},
    {"-f", "--force", Takes::Nothing, false, true, false},
    {"-q", "--quiet", Takes::Nothing, true, true, true},
}};

bool BelongsTo(const OptionSpec& option, Command command) {
    return (command == Command::Split && option.split) ||
           (command == Command::Join && option.join) ||
           (command == Command::Verify && option.verify);
}

ConsoleParse Wrong(int slot, std::string argument) {
    ConsoleParse parse;
    parse.errorSlot = slot;
    parse.errorArgument = std::move(argument);
    return parse;
}

// Applies one option with its value; the reason it is wrong, 0 when it is not.
int Apply(ConsoleRequest& request, std::string_view name, const std::string& value) {
    if (name == "--bytes") {
        request.pieceBytes = ParseByteSize(value);
        return request.pieceBytes ? 0 : slot::kBadByteSize;
    }
    if (name == "--base") {
        int entry = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), entry);
        if (error != std::errc{} || end != value.data() + value.size() || entry < 1) {
            return slot::kNoSuchBaseSize;
        }
        request.baseEntry = entry;
        return 0;
    }
    if (name == "--output") {
        request.output = value;
    } else if (name == "--script") {
        request.script = value;
    } else if (name == "--free") {
        request.freeSpace = true;
    } else if (name == "--no-checksum") {
        request.noChecksum = true;
    } else if (name == "--append") {
        request.append = true;
    } else if (name == "--force") {
        request.force = true;
    } else if (name == "--quiet") {
        request.quiet = true;
    }
    return 0;
}

}  // namespace

bool IsConsoleCommandLine(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        return false;
    }
    const std::string& first = arguments.front();
    if (first.starts_with('-')) {
        return true;
    }
    for (const CommandWord& word : kCommands) {
        if (first == word.word) {
            return true;
        }
    }
    return false;
}

ConsoleParse ParseConsoleArguments(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments) {
        if (argument == "--") {
            break;
        }
        if (argument == "--help" || argument == "-h") {
            return {ConsoleRequest{}, 0, {}};
        }
        if (argument == "--version") {
            ConsoleRequest request;
            request.command = Command::Version;
            return {request, 0, {}};
        }
    }
    if (arguments.empty()) {
        return {ConsoleRequest{}, 0, {}};
    }

    ConsoleRequest request;
    bool known = false;
    for (const CommandWord& word : kCommands) {
        if (arguments.front() == word.word) {
            request.command = word.command;
            known = true;
        }
    }
    if (!known) {
        return Wrong(slot::kUnknownArgument, arguments.front());
    }

    bool optionsEnded = false;
    bool haveFile = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || !argument.starts_with('-') || argument == "-") {
            if (haveFile) {
                return Wrong(slot::kUnknownArgument, argument);
            }
            request.file = argument;
            haveFile = true;
            continue;
        }
        const OptionSpec* found = nullptr;
        std::optional<std::string> attached;
        for (const OptionSpec& option : kOptions) {
            if (argument == option.longName || argument == option.shortName) {
                found = &option;
            } else if (argument.starts_with(std::string(option.longName) + "=")) {
                found = &option;
                attached = argument.substr(option.longName.size() + 1);
            } else if (!option.shortName.empty() && argument.size() > 2 &&
                       argument.starts_with(option.shortName)) {
                found = &option;
                attached = argument.substr(2);
            }
            if (found != nullptr) {
                break;
            }
        }
        if (found == nullptr || !BelongsTo(*found, request.command) ||
            (found->takes == Takes::Nothing && attached)) {
            return Wrong(slot::kUnknownArgument, argument);
        }
        std::string value;
        if (found->takes == Takes::Value) {
            if (attached) {
                value = *attached;
            } else if (i + 1 < arguments.size()) {
                value = arguments[++i];
            } else {
                return Wrong(slot::kMissingValue, argument);
            }
        }
        if (const int wrong = Apply(request, found->longName, value); wrong != 0) {
            return Wrong(wrong, value);
        }
    }
    if (!haveFile || request.file.empty()) {
        return Wrong(slot::kMissingValue, arguments.front());
    }
    const int sizeChoices =
        (request.pieceBytes ? 1 : 0) + (request.baseEntry ? 1 : 0) + (request.freeSpace ? 1 : 0);
    if (sizeChoices > 1) {
        return Wrong(slot::kOneSizeChoice, {});
    }
    return {request, 0, {}};
}

}  // namespace brelker
