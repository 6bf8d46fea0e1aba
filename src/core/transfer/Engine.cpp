#include "transfer/Engine.h"

#include <algorithm>
#include <climits>
#include <limits>
#include <optional>

#include "checksum/ChecksumFile.h"
#include "checksum/SeriesRecord.h"
#include "checksum/StreamHasher.h"
#include "platform/OpenedFile.h"
#include "platform/OwnNames.h"
#include "platform/Paths.h"
#include "transfer/AppendRecord.h"
#include "transfer/PieceNames.h"
#include "transfer/Resume.h"
#include "transfer/Series.h"
#include "transfer/TransferCodes.h"

namespace brelker {
namespace {

// PieceSteps' answer when the run goes on with the next piece.
constexpr int kNextPiece = INT_MIN;

// The block may be large, the memory need not be: a block moves through at most
// this much buffer at a time, so a run's memory stays small whatever the file.
constexpr std::int64_t kLargestBuffer = std::int64_t{16} << 20;

constexpr std::int64_t kSmallestBlock = 256;
constexpr std::int64_t kLargestBlock = std::numeric_limits<std::int32_t>::max();

// percent % of value, 0 for a non-positive percent or value, saturating instead
// of overflowing for a percent that only a damaged setting can hold.
std::int64_t PercentOf(std::int64_t value, int percent) {
    if (value <= 0 || percent <= 0) {
        return 0;
    }
    if (value > std::numeric_limits<std::int64_t>::max() / percent) {
        return std::numeric_limits<std::int64_t>::max();
    }
    return value * percent / 100;
}

// Progress per byte; 0 when there is nothing to measure the bytes against.
float ScaleFor(double bytes) {
    return bytes > 0 ? static_cast<float>(kProgressMaximum / bytes) : 0.0f;
}

}  // namespace

std::int64_t BlockSizeFor(std::int64_t pieceSize, std::int64_t baseTerm, int maxFromFile,
                          std::int64_t memoryLimit) {
    std::int64_t block = std::max(baseTerm, PercentOf(pieceSize, maxFromFile));
    block = std::min(block, memoryLimit);
    block = std::min(block, pieceSize);
    if (block <= 0) {
        block = kSmallestBlock;
    }
    return std::min(block, kLargestBlock);
}

// What one run holds; whatever way the run ends, its files are closed and its
// buffer released.
struct Engine::Run {
    Run(Engine& owner, Direction way, const TransferOptions& opts)
        : engine(owner), direction(way), options(opts) {}
    ~Run() {
        hasher.reset();  // its thread may still read from the files
        engine.platform_.Close(piece);
        engine.platform_.Close(bigFile);
        engine.platform_.Close(appendRecord);
        engine.protectedFile_.clear();
    }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    bool Split() const { return direction == Direction::Split; }

