#pragma once

#include <string>

namespace brelker {

// A name as a message shows it: as it is, unless it holds a control character
// (a line break, an escape, a C1 control) that would act on the terminal or
// break the message's line; then the whole name is quoted as GNU tools quote
// such names ('a'$'\n''b'), so that it can be pasted back into a shell.
std::string QuotedName(const std::string& name);

// Something the user typed, as a usage message shows it: always quoted
// ('1K '), so that blanks and empty values are seen; control characters as
// QuotedName writes them.
std::string QuotedArgument(const std::string& argument);

}  // namespace brelker
