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

    // Opens the target, after undoing what a dead append left.
    Step Open();
    // Before the first piece a join deletes, what it writes is made safe to
    // be the only copy of that piece.
    Step KeepForPieces();
    // A piece was deleted: its bytes exist only in what was written.
    void PieceDeleted() { piecesDeleted_ = true; }
    // Commits what was written, measured as bytes long and flushed (or not,
    // for flushFailure's reason), under the big file's name.
    Step Finish(std::int64_t bytes, bool flushed, const std::string& flushFailure);
    // Undoes what was written, as far as no deleted piece needs it.
    void Abandon();

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

private:
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
};

}  // namespace brelker
