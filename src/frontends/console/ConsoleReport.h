#pragma once

#include <cstdint>
#include <string>

#include "checksum/ChecksumFile.h"
#include "platform/Platform.h"
#include "transfer/Engine.h"
#include "transfer/Job.h"

namespace brelker {

// "1 byte", "1457664 bytes".
std::string BytesText(std::int64_t bytes);
// "1457664 bytes (1.4 MiB)": exact for scripts, and short for people from
// 1 KiB on.
std::string SizeText(std::int64_t bytes);

// What a split that succeeded made of the job: how many pieces, of what
// size, from the first to the last name.
std::string SplitSummary(const Job& job, const std::string& suffix);

// One line of Verify's report as sha256sum -c writes it ("NAME: OK",
// "NAME: FAILED", "NAME: FAILED open or read"), so that scripts read both
// alike: the words stay English in every language, and a name with a line
// break is escaped and marked with a leading backslash.
std::string CheckLine(const std::string& name, CheckState state);

// text, then ": " and the system's reason when there is one.
std::string WithReason(std::string text, const std::string& reason);

// Why path cannot be read as a file, told from what is there now: nothing
// ("File is missing"), a folder, a device or a FIFO, or a file that cannot
// be opened, with the system's reason ("Permission denied", an I/O error).
std::string UnreadableFileText(Files& files, const std::string& path);

// What is wrong with a series' checksum file, its name quoted as names are;
// for one that cannot be read, the system's reason, asked once more.
std::string ChecksumProblemWords(Files& files, ChecksumProblem problem);

}  // namespace brelker
