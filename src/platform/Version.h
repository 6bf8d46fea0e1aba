#pragma once

#include <string_view>

namespace brelker {

// The program's version, as project() in the top CMakeLists.txt gives it: the
// window's welcome, --version and the version level of the stored settings.
inline constexpr std::string_view kVersionText = BRELKER_VERSION;

}  // namespace brelker
