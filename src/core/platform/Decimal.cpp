#include "platform/Decimal.h"

#include <limits>

namespace brelker {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Accumulates in unsigned arithmetic, where wrapping is defined.
std::uint64_t Accumulate(std::string_view text, bool& negative) {
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) {
        ++pos;
    }
    negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    std::uint64_t value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        value = value * 10 + static_cast<std::uint64_t>(text[pos] - '0');
        ++pos;
    }
    return negative ? 0 - value : value;
}

}  // namespace

std::int64_t DecimalToInt64(std::string_view text) {
    bool negative = false;
    return static_cast<std::int64_t>(Accumulate(text, negative));
}

std::int32_t DecimalToInt32(std::string_view text) {
    bool negative = false;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(Accumulate(text, negative)));
}

bool StrictDecimalToInt32(std::string_view text, std::int32_t& value) {
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    if (pos == text.size()) {
        return false;
    }
    std::int64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        if (text[pos] < '0' || text[pos] > '9') {
            return false;
        }
        magnitude = magnitude * 10 + (text[pos] - '0');
        if (magnitude > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) {
            return false;
        }
    }
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue > std::numeric_limits<std::int32_t>::max()) {
        return false;
    }
    value = static_cast<std::int32_t>(signedValue);
    return true;
}

}  // namespace brelker
