#include "text/HelpLines.h"

#include <array>

#include "text/TextTable.h"

namespace brelker {
namespace {

// A run of consecutive slots; the blank run stands for one empty line.
struct HelpRun {
    int first;
    int last;
    bool indented;
};

constexpr HelpRun kBlank = {0, -1, false};
constexpr HelpRun Slots(int first, int last) { return {first, last, false}; }
constexpr HelpRun Indented(int first, int last) { return {first, last, true}; }

// The manual's order. Slots were numbered as texts were added over the years,
// so a section's lines are scattered over the table.
// clang-format off
constexpr std::array kHelpOrder = {
    // THE PROGRAM DOES THE FOLLOWING TWO THINGS
    Slots(119, 121), Slots(285, 286), kBlank,
    // TO SPLIT A FILE
    Slots(122, 127), Slots(257, 258), kBlank,
    // TO RESTORE A FILE
    Slots(131, 131), Slots(260, 260), Indented(261, 264), Indented(287, 287), kBlank,
    Slots(265, 265), Slots(132, 136), kBlank,
    // restoring with COPY
    Slots(288, 289), kBlank,
    // TO CHOOSE SIZES OF THE SMALLER FILES
    Slots(128, 130), Slots(170, 172), Slots(187, 187), Slots(173, 176), kBlank,
    // MODIFY BASE SIZES
    Slots(290, 293), kBlank,
    // USING THE HARD DISK VS DISKETTES
    Slots(140, 144), kBlank, Slots(167, 169), kBlank,
    // THE PAUSE MENU
    Slots(150, 155), Slots(294, 295), kBlank,
    // THE MEMORY MENU
    Slots(157, 164), Slots(191, 193), kBlank, Slots(194, 194), kBlank,
    Slots(165, 166), Slots(196, 196), kBlank,
    // THE ENDING MENU
    Slots(215, 221), kBlank,
    // THE LANGUAGE MENU
    Slots(188, 190), kBlank,
    // THE REMOVE FILE MENU
    Slots(273, 282), kBlank,
    // OLD SETTINGS
    Slots(179, 186), Slots(303, 305), kBlank,
    // THE CONTENTS OF THE SMALLER FILES
    Slots(197, 200), Slots(231, 231), Slots(306, 309), kBlank,
    // SHORT CUT COMBINATIONS
    Slots(310, 319), kBlank,
    // SWITCHES TO CONTROL THE PROGRAM
    Slots(321, 338), kBlank, Slots(339, 342),
};
// clang-format on

constexpr int CountLines() {
    int count = 0;
    for (const HelpRun& run : kHelpOrder) {
        count += run.last < run.first ? 1 : run.last - run.first + 1;
    }
    return count;
}
static_assert(CountLines() == kHelpLineCount);

constexpr std::string_view kIndent = "     ";

}  // namespace

void EmitHelpLines(const TextTable& table, const std::function<void(const std::string&)>& emit) {
    for (const HelpRun& run : kHelpOrder) {
        if (run.last < run.first) {
            emit(std::string());
            continue;
        }
        for (int slot = run.first; slot <= run.last; ++slot) {
            if (run.indented) {
                emit(std::string(kIndent) + table.Text(slot));
            } else {
                emit(table.Text(slot));
            }
        }
    }
}

std::vector<std::string> HelpLines(const TextTable& table) {
    std::vector<std::string> lines;
    lines.reserve(kHelpLineCount);
    EmitHelpLines(table, [&lines](const std::string& line) { lines.push_back(line); });
    return lines;
}

}  // namespace brelker
