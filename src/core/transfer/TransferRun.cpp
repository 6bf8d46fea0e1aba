#include "transfer/TransferRun.h"

#include <algorithm>

#include "transfer/PieceNames.h"
#include "transfer/Series.h"

namespace brelker {

TransferRun::TransferRun(const RunContext& context, const TransferOptions& options)
    : job_(context.job),
      run_(context.run),
      stop_(context.stop),
      platform_(context.platform),
      host_(context.host),
      options_(options) {
    run_ = {};
    // A Stop that came after the last block of the previous run is not this run's.
    stop_.requested = false;
}

void TransferRun::MendPlan() {
    job_.SmallFileCount = std::max(job_.SmallFileCount, 0);
    if (job_.SmallFileSizes.size() < static_cast<std::size_t>(job_.SmallFileCount) + 1) {
        job_.SmallFileSizes.resize(static_cast<std::size_t>(job_.SmallFileCount) + 1, 0);
    }
}

void TransferRun::DecidePrompts() {
    floppyRoot_ = platform_.FloppyRoot(job_.SmallFilesBase);
    prompting_ = PromptsBeforePieces(options_.PauseMode, floppyRoot_.has_value());
}

void TransferRun::ResetProgress() {
    host_.ClearSizeList();
    host_.SetProgressRange(0, kProgressMaximum);
    host_.SetProgress(0);
}

void TransferRun::BoundBlocks(std::int64_t baseTerm) {
    baseTerm_ = baseTerm;
    memoryLimit_ = PercentOf(platform_.PhysicalMemory(), options_.MaxFromRAM);
}

Step TransferRun::AskForPieceDisk(int piece) {
    if (!prompting_) {
        return {};
    }
    if (!disks_.AskForDisk(piece, DiskPrompt::Plain)) {
        return Refusal(TransferOutcome::DiskRefused, {});
    }
    firstPieceOnDisk_ = piece;
    host_.RepaintWindow();
    return {};
}

void TransferRun::BeginPiece(int piece, std::int64_t size) {
    host_.AddSizeLine(std::to_string(size));
    host_.SelectSizeLine(piece - 1);
    host_.RepaintSizeList();
    host_.ShowNote(job_.PiecePath);
    pieceNumber_ = piece;
    ShowTransfer();
    run_.BlockSize = static_cast<std::int32_t>(
        BlockSizeFor(size, baseTerm_, options_.MaxFromFile, memoryLimit_));
    mover_.Prepare(run_.BlockSize);
}

Step TransferRun::CopyPiece(FileHandle from, FileHandle to, std::int64_t size,
                            const std::string& read, const std::string& written) {
    return mover_.Copy(from, to, size, run_.BlockSize, read, written, [this](std::int64_t count) {
        AfterBlock(count);
        bytesOfRun_ += count;
        ShowProgress();
        host_.ProcessMessages();
        return GoOnAfterStop(stop_, platform_, host_);
    });
}

Step TransferRun::ClosePiece(std::int64_t size) {
    if (hasher_) {
        hasher_->Release(piece_.Release());
    } else {
        piece_.Close();
    }
    const std::int64_t onDisk = platform_.FileSize(job_.PiecePath);
    if (onDisk != size) {
        return Refusal(TransferOutcome::SizesDiffer, job_.PiecePath);
    }
    measuredTotal_ += onDisk;
    return {};
}

int TransferRun::EndPieceHashing() {
    hasher_->NextPiece();
    if (prompting_) {
        hasher_->Wait();
    }
    return hasher_->FailedPiece();
}

void TransferRun::EndPieces() {
    host_.SelectSizeLine(-1);
    host_.SetProgress(0);
    mover_.Release();
}

void TransferRun::ShowProgress() {
    const double position = static_cast<double>(bytesOfRun_) * static_cast<double>(scale_);
    host_.SetProgress(static_cast<int>(std::clamp(position, 0.0, double{kProgressMaximum})));
    ShowTransfer();
}

void TransferRun::ShowTransfer() {
    host_.ShowTransfer(
        {bytesOfRun_, bytesToMove_, pieceNumber_, CountKnown() ? job_.SmallFileCount : 0});
}

}  // namespace brelker
