#pragma once

// Names of the texts added to the table after its first release. They live in
// the slots that release left empty; each group keeps to its own range so
// that a mix-up of two neighbours is a name, not a number, in the code.
namespace brelker::slot {

// Transfers that lose nothing (370-379).

// Checksum files and verification (380-391).
inline constexpr int kFileRestoredVerified = 380;
inline constexpr int kWriteChecksumFile = 381;
inline constexpr int kWriteChecksumFileHint = 382;
inline constexpr int kChecksumMismatch = 383;
inline constexpr int kChecksumFileNotWritten = 384;
inline constexpr int kVerifySeries = 385;
inline constexpr int kVerifySeriesHint = 386;
inline constexpr int kNoChecksumFile = 387;
inline constexpr int kVerifying = 388;
inline constexpr int kCheckOk = 389;
inline constexpr int kCheckFailed = 390;
inline constexpr int kCheckMissing = 391;

// Restore scripts (392-399).

// The command line (400-459).

}  // namespace brelker::slot
