#pragma once

#include <array>
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
// hashed twice, for its piece and for the whole: two streams that each must
// be hashed in order but not with each other. A thread of its own takes the
// next range of whichever stream is free, and the caller does the same once
// it runs too far ahead with its copying, so both cores stay busy. Short
// ranges are hashed on the caller's thread alone, where waking the other one
// would cost more than the hashing.
//
// The thread is the only one in the program. A stream's digest and position
// belong to whoever marked the stream busy under the lock; the queues and the
// marks are only touched under it; the thread is joined before the object goes.
class StreamHasher {
public:
    explicit StreamHasher(Platform& platform);
    ~StreamHasher();
    StreamHasher(const StreamHasher&) = delete;
    StreamHasher& operator=(const StreamHasher&) = delete;

    // Adds count bytes of file from offset on to the piece and to the whole.
    // The file must stay open until EndPiece has returned.
    void Add(FileHandle file, std::int64_t offset, std::int64_t count);
    // Adds count bytes to the piece from one file and to the whole from
    // another: the same bytes, as written and as read.
    void Add(FileHandle pieceFile, std::int64_t pieceOffset, FileHandle wholeFile,
             std::int64_t wholeOffset, std::int64_t count);
    // The digest of the piece's bytes once all are hashed; nothing when they
    // could not be read back. The next piece starts empty.
    std::optional<std::string> EndPiece();
    // The digest of every byte added since the start, or nothing.
    std::optional<std::string> EndWhole();

private:
    enum Stream : std::size_t { kPiece, kWhole };
    struct Range {
        FileHandle file;
        std::int64_t offset;
        std::int64_t count;
    };

    void Work();
    // Hashes the next range of a free stream, unlocking while it does;
    // false when there is none.
    bool HashNext(std::unique_lock<std::mutex>& lock, char* buffer);
    bool HashRange(const Range& range, Sha256& hash, char* buffer);
    std::optional<std::string> End(Stream stream);
    bool Idle() const;

    Platform& platform_;
    std::array<Sha256, 2> hashes_;
    std::unique_ptr<char[]> threadBuffer_;
    std::unique_ptr<char[]> callerBuffer_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::array<std::deque<Range>, 2> queues_;
    std::array<bool, 2> busy_{};
    std::array<bool, 2> failed_{};
    std::int64_t queuedBytes_ = 0;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace brelker
