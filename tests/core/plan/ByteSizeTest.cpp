// Sizes as the command line's -b and the window's New Size field read them.

#include "plan/ByteSize.h"

#include <gtest/gtest.h>

#include <limits>

namespace brelker {
namespace {

// Rows as GNU split 9.1 reads -b: what it takes and what it refuses.
TEST(ByteSizeTest, ReadsSizesAsGnuSplitDoes) {
    struct Row {
        const char* text;
        std::optional<std::int64_t> bytes;
    };
    constexpr std::int64_t kLargest = std::numeric_limits<std::int64_t>::max();
    const Row rows[] = {
        {"200", 200},
        {"010", 10},
        {"+10", 10},
        {" 10", 10},
        {"\t7", 7},
        {"1b", 512},
        {"2b", 1024},
        {"b", 512},
        {"1K", 1024},
        {"1k", 1024},
        {"K", 1024},
        {"1KiB", 1024},
        {"1kiB", 1024},
        {"1KB", 1000},
        {"1kB", 1000},
        {"KB", 1000},
        {"1KD", 1000},
        {"1m", 1LL << 20},
        {"700M", 700LL << 20},
        {"1mB", 1'000'000},
        {"1MD", 1'000'000},
        {"650MB", 650'000'000},
        {"1MiB", 1LL << 20},
        {"4G", 4LL << 30},
        {"1GB", 1'000'000'000},
        {"2T", 2LL << 40},
        {"1P", 1LL << 50},
        {"1PB", 1'000'000'000'000'000},
        {"1E", 1LL << 60},
        {"7E", 7LL << 60},
        {"1EiB", 1LL << 60},
        {"9EB", 9'000'000'000'000'000'000},
        {"8388607T", 8'388'607LL << 40},
        {"9223372036854775807", kLargest},
        // Refused: past 63 bits, zero, signs, fractions, other letters, blanks after.
        {"8E", std::nullopt},
        {"10EB", std::nullopt},
        {"1Z", std::nullopt},
        {"1Y", std::nullopt},
        {"8388608T", std::nullopt},
        {"9223372036854775808", std::nullopt},
        {"0", std::nullopt},
        {"00", std::nullopt},
        {"-1", std::nullopt},
        {" -0", std::nullopt},
        {"++1", std::nullopt},
        {"1.5K", std::nullopt},
        {"1e3", std::nullopt},
        {"0x10", std::nullopt},
        {"", std::nullopt},
        {" K", std::nullopt},
        {"iB", std::nullopt},
        {"1g", std::nullopt},
        {"1t", std::nullopt},
        {"1gB", std::nullopt},
        {"1B", std::nullopt},
        {"1c", std::nullopt},
        {"1w", std::nullopt},
        {"1D", std::nullopt},
        {"1bB", std::nullopt},
        {"1Ki", std::nullopt},
        {"1mib", std::nullopt},
        {"1MIB", std::nullopt},
        {"1KBB", std::nullopt},
        {"1MiBx", std::nullopt},
        {"5 ", std::nullopt},
        {"1 K", std::nullopt},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ParseByteSize(row.text), row.bytes) << "[" << row.text << "]";
    }
    // -n N takes the same number, without a unit.
    EXPECT_EQ(ParseCount(" +3"), 3);
    EXPECT_EQ(ParseCount("3K"), std::nullopt);
    EXPECT_EQ(ParseCount("K"), std::nullopt);
    EXPECT_EQ(ParseCount("0"), std::nullopt);
}

// The window's field takes what -b takes, and sizes as people type them:
// digits grouped in the language's way or by blanks, blanks before the unit,
// and B for bytes. What is still not a size is refused as a whole.
TEST(ByteSizeTest, ReadsTypedSizesWithGroupsAndBlanks) {
    struct Row {
        const char* text;
        const char* separator;
        std::optional<std::int64_t> bytes;
    };
    const Row rows[] = {
        {"2 MB", ",", 2'000'000},
        {"2M", ",", 2LL << 20},
        {"2MiB", ",", 2LL << 20},
        {" 2 MiB ", ",", 2LL << 20},
        {"1457664 B", ",", 1'457'664},
        {"700", ",", 700},
        {"1,457,664", ",", 1'457'664},
        {"1 457 664", ",", 1'457'664},
        {"1\xC2\xA0"
         "457\xC2\xA0"
         "664",
         " ", 1'457'664},
        {"1 457\xC2\xA0"
         "664",
         " ", 1'457'664},  // two blanks that look alike
        {"1 457 664", " ", 1'457'664},
        {"1.457.664", ".", 1'457'664},
        {"1.457", ".", 1'457},
        {"1,457 KB", ",", 1'457'000},
        {"+1,000", ",", 1'000},
        // Refused: another language's mark, groups not of three, mixed marks,
        // fractions, a lone b, letters after the number, nothing at all.
        {"1.457.664", ",", std::nullopt},
        {"1,457,664", ".", std::nullopt},
        {"1,457,664", " ", std::nullopt},
        {"1.457", ",", std::nullopt},
        {"1,45", ",", std::nullopt},
        {"1,4567", ",", std::nullopt},
        {"1457,664", ",", std::nullopt},
        {"1 4567", ",", std::nullopt},
        {"12 3", ",", std::nullopt},
        {"1,457 664", ",", std::nullopt},
        {"1.5M", ",", std::nullopt},
        {"1,5 MB", ".", std::nullopt},
        {"2b", ",", std::nullopt},
        {"2 b", ",", std::nullopt},
        {"12abc", ",", std::nullopt},
        {"0 MB", ",", std::nullopt},
        {"-5", ",", std::nullopt},
        {"B", ",", std::nullopt},
        {"", ",", std::nullopt},
        {"   ", ",", std::nullopt},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ParseTypedSize(row.text, row.separator), row.bytes)
            << "[" << row.text << "] with [" << row.separator << "]";
    }
}

}  // namespace
}  // namespace brelker
