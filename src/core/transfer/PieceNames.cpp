#include "transfer/PieceNames.h"

#include <limits>

#include "platform/Paths.h"

namespace brelker {

std::string PieceName(const std::string& stem, const std::string& suffix, std::int64_t number) {
    return stem + suffix + std::to_string(number);
}

std::string FindSeriesBase(const std::string& piecePath, const std::string& suffix) {
    if (suffix.empty() || suffix.size() >= piecePath.size()) {
        return {};
    }
    // The occurrence must end before the last character: at least one character
    // (the running number) follows it.
    const std::size_t start = piecePath.rfind(suffix, piecePath.size() - 1 - suffix.size());
    return start == std::string::npos ? std::string() : piecePath.substr(0, start);
}

std::int64_t PieceNumberOf(const std::string& piecePath, const std::string& stem,
                           const std::string& suffix) {
    const std::string prefix = stem + suffix;
    if (!piecePath.starts_with(prefix) || piecePath.size() == prefix.size() ||
        piecePath[prefix.size()] == '0') {
        return 0;
    }
    std::int64_t number = 0;
    for (std::size_t i = prefix.size(); i < piecePath.size(); ++i) {
        const char digit = piecePath[i];
        if (digit < '0' || digit > '9' ||
            number > (std::numeric_limits<std::int64_t>::max() - (digit - '0')) / 10) {
            return 0;
        }
        number = number * 10 + (digit - '0');
    }
    return number;
}

std::vector<std::int64_t> PieceNumbersOnDisk(Platform& platform, const std::string& stem,
                                             const std::string& suffix) {
    std::vector<std::int64_t> numbers;
    const auto entries = platform.ListFolder(FolderOfPath(stem));
    if (!entries) {
        return numbers;
    }
    const std::string bareStem = BareFileName(stem);
    for (const FolderEntry& entry : *entries) {
        if (const std::int64_t number = PieceNumberOf(entry.name, bareStem, suffix); number > 0) {
            numbers.push_back(number);
        }
    }
    return numbers;
}

}  // namespace brelker
