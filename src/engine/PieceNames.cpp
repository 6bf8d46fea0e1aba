#include "engine/PieceNames.h"

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

}  // namespace brelker
