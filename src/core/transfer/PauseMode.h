#pragma once

namespace brelker {

// When a run halts for the user to change disks: before each piece, only for
// pieces on a floppy, or never. The numbers are the ones the settings store
// keeps; a value no menu item sets behaves as FloppiesOnly.
enum class PauseMode : int { Always = 0, FloppiesOnly = 1, Never = 2 };

}  // namespace brelker
