#pragma once

#include <string>
#include <string_view>

namespace brelker {

// Windows takes and gives names as UTF-16; the program keeps every text as
// UTF-8. Invalid sequences become U+FFFD rather than cutting the text short.
std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);

}  // namespace brelker
