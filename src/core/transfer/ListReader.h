#pragma once

#include <optional>
#include <string>

#include "checksum/ChecksumFile.h"
#include "checksum/StreamHasher.h"
#include "platform/Platform.h"
#include "transfer/Job.h"
#include "transfer/TransferResult.h"

namespace brelker {

// The list says that the split of the series did not finish: nothing of the
// pieces is joined or verified. The list names the pieces proven so far; those
// written may be more, since each is proven in the background.
TransferFailure UnfinishedSeries(Platform& platform, const std::string& stem,
                                 const std::string& suffix, int listed, int planned);

// A checksum file that is there but not understood proves nothing and stops
// the run, as does one that is gone after the pieces were counted from it.
TransferFailure UnusableList(const std::string& stem, const ChecksumList& list);

// The series' list as a join reads it: once before the first piece, or with
// each disk of a prompted join, where the list may come in only with a later
// disk, and a list before the last one may be the record of a split that had
// not finished yet, whose lines prove the pieces so far.
class ListReader {
public:
    ListReader(Platform& platform, std::string stem, std::string suffix);

    // Reads the list of a join without disk changes, whose pieces were
    // counted as count; countedFromList says the count came from the list.
    Step Read(int count, bool countedFromList);
    // With the disk of piece in the drive: a finished list from then on says
    // how many pieces there are, in the job.
    Step LookOnDisk(int piece, Job& job);
    // Compares the digests of the pieces up to upTo not compared yet.
    Step Compare(StreamHasher& hasher, int upTo);
    // The last list read is the record of a split that did not finish.
    Step RefuseIfUnfinished() const;

    const std::optional<SeriesChecksums>& Expected() const { return expected_; }
    // The pieces proven against the list so far: a join's proven prefix.
    int Checked() const { return checked_; }

private:
    Platform& platform_;
    const std::string stem_;
    const std::string suffix_;
    std::optional<SeriesChecksums> expected_;
    bool unfinished_ = false;
    int unfinishedPlanned_ = 0;
    int checked_ = 0;
};

}  // namespace brelker