    Engine& engine;
    const Direction direction;
    const TransferOptions options;
    FileHandle bigFile = kNoFile;
    FileHandle piece = kNoFile;
    std::unique_ptr<char[]> buffer;
    std::int64_t allocated = 0;
    float scale = 0.0f;
    std::int64_t baseTerm = 1;
    std::int64_t memoryLimit = 0;
    std::int64_t bytesOfRun = 0;
    // What bytesOfRun is measured against; 0 when it cannot be known.
    std::int64_t bytesToMove = 0;
    int pieceNumber = 0;
    std::int64_t measuredTotal = 0;
    std::int64_t remaining = 0;
    bool prompting = false;
    std::optional<std::string> floppyRoot;
    bool kernelCopy = true;
    // A join writes here: a temporary file beside the big file, renamed over it
    // once every check passed, or the big file itself when appending.
    std::string targetPath;
    bool viaTemporary = false;
    // Pieces a join has deleted: their bytes exist only in what it wrote.
    bool piecesDeleted = false;
    // What the join wrote is kept whatever happens, once pieces may go.
    bool keptForPieces = false;
    // An append's record of the target's old length, held while the run lives.
    FileHandle appendRecord = kNoFile;
    std::string appendRecordPath;
    // The last piece this split wrote on a floppy, to know the disk was changed.
    std::optional<std::string> lastPieceStamp;
    // Checksums: the hashing of the bytes moved, where the next block starts
    // in its source file, and what a join's checksum file lists.
    std::unique_ptr<StreamHasher> hasher;
    std::int64_t sourceOffset = 0;
    std::optional<SeriesChecksums> expected;
    // A prompted join reads the list of each disk: on a disk before the last
    // it is the record of a split that had not finished yet, whose lines
    // prove the pieces so far; a finished list must follow on a later disk.
    bool expectedUnfinished = false;
    int unfinishedPlanned = 0;
    int checkedPieces = 0;
    // A split's record of itself, and the digest of the big file's bytes it moved.
    std::unique_ptr<SeriesRecord> record;
    std::string wholeDigest;
    // Where the next block lands in the piece being written, and in a join's target.
    std::int64_t pieceOffset = 0;
    std::int64_t targetOffset = 0;
    // A join reads back what it wrote; an append to a file that may be
    // written but not read hashes the pieces as it reads them instead.
    bool targetReadable = true;
    // One writer per file: the locks of the names this run writes.
    std::vector<std::unique_ptr<RunLock>> locks;
    // What a split created, by identity, so that a split that fails removes
    // exactly these and nothing another run or the user put under their names.
    struct Written {
        std::string path;
        std::optional<std::string> identity;
        std::optional<std::string> stamp;  // once closed: identity, size and time
    };
    std::vector<Written> written;
    std::int64_t bigFileBytesAtStart = -1;
    std::optional<std::string> bigFileStamp;
    // The first piece on the disk in the drive: pieces before it went out with
    // earlier disks.
    int firstPieceOnDisk = 1;
    // Continuing a stopped run: the first piece this run moves, the digests
    // of those before it (a split's, from its list), and the series that a
    // join's records tie its temporary to.
    int firstPiece = 1;
    std::vector<std::string> keptDigests;
    std::optional<std::string> series;
    bool takenOver = false;
    // A join whose record ties its temporary to the series keeps the
    // temporary when the disk fills up, for the same join to go on with.
    bool joinRecorded = false;
    bool outOfRoom = false;
};

Engine::Engine(Job& job, Platform& platform, EngineHost& host)
    : job_(job), platform_(platform), host_(host) {}

Engine::~Engine() = default;

std::int64_t Engine::QueryFileSize(const std::string& path) { return platform_.FileSize(path); }

std::int64_t Engine::QueryFreeSpace(const std::string& volume) {
    return platform_.FreeSpace(volume);
}

TransferResult Engine::SplitBigFile(const TransferOptions& options) {
    return RunTransfer(Direction::Split, options);
}

TransferResult Engine::JoinSmallFiles(const TransferOptions& options) {
    TransferOptions join = options;
    join.UseFreeSpace = false;
    join.RemoveBigFile = false;
    join.EraseFloppyDisks = false;
    return RunTransfer(Direction::Join, join);
}

// A refusal before anything was touched: the file it is about, without a
// system reason.
int Engine::Refuse(int code, const std::string& path) {
    result_.file = path;
    result_.reason.clear();
    return code;
}

// A failure right after the call that failed: the file and the system's reason.
int Engine::Fail(int code, const std::string& path) {
    result_.file = path;
    result_.reason = platform_.LastErrorText();
    return code;
}

// Every name a run will write must be the run's to write: nothing that is the
// big file itself (under its own name or through a link: it would be
// overwritten while it is read), no folder, device, FIFO or link. Such a run
// is refused before any file is touched; the pieces of a free-space split are
// checked again one by one as they are decided.
int Engine::RefuseUnownedNames(const Run& run) {
    const bool split = run.Split();
    if (split && platform_.KindOf(job_.BigFilePath, true) != FileKind::Regular) {
        return Refuse(platform_.Exists(job_.BigFilePath) ? kNotARegularFile : kCannotReadBigFile,
                      job_.BigFilePath);
    }
    for (int i = 1; i <= job_.SmallFileCount; ++i) {
        const std::string piece = PieceName(job_.SmallFilesBase, run.options.Suffix, i);
        if (piece == job_.BigFilePath || platform_.SameFile(piece, job_.BigFilePath)) {
            return Refuse(split ? kSelfOverwrite : kCannotWriteBigFile, piece);
        }
        const FileKind kind = platform_.KindOf(piece, false);
        if (split && kind != FileKind::Missing && kind != FileKind::Regular) {
            return Refuse(kNotARegularFile, piece);
        }
    }
    const std::string checksumFile = ChecksumFilePath(job_.SmallFilesBase);
    const bool checksumFileIsBigFile =
        checksumFile == job_.BigFilePath || platform_.SameFile(checksumFile, job_.BigFilePath);
    if (split) {
        if (checksumFileIsBigFile) {
            return Refuse(kSelfOverwrite, checksumFile);
        }
        if (const int refused = RefuseBigFileAmongPieces(run); refused != kTransferDone) {
            return refused;
        }
        // A vendor's list under the stem's name is not rewritten.
        if (run.options.WriteChecksumFile &&
            OwnershipOf(platform_, job_.SmallFilesBase, run.options.Suffix) ==
                ChecksumOwnership::Foreign) {
            return Refuse(kForeignChecksumFile, checksumFile);
        }
        return kTransferDone;
    }
    // The series' checksum file is read by the join as its pieces are, and a
    // name of a piece above the count would join the series at its next count.
    if (checksumFileIsBigFile ||
        PieceNumberOf(job_.BigFilePath, job_.SmallFilesBase, run.options.Suffix) > 0) {
        return Refuse(kCannotWriteBigFile, job_.BigFilePath);
    }
    // A join writes one regular file, or replaces a link by one; it never
    // writes into a folder, a device, a FIFO or a socket, nor appends through
    // a link.
    const FileKind target = platform_.KindOf(job_.BigFilePath, false);
    if (target == FileKind::Folder || target == FileKind::Special ||
        (target == FileKind::Link && job_.AppendActive)) {
        return Refuse(kNotARegularFile, job_.BigFilePath);
    }
    return kTransferDone;
}

// A big file under the name of a piece of its own series, above the count it
// is split into, would stay among the pieces: every later count of the series
// takes it for one, and no checksum list makes such a series join. The name
// is compared as written and, for the pieces on disk, by identity.
int Engine::RefuseBigFileAmongPieces(const Run& run) {
    const std::string& suffix = run.options.Suffix;
    if (PieceNumberOf(job_.BigFilePath, job_.SmallFilesBase, suffix) > 0) {
        return Refuse(kBigFileNamedAsPiece, job_.BigFilePath);
    }
    for (const std::int64_t number : PieceNumbersOnDisk(platform_, job_.SmallFilesBase, suffix)) {
        const std::string piece = PieceName(job_.SmallFilesBase, suffix, number);
        if (platform_.SameFile(piece, job_.BigFilePath)) {
            return Refuse(kBigFileNamedAsPiece, piece);
        }
    }
    return kTransferDone;
}

// One writer per file: a split holds its stem and its big file, a join its
// target and the stem it reads, each once.
int Engine::TakeLocks(Run& run) {
    std::vector<std::string> names = {job_.SmallFilesBase, job_.BigFilePath};
    if (!run.Split()) {
        std::swap(names[0], names[1]);
    }
    if (names[1] == names[0] || platform_.SameFile(names[0], names[1])) {
        names.pop_back();
    }
    for (const std::string& name : names) {
        auto lock = platform_.LockForWriting(name);
        if (!lock) {
            return Refuse(kRunLocked, name);
        }
        run.locks.push_back(std::move(lock));
    }
    return kTransferDone;
}

TransferResult Engine::RunTransfer(Direction direction, const TransferOptions& options) {
    Run run(*this, direction, options);
    result_ = {};
    // A Stop that came after the last block of the previous run is not this run's.
    job_.StopRequested = false;
    const int code = Transfer(run);
    // A big file that could not be deleted leaves a whole series beside it.
    if (run.Split() && code != kTransferDone && code != kBigFileNotRemoved) {
        RemoveWrittenFiles(run);
    }
    return Result(code);
}

// The run's code with what the run has gathered to tell about it.
TransferResult Engine::Result(int code) {
    TransferResult result = std::move(result_);
    result_ = {};
    if (code > 0) {
        result.outcome = TransferOutcome::PieceFailed;
        result.piece = code;
    }
    for (const auto& [known, outcome] : kOutcomeOfCode) {
        if (code == known) {
            result.outcome = outcome;
        }
    }
    return result;
}

// A split that does not finish must not leave pieces that look like a whole
// series: it removes what it created and can still reach. Pieces on disks that
// went out of the drive are beyond reach, and a file that another run or the
// user put under one of the names since is not this run's.
void Engine::RemoveWrittenFiles(Run& run) {
    run.hasher.reset();
    platform_.Close(run.piece);
    run.piece = kNoFile;
    for (const Run::Written& file : run.written) {
        const bool same = file.identity && platform_.FileIdentity(file.path) == file.identity &&
                          (!file.stamp || platform_.FileStamp(file.path) == file.stamp);
        // The list's record goes too, but the user is told of the pieces.
        if (same && platform_.KindOf(file.path, false) == FileKind::Regular &&
            platform_.DeleteFile(file.path) && (!run.record || file.path != run.record->Path())) {
            result_.removedAfterFailure.push_back(file.path);
        }
    }
}

int Engine::Transfer(Run& run) {
    const bool split = run.Split();
    const TransferOptions& options = run.options;

    job_.SmallFileCount = std::max(job_.SmallFileCount, 0);
    if (job_.SmallFileSizes.size() < static_cast<std::size_t>(job_.SmallFileCount) + 1) {
        job_.SmallFileSizes.resize(static_cast<std::size_t>(job_.SmallFileCount) + 1, 0);
    }
    if (const int refused = RefuseUnownedNames(run); refused != kTransferDone) {
        return refused;
    }
    if (const int locked = TakeLocks(run); locked != kTransferDone) {
        return locked;
    }

    // Prompts come before every piece, or only for floppies; a pause mode
    // that no menu item sets is taken as the default, floppies only.
    run.floppyRoot = platform_.FloppyRoot(job_.SmallFilesBase);
    run.prompting = PromptsBeforePieces(options.PauseMode, run.floppyRoot.has_value());

    // The big file stays open for the whole run. Its size and stamp at the
    // start tell, at the end, whether it changed while it was read.
    if (split) {
        run.bigFile = platform_.OpenForReading(job_.BigFilePath);
        if (run.bigFile == kNoFile) {
            return Fail(kCannotReadBigFile, job_.BigFilePath);
        }
        protectedFile_ = job_.BigFilePath;
        run.bigFileBytesAtStart = platform_.SizeOf(run.bigFile);
        run.bigFileStamp = platform_.FileStamp(job_.BigFilePath);
    } else if (const int code = OpenJoinTarget(run); code != kTransferDone) {
        return code;
    }

    // A free-space split decides its pieces as it goes.
    if (split && options.UseFreeSpace) {
        run.remaining = job_.ExtractCount;
        job_.SmallFileCount = 1;
        job_.SmallFileSizes.assign(2, 0);
        job_.TargetDrive = platform_.VolumeOf(job_.SmallFilesBase);
    }

    // Progress is measured against the bytes to move; a prompted join cannot know them
    // and scales piece by piece.
    host_.ClearSizeList();
    host_.SetProgressRange(0, kProgressMaximum);
    host_.SetProgress(0);
    if (split) {
        run.bytesToMove = job_.ExtractCount;
        run.scale = ScaleFor(static_cast<double>(job_.ExtractCount));
    } else if (!run.prompting) {
        double total = 0;
        for (int i = 1; i <= job_.SmallFileCount; ++i) {
            total += static_cast<double>(job_.SmallFileSizes[static_cast<std::size_t>(i)]);
            run.bytesToMove += job_.SmallFileSizes[static_cast<std::size_t>(i)];
        }
        run.scale = ScaleFor(total);
    }

    // An extraction starts at its first byte (appending is positioned when the big file is
    // opened). A seek that fails would cut the wrong bytes.
    if (split && job_.ExtractActive && !platform_.Seek(run.bigFile, job_.ExtractSkip)) {
        return EndRun(run, kCannotReadBigFile);
    }

    if (const int code = StartChecksums(run); code != kTransferDone) {
        return EndRun(run, code);
    }

    // The block size is bounded by the file and by the memory the user allows.
    run.baseTerm = split ? platform_.FileSize(job_.BigFilePath) / 52 + 1 : 1;
    run.memoryLimit = PercentOf(platform_.PhysicalMemory(), options.MaxFromRAM);

    if (const int code = split ? ContinueSplit(run) : ContinueJoin(run); code != kTransferDone) {
        return EndRun(run, code);
    }
    // The count is read again before each piece: a free-space split raises it.
    for (int i = run.firstPiece; i <= job_.SmallFileCount; ++i) {
        if (const int code = PieceSteps(run, i); code != kNextPiece) {
            return code;
        }
    }

    // The last piece is done: nothing is selected and the progress goes back.
    host_.SelectSizeLine(-1);
    host_.SetProgress(0);
    run.buffer.reset();

    // Extraction belongs to a split: a join is always checked against the
    // file it wrote on disk, even while an extraction range is still set.
    if (!split) {
        if (job_.AppendActive) {
            run.measuredTotal += job_.AppendBaseBytes;
        }
        // The joined file goes to the disk while the hashing of its last bytes
        // ends; it is compared whole before it may replace the big file.
        const bool flushed = platform_.Flush(run.bigFile);
        const std::string flushFailure = flushed ? std::string() : platform_.LastErrorText();
        if (const int code = FinishChecksums(run); code != kTransferDone) {
            AbandonJoinTarget(run);
            return code;
        }
        const int code = FinishJoinTarget(run, flushed, flushFailure);
        if (code == kTransferDone && options.RemoveSmallFiles && !run.prompting) {
            for (int k = 1; k <= job_.SmallFileCount; ++k) {
                platform_.DeleteFile(PieceName(job_.SmallFilesBase, options.Suffix, k));
            }
        }
        return code;
    }
    const std::int64_t expected = job_.ExtractActive ? job_.ExtractCount : run.bigFileBytesAtStart;
    if (run.hasher) {
        run.hasher->Wait();  // the whole is read back from the big file
    }
    if (platform_.SizeOf(run.bigFile) != run.bigFileBytesAtStart) {
        return Refuse(kBigFileChanged, job_.BigFilePath);
    }
    platform_.Close(run.bigFile);
    run.bigFile = kNoFile;
    if (expected != run.measuredTotal) {
        return kSizesDiffer;
    }
    // Written to in place, the big file keeps its size but not its stamp: the
    // pieces may then hold some old bytes and some new, which no list may call whole.
    if (platform_.FileStamp(job_.BigFilePath) != run.bigFileStamp) {
        return Refuse(kBigFileChanged, job_.BigFilePath);
    }
    if (const int code = CollectDigests(run); code != kTransferDone) {
        return code;
    }

    // The big file goes only after every piece has passed its check, and
    // only while each is still what this run wrote.
    const bool removeBigFile = options.RemoveBigFile && !job_.ExtractActive;
    if (removeBigFile) {
        if (const int code = ConfirmPiecesUnchanged(run); code != kTransferDone) {
            return code;
        }
    }
    RemoveStalePieces(options.Suffix, run.bigFileStamp);
    // The list is finished before the big file goes: killed in between, the
    // user has both, never neither.
    if (const int code = FinishRecord(run); code != kTransferDone) {
        return code;
    }
    if (removeBigFile) {
        if (platform_.FileStamp(job_.BigFilePath) != run.bigFileStamp) {
            return Refuse(kBigFileChanged, job_.BigFilePath);
        }
        if (!platform_.DeleteFile(job_.BigFilePath)) {
            return Fail(kBigFileNotRemoved, job_.BigFilePath);
        }
    }
    return kTransferDone;
}

// Before the big file goes, each piece on the disk in the drive must still be
// the file this run wrote, of its size and, read back, of its digest: another
// process may have written to it since. Where all of them are in the drive,
// they must also rebuild the big file's bytes, read back as one stream.
int Engine::ConfirmPiecesUnchanged(Run& run) {
    std::vector<std::string> pieces;
    for (int k = run.firstPieceOnDisk; k <= job_.SmallFileCount; ++k) {
        const auto index = static_cast<std::size_t>(k);
        const std::string piece = PieceName(job_.SmallFilesBase, run.options.Suffix, k);
        const Run::Written* written = nullptr;
        for (const Run::Written& file : run.written) {
            if (file.path == piece) {
                written = &file;
            }
        }
        if (written == nullptr || platform_.FileIdentity(piece) != written->identity ||
            platform_.FileSize(piece) != job_.SmallFileSizes[index]) {
            return Refuse(kPieceChanged, piece);
        }
        pieces.push_back(piece);
    }
    TransferProgress unshown;
    const auto back = ReadBack(pieces, 0.0f, unshown);
    if (!back) {
        return kInterrupted;
    }
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const auto index = static_cast<std::size_t>(run.firstPieceOnDisk) + i;
        const bool listed = index < job_.PieceDigests.size() && !job_.PieceDigests[index].empty();
        if (back->states[i] != CheckState::Ok ||
            (listed && back->digests[i] != job_.PieceDigests[index])) {
            return Refuse(kPieceChanged, pieces[i]);
        }
    }
    if (run.firstPieceOnDisk == 1 && back->whole != run.wholeDigest) {
        return Refuse(kPieceChanged, job_.SmallFilesBase);
    }
    return kTransferDone;
}

