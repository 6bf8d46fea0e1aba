#include "console/ConsoleArguments.h"

#include <array>
#include <charconv>
#include <string_view>

#include "console/ShellQuote.h"
#include "model/CommandLine.h"
#include "plan/ByteSize.h"
#include "platform/Paths.h"
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

// An option, the commands it belongs to, and whether it takes a value.
struct OptionSpec {
    char shortName;  // '\0': long name only
    std::string_view longName;
    Takes takes;
    bool split, join, verify;
};

constexpr std::array<OptionSpec, 14> kOptions = {{
    {'b', "bytes", Takes::Value, true, false, false},
    {'n', "number", Takes::Value, true, false, false},
    {'\0', "base", Takes::Value, true, false, false},
    {'\0', "free", Takes::Nothing, true, false, false},
    {'o', "output", Takes::Value, true, true, false},
    {'\0', "script", Takes::Value, true, false, false},
    {'\0', "no-checksum", Takes::Nothing, true, false, false},
    {'\0', "append", Takes::Nothing, false, true, false},
    {'f', "force", Takes::Nothing, false, true, false},
    {'\0', "resume", Takes::Nothing, true, true, false},
    {'q', "quiet", Takes::Nothing, true, true, true},
    {'h', "help", Takes::Nothing, true, true, true},
    {'\0', "version", Takes::Nothing, true, true, true},
    {'\0', "list-bases", Takes::Nothing, true, false, false},
}};

bool BelongsTo(const OptionSpec& option, Command command) {
    return (command == Command::Split && option.split) ||
           (command == Command::Join && option.join) ||
           (command == Command::Verify && option.verify);
}

ConsoleParse Wrong(TextSlot slot, std::string argument) {
    ConsoleParse parse;
    parse.errorSlot = slot;
    parse.errorArgument = std::move(argument);
    return parse;
}

// One option as given: what it is, its value, and how it was written, for messages.
struct GivenOption {
    const OptionSpec* option;
    std::string value;
    std::string written;
};

// The arguments taken apart in their order: options with their values, the
// other words, and the first mistake met on the way.
struct Reading {
    std::vector<GivenOption> options;
    std::vector<std::string> words;
    std::optional<ConsoleParse> mistake;
    bool help = false;
    bool version = false;
    bool listBases = false;

    void Fail(TextSlot slot, std::string argument) {
        if (!mistake) {
            mistake = Wrong(slot, std::move(argument));
        }
    }
    void Take(const OptionSpec& option, std::string value, std::string written) {
        help = help || option.longName == "help";
        version = version || option.longName == "version";
        listBases = listBases || option.longName == "list-bases";
        options.push_back({&option, std::move(value), std::move(written)});
    }
};

// The long option that name is, or is the only one to begin with.
const OptionSpec* FindLong(std::string_view name, Reading& reading, const std::string& argument) {
    std::vector<const OptionSpec*> beginning;
    for (const OptionSpec& option : kOptions) {
        if (option.longName == name) {
            return &option;
        }
        if (option.longName.starts_with(name)) {
            beginning.push_back(&option);
        }
    }
    if (beginning.size() == 1) {
        return beginning.front();
    }
    if (beginning.empty()) {
        reading.Fail(slot::kUnknownArgument, QuotedArgument(argument));
    } else {
        std::string names;
        for (const OptionSpec* option : beginning) {
            names +=
                (names.empty() ? "" : ", ") + std::string("--") + std::string(option->longName);
        }
        reading.Fail(slot::kAmbiguousOption, QuotedArgument(argument) + " (" + names + ")");
    }
    return nullptr;
}

