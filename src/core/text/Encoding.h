#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace brelker {

// The 8-bit pages of the files we write for the user. Texts live in memory as
// UTF-8; a file read by a text editor is written in Windows-1252, a batch file
// in code page 850, because the command interpreter reads batch files in the
// console's OEM page.
enum class CodePage { Windows1252, Oem850 };

// The bytes of utf8 in the page, or nothing when the text is not valid UTF-8 or
// holds a character that the page lacks. ASCII comes out unchanged.
std::optional<std::string> EncodeText(std::string_view utf8, CodePage page);

// The UTF-8 text of 8-bit bytes in the page, or nothing for a byte that the
// page leaves undefined.
std::optional<std::string> DecodeText(std::string_view bytes, CodePage page);

}  // namespace brelker
