#pragma once

namespace brelker {

// A slot of the text table. Only this type names a text, so that a number
// meant for something else (a piece, a result code, a count) is never taken
// for a text unseen: Text(interrupted ? 343 : 83) does not compile.
struct TextSlot {
    constexpr explicit TextSlot(int slotNumber) : number(slotNumber) {}
    constexpr bool operator==(const TextSlot&) const = default;

    int number;
};

}  // namespace brelker
