#include "plan/SizeDisplay.h"

namespace brelker {
namespace {

// Thousandths of the scaled size, half up.
std::int64_t Thousandths(std::int64_t bytes, std::int64_t divisor) {
    const long double scaled =
        static_cast<long double>(bytes) * 1000.0L / static_cast<long double>(divisor) + 0.5L;
    return static_cast<std::int64_t>(scaled);
}

// The shortest decimal form of thousandths / 1000: no exponent, no trailing zeros.
std::string ThousandthsText(std::int64_t thousandths, const std::string& separator) {
    const bool negative = thousandths < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(thousandths)
                                             : static_cast<std::uint64_t>(thousandths);
    std::string text = (negative ? "-" : "") + std::to_string(magnitude / 1000);
    std::string fraction = std::to_string(magnitude % 1000);
    fraction.insert(0, 3 - fraction.size(), '0');
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.pop_back();
    }
    if (!fraction.empty()) {
        text += separator + fraction;
    }
    return text;
}

}  // namespace

double ScaleSize(std::int64_t bytes, std::int64_t divisor) {
    return static_cast<double>(Thousandths(bytes, divisor)) * 0.001;
}

std::optional<std::string> BigFileSizeText(std::int64_t bytes, SizeUnit unit,
                                           const std::string& separator) {
    if (bytes == 0) {
        return " ";
    }
    if (unit < SizeUnit::Bytes || unit > SizeUnit::Terabytes) {
        return std::nullopt;
    }
    if (unit == SizeUnit::Bytes) {
        return std::to_string(bytes);
    }
    std::int64_t divisor = 1;
    for (int i = static_cast<int>(SizeUnit::Bytes); i < static_cast<int>(unit); ++i) {
        divisor *= 1024;
    }
    const std::string text = ThousandthsText(Thousandths(bytes, divisor), separator);
    if (bytes > 0 && text == "0") {
        return "0" + separator + "000";
    }
    return text;
}

}  // namespace brelker
