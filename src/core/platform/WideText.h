#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brelker {

// Windows takes and gives names as UTF-16; the program keeps every text as
// UTF-8. Invalid sequences become U+FFFD rather than cutting the text short.
std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);

// The program's arguments as UTF-8, from the UTF-16 command line: main()'s argv
// holds them in the ANSI code page, which loses every letter outside it.
std::vector<std::string> CommandLineArguments();

}  // namespace brelker
