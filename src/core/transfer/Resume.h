#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "checksum/ChecksumFile.h"
#include "platform/Platform.h"
#include "transfer/Job.h"

namespace brelker {

// Why what a stopped run left cannot be continued, so that the run starts
// afresh and says why.
enum class ResumeChange {
    None,
    // The big file's size or time of change differs from the first run's.
    BigFileChanged,
    // The sizes, the range or the suffix differ from the first run's.
    PlanChanged,
    // The series' checksum file differs from the one the first join read.
    ListChanged,
    // The record does not say what the run was (a run of an older version,
    // one that asked for disks or took the free space): nothing can be proven.
    NotResumable,
};

// What a run that stopped left for the same run to continue from: a split's
// list marked unfinished, a join's temporary, an append's record.
struct ResumePoint {
    enum class State { Nothing, Found, Changed };
    State state = State::Nothing;
    // The pieces the stopped run had done, as far as its record tells
    // (proven only when the run continues), and all it was to do.
    int done = 0;
    int planned = 0;
    ResumeChange change = ResumeChange::None;

    bool Found() const { return state == State::Found; }
};

// Removes the pieces of the job's series up to the count the stopped split
// listed or planned, and its list, before the split starts afresh: a split
// that then fails leaves none of the old pieces among its own. Only regular
// files go, never the big file.
void RemoveStoppedSplit(Platform& platform, const Job& job, const std::string& suffix,
                        const ResumePoint& point);

// The line a split's record carries after its unfinished mark, so that the
// same split run again knows it for its own: the big file as it was (a digest
// of its stamp, and its size), the range split and a digest of the sizes and
// the suffix. A comment, which sha256sum -c passes over.
std::string SplitResumeNote(const std::string& bigFileStamp, std::int64_t bigFileBytes,
                            const Job& job, const std::string& suffix);

// What the list of the job's series says about a split of the job's big file
// into the job's plan that stopped: Nothing where the list is finished or not
// there, or lists no piece yet.
ResumePoint FindSplitResume(Platform& platform, const Job& job, const std::string& suffix);

// What a join into the job's target (or an append to it) that stopped left:
// its temporary and record, or the append's record, tied to this series.
ResumePoint FindJoinResume(Platform& platform, const Job& job, const std::string& suffix);

// Ties a join's temporary or an append's record to the series it joins: a
// digest of the stem, the suffix and the series' checksum file as it is now;
// nothing where there is no such file or it cannot be read.
std::optional<std::string> SeriesIdentity(Platform& platform, const std::string& stem,
                                          const std::string& suffix);

// The record of a join into target through a temporary: beside the target,
// under a name of the program's own.
std::string JoinRecordPath(const std::string& target);
// Writes it whole, then gives it its name: the series and the temporary's name.
bool WriteJoinRecord(Platform& platform, const std::string& target, const std::string& series,
                     const std::string& temporary);
// The temporary a stopped join into target left, when its record ties it to
// the series; nothing otherwise.
std::optional<std::string> RecordedTemporary(Platform& platform, const std::string& target,
                                             const std::string& series);

// A stretch of a file that must hash to a listed digest.
struct KeptRange {
    FileHandle file;
    std::int64_t offset;
    std::int64_t size;
    std::string digest;
};

// How many of the ranges, from the first on, hash to their digests: the count
// up to the first that does not. Read on both threads; the files stay open.
int KeptRanges(Platform& platform, const std::vector<KeptRange>& ranges);

// How many of the pieces whose lines the list holds, from 1 on, are still
// what it lists: there, a regular file, of the planned size, of its digest.
int KeptPieces(Platform& platform, const std::string& stem, const std::string& suffix,
               const std::vector<std::int64_t>& sizes, const SeriesChecksums& listed);

// How many pieces' bytes, from 1 on, file holds whole after base, as the
// list gives their digests.
int KeptPrefix(Platform& platform, FileHandle file, std::int64_t base,
               const std::vector<std::int64_t>& sizes, const SeriesChecksums& listed);

}  // namespace brelker
