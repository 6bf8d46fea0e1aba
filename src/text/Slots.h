#pragma once

// Names of the texts added to the table after its first release. They live in
// the slots that release left empty; each group keeps to its own range so
// that a mix-up of two neighbours is a name, not a number, in the code.
namespace brelker::slot {

// Transfers that lose nothing (370-379).
inline constexpr int kFileUnreadable = 370;
inline constexpr int kPartialFileKept = 371;
inline constexpr int kDiskNotChanged = 372;
inline constexpr int kStalePiecesRemoved = 373;
inline constexpr int kNothingToSplit = 374;

// Checksum files and verification (380-391).

// Restore scripts (392-399).
inline constexpr int kSmallFileMissing = 392;
inline constexpr int kSmallFileWrongSize = 393;
inline constexpr int kChecksumDiffers = 394;
inline constexpr int kShellScriptFilter = 395;
inline constexpr int kBatchNameNotInCodePage = 396;
inline constexpr int kBatchNameUnsafe = 397;

// The command line (400-459).

// Files dropped on the main window (440-449, within the command line's range).
inline constexpr int kDropOneFile = 440;
inline constexpr int kDropNoFolder = 441;

}  // namespace brelker::slot
