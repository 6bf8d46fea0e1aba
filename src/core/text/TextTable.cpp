#include "text/TextTable.h"

#include <charconv>
#include <span>

#include "text/Languages.h"
#include "text/Slots.h"

namespace brelker {
namespace {

// The help line of the switch that writes a restore script exists in English only.
constexpr int kEnglishOnlySlot = slot::kSelfUnitSwitchHelp.number;
// The command-line part of the help, which not every language has.
constexpr int kFirstCommandLineHelpSlot = slot::kSwitchesFirst.number;
constexpr int kLastCommandLineHelpSlot = slot::kSwitchesLast.number;

const std::string kEmpty;

std::size_t IndexOf(int language, int slot) {
    return static_cast<std::size_t>(language) * kSlotCount + static_cast<std::size_t>(slot);
}

bool IsInTable(int language, int slot) {
    return language >= 0 && language < kLanguageCount && slot >= 0 && slot < kSlotCount;
}

}  // namespace

std::string StripAccelerator(std::string_view text) {
    std::string result(text);
    if (const auto amp = result.find('&'); amp != std::string::npos) {
        result.erase(amp, 1);
    }
    return result;
}

// One pass over the slot's own text: a value is never searched for marks, so
// a file name such as "50%2.bin" stays as it is.
std::string TextWith(TextSlot slot, std::initializer_list<std::string_view> values) {
    const std::string& source = Text(slot);
    std::string text;
    for (std::size_t at = 0; at < source.size(); ++at) {
        const char next = at + 1 < source.size() ? source[at + 1] : '\0';
        const auto number = static_cast<std::size_t>(next - '0');
        if (source[at] == '%' && next >= '1' && next <= '9' && number <= values.size()) {
            text += *(values.begin() + (number - 1));
            ++at;
        } else {
            text += source[at];
        }
    }
    return text;
}

std::string TextTable::Expand(int language, std::string_view source,
                              std::string_view suffix) const {
    std::string result;
    result.reserve(source.size());
    std::size_t pos = 0;
    while (pos < source.size()) {
        const std::size_t open = source.find('{', pos);
        const std::size_t close = open == std::string_view::npos ? open : source.find('}', open);
        if (close == std::string_view::npos) {
            result.append(source.substr(pos));
            break;
        }
        result.append(source.substr(pos, open - pos));
        std::string_view marker = source.substr(open + 1, close - open - 1);
        if (marker == "suffix") {
            result.append(suffix);
        } else {
            const bool strip = marker.starts_with('&');
            if (strip) {
                marker.remove_prefix(1);
            }
            int slot = -1;
            const auto [end, error] =
                std::from_chars(marker.data(), marker.data() + marker.size(), slot);
            if (error != std::errc{} || end != marker.data() + marker.size()) {
                // Not a marker: a brace that belongs to the text.
                result.append(source.substr(open, close - open + 1));
            } else {
                const std::string& part = Entry(language, slot);
                result.append(strip ? StripAccelerator(part) : part);
            }
        }
        pos = close + 1;
    }
    return result;
}

void TextTable::Fill(std::string_view suffix) {
    for (std::string& entry : entries_) {
        entry.clear();
    }

    // Slot by slot, the languages together, so that a composed text always
    // finds the lower slots it is built from already filled in its own language.
    std::array<std::span<const SlotSource>, kLanguageCount> sources;
    for (const LanguageFacts& facts : Languages()) {
        sources[static_cast<std::size_t>(facts.language)] = facts.sources();
    }
    std::array<std::size_t, kLanguageCount> next{};
    for (int slot = 0; slot < kSlotCount; ++slot) {
        for (int language = 0; language < kLanguageCount; ++language) {
            const auto& list = sources[static_cast<std::size_t>(language)];
            auto& cursor = next[static_cast<std::size_t>(language)];
            while (cursor < list.size() && list[cursor].slot < slot) {
                ++cursor;
            }
            if (cursor == list.size() || list[cursor].slot != slot) {
                continue;
            }
            if (slot == kEnglishOnlySlot && language != kEnglish) {
                continue;
            }
            entries_[IndexOf(language, slot)] = Expand(language, list[cursor].text, suffix);
        }
    }

    for (const LanguageFacts& facts : Languages()) {
        if (facts.hasCommandLineHelp) {
            continue;
        }
        entries_[IndexOf(facts.language, kFirstCommandLineHelpSlot)] =
            Entry(kEnglish, kFirstCommandLineHelpSlot) + " (in English)";
        for (int slot = kFirstCommandLineHelpSlot + 1; slot <= kLastCommandLineHelpSlot; ++slot) {
            entries_[IndexOf(facts.language, slot)] = Entry(kEnglish, slot);
        }
    }
}

const std::string& TextTable::Entry(int language, int slot) const {
    return IsInTable(language, slot) ? entries_[IndexOf(language, slot)] : kEmpty;
}

const std::string& TextTable::Text(TextSlot slot) const {
    const int language = IsInTable(currentLanguage_, 0) ? currentLanguage_ : kEnglish;
    return Entry(language, slot.number);
}

TextTable& ProgramTexts() {
    static TextTable table;
    return table;
}

void FillTextTable(std::string_view suffix) { ProgramTexts().Fill(suffix); }

const std::string& Text(TextSlot slot) { return ProgramTexts().Text(slot); }

int CurrentLanguage() { return ProgramTexts().CurrentLanguage(); }

void SetCurrentLanguage(int language) { ProgramTexts().SetCurrentLanguage(language); }

}  // namespace brelker
