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
    : platform_(platform),
      buffer_(std::make_unique<char[]>(kChunk)),
      callerBuffer_(std::make_unique<char[]>(kChunk)) {}

StreamHasher::~StreamHasher() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        queue_.clear();  // a run that ends early leaves its ranges unhashed
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
    const Range range{file, offset, count};
    std::unique_lock lock(mutex_);
    if (queue_.empty() && !working_ && count <= kInlineLimit) {
        // The thread is idle and only wakes for queued work, so the piece's
        // digest is the caller's alone until the next range is queued.
        lock.unlock();
        readFailed_ = !HashRange(range, piece_, callerBuffer_.get()) || readFailed_;
    } else {
        idle_.wait(lock, [this] { return queuedBytes_ < kLargestLag; });
        queue_.push_back(range);
        queuedBytes_ += count;
        if (!thread_.joinable()) {
            thread_ = std::thread(&StreamHasher::Work, this);
        }
        lock.unlock();
        wake_.notify_one();
    }
    wholeFailed_ = !HashRange(range, whole_, callerBuffer_.get()) || wholeFailed_;
}

std::optional<std::string> StreamHasher::EndPiece() {
    WaitUntilIdle();
    const bool failed = readFailed_ || wholeFailed_;
    readFailed_ = false;
    std::string digest = piece_.HexDigest();
    if (failed) {
        return std::nullopt;
    }
    return digest;
}

std::string StreamHasher::EndWhole() { return whole_.HexDigest(); }

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
        const bool read = HashRange(range, piece_, buffer_.get());
        lock.lock();
        readFailed_ = !read || readFailed_;
        working_ = false;
        queuedBytes_ -= range.count;
        idle_.notify_all();
    }
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
