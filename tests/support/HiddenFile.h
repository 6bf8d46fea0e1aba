#pragma once

#include <string>

#ifdef _WIN32
#include <windows.h>
#undef DeleteFile

#include "platform/WideText.h"
#endif

// A file the system shows as hidden: on Windows by its attribute, on POSIX by
// the leading dot its name already has.
inline void MarkHidden([[maybe_unused]] const std::string& path) {
#ifdef _WIN32
    ::SetFileAttributesW(brelker::Widen(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
#endif
}
