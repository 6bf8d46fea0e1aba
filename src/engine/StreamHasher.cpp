#include "engine/StreamHasher.h"

#include <algorithm>

namespace brelker {
namespace {

// A range is read back this much at a time: large enough for few calls,
// small enough to stay in the processor's cache while it is hashed.
constexpr std::int64_t kChunk = std::int64_t{1} << 20;

// Below this a range is hashed on the caller's thread when the other is idle.
constexpr std::int64_t kInlineLimit = std::int64_t{256} << 10;

// The copy may run ahead of the hashing of both streams by this much before
// the caller helps: what is read back is then still in the page cache.
constexpr std::int64_t kLargestLag = std::int64_t{128} << 20;

}  // namespace

StreamHasher::StreamHasher(Platform& platform)
    : platform_(platform),
      threadBuffer_(std::make_unique<char[]>(kChunk)),
      callerBuffer_(std::make_unique<char[]>(kChunk)) {}

StreamHasher::~StreamHasher() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        // A run that ends early leaves its ranges unhashed.
        queues_[kPiece].clear();
        queues_[kWhole].clear();
    }
    changed_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

bool StreamHasher::Idle() const {
    return queues_[kPiece].empty() && queues_[kWhole].empty() && !busy_[kPiece] && !busy_[kWhole];
}

void StreamHasher::Add(FileHandle file, std::int64_t offset, std::int64_t count) {
    Add(file, offset, file, offset, count);
}

void StreamHasher::Add(FileHandle pieceFile, std::int64_t pieceOffset, FileHandle wholeFile,
                       std::int64_t wholeOffset, std::int64_t count) {
    if (count <= 0) {
        return;
    }
    const std::array<Range, 2> ranges = {Range{pieceFile, pieceOffset, count},
                                         Range{wholeFile, wholeOffset, count}};
    std::unique_lock lock(mutex_);
    if (Idle() && count <= kInlineLimit) {
        // The thread only takes queued ranges, so with none the digests are
        // the caller's alone until it queues the next one.
        lock.unlock();
        for (const Stream stream : {kPiece, kWhole}) {
            if (!HashRange(ranges[stream], hashes_[stream], callerBuffer_.get())) {
                failed_[stream] = true;
            }
        }
        return;
    }
    queues_[kPiece].push_back(ranges[kPiece]);
    queues_[kWhole].push_back(ranges[kWhole]);
    queuedBytes_ += 2 * count;
    if (!thread_.joinable()) {
        thread_ = std::thread(&StreamHasher::Work, this);
    }
    changed_.notify_all();
    while (queuedBytes_ > kLargestLag) {
        if (!HashNext(lock, callerBuffer_.get())) {
            changed_.wait(lock);
        }
    }
}

std::optional<std::string> StreamHasher::EndPiece() { return End(kPiece); }

std::optional<std::string> StreamHasher::EndWhole() { return End(kWhole); }

std::optional<std::string> StreamHasher::End(Stream stream) {
    // Both streams are drained: the file of their ranges may close next.
    std::unique_lock lock(mutex_);
    while (!Idle()) {
        if (!HashNext(lock, callerBuffer_.get())) {
            changed_.wait(lock);
        }
    }
    // No range is queued or being hashed: the digests are ours.
    const bool failed = failed_[stream];
    failed_[stream] = false;
    std::string digest = hashes_[stream].HexDigest();
    if (failed) {
        return std::nullopt;
    }
    return digest;
}

void StreamHasher::Work() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        if (!HashNext(lock, threadBuffer_.get())) {
            changed_.wait(lock);
        }
    }
}

bool StreamHasher::HashNext(std::unique_lock<std::mutex>& lock, char* buffer) {
    for (const Stream stream : {kPiece, kWhole}) {
        if (busy_[stream] || queues_[stream].empty()) {
            continue;
        }
        const Range range = queues_[stream].front();
        queues_[stream].pop_front();
        busy_[stream] = true;
        lock.unlock();
        const bool read = HashRange(range, hashes_[stream], buffer);
        lock.lock();
        busy_[stream] = false;
        failed_[stream] = failed_[stream] || !read;
        queuedBytes_ -= range.count;
        changed_.notify_all();
        return true;
    }
    return false;
}

bool StreamHasher::HashRange(const Range& range, Sha256& hash, char* buffer) {
    std::int64_t done = 0;
    while (done < range.count) {
        const std::int64_t chunk = std::min(kChunk, range.count - done);
        if (platform_.ReadAt(range.file, range.offset + done, buffer, chunk) != chunk) {
            return false;
        }
        hash.Update(buffer, static_cast<std::size_t>(chunk));
        done += chunk;
    }
    return true;
}

}  // namespace brelker
