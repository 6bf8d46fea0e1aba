#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "checksum/StreamHasher.h"
#include "platform/Platform.h"
#include "transfer/EngineHost.h"
#include "transfer/Job.h"
#include "transfer/TransferOptions.h"

namespace brelker {

// Reads files back to prove them, with progress and Stop as in a join.
class ReadBack {
public:
    // Files read back: each one's state and digest, and the digest of all as one stream.
    struct Result {
        std::vector<CheckState> states;
        std::vector<std::string> digests;
        std::optional<std::string> whole;
    };
    // Told of each file read back as soon as its own digest is known: its
    // index, its state, its digest.
    using PieceRead = std::function<void(std::size_t, CheckState, const std::string&)>;

    ReadBack(StopSignal& stop, Platform& platform, EngineHost& host)
        : stop_(stop), platform_(platform), host_(host) {}

    // Reads files one after the other, each hashed on its own and all of them
    // as one stream, on both threads; nothing when the user broke off. The
    // stream's digest only where every file was read.
    std::optional<Result> Files(const std::vector<std::string>& paths, float scale,
                                TransferProgress& progress, const PieceRead& pieceRead = {});
    // Hashes one file block by block; nothing when the user broke off. A file
    // that cannot be read is not said to differ from its checksum.
    std::optional<CheckState> File(const std::string& path, const std::string& digest, float scale,
                                   TransferProgress& progress);

private:
    // Reads one file into the hashing; false when the user broke off.
    bool Read(FileHandle file, std::int64_t size, float scale, TransferProgress& progress,
              StreamHasher& hasher);
    void ShowBytes(std::int64_t count, float scale, TransferProgress& progress);

    StopSignal& stop_;
    Platform& platform_;
    EngineHost& host_;
};

}  // namespace brelker
