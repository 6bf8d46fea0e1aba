#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

#include "text/TextSlot.h"

namespace brelker {

inline constexpr int kLanguageCount = 3;
inline constexpr int kSlotCount = 1000;

enum Language : int { kEnglish = 0, kSwedish = 1, kGerman = 2 };

// The text without its first "&"; later ones stay, a text without one is unchanged.
std::string StripAccelerator(std::string_view text);

// Every text the user sees, as numbered slots in three languages.
class TextTable {
public:
    // Reassigns every entry from the translations; the suffix is the piece-name
    // ending that the file filters of slots 33 and 51 show. A second fill with
    // another suffix leaves no trace of the first.
    void Fill(std::string_view suffix);

    // The entry of one language; the empty text outside the table.
    const std::string& Entry(int language, int slot) const;
    const std::string& Entry(int language, TextSlot slot) const {
        return Entry(language, slot.number);
    }

    // The entry in the current language. A current language outside the three
    // (a damaged setting) reads English rather than outside the table.
    const std::string& Text(TextSlot slot) const;

    int CurrentLanguage() const { return currentLanguage_; }
    void SetCurrentLanguage(int language) { currentLanguage_ = language; }

private:
    std::string Expand(int language, std::string_view source, std::string_view suffix) const;

    std::array<std::string, static_cast<std::size_t>(kLanguageCount) * kSlotCount> entries_;
    int currentLanguage_ = kEnglish;
};

// The program-wide table and the calls the rest of the program reads it through.
TextTable& ProgramTexts();
void FillTextTable(std::string_view suffix);
const std::string& Text(TextSlot slot);
int CurrentLanguage();
void SetCurrentLanguage(int language);
// The text of slot with "%1", "%2", ... replaced by the values in turn, so
// that each language puts them where its sentence needs them.
std::string TextWith(TextSlot slot, std::initializer_list<std::string_view> values);

}  // namespace brelker
