#include "transfer/JoinTarget.h"

#include "platform/OwnNames.h"
#include "platform/Paths.h"
#include "transfer/Resume.h"
#include "transfer/Sweeps.h"

namespace brelker {

Step JoinTarget::Open(const std::optional<std::string>& series, bool resume) {
    partialPath_.clear();
    piecesDeleted_ = false;
    series_ = series;
    if (resume && series_ && (job_.AppendActive ? TakeOverAppend() : TakeOverJoin())) {
        takenOver_ = true;
        return {};
    }
    RemoveLeftTemporaries(platform_, job_.BigFilePath);
    RemoveLeftTemporaries(platform_, JoinRecordPath(job_.BigFilePath));
    if (Step failed = UndoBrokenAppend()) {
        return failed;
    }
    if (job_.AppendActive && platform_.KindOf(job_.BigFilePath, false) != FileKind::Missing) {
        return OpenForAppend();
    }
    return OpenTemporary();
}

// The record that lets the same join go on with the temporary, should it
// stop; without it the temporary is only ever removed.
Step JoinTarget::OpenTemporary() {
    run_.AppendBaseBytes = 0;
    file_.Reset(platform_.CreateTemporaryBeside(job_.BigFilePath, path_));
    viaTemporary_ = true;
    if (!file_) {
        return Failure(platform_, TransferOutcome::CannotWriteBigFile, job_.BigFilePath);
    }
    joinRecorded_ = series_ && WriteJoinRecord(platform_, job_.BigFilePath, *series_, path_);
    if (!joinRecorded_) {
        platform_.DeleteFile(JoinRecordPath(job_.BigFilePath));
    }
    return {};
}

// The temporary that the same join left, where its record ties it to this
// series and no live run holds it.
bool JoinTarget::TakeOverJoin() {
    const auto temporary = RecordedTemporary(platform_, job_.BigFilePath, *series_);
    bool held = false;
    if (temporary) {
        file_.Reset(platform_.TakeLeftFile(*temporary, held, true));
    }
    if (!file_) {
        return false;
    }
    run_.AppendBaseBytes = 0;
    path_ = *temporary;
    viaTemporary_ = true;
    joinRecorded_ = true;
    return true;
}

// The target of the same append, after its old end, where its record ties it
// to this series and the target is still the file it measured; the record
// stays until the append is done.
bool JoinTarget::TakeOverAppend() {
    const std::string recordPath = AppendRecordPath(job_.BigFilePath);
    if (platform_.KindOf(recordPath, false) != FileKind::Regular) {
        return false;
    }
    bool held = false;
    OpenedFile record(platform_, platform_.TakeLeftFile(recordPath, held));
    const auto recorded = record ? ReadAppendRecord(platform_, record.Handle()) : std::nullopt;
    if (!recorded || recorded->series != *series_ || recorded->piecesGone) {
        return false;
    }
    OpenedFile target(platform_, platform_.OpenForUpdating(job_.BigFilePath));
    const auto identity = target ? platform_.HandleIdentity(target.Handle()) : std::nullopt;
    if (!identity || !SameFileOnVolume(*identity, recorded->identity) ||
        platform_.SizeOf(target.Handle()) < recorded->length ||
        TailDigest(platform_, target.Handle(), recorded->length).value_or("") !=
            recorded->tailDigest) {
        return false;
    }
    run_.AppendBaseBytes = recorded->length;
    path_ = job_.BigFilePath;
    file_.Reset(target.Release());
    record_.Reset(record.Release());
    recordPath_ = recordPath;
    return true;
}

bool JoinTarget::KeepProven(std::int64_t bytes) {
    offset_ = run_.AppendBaseBytes + bytes;
    return platform_.Truncate(file_.Handle(), offset_) && platform_.Seek(file_.Handle(), offset_);
}

// An append writes in place, after the bytes there, and keeps the file's
// mode and owner; its length is read from the open file, so a file that may
// be written but not read is measured too. A file that cannot be opened or
// measured fails the run: taking it for a new file would replace it.
Step JoinTarget::OpenForAppend() {
    path_ = job_.BigFilePath;
    file_.Reset(platform_.OpenForUpdating(job_.BigFilePath));
    readable_ = static_cast<bool>(file_);
    if (!readable_) {
        file_.Reset(platform_.OpenForWriting(job_.BigFilePath));
    }
    if (!file_) {
        return Failure(platform_, TransferOutcome::CannotWriteBigFile, job_.BigFilePath);
    }
    run_.AppendBaseBytes = platform_.SizeOf(file_.Handle());
    if (run_.AppendBaseBytes < 0 || !platform_.Seek(file_.Handle(), run_.AppendBaseBytes)) {
        const TransferFailure failed =
            Failure(platform_, TransferOutcome::CannotWriteBigFile, job_.BigFilePath);
        file_.Close();
        run_.AppendBaseBytes = 0;
        return failed;
    }
    offset_ = run_.AppendBaseBytes;
    return WriteAppendRecord();
}

// A record beside the target is what an append left that died before it
// could take off what it had appended. Before anything else is written to
// the target, the target gets its old length back and that reaches the disk;
// only then does the record go. Where that is not safe, nothing is written.
Step JoinTarget::UndoBrokenAppend() {
    const std::string recordPath = AppendRecordPath(job_.BigFilePath);
    if (platform_.KindOf(recordPath, false) == FileKind::Missing) {
        return {};
    }
    bool held = false;
    OpenedFile record(platform_, platform_.TakeLeftFile(recordPath, held));
    if (!record) {
        // A live run appends to the target: one whose lock is in another folder.
        return held ? Refusal(TransferOutcome::RunLocked, job_.BigFilePath)
                    : Failure(platform_, TransferOutcome::AppendNotUndone, recordPath);
    }
    Step failed = CutBack(ReadAppendRecord(platform_, record.Handle()), recordPath);
    if (!failed && !platform_.DeleteFile(recordPath)) {
        failed = Failure(platform_, TransferOutcome::CannotWriteBigFile, recordPath);
    }
    record.Close();
    if (!failed) {
        platform_.FlushFolder(FolderOfPath(job_.BigFilePath));
        appendUndone_ = job_.BigFilePath;
    }
    return failed;
}

// Cuts the target back to the length its record gives, when the target is
// still the file that was measured and nothing appended is the only copy of
// deleted pieces.
Step JoinTarget::CutBack(const std::optional<AppendRecord>& record, const std::string& recordPath) {
    if (!record || record->piecesGone ||
        platform_.KindOf(job_.BigFilePath, false) != FileKind::Regular) {
        return Refusal(TransferOutcome::AppendNotUndone, recordPath);
    }
    const FileHandle updating = platform_.OpenForUpdating(job_.BigFilePath);
    const bool readable = updating != kNoFile;
    const OpenedFile file(platform_,
                          readable ? updating : platform_.OpenForWriting(job_.BigFilePath));
    if (!file) {
        return Failure(platform_, TransferOutcome::CannotWriteBigFile, job_.BigFilePath);
    }
    const auto identity = platform_.HandleIdentity(file.Handle());
    const std::int64_t size = platform_.SizeOf(file.Handle());
    bool same = identity && SameFileOnVolume(*identity, record->identity) && size >= record->length;
    if (same && !record->tailDigest.empty()) {
        same =
            readable && TailDigest(platform_, file.Handle(), record->length) == record->tailDigest;
    }
    if (!same) {
        return Refusal(TransferOutcome::AppendNotUndone, recordPath);
    }
    if (size != record->length &&
        !(platform_.Truncate(file.Handle(), record->length) && platform_.Flush(file.Handle()))) {
        return Failure(platform_, TransferOutcome::CannotWriteBigFile, job_.BigFilePath);
    }
    return {};
}

// The record of the target's old length is on the disk beside it before the
// first byte is appended: written whole under a temporary's name, then given
// its own, which no other run's record may have. The run holds it until it
// ends, so a run that finds it held leaves the target alone.
Step JoinTarget::WriteAppendRecord() {
    AppendRecord record;
    record.length = run_.AppendBaseBytes;
    record.identity = platform_.HandleIdentity(file_.Handle()).value_or(std::string());
    record.series = series_.value_or(std::string());
    if (readable_) {
        record.tailDigest = TailDigest(platform_, file_.Handle(), record.length).value_or("");
    }
    const std::string text = AppendRecordText(record);
    const auto size = static_cast<std::int64_t>(text.size());
    const std::string recordPath = AppendRecordPath(job_.BigFilePath);
    std::string temporary;
    OpenedFile file(platform_, platform_.CreateTemporaryBeside(job_.BigFilePath, temporary));
    if (!file) {
        return Failure(platform_, TransferOutcome::CannotWriteBigFile, recordPath);
    }
    if (platform_.Write(file.Handle(), text.data(), size) != size ||
        !platform_.Flush(file.Handle()) || !platform_.RenameToNewName(temporary, recordPath)) {
        TransferFailure failed =
            Failure(platform_, TransferOutcome::CannotWriteBigFile, recordPath);
        if (platform_.Exists(recordPath)) {
            failed = Refusal(TransferOutcome::RunLocked, job_.BigFilePath);  // another run's
        }
        platform_.DeleteFile(temporary);
        return failed;
    }
    platform_.FlushFolder(FolderOfPath(job_.BigFilePath));
    record_.Reset(file.Release());
    recordPath_ = recordPath;
    return {};
}

// A temporary gets a visible name that no later join takes for a dead run's
// temporary (a failure's message gives it), and an append's record says that
// what follows the old length must stay.
Step JoinTarget::KeepForPieces() {
    if (keptForPieces_) {
        return {};
    }
    if (viaTemporary_) {
        if (Step failed = KeepUnderOwnName()) {
            return failed;
        }
    } else if (record_ && !MarkPiecesGone(platform_, record_.Handle())) {
        return Failure(platform_, TransferOutcome::CannotWriteBigFile, recordPath_);
    }
    keptForPieces_ = true;
    return {};
}

Step JoinTarget::KeepUnderOwnName() {
    std::string kept;
    for (int n = 1; n < 100 && kept.empty(); ++n) {
        const std::string candidate = OwnNameBeside(
            job_.BigFilePath, n == 1 ? "partial" : "partial-" + std::to_string(n), false);
        if (platform_.RenameToNewName(path_, candidate)) {
            kept = candidate;
        } else if (!platform_.Exists(candidate)) {
            break;
        }
    }
    if (kept.empty()) {
        return Failure(platform_, TransferOutcome::CannotWriteBigFile, path_);
    }
    path_ = kept;
    platform_.FlushFolder(FolderOfPath(job_.BigFilePath));
    // Opened again under its new name, which no run takes for a temporary:
    // Wine reopens a file (as a read back does) by the name it was opened with.
    // Closed first: Windows opens no second handle for writing beside it.
    file_.Close();
    file_.Reset(platform_.OpenForUpdating(kept));
    if (!file_ || !platform_.Seek(file_.Handle(), offset_)) {
        return Failure(platform_, TransferOutcome::CannotWriteBigFile, kept);
    }
    return {};
}

// The joined file is measured open; it must be on the disk (flushed says so)
// before it takes the big file's name, and the name after: a crash in between
// must not leave a renamed file whose bytes never reached the disk. It is
// renamed while still held. An append is done once its record is gone.
Step JoinTarget::Finish(std::int64_t bytes, bool flushed, const std::string& flushFailure) {
    if (platform_.SizeOf(file_.Handle()) != bytes) {
        Abandon();
        return Refusal(TransferOutcome::SizesDiffer, job_.BigFilePath);
    }
    if (!flushed) {
        TransferFailure failed = Refusal(TransferOutcome::CannotWriteBigFile, job_.BigFilePath);
        failed.reason = flushFailure;
        Abandon();
        return failed;
    }
    if (viaTemporary_) {
        if (!platform_.RenameFile(path_, job_.BigFilePath)) {
            const TransferFailure failed =
                Failure(platform_, TransferOutcome::CannotWriteBigFile, job_.BigFilePath);
            Abandon();
            return failed;
        }
        platform_.FlushFolder(FolderOfPath(job_.BigFilePath));
        platform_.DeleteFile(JoinRecordPath(job_.BigFilePath));
    }
    file_.Close();
    return RemoveAppendRecord();
}

Step JoinTarget::RemoveAppendRecord() {
    if (!record_) {
        return {};
    }
    if (!platform_.DeleteFile(recordPath_)) {
        const TransferFailure failed =
            Failure(platform_, TransferOutcome::CannotWriteBigFile, recordPath_);
        Abandon();
        return failed;
    }
    record_.Close();
    platform_.FlushFolder(FolderOfPath(job_.BigFilePath));
    return {};
}

// What a join that did not finish leaves: the big file as it was before, unless
// pieces are gone whose bytes exist only in what the join wrote; then that stays
// and the result says where.
void JoinTarget::Abandon(bool outOfRoom) {
    if (piecesDeleted_) {
        file_.Close();
        record_.Close();
        partialPath_ = path_;
        return;
    }
    if (viaTemporary_ && outOfRoom && joinRecorded_) {
        file_.Close();
        keptForResume_ = path_;
        return;
    }
    if (viaTemporary_) {
        platform_.DeleteFile(path_);
        platform_.DeleteFile(JoinRecordPath(job_.BigFilePath));
        file_.Close();
        return;
    }
    CutToOldLength();
}

// An append's record goes only once the cut back to the old length is on the
// disk; otherwise it stays for the next run to cut with.
void JoinTarget::CutToOldLength() {
    bool cut = false;
    if (file_) {
        cut = platform_.Truncate(file_.Handle(), run_.AppendBaseBytes) &&
              platform_.Flush(file_.Handle());
        file_.Close();
    } else if (const OpenedFile file(platform_, platform_.OpenForWriting(path_)); file) {
        cut = platform_.Truncate(file.Handle(), run_.AppendBaseBytes) &&
              platform_.Flush(file.Handle());
    }
    if (record_) {
        if (cut && platform_.DeleteFile(recordPath_)) {
            platform_.FlushFolder(FolderOfPath(job_.BigFilePath));
        }
        record_.Close();
    }
}

}  // namespace brelker
