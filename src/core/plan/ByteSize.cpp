#include "plan/ByteSize.h"

#include <limits>
#include <string>

#include "text/Languages.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

constexpr std::int64_t kLargest = std::numeric_limits<std::int64_t>::max();

// The units split's -b takes as the first letter after the number, with the
// power of the base they stand for; "b" is 512 bytes and takes no second letter.
constexpr std::string_view kPowerLetters = "KkMmGTPEZY";
constexpr int kPowers[] = {1, 1, 2, 2, 3, 4, 5, 6, 7, 8};

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// number * factor^power, or nothing past 63 bits.
std::optional<std::int64_t> Scaled(std::int64_t number, std::int64_t factor, int power) {
    for (int i = 0; i < power; ++i) {
        if (number > kLargest / factor) {
            return std::nullopt;
        }
        number *= factor;
    }
    return number;
}

std::optional<std::int64_t> Parse(std::string_view text, bool units) {
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) {
        ++at;
    }
    if (at < text.size() && text[at] == '+') {
        ++at;
    }
    const std::size_t firstDigit = at;
    std::int64_t number = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        const int digit = text[at] - '0';
        if (number > (kLargest - digit) / 10) {
            return std::nullopt;
        }
        number = number * 10 + digit;
        ++at;
    }
    if (at == firstDigit) {
        // Without digits a unit must start the text: "K" is one of it, " K" or "+K" nothing.
        if (!units || text.empty() ||
            (text[0] != 'b' && kPowerLetters.find(text[0]) == std::string_view::npos)) {
            return std::nullopt;
        }
        number = 1;
        at = 0;
    }
    std::optional<std::int64_t> bytes = number;
    const std::string_view suffix = text.substr(at);
    if (!suffix.empty()) {
        if (!units) {
            return std::nullopt;
        }
        const std::size_t letter = kPowerLetters.find(suffix[0]);
        if (suffix == "b") {
            bytes = Scaled(number, 512, 1);
        } else if (letter == std::string_view::npos) {
            return std::nullopt;
        } else {
            const std::string_view rest = suffix.substr(1);
            const int power = kPowers[letter];
            if (rest.empty() || rest == "iB") {
                bytes = Scaled(number, 1024, power);
            } else if (rest == "B" || rest == "D") {
                bytes = Scaled(number, 1000, power);
            } else {
                return std::nullopt;
            }
        }
    }
    if (!bytes || *bytes == 0) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

std::optional<std::int64_t> ParseByteSize(std::string_view text) { return Parse(text, true); }

std::optional<std::int64_t> ParseCount(std::string_view text) { return Parse(text, false); }

namespace {

// Blanks that part digit groups or stand around a typed size, in UTF-8.
constexpr std::string_view kBlanks[] = {" ", "\t", "\xC2\xA0", "\xE2\x80\xAF"};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The length of the blank text starts with, 0 for none.
std::size_t BlankAt(std::string_view text) {
    for (const std::string_view blank : kBlanks) {
        if (text.starts_with(blank)) {
            return blank.size();
        }
    }
    return 0;
}

std::string_view TrimBlanks(std::string_view text) {
    while (const std::size_t blank = BlankAt(text)) {
        text.remove_prefix(blank);
    }
    while (!text.empty()) {
        std::size_t blank = 0;
        for (const std::string_view candidate : kBlanks) {
            if (text.ends_with(candidate)) {
                blank = candidate.size();
                break;
            }
        }
        if (blank == 0) {
            break;
        }
        text.remove_suffix(blank);
    }
    return text;
}

std::size_t DigitsAt(std::string_view text) {
    std::size_t count = 0;
    while (count < text.size() && IsDigit(text[count])) {
        ++count;
    }
    return count;
}

// The separator of a digit group at the start of text: the language's mark or
// a blank, when exactly three digits and then no digit follow it.
std::string_view GroupSeparatorAt(std::string_view text, std::string_view languageMark) {
    std::string_view separator;
    if (!languageMark.empty() && text.starts_with(languageMark)) {
        separator = text.substr(0, languageMark.size());
    } else if (const std::size_t blank = BlankAt(text)) {
        separator = text.substr(0, blank);
    } else {
        return {};
    }
    return DigitsAt(text.substr(separator.size())) == 3 ? separator : std::string_view();
}

}  // namespace

std::optional<std::int64_t> ParseTypedSize(std::string_view text, std::string_view groupSeparator) {
    text = TrimBlanks(text);
    std::string plain;
    if (text.starts_with('+')) {
        plain += '+';
        text.remove_prefix(1);
    }
    const std::size_t lead = DigitsAt(text);
    plain += text.substr(0, lead);
    text.remove_prefix(lead);
    std::string_view separator;
    while (lead > 0) {
        const std::string_view next = GroupSeparatorAt(text, groupSeparator);
        if (next.empty()) {
            break;
        }
        // The first group has one to three digits, and every group the same
        // separator; blanks of different kinds look alike, so they count as one.
        const bool sameKind =
            separator.empty() || next == separator || (BlankAt(next) > 0 && BlankAt(separator) > 0);
        if (lead > 3 || !sameKind) {
            return std::nullopt;
        }
        separator = next;
        plain += text.substr(next.size(), 3);
        text.remove_prefix(next.size() + 3);
    }
    // What is left is the unit; digits there were a group that was not one of three
    // ("1 4567", "12 3"), and anything else that is no unit is refused by split's reading.
    const std::string_view unit = TrimBlanks(text);
    if ((!unit.empty() && IsDigit(unit.front())) || unit == "b") {
        return std::nullopt;
    }
    return ParseByteSize(plain + std::string(unit == "B" ? std::string_view() : unit));
}

std::string_view DigitGroupSeparatorOf(int language) {
    return FactsOf(language).digitGroupSeparator;
}

}  // namespace brelker
