#pragma once

#include <span>
#include <string_view>

namespace brelker {

// One slot's text in one language as written by the translator. A text may be
// composed from texts filled before it; the fill expands these markers:
//   {N}       the text of slot N in the same language
//   {&N}      the same, without its first "&" (StripAccelerator)
//   {suffix}  the current piece-name suffix
// A marker must name a lower slot, because slots are filled in ascending order.
struct SlotSource {
    int slot;
    std::string_view text;
};

// The sources of each language, in ascending slot order.
std::span<const SlotSource> EnglishSources();
std::span<const SlotSource> SwedishSources();
std::span<const SlotSource> GermanSources();

}  // namespace brelker