// Reads "--name", "--name=value" or "--name value"; i is moved past a value taken.
void ReadLong(const std::vector<std::string>& arguments, std::size_t& i, Reading& reading) {
    const std::string& argument = arguments[i];
    const auto equals = argument.find('=');
    const std::string_view name =
        std::string_view(argument).substr(2, equals == std::string::npos ? equals : equals - 2);
    const OptionSpec* option = FindLong(name, reading, argument);
    if (option == nullptr) {
        return;
    }
    if (option->takes == Takes::Nothing) {
        if (equals != std::string::npos) {
            reading.Fail(slot::kUnknownArgument, QuotedArgument(argument));
            return;
        }
        reading.Take(*option, {}, argument);
    } else if (equals != std::string::npos) {
        reading.Take(*option, argument.substr(equals + 1), argument);
    } else if (i + 1 < arguments.size()) {
        reading.Take(*option, arguments[++i], argument);
    } else {
        reading.Fail(slot::kMissingValue, QuotedArgument(argument));
    }
}

// Reads a bundle of short options ("-qf", "-qb1K", "-qb 1K").
void ReadShort(const std::vector<std::string>& arguments, std::size_t& i, Reading& reading) {
    const std::string& argument = arguments[i];
    for (std::size_t at = 1; at < argument.size(); ++at) {
        const OptionSpec* option = nullptr;
        for (const OptionSpec& candidate : kOptions) {
            if (candidate.shortName != '\0' && candidate.shortName == argument[at]) {
                option = &candidate;
            }
        }
        const std::string written = std::string("-") + argument[at];
        if (option == nullptr) {
            reading.Fail(slot::kUnknownArgument, QuotedArgument(written));
            return;
        }
        if (option->takes == Takes::Nothing) {
            reading.Take(*option, {}, written);
            continue;
        }
        if (at + 1 < argument.size()) {
            reading.Take(*option, argument.substr(at + 1), written);
        } else if (i + 1 < arguments.size()) {
            reading.Take(*option, arguments[++i], written);
        } else {
            reading.Fail(slot::kMissingValue, QuotedArgument(written));
        }
        return;
    }
}

Reading Read(const std::vector<std::string>& arguments) {
    Reading reading;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument == "-" || !argument.starts_with('-')) {
            reading.words.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument.starts_with("--")) {
            ReadLong(arguments, i, reading);
        } else {
            ReadShort(arguments, i, reading);
        }
    }
    return reading;
}

// Applies one option with its value; the reason it is wrong, 0 when it is not.
std::optional<TextSlot> Apply(ConsoleRequest& request, std::string_view name,
                              const std::string& value) {
    if (name == "bytes") {
        request.pieceBytes = ParseByteSize(value);
        return request.pieceBytes ? std::nullopt : std::optional(slot::kBadByteSize);
    }
    if (name == "number") {
        request.pieceCount = ParseCount(value);
        return request.pieceCount ? std::nullopt : std::optional(slot::kBadPieceCount);
    }
    if (name == "base") {
        int entry = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), entry);
        if (error != std::errc{} || end != value.data() + value.size() || entry < 1) {
            return slot::kNoSuchBaseSize;
        }
        request.baseEntry = entry;
        return std::nullopt;
    }
    if (name == "output") {
        request.output = value;
    } else if (name == "script") {
        request.script = value;
    } else if (name == "free") {
        request.freeSpace = true;
    } else if (name == "no-checksum") {
        request.noChecksum = true;
    } else if (name == "append") {
        request.append = true;
    } else if (name == "resume") {
        request.resume = true;
    } else if (name == "force") {
        request.force = true;
    } else if (name == "quiet") {
        request.quiet = true;
    }
    return std::nullopt;
}

