#pragma once

#include <string_view>

namespace brelker {

// The program's version, as project() in the top CMakeLists.txt gives it: the
// window's welcome, --version and the version level of the stored settings.
inline constexpr std::string_view kVersionText = BRELKER_VERSION;

// The program's name in its window and messages before the texts are loaded,
// and with the maker's name the place of the user's store.
inline constexpr std::string_view kProgramName = "The File Brelker";
inline constexpr std::string_view kMakerName = "Tolvena";

}  // namespace brelker
