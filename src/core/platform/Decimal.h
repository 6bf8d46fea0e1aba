#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace brelker {

// Decimal text to number the tolerant way every number field and stored size
// of the program is read: leading white space skipped, one optional sign, then
// digits up to the first non-digit; no digits give 0. There is no overflow
// check: too many digits wrap around as the arithmetic of the width does.
std::int64_t DecimalToInt64(std::string_view text);
std::int32_t DecimalToInt32(std::string_view text);

// Strict decimal integer: optional blanks and sign, then only digits within 32
// bits. Nothing for anything else (the command line's "/basesize=").
bool StrictDecimalToInt32(std::string_view text, std::int32_t& value);

}  // namespace brelker
