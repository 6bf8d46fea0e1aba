#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "engine/Sha256.h"
#include "platform/Platform.h"

namespace brelker {

// Hashes the bytes a run moves, one piece at a time and the whole run. Each
// range is read back from the page cache, where the copy has just put it: the
// kernel copies without passing the bytes through the program. Every byte is
// hashed twice, for its piece and for the whole, so the work is shared: a
// thread of its own hashes the pieces while the caller hashes the whole, and
// the two cores work side by side. Short ranges are hashed on the caller's
// thread alone, where waking the other one would cost more than the hashing.
//
// The thread is the only one in the program: it touches nothing but this
// object's queue (under the lock), its own buffer and the piece's digest, and
// it is joined before the object goes.
class StreamHasher {
public:
    explicit StreamHasher(Platform& platform);
    ~StreamHasher();
    StreamHasher(const StreamHasher&) = delete;
    StreamHasher& operator=(const StreamHasher&) = delete;

    // Adds count bytes of file from offset on to the piece and to the whole.
    // The file must stay open until EndPiece has returned.
    void Add(FileHandle file, std::int64_t offset, std::int64_t count);
    // The digest of the piece's bytes once all are hashed; nothing when they
    // could not be read back. The next piece starts empty.
    std::optional<std::string> EndPiece();
    // The digest of every byte added since the start; call it after EndPiece.
    std::string EndWhole();

private:
    struct Range {
        FileHandle file;
        std::int64_t offset;
        std::int64_t count;
    };

    void Work();
    bool HashRange(const Range& range, Sha256& hash, char* buffer);
    void WaitUntilIdle();

    Platform& platform_;
    // The thread's side.
    Sha256 piece_;
    bool readFailed_ = false;
    std::unique_ptr<char[]> buffer_;
    // The caller's side.
    Sha256 whole_;
    bool wholeFailed_ = false;
    std::unique_ptr<char[]> callerBuffer_;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<Range> queue_;
    std::int64_t queuedBytes_ = 0;
    bool working_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace brelker
