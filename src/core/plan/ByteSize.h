#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace brelker {

// A size as GNU split 9.1 reads its -b: a whole decimal number, optionally
// after blanks and a "+", followed by nothing (bytes), "b" (512 bytes), or one
// of K k M m G T P E Z Y for a power of 1024, which "B" or "D" after it makes
// a power of 1000 and "iB" leaves one of 1024 ("KB", "kB", "MiB"). A unit
// alone counts one of it ("K" is 1024). Nothing for anything else, for zero
// and for more than 63 bits hold (Z and Y always are).
std::optional<std::int64_t> ParseByteSize(std::string_view text);

// A count as GNU split reads -n N: the same number without any unit.
std::optional<std::int64_t> ParseCount(std::string_view text);

// A size typed into the window, read as ParseByteSize reads it and also as
// people write sizes there: with the digits grouped by threes, blanks around
// the number and before its unit ("2 MB", "1,457,664 "). The groups may be
// parted by groupSeparator, the language's own mark, or by blanks (a space,
// a no-break space or a narrow one), which no language uses as a decimal mark;
// one text keeps to one separator. A mark of another language is refused, as
// "1.457" in English could as well be a fraction. The field is labelled in
// bytes, so "B" alone is a byte; a lone "b", which split reads as 512 bytes,
// is refused, as it is too easily meant as bytes to be taken either way.
std::optional<std::int64_t> ParseTypedSize(std::string_view text, std::string_view groupSeparator);

// The thousands mark of each language's locale: "1,457,664", "1 457 664",
// "1.457.664".
std::string_view DigitGroupSeparatorOf(int language);

}  // namespace brelker
