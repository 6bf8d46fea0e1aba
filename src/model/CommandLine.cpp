#include "model/CommandLine.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/Paths.h"

namespace brelker {
namespace {

struct OptionWord {
    std::string_view word;
    CommandLine::Option option;
};

// Tested in this order against every argument; no two can match the same one.
constexpr std::array<OptionWord, 7> kOptionWords = {{
    {"/bigfile=", CommandLine::Option::BigFile},
    {"/smallfiles=", CommandLine::Option::SmallFiles},
    {"/basesize=", CommandLine::Option::BaseSize},
    {"/split", CommandLine::Option::Split},
    {"/minimize", CommandLine::Option::Minimize},
    {"/exit", CommandLine::Option::Exit},
    {"/selfunitfile=", CommandLine::Option::SelfUnitFile},
}};

// The option words are ASCII, so only ASCII letters can take part in a match;
// other characters are left as they are and never match.
bool StartsWithLowered(std::string_view argument, std::string_view word) {
    if (argument.size() < word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < word.size(); ++i) {
        char c = argument[i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != word[i]) {
            return false;
        }
    }
    return true;
}

// A path from the root that goes on past its first folder ("/split/x.bin"):
// no option word has a second separator, however it is spelt.
bool IsRootedPath(std::string_view argument) {
    return argument.size() > 1 && IsPathSeparator(argument.front()) &&
           std::any_of(argument.begin() + 1, argument.end(), IsPathSeparator);
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine result;
    for (const std::string& argument : arguments) {
        const bool rooted = IsRootedPath(argument);
        bool matched = false;
        for (const OptionWord& word : kOptionWords) {
            const bool takesValue = word.word.ends_with('=');
            if (!StartsWithLowered(argument, word.word) || (rooted && !takesValue)) {
                continue;
            }
            std::string value;
            if (takesValue) {
                value = argument.substr(word.word.size());
            }
            result.steps.push_back({word.option, std::move(value)});
            matched = true;
            break;
        }
        if (!matched && !argument.empty() && !argument.starts_with('-') &&
            (argument.front() != '/' || rooted)) {
            result.files.push_back(argument);
        }
    }
    return result;
}

bool IsUnattended(const CommandLine& commandLine) {
    bool split = false;
    bool exit = false;
    for (const CommandLine::Step& step : commandLine.steps) {
        split = split || step.option == CommandLine::Option::Split;
        exit = exit || step.option == CommandLine::Option::Exit;
    }
    return split && exit;
}

}  // namespace brelker
