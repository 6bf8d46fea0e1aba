#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "checksum/StreamHasher.h"
#include "platform/OpenedFile.h"
#include "platform/Platform.h"
#include "transfer/BlockMover.h"
#include "transfer/DiskChanger.h"
#include "transfer/EngineHost.h"
#include "transfer/Job.h"
#include "transfer/RunLocks.h"
#include "transfer/TransferOptions.h"
#include "transfer/TransferResult.h"

namespace brelker {

// What a run works on: the user's job, the run's own state, the Stop button,
// the system and the window.
struct RunContext {
    Job& job;
    RunState& run;
    StopSignal& stop;
    Platform& platform;
    EngineHost& host;
};

// What a split and a join share: the job's pieces, one after the other, each
// copied block by block with progress, Stop and the disks of removable media.
// A split and a join each say where a block goes and how it is hashed.
class TransferRun {
public:
    TransferRun(const TransferRun&) = delete;
    TransferRun& operator=(const TransferRun&) = delete;

protected:
    TransferRun(const RunContext& context, const TransferOptions& options);
    virtual ~TransferRun() = default;

    // Told of each block moved, after it moved.
    virtual void AfterBlock(std::int64_t count) = 0;
    // Whether the count of pieces is known while the run goes.
    virtual bool CountKnown() const { return true; }

    // A count and a list of sizes that agree, before anything else.
    void MendPlan();
    // Prompts come before every piece, or only for floppies; a pause mode
    // that no menu item sets is taken as the default, floppies only.
    void DecidePrompts();
    // The size list is emptied and the bar set back.
    void ResetProgress();
    // The block size is bounded by the file and by the memory the user allows.
    void BoundBlocks(std::int64_t baseTerm);
    // With prompts, the disk of the piece must be in the drive.
    Step AskForPieceDisk(int piece);
    // Shows the piece being moved and readies the buffer for its blocks.
    void BeginPiece(int piece, std::int64_t size);
    // Moves the piece's bytes from the file named read to the one named written.
    Step CopyPiece(FileHandle from, FileHandle to, std::int64_t size, const std::string& read,
                   const std::string& written);
    // The piece is closed, or handed to the hashing, which closes it once it
    // has read it back; its size on the disk must be the one planned.
    Step ClosePiece(std::int64_t size);
    // The piece's hashing ends; with prompts it is waited for, since the
    // disk goes next. The first piece whose bytes could not be read, or 0.
    int EndPieceHashing();
    // The last piece is done: nothing is selected and the progress goes back.
    void EndPieces();
    void ShowTransfer();

    Job& job_;
    RunState& run_;
    StopSignal& stop_;
    Platform& platform_;
    EngineHost& host_;
    const TransferOptions options_;
    RunLocks locks_{platform_};
    DiskChanger disks_{job_, run_, platform_, host_};
    BlockMover mover_{platform_};
    bool prompting_ = false;
    std::optional<std::string> floppyRoot_;
    // Progress is measured against the bytes to move (bytesToMove_, 0 when it
    // cannot be known) with scale_ per byte.
    float scale_ = 0.0f;
    std::int64_t bytesOfRun_ = 0;
    std::int64_t bytesToMove_ = 0;
    int pieceNumber_ = 0;
    std::int64_t measuredTotal_ = 0;
    // The first piece on the disk in the drive: pieces before it went out
    // with earlier disks.
    int firstPieceOnDisk_ = 1;
    // The piece being moved, and the hashing of the bytes moved; the hashing
    // goes first, since its thread may still read from the files.
    OpenedFile piece_{platform_, kNoFile};
    std::unique_ptr<StreamHasher> hasher_;

private:
    void ShowProgress();

    std::int64_t baseTerm_ = 1;
    std::int64_t memoryLimit_ = 0;
};

}  // namespace brelker
