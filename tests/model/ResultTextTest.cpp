#include "model/ResultText.h"

#include <gtest/gtest.h>

#include <set>

#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

// The words the window and the console end a failed run with, one row per
// outcome the engine returns; literal texts, so a neighbouring slot is caught.
TEST(ResultTextTest, EveryEngineCodeHasItsOwnWords) {
    FillTextTable(".Brelked_");
    SetCurrentLanguage(kEnglish);
    using enum TransferOutcome;
    struct Row {
        TransferOutcome outcome;
        int piece;
        TextSlot failureSlot;
        const char* text;
    };
    const Row rows[] = {
        {SizesDiffer, 0, slot::kCannotReadPiece,
         "The sizes of the files differ. The disk may be full."},
        {CannotReadBigFile, 0, slot::kCannotCreatePiece, "Could not read the big file."},
        {CannotWriteBigFile, 0, slot::kCannotReadPiece,
         "Possible invalid path or write protected file! Could not restore the big file."},
        {DiskRefused, 0, slot::kCannotReadPiece, "Not all diskettes/files were entered/used."},
        {Interrupted, 0, slot::kCannotCreatePiece, "The splitting/restoring was not finished!"},
        {PieceFailed, 3, slot::kCannotCreatePiece,
         "Possible invalid path! Could not create smaller file number 3"},
        {PieceFailed, 4, slot::kCannotReadPiece, "Could not read smaller file number: 4"},
        {ChecksumMismatch, 0, slot::kCannotReadPiece,
         "The file does not match its checksum: x.bin"},
        {ChecksumFileNotWritten, 0, slot::kCannotCreatePiece,
         "Could not write the checksum file: x.bin"},
        {NoChecksumFile, 0, slot::kCannotReadPiece, "No checksum file was found: x.bin"},
        {ChecksumFileUnusable, 0, slot::kCannotReadPiece,
         "The checksum file cannot be used: x.sha256, line 3: a name with a folder part"},
    };
    for (const Row& row : rows) {
        TransferResult result;
        result.outcome = row.outcome;
        result.piece = row.piece;
        result.file = "x.bin";
        result.checksumProblem = {"x.sha256", 3, ChecksumFault::FolderPart};
        EXPECT_EQ(TransferFailureText(result, row.failureSlot), row.text) << row.text;
    }
}

// The window says what went wrong, with which file and the system's reason,
// in each language: a permission error, an I/O error and a failed flush each
// in their own words, and sizes that really differ as they always were.
TEST(ResultTextTest, AFailureNamesItsFileAndTheSystemsReasonInEveryLanguage) {
    FillTextTable(".Brelked_");
    using enum TransferOutcome;
    struct Row {
        TransferOutcome outcome;
        const char* file;
        const char* reason;
        const char* english;
    };
    const Row rows[] = {
        {PieceFailed, "/m/x.Brelked_2", "Permission denied",
         "Possible invalid path! Could not create smaller file number 2\nFile: "
         "/m/x.Brelked_2\nReason: Permission denied"},
        {BlockFailed, "/m/x.Brelked_1", "Input/output error",
         "Could not copy the bytes of this file: /m/x.Brelked_1\nReason: Input/output error"},
        {FlushFailed, "/m/x.Brelked_1", "No space left on device",
         "Could not put this file on the disk: /m/x.Brelked_1\nReason: No space left on device"},
        {ReadBackFailed, "/m/x.Brelked_3", "",
         "Could not read back what was written, to check it: /m/x.Brelked_3"},
        {SizesDiffer, "/m/x.Brelked_1", "",
         "The sizes of the files differ. The disk may be full.\nFile: /m/x.Brelked_1"},
        {NoBuffer, "", "", "Not enough memory to copy the file."},
    };
    std::set<std::string> words;
    for (const Row& row : rows) {
        TransferResult result;
        result.outcome = row.outcome;
        result.piece = 2;
        result.file = row.file;
        result.reason = row.reason;
        SetCurrentLanguage(kEnglish);
        EXPECT_EQ(FailureMessage(result, slot::kCannotCreatePiece), row.english);
        words.insert(TransferFailureText(result, slot::kCannotCreatePiece));
        for (const Language language : {kSwedish, kGerman}) {
            SetCurrentLanguage(language);
            const std::string text = FailureMessage(result, slot::kCannotCreatePiece);
            EXPECT_NE(text, row.english) << text;
            EXPECT_NE(text.find(row.file), std::string::npos) << text;
            EXPECT_NE(text.find(row.reason), std::string::npos) << text;
        }
    }
    EXPECT_EQ(words.size(), std::size(rows));
}

// Each reason in its words, and the line left out when the file as a whole is at fault.
TEST(ResultTextTest, AnUnusableChecksumFileIsNamedWithItsLineAndReason) {
    FillTextTable(".Brelked_");
    SetCurrentLanguage(kEnglish);
    using enum ChecksumFault;
    const std::pair<ChecksumProblem, const char*> rows[] = {
        {{"a", 1, NotALine}, "a, line 1: not a checksum line"},
        {{"a", 7, OutOfOrder}, "a, line 7: each smaller file from number 1 up must be listed once"},
        {{"a", 1, EndsBeforeWhole}, "a, line 1: it lists none of the smaller files"},
        {{"a", 0, Unreadable}, "a: the file cannot be read"},
        {{"a", 0, NotRegular}, "a: not a regular file"},
    };
    for (const auto& [problem, text] : rows) {
        EXPECT_TRUE(ChecksumProblemText(problem).starts_with(
            std::string("The checksum file cannot be used: ") + text))
            << text;
    }
    // Files that could not be read are counted only when there are some.
    VerifyReport report;
    report.entries = {{"a.Brelked_1", CheckState::Ok}, {"a.Brelked_2", CheckState::Unreadable}};
    EXPECT_EQ(VerifySummary(report), "1 OK, 0 FAILED, 0 missing, 1 unreadable");
    report.entries.pop_back();
    EXPECT_EQ(VerifySummary(report), "1 OK, 0 FAILED, 0 missing");
}

TEST(ResultTextTest, TheGermanVerifySummaryCountsMissingFilesInTheirNumber) {
    FillTextTable(".Brelked_");
    SetCurrentLanguage(kGerman);
    VerifyReport report;
    report.entries = {{"a.Brelked_1", CheckState::Missing}};
    EXPECT_EQ(VerifySummary(report), "0 OK, 0 FEHLER, 1 fehlt");
    report.entries.push_back({"a.Brelked_2", CheckState::Missing});
    EXPECT_EQ(VerifySummary(report), "0 OK, 0 FEHLER, 2 fehlen");
    // A line names one file: the singular.
    EXPECT_EQ(VerifyLine(report.entries[0]), "a.Brelked_1: fehlt");
    report.entries = {{"a.Brelked_1", CheckState::Ok}};
    EXPECT_EQ(VerifySummary(report), "1 OK, 0 FEHLER, 0 fehlen");
    SetCurrentLanguage(kSwedish);
    EXPECT_EQ(VerifySummary(report), "1 OK, 0 FEL, 0 saknas");
    SetCurrentLanguage(kEnglish);
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
