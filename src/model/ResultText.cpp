#include "model/ResultText.h"

#include <array>

#include "platform/Paths.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {

namespace {

// In the order of TransferOutcome; PieceFailed takes the caller's slot.
constexpr std::array<TextSlot, 27> kOutcomeSlots = {slot::kFileSplit,
                                                    slot::kSizesDiffer,
                                                    slot::kCannotCreatePiece,
                                                    slot::kCannotReadBigFile,
                                                    slot::kCannotWriteBigFile,
                                                    slot::kNotAllDisksUsed,
                                                    slot::kNotFinished,
                                                    slot::kChecksumMismatch,
                                                    slot::kChecksumFileNotWritten,
                                                    slot::kNoChecksumFile,
                                                    slot::kRunLocked,
                                                    slot::kNotARegularFile,
                                                    slot::kForeignChecksumFile,
                                                    slot::kBigFileChanged,
                                                    slot::kSelfOverwrite,
                                                    slot::kPieceChanged,
                                                    slot::kChecksumFileUnusable,
                                                    slot::kSeriesUnfinished,
                                                    slot::kBigFileNotRemoved,
                                                    slot::kAppendNotUndone,
                                                    slot::kBigFileNamedAsPiece,
                                                    slot::kFlushFailed,
                                                    slot::kNoBuffer,
                                                    slot::kBlockFailed,
                                                    slot::kReadBackFailed,
                                                    slot::kInputIsPiece,
                                                    slot::kStandardInputTooLong};
static_assert(kOutcomeSlots.size() == static_cast<std::size_t>(TransferOutcome::TooManyPieces) + 1);

}  // namespace

TextSlot OutcomeSlot(TransferOutcome outcome) {
    return kOutcomeSlots[static_cast<std::size_t>(outcome)];
}

std::string TransferFailureText(const TransferResult& result, TextSlot failureSlot) {
    using enum TransferOutcome;
    switch (result.outcome) {
        case ChecksumFileUnusable:
            return ChecksumProblemText(result.checksumProblem);
        case PieceFailed:
            return Text(failureSlot) + std::to_string(result.piece);
        case SeriesUnfinished:
            return result.plannedPieces > 0 ? TextWith(slot::kSeriesUnfinished,
                                                       {result.file, std::to_string(result.piece),
                                                        std::to_string(result.plannedPieces)})
                                            : TextWith(slot::kSeriesUnfinishedUncounted,
                                                       {result.file, std::to_string(result.piece)});
        // These texts end where the file they are about is named.
        case ChecksumMismatch:
        case ChecksumFileNotWritten:
        case NoChecksumFile:
        case RunLocked:
        case NotARegularFile:
        case ForeignChecksumFile:
        case BigFileChanged:
        case SelfOverwrite:
        case PieceChanged:
        case BigFileNotRemoved:
        case AppendNotUndone:
        case BigFileNamedAsPiece:
        case FlushFailed:
        case BlockFailed:
        case ReadBackFailed:
        case StreamIsSeriesFile:
            return Text(OutcomeSlot(result.outcome)) + result.file;
        default:
            return Text(OutcomeSlot(result.outcome));
    }
}

std::string FailureMessage(const TransferResult& result, TextSlot failureSlot) {
    std::string text = TransferFailureText(result, failureSlot);
    if (result.outcome != TransferOutcome::ChecksumFileUnusable && !result.file.empty() &&
        text.find(result.file) == std::string::npos) {
        text += "\n" + Text(slot::kFileConcerned) + result.file;
    }
    if (!result.reason.empty()) {
        text += "\n" + Text(slot::kSystemReason) + result.reason;
    }
    return text;
}

std::string ChecksumProblemText(const ChecksumProblem& problem) {
    // In the order of ChecksumFault.
    constexpr std::array<TextSlot, 7> kReasons = {
        slot::kNotAChecksumLine,    slot::kChecksumLineOutOfOrder, slot::kChecksumListEndsEarly,
        slot::kNameWithFolderPart,  slot::kChecksumFileUnreadable, slot::kChecksumFileNotRegular,
        slot::kChecksumFileTooLarge};
    std::string text = Text(slot::kChecksumFileUnusable) + problem.path;
    if (problem.line > 0) {
        text += ", " + Text(slot::kChecksumFileLine) + " " + std::to_string(problem.line);
    }
    return text + ": " + Text(kReasons[static_cast<std::size_t>(problem.fault)]);
}

std::string DiskQuestionText(int piece, DiskPrompt why) {
    const std::string ready = Text(slot::kReadyForDisk) + std::to_string(piece) + "?";
    switch (why) {
        case DiskPrompt::Full:
            return Text(slot::kNoSpaceOnDisk) + ready;
        case DiskPrompt::NotChanged:
            return Text(slot::kDiskNotChanged) + ready;
        case DiskPrompt::Plain:
            break;
    }
    return ready;
}

namespace {

// In the order of CheckState.
constexpr std::array<TextSlot, 4> kStateWords = {slot::kCheckOk, slot::kCheckFailed,
                                                 slot::kCheckMissing, slot::kCheckUnreadable};
// The summary always counts the first three; files that could not be read
// only when there are any.
constexpr std::size_t kAlwaysCounted = 3;

}  // namespace

std::string VerifyLine(const VerifyReport::Entry& entry) {
    return BareFileName(entry.path) + ": " +
           Text(kStateWords[static_cast<std::size_t>(entry.state)]);
}

std::string VerifySummary(const VerifyReport& report) {
    std::array<int, kStateWords.size()> counts{};
    for (const VerifyReport::Entry& entry : report.entries) {
        ++counts[static_cast<std::size_t>(entry.state)];
    }
    std::string summary;
    for (std::size_t i = 0; i < kStateWords.size(); ++i) {
        if (i < kAlwaysCounted || counts[i] > 0) {
            // German puts the verb after a count in the plural ("1 fehlt", "2 fehlen").
            const bool many = counts[i] != 1 && kStateWords[i] == slot::kCheckMissing;
            summary += (i > 0 ? ", " : "") + std::to_string(counts[i]) + " " +
                       Text(many ? slot::kCheckMissingMany : kStateWords[i]);
        }
    }
    return summary;
}

bool VerifyPassed(const VerifyReport& report) {
    for (const VerifyReport::Entry& entry : report.entries) {
        if (entry.state != CheckState::Ok) {
            return false;
        }
    }
    return true;
}

}  // namespace brelker
