#include "console/ResultText.h"

#include <array>

#include "platform/Paths.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {

std::string TransferFailureText(int code, TextSlot failureSlot, const std::string& checkedFile,
                                const ChecksumProblem& problem) {
    if (code == kChecksumFileUnusable) {
        return ChecksumProblemText(problem);
    }
    if (code == kSizesDiffer) {
        return Text(slot::kSizesDiffer);
    }
    // These texts end where the file they are about is named.
    for (const int named :
         {kChecksumMismatch, kChecksumFileNotWritten, kNoChecksumFile, kRunLocked, kNotARegularFile,
          kForeignChecksumFile, kBigFileChanged, kSelfOverwrite, kPieceChanged}) {
        if (code == named) {
            return Text(TextSlot(-code)) + checkedFile;
        }
    }
    if (code == kInterrupted) {
        return Text(slot::kNotFinished);
    }
    if (code < 0) {
        return Text(TextSlot(-code));
    }
    return Text(failureSlot) + std::to_string(code);
}

std::string ChecksumProblemText(const ChecksumProblem& problem) {
    // In the order of ChecksumFault.
    constexpr std::array<TextSlot, 6> kReasons = {
        slot::kNotAChecksumLine,   slot::kChecksumLineOutOfOrder, slot::kChecksumListEndsEarly,
        slot::kNameWithFolderPart, slot::kChecksumFileUnreadable, slot::kChecksumFileNotRegular};
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