// A join never writes into an existing big file that it would have to leave
// half written: it writes into a temporary file beside it, which replaces the
// big file only once every piece arrived whole. An appending join writes after
// the existing bytes and never before them, and records their length first.
int Engine::OpenJoinTarget(Run& run) {
    result_.partialPath.clear();
    run.piecesDeleted = false;
    if (!run.prompting) {
        run.series = SeriesIdentity(platform_, job_.SmallFilesBase, run.options.Suffix);
    }
    if (job_.AppendActive ? TakeOverAppend(run) : TakeOverJoin(run)) {
        return kTransferDone;
    }
    RemoveLeftTemporaries(job_.BigFilePath);
    RemoveLeftTemporaries(JoinRecordPath(job_.BigFilePath));
    if (const int code = UndoBrokenAppend(); code != kTransferDone) {
        return code;
    }
    // An append writes in place, after the bytes there, and keeps the file's
    // mode and owner; its length is read from the open file, so a file that
    // may be written but not read is measured too. A file that cannot be
    // opened or measured fails the run: taking it for a new file would
    // replace it.
    if (job_.AppendActive && platform_.KindOf(job_.BigFilePath, false) != FileKind::Missing) {
        run.targetPath = job_.BigFilePath;
        run.bigFile = platform_.OpenForUpdating(job_.BigFilePath);
        run.targetReadable = run.bigFile != kNoFile;
        if (!run.targetReadable) {
            run.bigFile = platform_.OpenForWriting(job_.BigFilePath);
        }
        if (run.bigFile == kNoFile) {
            return Fail(kCannotWriteBigFile, job_.BigFilePath);
        }
        job_.AppendBaseBytes = platform_.SizeOf(run.bigFile);
        if (job_.AppendBaseBytes < 0 || !platform_.Seek(run.bigFile, job_.AppendBaseBytes)) {
            const int code = Fail(kCannotWriteBigFile, job_.BigFilePath);
            platform_.Close(run.bigFile);
            run.bigFile = kNoFile;
            job_.AppendBaseBytes = 0;
            return code;
        }
        run.targetOffset = job_.AppendBaseBytes;
        return WriteAppendRecord(run);
    }
    job_.AppendBaseBytes = 0;
    run.bigFile = platform_.CreateTemporaryBeside(job_.BigFilePath, run.targetPath);
    run.viaTemporary = true;
    if (run.bigFile == kNoFile) {
        return Fail(kCannotWriteBigFile, job_.BigFilePath);
    }
    // The record that lets the same join go on with the temporary, should it
    // stop; without it the temporary is only ever removed.
    const std::string record = JoinRecordPath(job_.BigFilePath);
    run.joinRecorded = run.series && !run.prompting &&
                       WriteJoinRecord(platform_, job_.BigFilePath, *run.series, run.targetPath);
    if (!run.joinRecorded) {
        platform_.DeleteFile(record);
    }
    return kTransferDone;
}

// A join run again with Resume takes over the temporary that the same join
// left, where its record ties it to this series and no live run holds it.
bool Engine::TakeOverJoin(Run& run) {
    if (!run.options.Resume || !run.series) {
        return false;
    }
    const auto temporary = RecordedTemporary(platform_, job_.BigFilePath, *run.series);
    bool held = false;
    const FileHandle file =
        temporary ? platform_.TakeLeftFile(*temporary, held, true) : FileHandle{kNoFile};
    if (file == kNoFile) {
        return false;
    }
    job_.AppendBaseBytes = 0;
    run.bigFile = file;
    run.targetPath = *temporary;
    run.viaTemporary = true;
    run.takenOver = true;
    run.joinRecorded = true;
    return true;
}

