#include "console/ResultText.h"

#include <array>

#include "platform/Paths.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {

std::string TransferFailureText(int code, int failureSlot, const std::string& checkedFile) {
    if (code == kSizesDiffer) {
        return Text(slot::kSizesDiffer);
    }
    // These texts end where the file they are about is named.
    for (const int named :
         {kChecksumMismatch, kChecksumFileNotWritten, kNoChecksumFile, kRunLocked, kNotARegularFile,
          kForeignChecksumFile, kBigFileChanged, kSelfOverwrite, kPieceChanged}) {
        if (code == named) {
            return Text(-code) + checkedFile;
        }
    }
    if (code == kInterrupted) {
        return Text(slot::kNotFinished);
    }
    if (code < 0) {
        return Text(-code);
    }
    return Text(failureSlot) + std::to_string(code);
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
constexpr std::array<int, 3> kStateWords = {slot::kCheckOk, slot::kCheckFailed,
                                            slot::kCheckMissing};

}  // namespace

std::string VerifyLine(const VerifyReport::Entry& entry) {
    return BareFileName(entry.path) + ": " +
           Text(kStateWords[static_cast<std::size_t>(entry.state)]);
}

std::string VerifySummary(const VerifyReport& report) {
    std::array<int, 3> counts{};
    for (const VerifyReport::Entry& entry : report.entries) {
        ++counts[static_cast<std::size_t>(entry.state)];
    }
    std::string summary;
    for (std::size_t i = 0; i < kStateWords.size(); ++i) {
        summary += (i > 0 ? ", " : "") + std::to_string(counts[i]) + " " + Text(kStateWords[i]);
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
