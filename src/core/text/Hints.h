#pragma once

#include <string>
#include <string_view>

namespace brelker {

// A hint is "short|long": the short part is the tooltip, the long part goes to
// the status bar. A hint without "|" serves as both; one that starts with "|"
// has no tooltip.
std::string ShortHint(std::string_view hint);
std::string LongHint(std::string_view hint);

}  // namespace brelker