// An append run again with Resume goes on after its old end, where its record
// ties it to this series and the target is still the file it measured; the
// record stays until the append is done.
bool Engine::TakeOverAppend(Run& run) {
    const std::string recordPath = AppendRecordPath(job_.BigFilePath);
    if (!run.options.Resume || !run.series ||
        platform_.KindOf(recordPath, false) != FileKind::Regular) {
        return false;
    }
    bool held = false;
    OpenedFile record(platform_, platform_.TakeLeftFile(recordPath, held));
    const auto recorded = record ? ReadAppendRecord(platform_, record.Handle()) : std::nullopt;
    if (!recorded || recorded->series != *run.series || recorded->piecesGone) {
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
    job_.AppendBaseBytes = recorded->length;
    run.targetPath = job_.BigFilePath;
    run.bigFile = target.Release();
    run.appendRecord = record.Release();
    run.appendRecordPath = recordPath;
    run.takenOver = true;
    return true;
}

// The bytes a taken-over target holds count only as far as they prove,
// piece by piece, against the list; the rest is cut off, and the join goes
// on after the last piece that proved. They are hashed once more into the
// whole, which is compared at the end as always.
int Engine::ContinueJoin(Run& run) {
    if (!run.takenOver) {
        return kTransferDone;
    }
    const std::int64_t base = job_.AppendBaseBytes;
    const int kept = run.expected && run.hasher ? ProvenPrefix(platform_, run.bigFile, base,
                                                               job_.SmallFileSizes, *run.expected)
                                                : 0;
    std::int64_t bytes = 0;
    for (int k = 1; k <= kept; ++k) {
        const std::int64_t size = job_.SmallFileSizes[static_cast<std::size_t>(k)];
        run.hasher->Add(run.bigFile, base + bytes, size);
        run.hasher->NextPiece();
        host_.AddSizeLine(std::to_string(size));
        bytes += size;
    }
    if (!platform_.Truncate(run.bigFile, base + bytes) ||
        !platform_.Seek(run.bigFile, base + bytes)) {
        return Fail(kCannotWriteBigFile, run.targetPath);
    }
    run.targetOffset = base + bytes;
    run.measuredTotal = bytes;
    run.bytesOfRun = bytes;
    run.firstPiece = kept + 1;
    result_.resumedPieces = kept;
    ShowProgress(run);
    return kTransferDone;
}

// A split run again with Resume over the unfinished list of the same split
// keeps the pieces that still prove against the list and goes on after them;
// the whole's digest still covers every byte, the kept pieces' read from the
// big file. Whatever a record says, the first piece written comes after it
// is rewritten with the kept lines alone.
int Engine::ContinueSplit(Run& run) {
    const bool resumable = run.record && !run.prompting && !run.options.UseFreeSpace;
    if (resumable) {
        run.record->Describe(SplitResumeNote(run.bigFileStamp.value_or(std::string()),
                                             run.bigFileBytesAtStart, job_, run.options.Suffix));
    }
    if (!resumable || !run.options.Resume) {
        return kTransferDone;
    }
    if (!FindSplitResume(platform_, job_, run.options.Suffix).Found()) {
        return kTransferDone;
    }
    const ChecksumList list =
        ReadSeriesChecksums(platform_, job_.SmallFilesBase, run.options.Suffix);
    const int kept = ProvenPieces(platform_, job_.SmallFilesBase, run.options.Suffix,
                                  job_.SmallFileSizes, list.series);
    std::vector<ChecksumLine> lines;
    std::int64_t offset = job_.ExtractActive ? job_.ExtractSkip : 0;
    for (int k = 1; k <= kept; ++k) {
        const auto index = static_cast<std::size_t>(k);
        const std::string piece = PieceName(job_.SmallFilesBase, run.options.Suffix, k);
        lines.push_back({list.series.pieces[index], BareFileName(piece)});
        run.written.push_back({piece, platform_.FileIdentity(piece), platform_.FileStamp(piece)});
        if (run.hasher) {
            run.hasher->Add(kNoFile, 0, run.bigFile, offset, job_.SmallFileSizes[index]);
            run.hasher->NextPiece();
        }
        host_.AddSizeLine(std::to_string(job_.SmallFileSizes[index]));
        offset += job_.SmallFileSizes[index];
        run.measuredTotal += job_.SmallFileSizes[index];
    }
    if (kept == 0) {
        return kTransferDone;
    }
    if (!platform_.Seek(run.bigFile, offset)) {
        return Fail(kCannotReadBigFile, job_.BigFilePath);
    }
    run.keptDigests.assign(list.series.pieces.begin(), list.series.pieces.begin() + kept + 1);
    run.sourceOffset = offset;
    run.bytesOfRun = run.measuredTotal;
    run.firstPiece = kept + 1;
    result_.resumedPieces = kept;
    run.record->Keep(std::move(lines));
    ShowProgress(run);
    return BeginRecord(run);
}

// A join that died leaves its temporary beside the target, and an append
// the temporary of its record. Only the temporaries of this target are
// looked at, by their exact form, and one goes only when no live run holds
// it: the hold is on the file itself, so a run that keeps its locks in
// another folder (another session's) still keeps its own.
void Engine::RemoveLeftTemporaries(const std::string& target) {
    const std::string folder = FolderOfPath(target);
    const auto entries = platform_.ListFolder(folder);
    if (!entries) {
        return;
    }
    for (const FolderEntry& entry : *entries) {
        if (entry.isFolder || !IsTemporaryOf(entry.name, target)) {
            continue;
        }
        const std::string path = JoinFolder(folder, entry.name);
        bool held = false;
        if (const OpenedFile left(platform_, platform_.TakeLeftFile(path, held)); left) {
            platform_.DeleteFile(path);
        }
    }
}

// A record beside the target is what an append left that died before it
// could take off what it had appended. Before anything else is written to
// the target, the target gets its old length back and that reaches the disk;
// only then does the record go. Where that is not safe, nothing is written.
int Engine::UndoBrokenAppend() {
    const std::string recordPath = AppendRecordPath(job_.BigFilePath);
    if (platform_.KindOf(recordPath, false) == FileKind::Missing) {
        return kTransferDone;
    }
    bool held = false;
    OpenedFile record(platform_, platform_.TakeLeftFile(recordPath, held));
    if (!record) {
        // A live run appends to the target: one whose lock is in another folder.
        return held ? Refuse(kRunLocked, job_.BigFilePath) : Fail(kAppendNotUndone, recordPath);
    }
    int code = CutBack(ReadAppendRecord(platform_, record.Handle()), recordPath);
    if (code == kTransferDone && !platform_.DeleteFile(recordPath)) {
        code = Fail(kCannotWriteBigFile, recordPath);
    }
    record.Close();
    if (code == kTransferDone) {
        platform_.FlushFolder(FolderOfPath(job_.BigFilePath));
        result_.appendUndone = job_.BigFilePath;
    }
    return code;
}

// Cuts the target back to the length its record gives, when the target is
// still the file that was measured and nothing appended is the only copy of
// deleted pieces.
int Engine::CutBack(const std::optional<AppendRecord>& record, const std::string& recordPath) {
    if (!record || record->piecesGone ||
        platform_.KindOf(job_.BigFilePath, false) != FileKind::Regular) {
        return Refuse(kAppendNotUndone, recordPath);
    }
    const FileHandle updating = platform_.OpenForUpdating(job_.BigFilePath);
    const bool readable = updating != kNoFile;
    const OpenedFile file(platform_,
                          readable ? updating : platform_.OpenForWriting(job_.BigFilePath));
    if (!file) {
        return Fail(kCannotWriteBigFile, job_.BigFilePath);
    }
    const auto identity = platform_.HandleIdentity(file.Handle());
    const std::int64_t size = platform_.SizeOf(file.Handle());
    bool same = identity && SameFileOnVolume(*identity, record->identity) && size >= record->length;
    if (same && !record->tailDigest.empty()) {
        same =
            readable && TailDigest(platform_, file.Handle(), record->length) == record->tailDigest;
    }
    if (!same) {
        return Refuse(kAppendNotUndone, recordPath);
    }
    if (size != record->length &&
        !(platform_.Truncate(file.Handle(), record->length) && platform_.Flush(file.Handle()))) {
        return Fail(kCannotWriteBigFile, job_.BigFilePath);
    }
    return kTransferDone;
}

// The record of the target's old length is on the disk beside it before the
// first byte is appended: written whole under a temporary's name, then given
// its own, which no other run's record may have. The run holds it until it
// ends, so a run that finds it held leaves the target alone.
int Engine::WriteAppendRecord(Run& run) {
    AppendRecord record;
    record.length = job_.AppendBaseBytes;
    record.identity = platform_.HandleIdentity(run.bigFile).value_or(std::string());
    record.series = run.series.value_or(std::string());
    if (run.targetReadable) {
        record.tailDigest = TailDigest(platform_, run.bigFile, record.length).value_or("");
    }
    const std::string text = AppendRecordText(record);
    const auto size = static_cast<std::int64_t>(text.size());
    const std::string recordPath = AppendRecordPath(job_.BigFilePath);
    std::string temporary;
    OpenedFile file(platform_, platform_.CreateTemporaryBeside(job_.BigFilePath, temporary));
    if (!file) {
        return Fail(kCannotWriteBigFile, recordPath);
    }
    if (platform_.Write(file.Handle(), text.data(), size) != size ||
        !platform_.Flush(file.Handle()) || !platform_.RenameToNewName(temporary, recordPath)) {
        int code = Fail(kCannotWriteBigFile, recordPath);
        if (platform_.Exists(recordPath)) {
            code = Refuse(kRunLocked, job_.BigFilePath);  // another run's, just made
        }
        platform_.DeleteFile(temporary);
        return code;
    }
    platform_.FlushFolder(FolderOfPath(job_.BigFilePath));
    run.appendRecord = file.Release();
    run.appendRecordPath = recordPath;
    return kTransferDone;
}

// Before the first piece a join deletes, what it writes is made safe to be
// the only copy of that piece: a temporary gets a visible name that no later
// join takes for a dead run's temporary (a failure's message gives it), and
// an append's record says that what follows the old length must stay.
int Engine::KeepJoinedBytes(Run& run) {
    if (run.keptForPieces) {
        return kTransferDone;
    }
    if (run.viaTemporary) {
        std::string kept;
        for (int n = 1; n < 100 && kept.empty(); ++n) {
            const std::string candidate = OwnNameBeside(
                job_.BigFilePath, n == 1 ? "partial" : "partial-" + std::to_string(n), false);
            if (platform_.RenameToNewName(run.targetPath, candidate)) {
                kept = candidate;
            } else if (!platform_.Exists(candidate)) {
                break;
            }
        }
        if (kept.empty()) {
            return Fail(kCannotWriteBigFile, run.targetPath);
        }
        run.targetPath = kept;
        platform_.FlushFolder(FolderOfPath(job_.BigFilePath));
        // Opened again under its new name, which no run takes for a temporary:
        // Wine reopens a file (as a read back does) by the name it was opened with.
        platform_.Close(run.bigFile);
        run.bigFile = platform_.OpenForUpdating(kept);
        if (run.bigFile == kNoFile || !platform_.Seek(run.bigFile, run.targetOffset)) {
            return Fail(kCannotWriteBigFile, kept);
        }
    } else if (run.appendRecord != kNoFile && !MarkPiecesGone(platform_, run.appendRecord)) {
        return Fail(kCannotWriteBigFile, run.appendRecordPath);
    }
    run.keptForPieces = true;
    return kTransferDone;
}

// The joined file is measured open; it must be on the disk (flushed says so)
// before it takes the big file's name, and the name after: a crash in between
// must not leave a renamed file whose bytes never reached the disk. It is
// renamed while still held. An append is done once its record is gone.
int Engine::FinishJoinTarget(Run& run, bool flushed, const std::string& flushFailure) {
    if (platform_.SizeOf(run.bigFile) != run.measuredTotal) {
        AbandonJoinTarget(run);
        return Refuse(kSizesDiffer, job_.BigFilePath);
    }
    if (!flushed) {
        result_.file = job_.BigFilePath;
        result_.reason = flushFailure;
        AbandonJoinTarget(run);
        return kCannotWriteBigFile;
    }
    if (run.viaTemporary) {
        if (!platform_.RenameFile(run.targetPath, job_.BigFilePath)) {
            const int code = Fail(kCannotWriteBigFile, job_.BigFilePath);
            AbandonJoinTarget(run);
            return code;
        }
        platform_.FlushFolder(FolderOfPath(job_.BigFilePath));
        platform_.DeleteFile(JoinRecordPath(job_.BigFilePath));
    }
    platform_.Close(run.bigFile);
    run.bigFile = kNoFile;
    if (run.appendRecord != kNoFile) {
        if (!platform_.DeleteFile(run.appendRecordPath)) {
            const int code = Fail(kCannotWriteBigFile, run.appendRecordPath);
            AbandonJoinTarget(run);
            return code;
        }
        platform_.Close(run.appendRecord);
        run.appendRecord = kNoFile;
        platform_.FlushFolder(FolderOfPath(job_.BigFilePath));
    }
    return kTransferDone;
}

// What a join that did not finish leaves: the big file as it was before, unless
// pieces are gone whose bytes exist only in what the join wrote; then that stays
// and the job says where. An append's record goes only once the cut back to the
// old length is on the disk; otherwise it stays for the next run to cut with.
void Engine::AbandonJoinTarget(Run& run) {
    if (run.piecesDeleted) {
        platform_.Close(run.bigFile);
        run.bigFile = kNoFile;
        platform_.Close(run.appendRecord);
        run.appendRecord = kNoFile;
        result_.partialPath = run.targetPath;
        return;
    }
    if (run.viaTemporary && run.outOfRoom && run.joinRecorded) {
        platform_.Close(run.bigFile);
        run.bigFile = kNoFile;
        result_.keptForResume = run.targetPath;
        return;
    }
    if (run.viaTemporary) {
        platform_.DeleteFile(run.targetPath);
        platform_.DeleteFile(JoinRecordPath(job_.BigFilePath));
        platform_.Close(run.bigFile);
        run.bigFile = kNoFile;
        return;
    }
    bool cut = false;
    if (run.bigFile != kNoFile) {
        cut = platform_.Truncate(run.bigFile, job_.AppendBaseBytes) && platform_.Flush(run.bigFile);
        platform_.Close(run.bigFile);
        run.bigFile = kNoFile;
    } else if (const FileHandle file = platform_.OpenForWriting(run.targetPath); file != kNoFile) {
        cut = platform_.Truncate(file, job_.AppendBaseBytes) && platform_.Flush(file);
        platform_.Close(file);
    }
    if (run.appendRecord != kNoFile) {
        if (cut && platform_.DeleteFile(run.appendRecordPath)) {
            platform_.FlushFolder(FolderOfPath(job_.BigFilePath));
        }
        platform_.Close(run.appendRecord);
        run.appendRecord = kNoFile;
    }
}

// Pieces numbered above the new count belong to an earlier, longer split to the
// same place; left there, a later join would take them in. Only regular files
// go, and never the big file (under a piece's name or as a link's target):
// it is compared as it was when the run began, since it may be gone by now.
void Engine::RemoveStalePieces(const std::string& suffix,
                               const std::optional<std::string>& bigFile) {
    result_.stalePieces.clear();
    for (const std::int64_t number : PieceNumbersOnDisk(platform_, job_.SmallFilesBase, suffix)) {
        const std::string piece = PieceName(job_.SmallFilesBase, suffix, number);
        if (number <= job_.SmallFileCount || platform_.KindOf(piece, false) != FileKind::Regular ||
            platform_.FileStamp(piece) == bigFile || platform_.SameFile(piece, job_.BigFilePath)) {
            continue;
        }
        if (platform_.DeleteFile(piece)) {
            result_.stalePieces.push_back(piece);
        }
    }
}

int Engine::PieceSteps(Run& run, int piece) {
    const bool split = run.Split();
    const auto index = static_cast<std::size_t>(piece);

    if (run.prompting) {
        if (!AskForDisk(piece, DiskPrompt::Plain)) {
            return EndRun(run, kDiskRefused);
        }
        run.firstPieceOnDisk = piece;
        host_.RepaintWindow();
        if (const int code = LookForChecksums(run, piece); code != kTransferDone) {
            return EndRun(run, code);
        }
    }

    // Without a prompt between pieces the disk is never changed, so erasing it
    // again would delete the pieces this run has just written; and a disk that
    // still holds the last piece was not changed either, whatever the answer was.
    if (split && run.floppyRoot && run.options.EraseFloppyDisks && (run.prompting || piece == 1)) {
        while (!DiskWasChanged(run, piece)) {
            if (!AskForDisk(piece, DiskPrompt::NotChanged)) {
                return EndRun(run, kDiskRefused);
            }
            host_.RepaintWindow();
        }
        EraseDisk(*run.floppyRoot);
    }

    if (split && run.options.UseFreeSpace && !SizeFromFreeSpace(piece, run.remaining)) {
        return EndRun(run, kDiskRefused);
    }

    job_.PiecePath = PieceName(job_.SmallFilesBase, run.options.Suffix, piece);
    if (platform_.SameFile(job_.PiecePath, job_.BigFilePath)) {
        Refuse(split ? kSelfOverwrite : kCannotWriteBigFile, job_.PiecePath);
        return EndRun(run, split ? kSelfOverwrite : kCannotWriteBigFile);
    }
    const FileKind kind = platform_.KindOf(job_.PiecePath, false);
    if (split && kind != FileKind::Missing && kind != FileKind::Regular) {
        Refuse(kNotARegularFile, job_.PiecePath);
        return EndRun(run, kNotARegularFile);
    }

    std::vector<std::int64_t>& sizes = job_.SmallFileSizes;
    run.pieceOffset = 0;
    // Each disk tells where the series stood before its first piece; the
    // erase above has passed.
    if (split && (piece == 1 || run.prompting)) {
        if (const int code = BeginRecord(run); code != kTransferDone) {
            return EndRun(run, code);
        }
    }
    if (split) {
        run.piece = platform_.CreateForWriting(job_.PiecePath);
        if (run.piece != kNoFile) {
            run.written.push_back({job_.PiecePath, platform_.FileIdentity(job_.PiecePath), {}});
        }
    } else {
        if (run.prompting) {
            sizes[index] = platform_.FileSize(job_.PiecePath);
            double sum = 0;
            for (std::size_t k = 1; k <= index; ++k) {
                sum += static_cast<double>(sizes[k]);
            }
            run.scale = job_.SmallFileCount > piece
                            ? ScaleFor(sum * (job_.SmallFileCount - 0.5) / piece)
                            : ScaleFor(sum);
        }
        run.piece = platform_.OpenForReading(job_.PiecePath);
    }
    if (run.piece == kNoFile) {
        Fail(piece, job_.PiecePath);
        return EndRun(run, piece);
    }

    host_.AddSizeLine(std::to_string(sizes[index]));
    host_.SelectSizeLine(piece - 1);
    host_.RepaintSizeList();
    host_.ShowNote(job_.PiecePath);
    run.pieceNumber = piece;
    ShowTransfer(run);

    job_.BlockSize = static_cast<std::int32_t>(
        BlockSizeFor(sizes[index], run.baseTerm, run.options.MaxFromFile, run.memoryLimit));
    PrepareBuffer(run);

    if (const int code = CopyPiece(run, sizes[index]); code != kTransferDone) {
        return EndRun(run, code);
    }
    if (const int code = CheckPiece(run, piece); code != kTransferDone) {
        return EndRun(run, code);
    }
    // A piece must be on the disk itself before the disk is changed or the big
    // file deleted: until then its bytes may exist only in memory.
    if (split && (run.prompting || (run.options.RemoveBigFile && !job_.ExtractActive)) &&
        !platform_.Flush(run.piece)) {
        Fail(kSizesDiffer, job_.PiecePath);
        return EndRun(run, kSizesDiffer);
    }
    if (split && run.prompting && run.record && !run.record->PutOnDisk()) {
        return EndRun(run, RecordFailed(run));
    }
    // The hashing may still read the piece back: it closes the piece when done.
    if (run.hasher) {
        run.hasher->Release(run.piece);
    } else {
        platform_.Close(run.piece);
    }
    run.piece = kNoFile;

    const std::int64_t onDisk = platform_.FileSize(job_.PiecePath);
    if (onDisk != sizes[index]) {
        Refuse(kSizesDiffer, job_.PiecePath);
        return EndRun(run, kSizesDiffer);
    }
    if (split) {
        run.written.back().stamp = platform_.FileStamp(job_.PiecePath);
    }
    run.measuredTotal += onDisk;
    if (split && run.floppyRoot && run.options.EraseFloppyDisks) {
        run.lastPieceStamp = platform_.FileStamp(job_.PiecePath);
    }

    // A piece of a prompted join goes with its disk, once its bytes are safely
    // in the big file and match their line in the list; one that no list
    // proves yet stays. Without disk changes every piece stays until the
    // whole is proven.
    if (!split && run.options.RemoveSmallFiles && run.prompting && run.checkedPieces >= piece) {
        if (!platform_.Flush(run.bigFile)) {
            Fail(kSizesDiffer, run.targetPath);
            return EndRun(run, kSizesDiffer);
        }
        if (const int code = KeepJoinedBytes(run); code != kTransferDone) {
            return EndRun(run, code);
        }
        if (platform_.DeleteFile(job_.PiecePath)) {
            run.piecesDeleted = true;
        }
    }
    return kNextPiece;
}

// The disk in the drive is another than the one the last piece went to, or no
// piece has been written yet.
bool Engine::DiskWasChanged(const Run& run, int piece) {
    if (!run.lastPieceStamp || piece < 2) {
        return true;
    }
    const std::string previous = PieceName(job_.SmallFilesBase, run.options.Suffix, piece - 1);
    return platform_.FileStamp(previous) != run.lastPieceStamp;
}

void Engine::PrepareBuffer(Run& run) {
    const auto wanted = [this] { return std::min<std::int64_t>(job_.BlockSize, kLargestBuffer); };
    if (wanted() <= run.allocated) {
        return;
    }
    run.buffer.reset();
    run.allocated = 0;
    // Short of memory, the block is halved until a buffer can be had.
    while (job_.BlockSize > 0) {
        const std::int64_t size = wanted();
        run.buffer = platform_.Allocate(static_cast<std::size_t>(size));
        if (run.buffer) {
            run.allocated = size;
            return;
        }
        job_.BlockSize = static_cast<std::int32_t>(size / 2);
    }
}

int Engine::CopyPiece(Run& run, std::int64_t size) {
    const std::int64_t block = job_.BlockSize;
    if (block <= 0) {
        // No buffer could be had: an empty piece is still right, any other is not.
        return size == 0 ? kTransferDone : kSizesDiffer;
    }
    run.kernelCopy = true;
    if (!run.Split()) {
        run.sourceOffset = 0;
    }
    std::int64_t done = 0;
    while (done < size) {
        const std::int64_t count = done + block <= size ? block : size - done;
        if (!MoveBlock(run, count)) {
            run.outOfRoom = !run.Split() && platform_.LastErrorIsFull();
            return Fail(kSizesDiffer, run.Split() ? job_.PiecePath : run.targetPath);
        }
        // What is flushed later goes on its way to the disk now, while the
        // next blocks are copied and hashed.
        if (!run.Split()) {
            platform_.StartFlush(run.bigFile, run.targetOffset, count);
        } else if (run.prompting || (run.options.RemoveBigFile && !job_.ExtractActive)) {
            platform_.StartFlush(run.piece, run.pieceOffset, count);
        }
        HashMoved(run, count);
        done += count;
        run.bytesOfRun += count;
        ShowProgress(run);
        host_.ProcessMessages();
        if (!GoOnAfterStop()) {
            return kInterrupted;
        }
    }
    return kTransferDone;
}

// Stop pauses the work until the user says whether it goes on.
bool Engine::GoOnAfterStop() {
    // An interruption from outside (Ctrl+C, a termination) is not asked about:
    // the run ends at once and cleans up.
    if (platform_.PendingInterrupt() != 0) {
        return false;
    }
    if (!job_.StopRequested) {
        return true;
    }
    job_.StopRequested = false;
    const bool goOn = host_.AskToContinue();
    host_.ShowBusyCursor();
    return goOn;
}

// Moves one block from the source to the target. A read or write that moves
// fewer bytes than asked ends the run: the rest of the buffer would hold stale
// bytes, and a join must not go on to delete a piece that did not arrive whole.
bool Engine::MoveBlock(Run& run, std::int64_t count) {
    const FileHandle from = run.Split() ? run.bigFile : run.piece;
    const FileHandle to = run.Split() ? run.piece : run.bigFile;
    while (count > 0) {
        if (run.kernelCopy) {
            const std::int64_t copied = platform_.CopyRange(from, to, count);
            if (copied == kCopyUnsupported) {
                run.kernelCopy = false;
                continue;
            }
            if (copied <= 0) {
                return false;
            }
            count -= copied;
            continue;
        }
        const std::int64_t chunk = std::min(count, run.allocated);
        if (chunk <= 0 || platform_.Read(from, run.buffer.get(), chunk) != chunk ||
            platform_.Write(to, run.buffer.get(), chunk) != chunk) {
            return false;
        }
        count -= chunk;
    }
    return true;
}

void Engine::ShowProgress(const Run& run) {
    const double position = static_cast<double>(run.bytesOfRun) * static_cast<double>(run.scale);
    host_.SetProgress(static_cast<int>(std::clamp(position, 0.0, double{kProgressMaximum})));
    ShowTransfer(run);
}

// A split by free space learns its count only with its last piece.
void Engine::ShowTransfer(const Run& run) {
    const bool countKnown = !(run.Split() && run.options.UseFreeSpace);
    host_.ShowTransfer(
        {run.bytesOfRun, run.bytesToMove, run.pieceNumber, countKnown ? job_.SmallFileCount : 0});
}

int Engine::EndRun(Run& run, int code) {
    run.hasher.reset();
    platform_.Close(run.piece);
    run.piece = kNoFile;
    if (!run.Split()) {
        AbandonJoinTarget(run);
    } else if (code == kSizesDiffer && run.bigFile != kNoFile &&
               platform_.SizeOf(run.bigFile) != run.bigFileBytesAtStart) {
        // Bytes that ran out were not a full disk: the big file shrank or grew.
        code = Refuse(kBigFileChanged, job_.BigFilePath);
    }
    platform_.Close(run.bigFile);
    run.bigFile = kNoFile;
    host_.SetProgress(0);
    run.buffer.reset();
    return code;
}

// A split hashes what it moves when it writes a checksum file; a join when
// its series has one. A prompted join hashes from the first piece on, since
// the checksum file may come in only with a later disk.
int Engine::StartChecksums(Run& run) {
    if (run.Split()) {
        job_.PieceDigests.clear();
        job_.WholeDigest.clear();
        run.sourceOffset = job_.ExtractActive ? job_.ExtractSkip : 0;
        // A split killed while it wrote its list left the list's temporary.
        RemoveLeftTemporaries(ChecksumFilePath(job_.SmallFilesBase));
        // The record of the split goes where its list goes; only a vendor's
        // list there (kept by a split without a list) leaves it out.
        if (OwnershipOf(platform_, job_.SmallFilesBase, run.options.Suffix) !=
            ChecksumOwnership::Foreign) {
            run.record =
                std::make_unique<SeriesRecord>(platform_, ChecksumFilePath(job_.SmallFilesBase));
        }
        // Deleting the big file needs the digest of its bytes, to prove the
        // pieces read back against it.
        const bool removeBigFile = run.options.RemoveBigFile && !job_.ExtractActive;
        if (!run.options.WriteChecksumFile && !removeBigFile) {
            return kTransferDone;
        }
        run.hasher = std::make_unique<StreamHasher>(platform_, run.options.WriteChecksumFile);
        return kTransferDone;
    }
    if (!run.prompting) {
        const ChecksumList list =
            ReadSeriesChecksums(platform_, job_.SmallFilesBase, run.options.Suffix);
        if (list.state == ChecksumList::State::Absent && !job_.CountedFromChecksumFile) {
            return kTransferDone;
        }
        if (list.state == ChecksumList::State::Unfinished) {
            return RefuseUnfinished(list.series.Count(), list.plannedPieces, run.options.Suffix);
        }
        if (!list.Valid()) {
            return RefuseChecksumFile(list);
        }
        run.expected = list.series;
        // The series was counted before its checksum file changed.
        if (run.expected->Count() != job_.SmallFileCount) {
            result_.file = ChecksumFilePath(job_.SmallFilesBase);
            return kChecksumMismatch;
        }
    }
    run.hasher = std::make_unique<StreamHasher>(platform_, JoinHashesPieces(run));
    return kTransferDone;
}

// A join proves what it wrote by the digest of the whole, read back from the
// joined file, and so hashes each byte once. It hashes the pieces as well
// where one is deleted before the end (a prompted join, disk by disk), where
// it reads back the pieces instead of what it wrote, and where the list has
// no line for the whole.
bool Engine::JoinHashesPieces(const Run& run) const {
    return run.prompting || !run.targetReadable || (run.expected && run.expected->whole.empty());
}

// The list says that the split of the series did not finish: nothing of the
// pieces is joined or verified. The list names the pieces proven so far; those
// written may be more, since each is proven in the background.
int Engine::RefuseUnfinished(int listed, int planned, const std::string& suffix) {
    int written = 0;
    while (platform_.Exists(PieceName(job_.SmallFilesBase, suffix, written + 1))) {
        ++written;
    }
    result_.file = job_.SmallFilesBase;
    result_.reason.clear();
    result_.piece = std::max(listed, written);
    result_.plannedPieces = planned;
    return kSeriesUnfinished;
}

// With each disk of a prompted join its checksum file may come in; from then
// on it says how many pieces there are.
int Engine::LookForChecksums(Run& run, int piece) {
    if (run.Split() || (run.expected && !run.expectedUnfinished)) {
        return kTransferDone;
    }
    const ChecksumList list =
        ReadSeriesChecksums(platform_, job_.SmallFilesBase, run.options.Suffix);
    if (list.state == ChecksumList::State::Absent) {
        return kTransferDone;
    }
    if (list.state == ChecksumList::State::Unfinished) {
        run.expected = list.series;
        run.expectedUnfinished = true;
        run.unfinishedPlanned = list.plannedPieces;
        return kTransferDone;
    }
    if (!list.Valid()) {
        return RefuseChecksumFile(list);
    }
    run.expected = list.series;
    run.expectedUnfinished = false;
    if (run.expected->Count() < piece) {
        result_.file = ChecksumFilePath(job_.SmallFilesBase);
        return kChecksumMismatch;
    }
    job_.SmallFileCount = run.expected->Count();
    job_.SmallFileSizes.resize(static_cast<std::size_t>(job_.SmallFileCount) + 1, 0);
    return kTransferDone;
}

// A checksum file that is there but not understood proves nothing and stops
// the run, as does one that is gone after the pieces were counted from it.
int Engine::RefuseChecksumFile(const ChecksumList& list) {
    result_.file = ChecksumFilePath(job_.SmallFilesBase);
    if (list.state == ChecksumList::State::Invalid) {
        result_.checksumProblem = list.problem;
        return kChecksumFileUnusable;
    }
    return kNoChecksumFile;
}

// A split hashes each piece from the piece itself, so that its digest is of
// the bytes that arrived there, and the whole from the big file; a join hashes
// what arrived in the file it writes.
void Engine::HashMoved(Run& run, std::int64_t count) {
    if (run.hasher && run.Split()) {
        run.hasher->Add(run.piece, run.pieceOffset, run.bigFile, run.sourceOffset, count);
    } else if (run.hasher && run.targetReadable) {
        run.hasher->Add(run.bigFile, run.targetOffset, count);
    } else if (run.hasher) {
        run.hasher->Add(run.piece, run.sourceOffset, count);
    }
    run.sourceOffset += count;
    run.pieceOffset += count;
    run.targetOffset += count;
}

// A piece is proven before it can go: before a join deletes it, and before
// the disk that holds it (a split's piece, or a join's that is read back)
// leaves the drive; pieces of a prompted join that came before the checksum
// file are compared as soon as it is there. Any other piece is hashed in the
// background while the next one is copied, and proven with the rest at the end.
int Engine::CheckPiece(Run& run, int piece) {
    if (!run.hasher) {
        return kTransferDone;
    }
    run.hasher->NextPiece();
    const bool proveNow = run.prompting;
    if (proveNow) {
        run.hasher->Wait();
    }
    if (const int failed = run.hasher->FailedPiece(); failed != 0) {
        // Bytes could not be read back: what a split wrote is not proven, and
        // a join could not read them, whatever they hold.
        return run.Split() ? kSizesDiffer : failed;
    }
    if (run.Split()) {
        return ListProvenPieces(run, piece);
    }
    if (!proveNow || !run.expected) {
        return kTransferDone;
    }
    return ComparePieces(run, piece);
}

// Compares the pieces up to the given one that are not compared yet.
int Engine::ComparePieces(Run& run, int upTo) {
    // The record of a split that had not finished then lists fewer pieces:
    // the rest wait for a later disk's list.
    upTo = std::min(upTo, run.expected->Count());
    for (; run.checkedPieces < upTo; ++run.checkedPieces) {
        const int k = run.checkedPieces + 1;
        if (run.hasher->PieceDigest(k) != run.expected->pieces[static_cast<std::size_t>(k)]) {
            result_.file = PieceName(job_.SmallFilesBase, run.options.Suffix, k);
            return kChecksumMismatch;
        }
    }
    return kTransferDone;
}

// After the last piece of a split: the digest of every piece and of the
// whole, once the hashing has read back the last bytes.
int Engine::CollectDigests(Run& run) {
    if (!run.hasher) {
        return kTransferDone;
    }
    const auto whole = run.hasher->EndWhole();
    if (run.hasher->FailedPiece() != 0 || !whole) {
        return Fail(kSizesDiffer, job_.PiecePath);  // the bytes could not be read back
    }
    run.wholeDigest = *whole;
    if (run.options.WriteChecksumFile) {
        job_.PieceDigests = {std::string()};
        for (int k = 1; k <= job_.SmallFileCount; ++k) {
            const auto index = static_cast<std::size_t>(k);
            job_.PieceDigests.push_back(index < run.keptDigests.size()
                                            ? run.keptDigests[index]
                                            : run.hasher->PieceDigest(k).value_or(std::string()));
        }
        job_.WholeDigest = *whole;
    }
    run.hasher.reset();
    return kTransferDone;
}

// The split's record becomes its finished list. The joined file's line names
// the file a join restores, the stem's, so that sha256sum -c checks that file
// after the join. A split without a list removes its record: the pieces are
// whole, and a list of an earlier series under the stem's name is gone with it.
int Engine::FinishRecord(Run& run) {
    if (!run.record) {
        return kTransferDone;
    }
    const std::string& path = run.record->Path();
    if (!run.options.WriteChecksumFile) {
        const auto identity = platform_.FileIdentity(path);
        if (identity && identity == RecordIdentity(run) && !platform_.DeleteFile(path)) {
            return Fail(kChecksumFileNotWritten, path);
        }
        return kTransferDone;
    }
    std::vector<ChecksumLine> lines;
    for (int k = 1; k <= job_.SmallFileCount; ++k) {
        lines.push_back({job_.PieceDigests[static_cast<std::size_t>(k)],
                         BareFileName(PieceName(job_.SmallFilesBase, run.options.Suffix, k))});
    }
    lines.push_back({job_.WholeDigest, BareFileName(job_.SmallFilesBase)});
    if (!run.record->Finish(lines)) {
        result_.file = path;
        result_.reason = run.record->Reason();
        return kChecksumFileNotWritten;
    }
    NoteRecord(run, true);
    return kTransferDone;
}

// The record is the run's own file under the list's name, by its identity;
// once finished it is stamped too, so that a failure after it removes the
// list only while it is what this run wrote.
void Engine::NoteRecord(Run& run, bool finished) {
    const std::string& path = run.record->Path();
    std::erase_if(run.written, [&](const Run::Written& file) { return file.path == path; });
    run.written.push_back(
        {path, platform_.FileIdentity(path), finished ? platform_.FileStamp(path) : std::nullopt});
}

std::optional<std::string> Engine::RecordIdentity(const Run& run) const {
    for (const Run::Written& file : run.written) {
        if (run.record && file.path == run.record->Path()) {
            return file.identity;
        }
    }
    return std::nullopt;
}

// The record could not be written: its path and the system's reason.
int Engine::RecordFailed(const Run& run) {
    result_.file = run.record->Path();
    result_.reason = run.record->Reason();
    return kChecksumFileNotWritten;
}

// Before the first piece on each disk: the record says what the split is
// about to do, with the lines of the pieces proven so far.
int Engine::BeginRecord(Run& run) {
    if (!run.record) {
        return kTransferDone;
    }
    const int planned = run.options.UseFreeSpace ? 0 : job_.SmallFileCount;
    if (!run.record->Begin(planned, job_.ExtractCount)) {
        return RecordFailed(run);
    }
    NoteRecord(run, false);
    return kTransferDone;
}

// The lines of the pieces whose digests are known by now go into the record,
// in order; with a disk to change they are on the disk before it goes.
int Engine::ListProvenPieces(Run& run, int upTo) {
    if (!run.record || !run.hasher || !run.options.WriteChecksumFile) {
        return kTransferDone;
    }
    for (int k = run.record->Listed() + 1; k <= upTo; ++k) {
        const auto digest = run.hasher->PieceDigest(k);
        if (!digest) {
            break;
        }
        if (!run.record->Add(
                {*digest, BareFileName(PieceName(job_.SmallFilesBase, run.options.Suffix, k))})) {
            return RecordFailed(run);
        }
    }
    return kTransferDone;
}

// After the last piece of a join: the whole file, or where the list has no
// line for it each piece, compared with the list. A prompted join whose last
// list was the record of an unfinished split proves nothing whole.
int Engine::FinishChecksums(Run& run) {
    if (!run.hasher) {
        return kTransferDone;
    }
    const auto whole = run.hasher->EndWhole();
    if (const int failed = run.hasher->FailedPiece(); failed != 0 || !whole) {
        // The bytes could not be read back.
        return failed == 0 ? kSizesDiffer : failed;
    }
    if (!run.expected) {
        return kTransferDone;
    }
    if (run.expectedUnfinished) {
        return RefuseUnfinished(run.expected->Count(), run.unfinishedPlanned, run.options.Suffix);
    }
    const bool pieceDigests = JoinHashesPieces(run);
    if (pieceDigests) {
        if (const int code = ComparePieces(run, job_.SmallFileCount); code != kTransferDone) {
            return code;
        }
    }
    run.hasher.reset();
    if (!run.expected->whole.empty() && *whole != run.expected->whole) {
        result_.file = pieceDigests ? job_.BigFilePath : PieceAtFault(run);
        return kChecksumMismatch;
    }
    result_.verified = true;
    return kTransferDone;
}

// The joined file differs from the list: the first piece whose bytes in it
// differ from their line, read back once more, with both threads; the joined
// file itself when every piece matches its line, and so the list's line for
// the whole disagrees with the lines of its pieces.
std::string Engine::PieceAtFault(Run& run) {
    StreamHasher pieces(platform_);
    std::int64_t offset = job_.AppendBaseBytes;
    for (int k = 1; k <= job_.SmallFileCount; ++k) {
        const std::int64_t size = job_.SmallFileSizes[static_cast<std::size_t>(k)];
        pieces.AddToPiece(run.bigFile, offset, size);
        pieces.NextPiece();
        offset += size;
    }
    pieces.Wait();
    for (int k = 1; k <= job_.SmallFileCount; ++k) {
        const auto digest = pieces.PieceDigest(k);
        if (digest && *digest != run.expected->pieces[static_cast<std::size_t>(k)]) {
            return PieceName(job_.SmallFilesBase, run.options.Suffix, k);
        }
    }
    return job_.BigFilePath;
}

TransferResult Engine::VerifySeries(const TransferOptions& options,
                                    const std::vector<std::string>& bigFileFolders,
                                    VerifyReport& report) {
    result_ = {};
    report = {};
    report.checksumFile = ChecksumFilePath(job_.SmallFilesBase);
    const ChecksumList list = ReadSeriesChecksums(platform_, job_.SmallFilesBase, options.Suffix);
    if (list.state == ChecksumList::State::Unfinished) {
        return Result(RefuseUnfinished(list.series.Count(), list.plannedPieces, options.Suffix));
    }
    if (!list.Valid()) {
        return Result(RefuseChecksumFile(list));
    }
    const SeriesChecksums& expected = list.series;
    std::vector<std::string> pieces;
    for (int k = 1; k <= expected.Count(); ++k) {
        pieces.push_back(PieceName(job_.SmallFilesBase, options.Suffix, k));
    }
    // The list names the joined file by a bare name, so it is only ever
    // looked for in these folders; one there that cannot be read is reported.
    std::optional<std::string> joined;
    for (const std::string& folder : bigFileFolders) {
        const std::string path = JoinFolder(folder, expected.wholeName);
        if (!expected.wholeName.empty() && platform_.KindOf(path, true) == FileKind::Regular) {
            joined = path;
            break;
        }
    }
    double total = 0;
    for (const std::string& piece : pieces) {
        total += static_cast<double>(std::max<std::int64_t>(platform_.FileSize(piece), 0));
    }
    if (joined) {
        total += static_cast<double>(std::max<std::int64_t>(platform_.FileSize(*joined), 0));
    }
    host_.ClearSizeList();
    host_.SetProgressRange(0, kProgressMaximum);
    const float scale = ScaleFor(total);
    TransferProgress progress{0, static_cast<std::int64_t>(total), 0, expected.Count()};
    // Each piece's verdict is shown as soon as its digest is known.
    const auto show = [&](std::size_t i, CheckState state, const std::string& digest) {
        const bool differs = state == CheckState::Ok && digest != expected.pieces[i + 1];
        host_.ShowChecked(pieces[i], differs ? CheckState::Failed : state);
    };
    const auto back = ReadBack(pieces, scale, progress, show);
    if (!back) {
        host_.SetProgress(0);
        return Result(kInterrupted);
    }
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        CheckState state = back->states[i];
        if (state == CheckState::Ok && back->digests[i] != expected.pieces[i + 1]) {
            state = CheckState::Failed;
        }
        report.entries.push_back({pieces[i], state});
    }
    // The list's line for the whole is proven by the pieces read as one
    // stream, and by the joined file where there is one: a line that agrees
    // with neither would fail every join.
    // Where a piece could not be read and no joined file is there, the line
    // for the whole is not checked: the piece already fails the series.
    if (!expected.whole.empty() && (back->whole || joined)) {
        CheckState whole = !back->whole                     ? CheckState::Unreadable
                           : *back->whole == expected.whole ? CheckState::Ok
                                                            : CheckState::Failed;
        // The joined file there answers for itself, unless every piece passed
        // and they still do not make the whole: then the list contradicts itself.
        if (joined) {
            host_.ShowNote(*joined);
            progress.piece = 0;
            host_.ShowTransfer(progress);
            const auto state = CheckFile(*joined, expected.whole, scale, progress);
            if (!state) {
                host_.SetProgress(0);
                return Result(kInterrupted);
            }
            const bool piecesPassed = std::all_of(
                report.entries.begin(), report.entries.end(),
                [](const VerifyReport::Entry& entry) { return entry.state == CheckState::Ok; });
            whole = whole == CheckState::Failed && piecesPassed ? whole : *state;
        }
        report.entries.push_back(
            {joined.value_or(JoinFolder(FolderOfPath(job_.SmallFilesBase), expected.wholeName)),
             whole});
        host_.ShowChecked(report.entries.back().path, whole);
    }
    host_.SetProgress(0);
    return Result(kTransferDone);
}

