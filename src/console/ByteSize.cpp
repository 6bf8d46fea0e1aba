#include "console/ByteSize.h"

#include <array>
#include <limits>

namespace brelker {
namespace {

struct Unit {
    std::string_view name;
    std::int64_t factor;
};

constexpr std::int64_t kKi = 1024;
constexpr std::int64_t kK = 1000;

constexpr std::array<Unit, 13> kUnits = {{
    {"", 1},
    {"K", kKi},
    {"M", kKi* kKi},
    {"G", kKi* kKi* kKi},
    {"T", kKi* kKi* kKi* kKi},
    {"KiB", kKi},
    {"MiB", kKi* kKi},
    {"GiB", kKi* kKi* kKi},
    {"TiB", kKi* kKi* kKi* kKi},
    {"KB", kK},
    {"MB", kK* kK},
    {"GB", kK* kK* kK},
    {"TB", kK* kK* kK* kK},
}};

}  // namespace

std::optional<std::int64_t> ParseByteSize(std::string_view text) {
    std::size_t digits = 0;
    std::int64_t number = 0;
    constexpr std::int64_t kLargest = std::numeric_limits<std::int64_t>::max();
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
        const int digit = text[digits] - '0';
        if (number > (kLargest - digit) / 10) {
            return std::nullopt;
        }
        number = number * 10 + digit;
        ++digits;
    }
    if (digits == 0 || number == 0) {
        return std::nullopt;
    }
    const std::string_view suffix = text.substr(digits);
    for (const Unit& unit : kUnits) {
        if (suffix == unit.name) {
            if (number > kLargest / unit.factor) {
                return std::nullopt;
            }
            return number * unit.factor;
        }
    }
    return std::nullopt;
}

}  // namespace brelker
