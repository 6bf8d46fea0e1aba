#include "text/Languages.h"

#include <array>

namespace brelker {
namespace {

constexpr std::array<LanguageFacts, kLanguageCount> kLanguages = {{
    {kEnglish, "en", ",", false, true, EnglishSources},
    {kSwedish, "sv", " ", false, true, SwedishSources},
    {kGerman, "de", ".", true, false, GermanSources},
}};

constexpr bool InOrder() {
    for (std::size_t i = 0; i < kLanguages.size(); ++i) {
        if (static_cast<std::size_t>(kLanguages[i].language) != i) {
            return false;
        }
    }
    return true;
}
static_assert(InOrder(), "a language's row sits at its own number");

}  // namespace

std::span<const LanguageFacts> Languages() { return kLanguages; }

const LanguageFacts& FactsOf(int language) {
    return language >= 0 && language < kLanguageCount
               ? kLanguages[static_cast<std::size_t>(language)]
               : kLanguages[kEnglish];
}

}  // namespace brelker
