#pragma once

#include <cstdint>
#include <string>

#include "transfer/JoinTarget.h"
#include "transfer/ListReader.h"
#include "transfer/TransferRun.h"

namespace brelker {

// Joins the pieces of the job's series into its big file, proven against the
// series' list where there is one: by the digest of the whole, read back from
// the joined file, or piece by piece where a piece goes before the end. The
// target is committed only once every check passed, and undone otherwise.
class JoinRun : public TransferRun {
public:
    JoinRun(const RunContext& context, const TransferOptions& options);
    ~JoinRun() override;

    TransferResult Run();

    // The pieces proven against the list so far, whose bytes are in the target.
    int ProvenPieces() const { return reader_.Checked(); }

private:
    void AfterBlock(std::int64_t count) override;

    Step Transfer();
    void MeasurePieces();
    Step StartChecksums();
    Step ContinueStopped();
    bool HashesPieces() const;
    Step PieceSteps(int piece);
    void ScaleByDisk(int piece);
    Step CheckPiece(int piece);
    Step DeleteWithDisk(int piece);
    Step EndRun(TransferFailure failure);
    Step Finish();
    Step FinishChecksums();
    std::string PieceAtFault();

    JoinTarget target_{job_, run_, platform_};
    ListReader reader_;
    // Where the next block starts in the piece being read.
    std::int64_t sourceOffset_ = 0;
    bool verified_ = false;
    // A join that goes on where the same join stopped starts at this piece.
    int firstPiece_ = 1;
};

}  // namespace brelker
