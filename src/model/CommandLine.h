#pragma once

#include <string>
#include <vector>

namespace brelker {

// What the command line asks for, one step per argument that names an option,
// in the order given. Option words are matched as lower-cased prefixes, so
// /Split, /SPLIT and /splitnow all ask for a split; the value of a word ending
// in "=" is the rest of the argument as given. An argument that names no
// option is a file to open, as a file manager passes it ("brelker %f"), unless
// it looks like an option: it starts with "-", or with "/" and has no other
// separator (a misspelt word such as /spli is ignored, /splits/a.bin is a file).
struct CommandLine {
    enum class Option { BigFile, SmallFiles, BaseSize, Split, Minimize, Exit, SelfUnitFile };
    struct Step {
        Option option;
        std::string value;
    };
    std::vector<Step> steps;
    std::vector<std::string> files;
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// A split that ends the program when done (/split and /exit, in any order):
// nobody may be there to click, so its messages go to the error stream rather
// than into boxes that would wait.
bool IsUnattended(const CommandLine& commandLine);

}  // namespace brelker
