#pragma once

#include <string>

#include "platform/Platform.h"
#include "transfer/Job.h"

// How a job is set up for a split or a join. The window and the command line
// both take their files through these, so that a job follows one set of rules
// whichever front end fills it.
namespace brelker {

// Why a file cannot be split: it cannot be opened, it is a folder, or it is a
// device, a FIFO or a socket.
enum class UnusableFile { None, Missing, Folder, NotRegular };

// Takes path as the big file of a split: its size, and an extraction range
// over the whole of it. When the file cannot be read the job's size is -1
// and the answer says why.
UnusableFile TakeBigFile(Job& job, Files& files, const std::string& path);
// What the user is told about such a file: "This is a folder, not a file: "
// and the like, with the path.
std::string UnusableFileText(UnusableFile why, const std::string& path);
// An extraction range over the whole big file, as after choosing it.
void CoverWholeBigFile(Job& job);

// Takes piece as a piece of the series to join: the series' stem, the piece
// itself, and the big file under the stem's name beside the pieces. False
// when the name is not that of a piece.
bool TakeSeries(Job& job, const std::string& piece, const std::string& suffix);

}  // namespace brelker
