#include "engine/StreamHasher.h"

#include <algorithm>

namespace brelker {
namespace {

// The thread reads back this much at a time: large enough for few calls,
// small enough to stay in the processor's cache while it is hashed.
constexpr std::int64_t kChunk = std::int64_t{1} << 20;

// Below this a range is hashed on the caller's thread when the other is idle.
constexpr std::int64_t kInlineLimit = std::int64_t{256} << 10;

// The copy may run ahead of the hashing by this much, so that what the
// thread reads back is still in the page cache.
constexpr std::int64_t kLargestLag = std::int64_t{64} << 20;

}  // namespace

StreamHasher::StreamHasher(Platform& platform)
    : platform_(platform), buffer_(std::make_unique<char[]>(kChunk)) {}

StreamHasher::~StreamHasher() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void StreamHasher::Add(FileHandle file, std::int64_t offset, std::int64_t count) {
    if (count <= 0) {
        return;
    }
    std::unique_lock lock(mutex_);
    if (queue_.empty() && !working_ && count <= kInlineLimit) {
        // The thread is idle and only wakes for queued work, so the digests
        // are the caller's alone until the next range is queued.
        lock.unlock();
        readFailed_ = !HashRange({file, offset, count}) || readFailed_;
        return;
    }
    idle_.wait(lock, [this] { return queuedBytes_ < kLargestLag; });
    queue_.push_back({file, offset, count});
    queuedBytes_ += count;
    if (!thread_.joinable()) {
        thread_ = std::thread(&StreamHasher::Work, this);
    }
    lock.unlock();
    wake_.notify_one();
}

std::optional<std::string> StreamHasher::EndPiece() {
    WaitUntilIdle();
    const bool failed = readFailed_;
    readFailed_ = false;
    std::string digest = piece_.HexDigest();
    if (failed) {
        return std::nullopt;
    }
    return digest;
}

std::string StreamHasher::EndWhole() {
    WaitUntilIdle();
    return whole_.HexDigest();
}

void StreamHasher::WaitUntilIdle() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return queue_.empty() && !working_; });
}

void StreamHasher::Work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (queue_.empty()) {
            return;  // stopping, with nothing left to hash
        }
        const Range range = queue_.front();
        queue_.pop_front();
        working_ = true;
        lock.unlock();
        const bool read = HashRange(range);
        lock.lock();
        readFailed_ = !read || readFailed_;
        working_ = false;
        queuedBytes_ -= range.count;
        idle_.notify_all();
    }
}

bool StreamHasher::HashRange(const Range& range) {
    std::int64_t done = 0;
    while (done < range.count) {
        const std::int64_t chunk = std::min(kChunk, range.count - done);
        if (platform_.ReadAt(range.file, range.offset + done, buffer_.get(), chunk) != chunk) {
            return false;
        }
        piece_.Update(buffer_.get(), static_cast<std::size_t>(chunk));
        whole_.Update(buffer_.get(), static_cast<std::size_t>(chunk));
        done += chunk;
    }
    return true;
}

}  // namespace brelker
