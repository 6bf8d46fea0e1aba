#include "checksum/StreamHasher.h"

#include <algorithm>

namespace brelker {
namespace {

// A positioned read takes this much at a time: large enough for few calls,
// small enough to stay in the processor's cache while it is hashed.
constexpr std::int64_t kChunk = std::int64_t{1} << 20;

// Ranges are queued in slices of at most this much, so that one large block
// does not hold a stream to one thread while the other has nothing to do.
constexpr std::int64_t kSlice = std::int64_t{8} << 20;

// Below this a range is read rather than mapped: making and removing a view
// costs more than copying so few bytes.
constexpr std::int64_t kSmallestMapped = std::int64_t{256} << 10;

// Below this a range is hashed on the caller's thread when the other is idle.
constexpr std::int64_t kInlineLimit = std::int64_t{256} << 10;

// The copy may run ahead of the hashing by this many queued bytes before the
// caller helps: what is read back is then still in the page cache.
constexpr std::int64_t kLargestLag = std::int64_t{128} << 20;

// The caller maps at most this much ahead of the thread that hashes it, among
// the next few ranges of a stream.
constexpr std::int64_t kLargestMappedAhead = std::int64_t{16} << 20;
constexpr std::size_t kRangesLookedAhead = 4;

}  // namespace

StreamHasher::StreamHasher(Platform& platform, bool pieceDigests)
    : platform_(platform),
      pieceDigests_(pieceDigests),
      threadBuffer_(std::make_unique<char[]>(kChunk)),
      callerBuffer_(std::make_unique<char[]>(kChunk)) {
    whole_.hash = std::make_unique<Sha256>();
}

StreamHasher::~StreamHasher() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        // A run that ends early leaves its ranges unhashed.
        whole_.queue.clear();
        for (const auto& piece : pieces_) {
            piece->queue.clear();
        }
    }
    changed_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
    for (const FileHandle file : released_) {
        platform_.Close(file);
    }
}

bool StreamHasher::Idle() const {
    if (whole_.busy || !whole_.queue.empty()) {
        return false;
    }
    return std::none_of(pieces_.begin(), pieces_.end(),
                        [](const auto& piece) { return piece->busy || !piece->queue.empty(); });
}

StreamHasher::Stream& StreamHasher::CurrentPiece() {
    if (pieces_.empty() || pieces_.back()->ended) {
        auto stream = std::make_unique<Stream>();
        stream->piece = piece_;
        if (spareHashes_.empty()) {
            stream->hash = std::make_unique<Sha256>();
        } else {
            stream->hash = std::move(spareHashes_.back());
            spareHashes_.pop_back();
        }
        pieces_.push_back(std::move(stream));
    }
    return *pieces_.back();
}

void StreamHasher::Add(FileHandle file, std::int64_t offset, std::int64_t count) {
    Feed(pieceDigests_ ? file : kNoFile, offset, file, offset, count);
}

void StreamHasher::Add(FileHandle pieceFile, std::int64_t pieceOffset, FileHandle wholeFile,
                       std::int64_t wholeOffset, std::int64_t count) {
    Feed(pieceDigests_ ? pieceFile : kNoFile, pieceOffset, wholeFile, wholeOffset, count);
}

void StreamHasher::AddToPiece(FileHandle file, std::int64_t offset, std::int64_t count) {
    Feed(file, offset, kNoFile, 0, count);
}

void StreamHasher::AddToPieceAhead(FileHandle file, std::int64_t offset, std::int64_t count) {
    Feed(file, offset, kNoFile, 0, count, false);
}

void StreamHasher::AddToWhole(const char* bytes, std::int64_t count) {
    if (count <= 0) {
        return;
    }
    std::unique_lock lock(mutex_);
    if (Idle() && count <= kInlineLimit) {
        lock.unlock();
        whole_.hash->Update(bytes, static_cast<std::size_t>(count));
        return;
    }
    Range range{kNoFile, 0, count, piece_, ++serial_, nullptr};
    range.bytes = bytes;
    whole_.queue.push_back(std::move(range));
    memoryPending_.insert(bytes);
    queuedBytes_ += count;
    if (!thread_.joinable()) {
        thread_ = std::thread(&StreamHasher::Work, this);
    }
    changed_.notify_all();
}

void StreamHasher::WaitForBytes(const char* bytes) {
    std::unique_lock lock(mutex_);
    while (memoryPending_.contains(bytes)) {
        if (!HashNext(lock, callerBuffer_.get()) && !MapNext(lock)) {
            changed_.wait(lock);
        }
    }
}

