#pragma once

#include <span>
#include <string_view>

#include "text/TextSources.h"
#include "text/TextTable.h"

namespace brelker {

// What the program must know of each language it speaks beyond its texts. A
// new language is a row here, its texts, and its item in the window's menu.
struct LanguageFacts {
    Language language;
    // ISO 639-1: Qt's catalogue of its own texts for the language is named
    // after it ("qt_sv"), and so is ours where Qt's lacks texts we show.
    std::string_view code;
    // Between groups of three digits in a size the user reads or types.
    std::string_view digitGroupSeparator;
    // German writes every noun with a capital, inside a sentence too.
    bool capitalizesNouns;
    // The help's command-line part exists in this language; where it does not,
    // the English one is shown under a note that says so.
    bool hasCommandLineHelp;
    std::span<const SlotSource> (*sources)();
};

// Every language, in the order of their numbers.
std::span<const LanguageFacts> Languages();
// English for a number outside the table (a damaged setting).
const LanguageFacts& FactsOf(int language);

}  // namespace brelker
