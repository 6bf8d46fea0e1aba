#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "transfer/ListWriter.h"
#include "transfer/OwnedFiles.h"
#include "transfer/TransferRun.h"

namespace brelker {

// Splits the job's big file into the pieces of its plan (or of the free
// space), each piece proven by its digest read back from the piece, and the
// series' list written first as a record and finished last. A split that
// does not finish removes what it created and can still reach, so that
// nothing is left that looks like a whole series.
class SplitRun : public TransferRun {
public:
    SplitRun(const RunContext& context, const TransferOptions& options);
    ~SplitRun() override;

    TransferResult Run();

    // The pieces whose lines are in the series' list: proven, in order.
    int ProvenPieces() const { return list_ ? list_->Proven() : 0; }

private:
    void AfterBlock(std::int64_t count) override;
    bool CountKnown() const override { return !options_.UseFreeSpace; }

    Step Transfer();
    Step OpenBigFile();
    void PlanFreeSpace();
    Step StartChecksums();
    Step ContinueStopped();
    Step PieceSteps(int piece);
    Step EraseFloppy(int piece);
    Step WritePiece(int piece);
    Step CheckPiece();
    Step EndRun(TransferFailure failure);
    Step FinishPieces();
    Step CollectDigests();
    Step ConfirmPiecesUnchanged();
    Step Commit();
    bool RemovesBigFile() const;
    bool FlushesEachPiece() const;

    OwnedFiles owned_{platform_};
    std::optional<ListWriter> list_;
    // The big file stays open for the whole run. Its size and stamp at the
    // start tell, at the end, whether it changed while it was read.
    OpenedFile bigFile_{platform_, kNoFile};
    std::int64_t bigFileBytesAtStart_ = -1;
    std::optional<std::string> bigFileStamp_;
    // Bytes of a free-space split not yet given to a piece.
    std::int64_t remaining_ = 0;
    // Where the next block starts in the big file, and lands in the piece.
    std::int64_t sourceOffset_ = 0;
    std::int64_t pieceOffset_ = 0;
    // The digest of the big file's bytes the split moved.
    std::string wholeDigest_;
    std::vector<std::string> stale_;
    // A split that goes on where the same split stopped: the first piece it
    // writes, and the listed digests of those before it (from index 1).
    int firstPiece_ = 1;
    std::vector<std::string> keptDigests_;
};

}  // namespace brelker