void StreamHasher::Feed(FileHandle pieceFile, std::int64_t pieceOffset, FileHandle wholeFile,
                        std::int64_t wholeOffset, std::int64_t count, bool keepUp) {
    if (count <= 0) {
        return;
    }
    std::unique_lock lock(mutex_);
    Stream* const piece = pieceFile != kNoFile ? &CurrentPiece() : nullptr;
    Stream* const whole = wholeFile != kNoFile ? &whole_ : nullptr;
    if (Idle() && count <= kInlineLimit) {
        // The thread only takes queued ranges, so with none the streams are
        // the caller's alone until it queues the next one.
        lock.unlock();
        const bool pieceRead =
            piece == nullptr || HashRange({pieceFile, pieceOffset, count, piece_, 0, nullptr},
                                          *piece->hash, callerBuffer_.get());
        const bool wholeRead =
            whole == nullptr || HashRange({wholeFile, wholeOffset, count, piece_, 0, nullptr},
                                          *whole->hash, callerBuffer_.get());
        if (!pieceRead || !wholeRead) {
            lock.lock();
            if (!pieceRead) {
                NoteFailure(*piece, piece_);
            }
            if (!wholeRead) {
                NoteFailure(*whole, piece_);
            }
        }
        return;
    }
    if (piece != nullptr) {
        Queue(*piece, pieceFile, pieceOffset, count);
    }
    if (whole != nullptr) {
        Queue(*whole, wholeFile, wholeOffset, count);
    }
    if (!thread_.joinable()) {
        thread_ = std::thread(&StreamHasher::Work, this);
    }
    changed_.notify_all();
    while (MapNext(lock)) {
    }
    while (keepUp && queuedBytes_ > kLargestLag) {
        if (!HashNext(lock, callerBuffer_.get()) && !MapNext(lock)) {
            changed_.wait(lock);
        }
    }
}

void StreamHasher::Queue(Stream& stream, FileHandle file, std::int64_t offset, std::int64_t count) {
    for (std::int64_t at = 0; at < count; at += kSlice) {
        stream.queue.push_back(
            {file, offset + at, std::min(kSlice, count - at), piece_, ++serial_, nullptr});
        ++pending_[file];
    }
    queuedBytes_ += count;
}

void StreamHasher::NextPiece() {
    const std::lock_guard lock(mutex_);
    EndCurrentPiece();
}

std::optional<std::string> StreamHasher::EndPiece() {
    int piece = 0;
    {
        const std::lock_guard lock(mutex_);
        piece = piece_;
        EndCurrentPiece();
    }
    return WaitForPiece(piece);
}

std::optional<std::string> StreamHasher::WaitForPiece(int piece) {
    std::unique_lock lock(mutex_);
    if (piece < 1 || piece >= piece_) {
        return std::nullopt;  // a piece that has not ended would never be finished
    }
    while (!Finished(piece)) {
        if (!HashNext(lock, callerBuffer_.get()) && !MapNext(lock)) {
            changed_.wait(lock);
        }
    }
    return static_cast<std::size_t>(piece) <= digests_.size()
               ? digests_[static_cast<std::size_t>(piece) - 1]
               : std::nullopt;
}

void StreamHasher::EndCurrentPiece() {
    if (pieceDigests_ || (!pieces_.empty() && !pieces_.back()->ended)) {
        Stream& piece = CurrentPiece();
        piece.ended = true;
        FinishIfOver(piece);
    }
    ++piece_;
}

// A piece that has ended and has nothing left to hash gets its digest.
void StreamHasher::FinishIfOver(Stream& stream) {
    if (!stream.ended || stream.busy || !stream.queue.empty()) {
        return;
    }
    const auto index = static_cast<std::size_t>(stream.piece) - 1;
    if (digests_.size() <= index) {
        digests_.resize(index + 1);
    }
    std::string digest = stream.hash->HexDigest();  // also starts the hash anew
    digests_[index] = stream.failed ? std::nullopt : std::optional(std::move(digest));
    spareHashes_.push_back(std::move(stream.hash));
    const auto at = std::find_if(pieces_.begin(), pieces_.end(),
                                 [&](const auto& piece) { return piece.get() == &stream; });
    pieces_.erase(at);
}

bool StreamHasher::Finished(int piece) const {
    return piece < piece_ && std::none_of(pieces_.begin(), pieces_.end(), [&](const auto& stream) {
               return stream->piece == piece;
           });
}

std::optional<std::string> StreamHasher::PieceDigest(int number) {
    const std::lock_guard lock(mutex_);
    const auto index = static_cast<std::size_t>(number) - 1;
    return number >= 1 && index < digests_.size() ? digests_[index] : std::nullopt;
}

int StreamHasher::FailedPiece() {
    const std::lock_guard lock(mutex_);
    return failedPiece_;
}

void StreamHasher::NoteFailure(Stream& stream, int piece) {
    stream.failed = true;
    if (failedPiece_ == 0 || piece < failedPiece_) {
        failedPiece_ = piece;
    }
}

void StreamHasher::Release(FileHandle file) {
    if (file == kNoFile) {
        return;
    }
    const std::lock_guard lock(mutex_);
    if (pending_.contains(file)) {
        released_.insert(file);
    } else {
        platform_.Close(file);
    }
}

void StreamHasher::RangeDone(FileHandle file) {
    const auto pending = pending_.find(file);
    if (pending == pending_.end() || --pending->second > 0) {
        return;
    }
    pending_.erase(pending);
    if (released_.erase(file) > 0) {
        platform_.Close(file);
    }
}

