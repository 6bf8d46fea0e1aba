#include "transfer/BlockMover.h"

#include <algorithm>
#include <limits>

#include "transfer/TransferOptions.h"

namespace brelker {
namespace {

// The block may be large, the memory need not be: a block moves through at most
// this much buffer at a time, so a run's memory stays small whatever the file.
constexpr std::int64_t kLargestBuffer = std::int64_t{16} << 20;

constexpr std::int64_t kSmallestBlock = 256;
constexpr std::int64_t kLargestBlock = std::numeric_limits<std::int32_t>::max();

}  // namespace

std::int64_t PercentOf(std::int64_t value, int percent) {
    if (value <= 0 || percent <= 0) {
        return 0;
    }
    if (value > std::numeric_limits<std::int64_t>::max() / percent) {
        return std::numeric_limits<std::int64_t>::max();
    }
    return value * percent / 100;
}

float ScaleFor(double bytes) {
    return bytes > 0 ? static_cast<float>(kProgressMaximum / bytes) : 0.0f;
}

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

bool GoOnAfterStop(StopSignal& stop, Platform& platform, EngineHost& host) {
    if (platform.PendingInterrupt() != 0) {
        return false;
    }
    if (!stop.requested) {
        return true;
    }
    stop.requested = false;
    const bool goOn = host.AskToContinue();
    host.ShowBusyCursor();
    return goOn;
}

void BlockMover::Prepare(std::int32_t& blockSize) {
    const auto wanted = [&] { return std::min<std::int64_t>(blockSize, kLargestBuffer); };
    if (wanted() <= allocated_) {
        return;
    }
    Release();
    while (blockSize > 0) {
        const std::int64_t size = wanted();
        buffer_ = platform_.Allocate(static_cast<std::size_t>(size));
        if (buffer_) {
            allocated_ = size;
            return;
        }
        blockSize = static_cast<std::int32_t>(size / 2);
    }
}

void BlockMover::Release() {
    buffer_.reset();
    allocated_ = 0;
}

Step BlockMover::Copy(FileHandle from, FileHandle to, std::int64_t size, std::int64_t block,
                      const std::string& read, const std::string& written,
                      const AfterBlock& after) {
    if (block <= 0) {
        // No buffer could be had: an empty piece is still right, any other is not.
        return size == 0 ? Step() : Refusal(TransferOutcome::NoBuffer, {});
    }
    kernelCopy_ = true;
    for (std::int64_t done = 0; done < size;) {
        const std::int64_t count = std::min(block, size - done);
        switch (Move(from, to, count)) {
            case Moved::All:
                break;
            case Moved::SourceEnded:
                return Refusal(TransferOutcome::SizesDiffer, read);
            case Moved::ReadFailed:
                return Failure(platform_, TransferOutcome::BlockFailed, read);
            case Moved::WriteFailed:
                return Failure(platform_, TransferOutcome::BlockFailed, written);
        }
        done += count;
        if (!after(count)) {
            return Refusal(TransferOutcome::Interrupted, {});
        }
    }
    return {};
}

// A read or write that moves fewer bytes than asked ends the run: the rest of
// the buffer would hold stale bytes, and a join must not go on to delete a
// piece that did not arrive whole. A kernel copy that fails cannot say which
// side failed: the file written is named.
BlockMover::Moved BlockMover::Move(FileHandle from, FileHandle to, std::int64_t count) {
    while (count > 0) {
        if (kernelCopy_) {
            const std::int64_t copied = platform_.CopyRange(from, to, count);
            if (copied == kCopyUnsupported) {
                kernelCopy_ = false;
                continue;
            }
            if (copied <= 0) {
                return copied == 0 ? Moved::SourceEnded : Moved::WriteFailed;
            }
            count -= copied;
            continue;
        }
        const std::int64_t chunk = std::min(count, allocated_);
        if (chunk <= 0) {
            return Moved::WriteFailed;
        }
        const std::int64_t got = platform_.Read(from, buffer_.get(), chunk);
        if (got != chunk) {
            return got < 0 ? Moved::ReadFailed : Moved::SourceEnded;
        }
        if (platform_.Write(to, buffer_.get(), chunk) != chunk) {
            return Moved::WriteFailed;
        }
        count -= chunk;
    }
    return Moved::All;
}

}  // namespace brelker
