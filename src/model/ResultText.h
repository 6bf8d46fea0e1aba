#pragma once

#include <string>

#include "text/TextSlot.h"
#include "transfer/Engine.h"

namespace brelker {

// The message for a split, join or Verify that did not succeed; failureSlot
// is the text for a piece that could not be created (a split) or read (a
// join), which the piece's number follows. A failure about a file names it,
// and a checksum file that cannot be used also the line and the reason.
std::string TransferFailureText(const TransferResult& result, TextSlot failureSlot);
// The message a window shows for a run that did not succeed: the outcome's
// words, then the file it is about where the words do not name it, and the
// system's reason where there is one, each on a line of its own.
std::string FailureMessage(const TransferResult& result, TextSlot failureSlot);
// The slot of an outcome's own words.
TextSlot OutcomeSlot(TransferOutcome outcome);

// "The checksum file cannot be used: FILE, line N: REASON"; without the line
// when the fault is the file's as a whole.
std::string ChecksumProblemText(const ChecksumProblem& problem);

// The question for the disk of a piece, saying first what is wrong with the
// one in the drive.
std::string DiskQuestionText(int piece, DiskPrompt why);

// One line of Verify's report: the file's bare name and what was found.
std::string VerifyLine(const VerifyReport::Entry& entry);
// "3 OK, 1 FAILED, 0 missing", in the current language; files that could not
// be read are added to it when there are any.
std::string VerifySummary(const VerifyReport& report);
// True when every file of the report is OK.
bool VerifyPassed(const VerifyReport& report);

}  // namespace brelker