void StreamHasher::Wait() {
    std::unique_lock lock(mutex_);
    while (!Idle()) {
        if (!HashNext(lock, callerBuffer_.get()) && !MapNext(lock)) {
            changed_.wait(lock);
        }
    }
}

std::optional<std::string> StreamHasher::EndWhole() {
    Wait();
    // No range is queued or being hashed: the digest is ours.
    const std::lock_guard lock(mutex_);
    const bool failed = whole_.failed;
    whole_.failed = false;
    std::string digest = whole_.hash->HexDigest();
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
    Stream* stream = nullptr;
    if (!whole_.busy && !whole_.queue.empty()) {
        stream = &whole_;
    } else {
        for (const auto& piece : pieces_) {
            if (!piece->busy && !piece->queue.empty()) {
                stream = piece.get();
                break;
            }
        }
    }
    if (stream == nullptr) {
        return false;
    }
    Range range = std::move(stream->queue.front());
    stream->queue.pop_front();
    stream->busy = true;
    if (range.view) {
        mappedAheadBytes_ -= range.count;
    }
    lock.unlock();
    const bool read = HashRange(range, *stream->hash, buffer);
    range.view.reset();  // unmapped before the lock is taken again
    lock.lock();
    stream->busy = false;
    if (!read) {
        NoteFailure(*stream, range.piece);
    }
    queuedBytes_ -= range.count;
    if (range.bytes != nullptr) {
        memoryPending_.erase(memoryPending_.find(range.bytes));
    } else {
        RangeDone(range.file);
    }
    if (stream != &whole_) {
        FinishIfOver(*stream);
    }
    changed_.notify_all();
    return true;
}

bool StreamHasher::HashRange(const Range& range, Sha256& hash, char* buffer) {
    if (range.bytes != nullptr) {
        hash.Update(range.bytes, static_cast<std::size_t>(range.count));
        return true;
    }
    std::int64_t done = 0;
    if (range.view) {
        return platform_.ReadView(*range.view, [&hash](const char* bytes, std::size_t count) {
            hash.Update(bytes, count);
        }) == range.count;
    }
    if (range.count >= kSmallestMapped) {
        done = platform_.ReadMapped(
            range.file, range.offset, range.count,
            [&hash](const char* bytes, std::size_t count) { hash.Update(bytes, count); });
        if (done < 0) {
            return false;
        }
    }
    // What could not be mapped is read.
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

// The next ranges of a busy stream are the ones its thread takes next. Only
// so much is mapped ahead at a time, so that what is mapped stays small. With
// pieces to hash as well the caller hashes a free stream itself, which keeps
// both cores as busy and maps less.
StreamHasher::Range* StreamHasher::NextToMap() {
    if (pieceDigests_) {
        return nullptr;
    }
    const auto next = [this](Stream& stream) -> Range* {
        if (!stream.busy) {
            return nullptr;
        }
        std::int64_t ahead = mappedAheadBytes_;
        const std::size_t looked = std::min(stream.queue.size(), kRangesLookedAhead);
        for (std::size_t k = 0; k < looked; ++k) {
            Range& range = stream.queue[k];
            if (!range.mapTried && range.bytes == nullptr) {
                ahead += range.count;
                if (ahead > kLargestMappedAhead) {
                    return nullptr;
                }
                if (range.count >= kSmallestMapped) {
                    return &range;
                }
            }
        }
        return nullptr;
    };
    if (Range* range = next(whole_)) {
        return range;
    }
    for (const auto& piece : pieces_) {
        if (Range* range = next(*piece)) {
            return range;
        }
    }
    return nullptr;
}

StreamHasher::Range* StreamHasher::QueuedRange(std::uint64_t serial) {
    // A range only ever comes closer to the front.
    const auto find = [serial](Stream& stream) -> Range* {
        const std::size_t looked = std::min(stream.queue.size(), kRangesLookedAhead);
        for (std::size_t k = 0; k < looked; ++k) {
            if (stream.queue[k].serial == serial) {
                return &stream.queue[k];
            }
        }
        return nullptr;
    };
    if (Range* range = find(whole_)) {
        return range;
    }
    for (const auto& piece : pieces_) {
        if (Range* range = find(*piece)) {
            return range;
        }
    }
    return nullptr;
}

bool StreamHasher::MapNext(std::unique_lock<std::mutex>& lock) {
    Range* const next = NextToMap();
    if (next == nullptr) {
        return false;
    }
    next->mapTried = true;
    const Range wanted{next->file, next->offset, next->count, next->piece, next->serial, nullptr};
    lock.unlock();
    std::unique_ptr<FileView> view = platform_.MapAhead(wanted.file, wanted.offset, wanted.count);
    lock.lock();
    // The range may have been taken meanwhile, or its piece ended.
    if (Range* const range = view ? QueuedRange(wanted.serial) : nullptr) {
        range->view = std::move(view);
        mappedAheadBytes_ += range->count;
    } else if (view) {
        lock.unlock();
        view.reset();
        lock.lock();
    }
    return true;
}

}  // namespace brelker
