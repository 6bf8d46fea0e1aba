#pragma once

#include <cstdint>

namespace brelker {

// The bytes a split takes from the big file: count bytes after the first skip.
struct ExtractRange {
    std::int64_t skip = 0;
    std::int64_t count = 0;

    bool operator==(const ExtractRange&) const = default;
};

// Brings a typed range inside a big file of limit bytes: each number is cut to
// the file's size, then raised to 0, and last the count is shortened so the
// range ends at the file's last byte.
ExtractRange NormaliseExtractRange(std::int64_t skip, std::int64_t count, std::int64_t limit);

}  // namespace brelker
