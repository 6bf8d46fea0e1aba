#include "platform/Decimal.h"

#include <gtest/gtest.h>

namespace brelker {
namespace {

TEST(DecimalTest, ReadsDigitsUpToTheFirstNonDigitTheTolerantWay) {
    struct Row {
        const char* text;
        std::int64_t value;
    };
    const Row rows[] = {
        {"1457664", 1457664},
        {"  +12abc", 12},
        {"-3", -3},
        {"abc", 0},
        {"", 0},
        {"+", 0},
        {"--5", 0},
        {"\t 7 8", 7},
        {"4700000000", 4700000000},
        {"0012", 12},
        {"-0", 0},
        {"1.44", 1},
        {"18446744073709551617", 1},  // wraps around: no overflow check
    };
    for (const Row& row : rows) {
        EXPECT_EQ(DecimalToInt64(row.text), row.value) << row.text;
    }
    EXPECT_EQ(DecimalToInt32("4294967297"), 1);
    EXPECT_EQ(DecimalToInt32("75"), 75);
    EXPECT_EQ(DecimalToInt32(" -20x"), -20);
}

TEST(DecimalTest, StrictReadingRefusesAnythingButAnInteger) {
    std::int32_t value = -7;
    EXPECT_TRUE(StrictDecimalToInt32("2", value));
    EXPECT_EQ(value, 2);
    EXPECT_TRUE(StrictDecimalToInt32(" -2147483648", value));
    EXPECT_EQ(value, INT32_MIN);
    for (const char* bad : {"", "two", "2x", "+", "2147483648", "99999999999999999999", "1 "}) {
        value = 5;
        EXPECT_FALSE(StrictDecimalToInt32(bad, value)) << bad;
        EXPECT_EQ(value, 5);
    }
}

}  // namespace
}  // namespace brelker
