#include "window/CommandLine.h"

#include <array>
#include <string_view>

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

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine result;
    for (const std::string& argument : arguments) {
        for (const OptionWord& word : kOptionWords) {
            if (!StartsWithLowered(argument, word.word)) {
                continue;
            }
            std::string value;
            if (word.word.ends_with('=')) {
                value = argument.substr(word.word.size());
            }
            result.steps.push_back({word.option, std::move(value)});
            break;
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
