#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "checksum/Sha256.h"
#include "platform/Platform.h"

namespace brelker {

// Hashes the bytes a run moves: each piece on its own and the whole run, or
// the whole alone. Each range is read back from the page cache, where the copy
// has just put it: through views of the cache where the file can be mapped, so
// that nothing is copied, else with positioned reads; bytes sent on to where
// they cannot be read back are hashed from the caller's memory. The whole is
// one stream and every piece is one; each must be hashed in order, but not
// with the others. A thread of its own takes the next range of a free stream,
// the whole first since it is the longest, and the caller does the same once
// it runs too far ahead with its copying, so both cores stay busy. Where only
// the whole is hashed, the caller maps its next ranges instead, so that the
// thread only hashes: a join's one stream is then hashed without the cost of
// mapping it on the way. A piece that is over is finished in the background
// while the next one is copied. Short ranges are hashed on the caller's thread
// alone when the other is idle, where waking it would cost more.
//
// The thread is the only one in the program. A stream's digest belongs to
// whoever marked the stream busy under the lock; the queues, the marks, the
// results and the files handed over are only touched under it; the thread is
// joined before the object goes.
class StreamHasher {
public:
    // Without pieceDigests only the whole is hashed; the pieces are still
    // counted, to tell which one a range that could not be read belongs to.
    explicit StreamHasher(Platform& platform, bool pieceDigests = true);
    ~StreamHasher();
    StreamHasher(const StreamHasher&) = delete;
    StreamHasher& operator=(const StreamHasher&) = delete;

    // Adds count bytes of file from offset on to the piece and to the whole.
    // A file stays open until Wait or EndWhole has returned, or is handed over
    // with Release.
    void Add(FileHandle file, std::int64_t offset, std::int64_t count);
    // Adds count bytes to the piece from one file and to the whole from
    // another: the same bytes, as written and as read.
    void Add(FileHandle pieceFile, std::int64_t pieceOffset, FileHandle wholeFile,
             std::int64_t wholeOffset, std::int64_t count);
    // Adds count bytes of file to the piece alone.
    void AddToPiece(FileHandle file, std::int64_t offset, std::int64_t count);
    // The same, for the thread to hash while the caller goes on with other
    // work, however much is queued: a piece checked before it is used, while
    // the one before it is used.
    void AddToPieceAhead(FileHandle file, std::int64_t offset, std::int64_t count);
    // Adds count bytes held in memory to the whole: bytes sent on to where
    // they cannot be read back. They must stay as they are until
    // WaitForBytes(bytes), Wait or EndWhole has returned.
    void AddToWhole(const char* bytes, std::int64_t count);
    // Waits until the bytes added at bytes are hashed, helping with any range
    // meanwhile, so that their memory can take new ones.
    void WaitForBytes(const char* bytes);
    // Ends the piece without waiting for its bytes; the next one starts empty.
    void NextPiece();
    // Ends the piece and waits until its own bytes are hashed: its digest, or
    // nothing when they could not be read back.
    std::optional<std::string> EndPiece();
    // Waits until piece number (from 1), which has ended, is hashed, helping
    // with any range meanwhile: its digest, or nothing as for EndPiece.
    std::optional<std::string> WaitForPiece(int number);
    // The digest of piece number (from 1) once EndPiece or Wait has returned
    // after it ended; nothing when its bytes could not be read back.
    std::optional<std::string> PieceDigest(int number);
    // The first piece, by number, with bytes that could not be read back for
    // itself or for the whole; 0 while there is none.
    int FailedPiece();
    // Closes a file that the caller is done with once no range of it is left
    // to hash.
    void Release(FileHandle file);
    // Waits until every byte added so far is hashed.
    void Wait();
    // Waits, then the digest of every byte added since the start, or nothing.
    std::optional<std::string> EndWhole();

private:
    struct Range {
        FileHandle file;
        std::int64_t offset;
        std::int64_t count;
        int piece;
        std::uint64_t serial;  // tells the range apart once the lock was let go
        // Mapped ahead by the caller; only tried once.
        std::unique_ptr<FileView> view;
        bool mapTried = false;
        // Bytes in the caller's memory, instead of the file's.
        const char* bytes = nullptr;
    };
    struct Stream {
        std::unique_ptr<Sha256> hash;
        std::deque<Range> queue;
        bool busy = false;
        bool failed = false;
        bool ended = false;  // a piece that gets no more bytes
        int piece = 0;       // 0 for the whole
    };

    // Adds count bytes to the piece (unless pieceFile is kNoFile) and to the
    // whole (unless wholeFile is).
    void Feed(FileHandle pieceFile, std::int64_t pieceOffset, FileHandle wholeFile,
              std::int64_t wholeOffset, std::int64_t count, bool keepUp = true);
    Stream& CurrentPiece();
    void Queue(Stream& stream, FileHandle file, std::int64_t offset, std::int64_t count);
    void EndCurrentPiece();
    void FinishIfOver(Stream& stream);
    bool Finished(int piece) const;
    void NoteFailure(Stream& stream, int piece);
    void RangeDone(FileHandle file);
    void Work();
    // Hashes the next range of a free stream, unlocking while it does; false
    // when there is none.
    bool HashNext(std::unique_lock<std::mutex>& lock, char* buffer);
    bool HashRange(const Range& range, Sha256& hash, char* buffer);
    // Maps the next range of a stream that the other thread is hashing,
    // unlocking while it does; false when there is none to map.
    bool MapNext(std::unique_lock<std::mutex>& lock);
    Range* NextToMap();
    Range* QueuedRange(std::uint64_t serial);
    bool Idle() const;

    Platform& platform_;
    const bool pieceDigests_;
    std::unique_ptr<char[]> threadBuffer_;
    std::unique_ptr<char[]> callerBuffer_;

    std::mutex mutex_;
    std::condition_variable changed_;
    Stream whole_;
    // Pieces not finished yet, oldest first; the last is the one bytes are
    // added to unless it has ended.
    std::deque<std::unique_ptr<Stream>> pieces_;
    std::vector<std::unique_ptr<Sha256>> spareHashes_;
    std::vector<std::optional<std::string>> digests_;
    int piece_ = 1;  // the piece that bytes are added to
    int failedPiece_ = 0;
    // Ranges queued or being hashed, by file, and the files to close when
    // theirs are done.
    std::map<FileHandle, int> pending_;
    std::set<FileHandle> released_;
    // The starts of the ranges in memory that are queued or being hashed.
    std::multiset<const char*> memoryPending_;
    std::int64_t queuedBytes_ = 0;
    std::int64_t mappedAheadBytes_ = 0;
    std::uint64_t serial_ = 0;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace brelker