// Reads files one after the other, each hashed on its own and all of them as
// one stream, on both threads, with progress and Stop as in a join; nothing
// when the user broke off. The stream's digest only where every file was read.
std::optional<Engine::ReadBackResult> Engine::ReadBack(const std::vector<std::string>& paths,
                                                       float scale, TransferProgress& progress,
                                                       const PieceRead& pieceRead) {
    constexpr std::int64_t kBlock = std::int64_t{8} << 20;
    ReadBackResult back;
    StreamHasher hasher(platform_);
    bool allRead = true;
    for (const std::string& path : paths) {
        if (scale > 0) {
            host_.ShowNote(path);
            progress.piece = std::min(progress.piece + 1, std::max(progress.pieceCount, 1));
            host_.ShowTransfer(progress);
        }
        const FileHandle file = platform_.OpenForReading(path);
        const std::int64_t size = file == kNoFile ? -1 : platform_.SizeOf(file);
        if (size < 0) {
            platform_.Close(file);
            hasher.NextPiece();
            back.states.push_back(platform_.KindOf(path, true) == FileKind::Missing
                                      ? CheckState::Missing
                                      : CheckState::Unreadable);
            allRead = false;
            if (pieceRead) {
                pieceRead(back.states.size() - 1, back.states.back(), {});
            }
            continue;
        }
        bool goOn = true;
        for (std::int64_t offset = 0; offset < size && goOn;) {
            const std::int64_t count = std::min(kBlock, size - offset);
            hasher.Add(file, offset, count);
            offset += count;
            progress.bytesDone += count;
            host_.SetProgress(static_cast<int>(std::clamp(
                static_cast<double>(progress.bytesDone) * scale, 0.0, double{kProgressMaximum})));
            if (scale > 0) {
                host_.ShowTransfer(progress);
            }
            host_.ProcessMessages();
            goOn = GoOnAfterStop();
        }
        // Waited for only where it is shown at once; else it is finished
        // while the next piece is read.
        std::optional<std::string> digest;
        if (pieceRead) {
            digest = hasher.EndPiece();
        } else {
            hasher.NextPiece();
        }
        hasher.Release(file);
        if (!goOn) {
            return std::nullopt;
        }
        back.states.push_back(CheckState::Ok);
        if (pieceRead) {
            pieceRead(back.states.size() - 1, digest ? CheckState::Ok : CheckState::Unreadable,
                      digest.value_or(std::string()));
        }
    }
    const auto whole = hasher.EndWhole();
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const auto digest = hasher.PieceDigest(static_cast<int>(i) + 1);
        if (back.states[i] == CheckState::Ok && !digest) {
            back.states[i] = CheckState::Unreadable;
            allRead = false;
        }
        back.digests.push_back(digest.value_or(std::string()));
    }
    if (allRead && whole) {
        back.whole = *whole;
    }
    return back;
}

