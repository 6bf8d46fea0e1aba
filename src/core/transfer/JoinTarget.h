#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/OpenedFile.h"
#include "platform/Platform.h"
#include "transfer/AppendRecord.h"
#include "transfer/Job.h"
#include "transfer/TransferResult.h"

namespace brelker {

// The file a join writes. A join never writes into an existing big file that
// it would have to leave half written: it writes into a temporary file beside
// it, which replaces the big file only once every piece arrived whole. An
// appending join writes after the existing bytes and never before them, and
// records their length first. Whatever way the join ends, the target is
// committed (Finish) or undone (Abandon), and its files are closed.
class JoinTarget {
public:
    JoinTarget(Job& job, RunState& run, Platform& platform)
        : job_(job), run_(run), platform_(platform) {}

    // Opens the target, after undoing what a dead append left. A join of a
    // series with a list (series, its SeriesIdentity) records which series
    // its temporary holds; with resume it first takes over what the same
    // join or append left when it stopped, where that is tied to the series.
    Step Open(const std::optional<std::string>& series, bool resume);
    // What was taken over: the bytes from the old end on are the stopped
    // run's, and count only as far as they prove.
    bool TakenOver() const { return takenOver_; }
    // Cuts what was taken over back to bytes after the old end, and goes on there.
    bool KeepProven(std::int64_t bytes);
    // Before the first piece a join deletes, what it writes is made safe to
    // be the only copy of that piece.
    Step KeepForPieces();
    // A piece was deleted: its bytes exist only in what was written.
    void PieceDeleted() { piecesDeleted_ = true; }
    // Commits what was written, measured as bytes long and flushed (or not,
    // for flushFailure's reason), under the big file's name.
    Step Finish(std::int64_t bytes, bool flushed, const std::string& flushFailure);
    // Undoes what was written, as far as no deleted piece needs it; a join
    // that ran out of room (outOfRoom) keeps its recorded temporary for the
    // same join to go on with.
    void Abandon(bool outOfRoom = false);

    FileHandle Handle() const { return file_.Handle(); }
    const std::string& Path() const { return path_; }
    // Where the next block lands: the end of the target's proven prefix and
    // of what was written after it.
    std::int64_t& Offset() { return offset_; }
    // An append to a file that may be written but not read cannot be read back.
    bool Readable() const { return readable_; }
    // What a join that failed after pieces went keeps, and the target whose
    // broken append was taken off first.
    const std::string& PartialPath() const { return partialPath_; }
    const std::string& AppendUndone() const { return appendUndone_; }
    const std::string& KeptForResume() const { return keptForResume_; }

private:
    Step OpenTemporary();
    bool TakeOverJoin();
    bool TakeOverAppend();
    Step OpenForAppend();
    Step UndoBrokenAppend();
    Step CutBack(const std::optional<AppendRecord>& record, const std::string& recordPath);
    Step WriteAppendRecord();
    Step KeepUnderOwnName();
    Step RemoveAppendRecord();
    void CutToOldLength();

    Job& job_;
    RunState& run_;
    Platform& platform_;
    OpenedFile file_{platform_, kNoFile};
    // A temporary file beside the big file, renamed over it once every check
    // passed, or the big file itself when appending.
    std::string path_;
    bool viaTemporary_ = false;
    bool piecesDeleted_ = false;
    bool keptForPieces_ = false;
    std::int64_t offset_ = 0;
    bool readable_ = true;
    // An append's record of the target's old length, held while the run lives.
    OpenedFile record_{platform_, kNoFile};
    std::string recordPath_;
    std::string partialPath_;
    std::string appendUndone_;
    // The series the join's record ties the temporary to, and what happened
    // to what the same run left when it stopped.
    std::optional<std::string> series_;
    bool joinRecorded_ = false;
    bool takenOver_ = false;
    std::string keptForResume_;
};

}  // namespace brelker
