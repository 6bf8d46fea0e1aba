#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Platform.h"
#include "transfer/EngineHost.h"
#include "transfer/Job.h"
#include "transfer/TransferResult.h"

namespace brelker {

// percent % of value, 0 for a non-positive percent or value, saturating instead
// of overflowing for a percent that only a damaged setting can hold.
std::int64_t PercentOf(std::int64_t value, int percent);

// Progress per byte; 0 when there is nothing to measure the bytes against.
float ScaleFor(double bytes);

// Bytes one block of a piece moves: at least the base term (a 52nd of the big
// file in a split) and MaxFromFile per cent of the piece, at most the memory
// limit and the piece itself, 256 for an empty piece, and within 32 bits.
std::int64_t BlockSizeFor(std::int64_t pieceSize, std::int64_t baseTerm, int maxFromFile,
                          std::int64_t memoryLimit);

// Stop pauses the work until the user says whether it goes on; an
// interruption from outside (Ctrl+C, a termination) ends it at once.
bool GoOnAfterStop(StopSignal& stop, Platform& platform, EngineHost& host);

// Moves the bytes of one piece from one file to another, block by block: by
// the kernel where it can, else through a buffer that stays small whatever
// the file.
class BlockMover {
public:
    explicit BlockMover(Platform& platform) : platform_(platform) {}

    // Told of each block moved, with its byte count; false ends the copy as
    // interrupted.
    using AfterBlock = std::function<bool(std::int64_t)>;

    // Makes room for a block, halving it while memory is short; 0 when no
    // buffer at all could be had.
    void Prepare(std::int32_t& blockSize);
    // Moves size bytes in blocks of block bytes. A source that ends early is
    // SizesDiffer about read; a call that fails is BlockFailed about written
    // (or read, where the read failed), with the system's reason.
    Step Copy(FileHandle from, FileHandle to, std::int64_t size, std::int64_t block,
              const std::string& read, const std::string& written, const AfterBlock& after);
    void Release();

private:
    enum class Moved { All, SourceEnded, ReadFailed, WriteFailed };
    Moved Move(FileHandle from, FileHandle to, std::int64_t count);

    Platform& platform_;
    std::unique_ptr<char[]> buffer_;
    std::int64_t allocated_ = 0;
    bool kernelCopy_ = true;
};

}  // namespace brelker
