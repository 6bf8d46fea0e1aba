#include "engine/PieceNames.h"

namespace brelker {

std::string PieceName(const std::string& stem, const std::string& suffix, std::int64_t number) {
    return stem + suffix + std::to_string(number);
}

}  // namespace brelker
