#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace brelker {

// The unit of the big file's size caption. The numbers are the ones the
// settings store keeps; a value outside them (a damaged store) shows no unit.
enum class SizeUnit : int { Bytes = 1, Kilobytes, Megabytes, Gigabytes, Terabytes };

// Bytes in a unit of divisor bytes, to three decimals rounded half up: the
// number of thousandths is worked out in extended precision and truncated, so
// 1457664 bytes are 1423.5 kB and 1.39 MB.
double ScaleSize(std::int64_t bytes, std::int64_t divisor);

// The caption of the big file's size in the unit: plain digits for
// bytes, otherwise the scaled size without trailing zeros and with the locale's
// decimal separator; " " for an empty file and "0.000" (with that separator)
// for a file too small to show in its unit. Nothing (the caption stays) for a
// non-empty file in a unit outside the five.
std::optional<std::string> BigFileSizeText(std::int64_t bytes, SizeUnit unit,
                                           const std::string& separator);

}  // namespace brelker
