#include "console/ResultText.h"

#include <gtest/gtest.h>

#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

// The words the window and the console end a failed run with, one row per
// code the engine returns; literal texts, so a neighbouring slot is caught.
TEST(ResultTextTest, EveryEngineCodeHasItsOwnWords) {
    FillTextTable(".Brelked_");
    SetCurrentLanguage(kEnglish);
    struct Row {
        int code;
        int failureSlot;
        const char* text;
    };
    const Row rows[] = {
        {kSizesDiffer, slot::kCannotReadPiece,
         "The sizes of the files differ. The disk may be full."},
        {kCannotReadBigFile, slot::kCannotCreatePiece, "Could not read the big file."},
        {kCannotWriteBigFile, slot::kCannotReadPiece,
         "Possible invalid path or write protected file! Could not restore the big file."},
        {kDiskRefused, slot::kCannotReadPiece, "Not all diskettes/files were entered/used."},
        {kInterrupted, slot::kCannotCreatePiece, "The splitting/restoring was not finished!"},
        {3, slot::kCannotCreatePiece,
         "Possible invalid path! Could not create smaller file number 3"},
        {4, slot::kCannotReadPiece, "Could not read smaller file number: 4"},
        {kChecksumMismatch, slot::kCannotReadPiece, "The file does not match its checksum: x.bin"},
        {kChecksumFileNotWritten, slot::kCannotCreatePiece,
         "Could not write the checksum file: x.bin"},
        {kNoChecksumFile, slot::kCannotReadPiece, "No checksum file was found: x.bin"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(TransferFailureText(row.code, row.failureSlot, "x.bin"), row.text) << row.code;
    }
}

TEST(ResultTextTest, ADiskQuestionSaysFirstWhatIsWrongWithTheDiskInTheDrive) {
    FillTextTable(".Brelked_");
    SetCurrentLanguage(kEnglish);
    EXPECT_EQ(DiskQuestionText(3, DiskPrompt::Plain), "Ready for diskette/file number 3?");
    EXPECT_EQ(DiskQuestionText(4, DiskPrompt::Full),
              "No available space on this diskette! Ready for diskette/file number 4?");
    EXPECT_EQ(DiskQuestionText(2, DiskPrompt::NotChanged),
              "This diskette still holds the file just written to it! "
              "Ready for diskette/file number 2?");
}

}  // namespace
}  // namespace brelker
