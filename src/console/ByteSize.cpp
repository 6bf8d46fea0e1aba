#include "console/ByteSize.h"

#include <limits>
#include <string>

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

}  // namespace brelker