// Hashes one file block by block, with progress and Stop as in a join;
// nothing when the user broke off. A file that cannot be read is not said
// to differ from its checksum.
std::optional<CheckState> Engine::CheckFile(const std::string& path, const std::string& digest,
                                            float scale, TransferProgress& progress) {
    const FileHandle file = platform_.OpenForReading(path);
    if (file == kNoFile) {
        return platform_.KindOf(path, true) == FileKind::Missing ? CheckState::Missing
                                                                 : CheckState::Unreadable;
    }
    constexpr std::int64_t kBlock = std::int64_t{1} << 20;
    const auto buffer = platform_.Allocate(static_cast<std::size_t>(kBlock));
    Sha256 hash;
    std::int64_t got = buffer ? kBlock : -1;
    while (got > 0) {
        got = platform_.Read(file, buffer.get(), kBlock);
        if (got > 0) {
            hash.Update(buffer.get(), static_cast<std::size_t>(got));
            progress.bytesDone += got;
            host_.SetProgress(static_cast<int>(std::clamp(
                static_cast<double>(progress.bytesDone) * scale, 0.0, double{kProgressMaximum})));
            // Without a scale the check runs unseen, after the bar went back.
            if (scale > 0) {
                host_.ShowTransfer(progress);
            }
        }
        host_.ProcessMessages();
        if (!GoOnAfterStop()) {
            platform_.Close(file);
            return std::nullopt;
        }
    }
    platform_.Close(file);
    if (got != 0) {
        return CheckState::Unreadable;
    }
    return hash.HexDigest() == digest ? CheckState::Ok : CheckState::Failed;
}

}  // namespace brelker
