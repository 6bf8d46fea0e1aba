#include "plan/PieceSizes.h"

namespace brelker {

std::optional<std::vector<std::int64_t>> PieceSizesFor(std::int64_t bytes, std::int64_t base,
                                                       std::int64_t mostPieces) {
    std::vector<std::int64_t> sizes;
    if (bytes <= 0) {
        return sizes;
    }
    // A base below one byte (a damaged list) would never finish the file.
    if (base < 1) {
        return std::nullopt;
    }
    const std::int64_t count = bytes / base + (bytes % base != 0 ? 1 : 0);
    if (count > mostPieces) {
        return std::nullopt;
    }
    sizes.assign(static_cast<std::size_t>(count), base);
    sizes.back() = bytes - base * (count - 1);
    return sizes;
}

void TakePieceSizes(Job& job, int kept, const std::vector<std::int64_t>& sizes) {
    job.SmallFileSizes.resize(static_cast<std::size_t>(kept) + 1);
    job.SmallFileSizes.insert(job.SmallFileSizes.end(), sizes.begin(), sizes.end());
    job.SmallFileCount = kept + static_cast<std::int32_t>(sizes.size());
}

}  // namespace brelker
