#pragma once

#include <array>
#include <utility>

#include "text/Slots.h"
#include "transfer/TransferResult.h"

// The engine's own result codes, which its steps pass up until the run turns
// them into a TransferResult: 0 for done, -1 for sizes that differ, a
// positive number for the piece that could not be created or opened, and
// otherwise the negated slot of the failure's text, which keeps them apart.
namespace brelker {

inline constexpr int kTransferDone = 0;
inline constexpr int kSizesDiffer = -1;
inline constexpr int kCannotReadBigFile = -slot::kCannotReadBigFile.number;
inline constexpr int kCannotWriteBigFile = -slot::kCannotWriteBigFile.number;
inline constexpr int kDiskRefused = -slot::kNotAllDisksUsed.number;
inline constexpr int kInterrupted = -slot::kInterrupted.number;
inline constexpr int kChecksumMismatch = -slot::kChecksumMismatch.number;
inline constexpr int kChecksumFileNotWritten = -slot::kChecksumFileNotWritten.number;
inline constexpr int kNoChecksumFile = -slot::kNoChecksumFile.number;
inline constexpr int kRunLocked = -slot::kRunLocked.number;
inline constexpr int kNotARegularFile = -slot::kNotARegularFile.number;
inline constexpr int kForeignChecksumFile = -slot::kForeignChecksumFile.number;
inline constexpr int kBigFileChanged = -slot::kBigFileChanged.number;
inline constexpr int kSelfOverwrite = -slot::kSelfOverwrite.number;
inline constexpr int kPieceChanged = -slot::kPieceChanged.number;
inline constexpr int kChecksumFileUnusable = -slot::kChecksumFileUnusable.number;
inline constexpr int kSeriesUnfinished = -slot::kSeriesUnfinished.number;
inline constexpr int kBigFileNotRemoved = -slot::kBigFileNotRemoved.number;
inline constexpr int kAppendNotUndone = -slot::kAppendNotUndone.number;
inline constexpr int kBigFileNamedAsPiece = -slot::kBigFileNamedAsPiece.number;

// The outcome of each code that is not a piece's number.
inline constexpr std::array<std::pair<int, TransferOutcome>, 20> kOutcomeOfCode = {{
    {kTransferDone, TransferOutcome::Done},
    {kSizesDiffer, TransferOutcome::SizesDiffer},
    {kCannotReadBigFile, TransferOutcome::CannotReadBigFile},
    {kCannotWriteBigFile, TransferOutcome::CannotWriteBigFile},
    {kDiskRefused, TransferOutcome::DiskRefused},
    {kInterrupted, TransferOutcome::Interrupted},
    {kChecksumMismatch, TransferOutcome::ChecksumMismatch},
    {kChecksumFileNotWritten, TransferOutcome::ChecksumFileNotWritten},
    {kNoChecksumFile, TransferOutcome::NoChecksumFile},
    {kRunLocked, TransferOutcome::RunLocked},
    {kNotARegularFile, TransferOutcome::NotARegularFile},
    {kForeignChecksumFile, TransferOutcome::ForeignChecksumFile},
    {kBigFileChanged, TransferOutcome::BigFileChanged},
    {kSelfOverwrite, TransferOutcome::SelfOverwrite},
    {kPieceChanged, TransferOutcome::PieceChanged},
    {kChecksumFileUnusable, TransferOutcome::ChecksumFileUnusable},
    {kSeriesUnfinished, TransferOutcome::SeriesUnfinished},
    {kBigFileNotRemoved, TransferOutcome::BigFileNotRemoved},
    {kAppendNotUndone, TransferOutcome::AppendNotUndone},
    {kBigFileNamedAsPiece, TransferOutcome::BigFileNamedAsPiece},
}};

}  // namespace brelker
