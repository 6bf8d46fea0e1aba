#include "settings/ExtractRange.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>

namespace brelker {

void PrintTo(const ExtractRange& range, std::ostream* out) {
    *out << "skip " << range.skip << ", count " << range.count;
}

namespace {

struct RangeCase {
    const char* name;
    std::int64_t skip;
    std::int64_t count;
    std::int64_t limit;
    ExtractRange expected;
};

TEST(ExtractRangeTest, KeepsTheRangeInsideTheBigFile) {
    constexpr std::int64_t kHuge = std::numeric_limits<std::int64_t>::max();
    const RangeCase cases[] = {
        {"inside stays", 100, 200, 1000, {100, 200}},
        {"whole file", 0, 1000, 1000, {0, 1000}},
        {"count past the end is shortened", 900, 500, 1000, {900, 100}},
        {"skip past the end leaves nothing", 2000, 100, 1000, {1000, 0}},
        {"count above the size is cut first", 0, 5000, 1000, {0, 1000}},
        {"negative skip", -5, 10, 1000, {0, 10}},
        {"negative count", 10, -5, 1000, {10, 0}},
        {"empty file", 3, 3, 0, {0, 0}},
        {"largest numbers do not overflow", kHuge, kHuge, kHuge - 1, {kHuge - 1, 0}},
        {"beyond 32 bits",
         5'000'000'000,
         3'000'000'000,
         6'000'000'000,
         {5'000'000'000, 1'000'000'000}},
    };
    for (const RangeCase& c : cases) {
        EXPECT_EQ(NormaliseExtractRange(c.skip, c.count, c.limit), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace brelker