// "-" is a stream only where one can be read or written whole: split's FILE
// and join's output. Anywhere else it would be taken for a file named "-",
// which nobody means.
std::optional<ConsoleParse> WrongUseOfStreams(const ConsoleRequest& request) {
    if (request.command != Command::Split && request.file == "-") {
        return Wrong(slot::kDashNotHere, "-");
    }
    if (request.script == "-") {
        return Wrong(slot::kDashNotHere, "--script -");
    }
    if (request.command == Command::Split && request.output == "-") {
        return Wrong(slot::kDashNotHere, "-o -");
    }
    if (request.ToStandardOutput() && request.append) {
        return Wrong(slot::kOptionsConflict, "--append, -o -");
    }
    // A stream is read or written once, as it comes: there is nothing to continue.
    if (request.resume && (request.ToStandardOutput() || request.FromStandardInput())) {
        return Wrong(slot::kOptionsConflict,
                     request.ToStandardOutput() ? "--resume, -o -" : "--resume, -");
    }
    if (!request.FromStandardInput()) {
        return std::nullopt;
    }
    // Pieces of a size known before the first byte arrives, under a name of their own.
    if (request.pieceCount) {
        return Wrong(slot::kStandardInputHasNoSize, "-n");
    }
    if (request.baseEntry) {
        return Wrong(slot::kStandardInputHasNoSize, "--base");
    }
    if (request.freeSpace) {
        return Wrong(slot::kStandardInputHasNoSize, "--free");
    }
    if (!request.pieceBytes) {
        return Wrong(slot::kStandardInputNeedsBytes, {});
    }
    if (request.output.empty() || IsPathSeparator(request.output.back())) {
        return Wrong(slot::kStandardInputNeedsName, {});
    }
    return std::nullopt;
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

StartKind ChooseStart(const std::vector<std::string>& arguments) {
    if (IsConsoleCommandLine(arguments)) {
        return StartKind::CommandLine;
    }
    const bool switches = !ParseCommandLine(arguments).steps.empty();
    // "brelker spilt f.bin" is a usage error, not a window that opens spilt.
    if (!switches && arguments.size() > 1 && !arguments.front().starts_with('/')) {
        return StartKind::CommandLine;
    }
    return switches ? StartKind::Switches : StartKind::Window;
}

ConsoleParse ParseConsoleArguments(const std::vector<std::string>& arguments) {
    const Reading reading = Read(arguments);
    if (reading.help || arguments.empty()) {
        return {ConsoleRequest{}, TextSlot(0), {}};
    }
    if (reading.version || reading.listBases) {
        ConsoleRequest request;
        request.command = reading.version ? Command::Version : Command::ListBases;
        return {request, TextSlot(0), {}};
    }
    if (reading.mistake) {
        return *reading.mistake;
    }
    if (reading.words.empty()) {
        return Wrong(slot::kNoCommand, {});
    }

    ConsoleRequest request;
    bool known = false;
    for (const CommandWord& word : kCommands) {
        if (reading.words.front() == word.word) {
            request.command = word.command;
            known = true;
        }
    }
    if (!known) {
        return Wrong(slot::kUnknownArgument, QuotedArgument(reading.words.front()));
    }
    if (reading.words.size() < 2 || reading.words[1].empty()) {
        return Wrong(slot::kMissingValue, QuotedArgument(reading.words.front()));
    }
    if (reading.words.size() > 2) {
        return Wrong(slot::kExtraOperand, QuotedArgument(reading.words[2]));
    }
    request.file = reading.words[1];

    for (const GivenOption& given : reading.options) {
        if (!BelongsTo(*given.option, request.command)) {
            return Wrong(slot::kUnknownArgument, QuotedArgument(given.written));
        }
        if (const auto wrong = Apply(request, given.option->longName, given.value)) {
            return Wrong(*wrong, QuotedArgument(given.value));
        }
    }
    const int sizeChoices = (request.pieceBytes ? 1 : 0) + (request.pieceCount ? 1 : 0) +
                            (request.baseEntry ? 1 : 0) + (request.freeSpace ? 1 : 0);
    if (sizeChoices > 1) {
        return Wrong(slot::kOneSizeChoice, {});
    }
    if (auto wrong = WrongUseOfStreams(request)) {
        return *wrong;
    }
    return {request, TextSlot(0), {}};
}

}  // namespace brelker
