#pragma once

#include <algorithm>
#include <atomic>
#include <functional>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "platform/NativePlatform.h"

namespace brelker {

// The real platform with faults a test switches on: a disk that fills up, reads
// that come back short, memory that cannot be had, scripted free space.
class FaultyPlatform : public NativePlatform {
public:
    FileHandle OpenForReading(const std::string& path) override {
        return unreadable.contains(path) ? kNoFile : NativePlatform::OpenForReading(path);
    }
    FileHandle OpenForUpdating(const std::string& path) override {
        return unreadable.contains(path) ? kNoFile : NativePlatform::OpenForUpdating(path);
    }
    std::int64_t Read(FileHandle file, char* buffer, std::int64_t count) override {
        if (beforeRead) {
            beforeRead(file);
        }
        if (readsLeft == 0) {
            return 0;  // as if the file had ended early
        }
        if (readsLeft > 0) {
            --readsLeft;
        }
        return NativePlatform::Read(file, buffer, count);
    }
    std::int64_t Write(FileHandle file, const char* buffer, std::int64_t count) override {
        if (++writeCalls == garbledWrite && count > 0) {
            std::string garbled(buffer, static_cast<std::size_t>(count));
            garbled[0] = static_cast<char>(~garbled[0]);
            return NativePlatform::Write(file, garbled.data(), count);
        }
        const std::int64_t allowed = std::min(count, writeRoom);
        const std::int64_t put = allowed > 0 ? NativePlatform::Write(file, buffer, allowed) : 0;
        if (put > 0) {
            writeRoom -= put;
        }
        return put == 0 && count > 0 ? -1 : put;
    }
    // Called from the hashing thread too: the switch is atomic.
    std::int64_t ReadAt(FileHandle file, std::int64_t offset, char* buffer,
                        std::int64_t count) override {
        if (readBackFails) {
            return -1;
        }
        const std::int64_t got = NativePlatform::ReadAt(file, offset, buffer, count);
        readBackBytes += std::max<std::int64_t>(got, 0);
        return got;
    }
    // Called from the hashing thread too.
    std::int64_t ReadMapped(FileHandle file, std::int64_t offset, std::int64_t count,
                            const std::function<void(const char*, std::size_t)>& take) override {
        if (readBackFails) {
            return -1;
        }
        if (!mapping) {
            return 0;
        }
        if (beforeMappedRead) {
            beforeMappedRead();
        }
        const std::int64_t got = NativePlatform::ReadMapped(file, offset, count, take);
        readBackBytes += std::max<std::int64_t>(got, 0);
        mappedBytes += std::max<std::int64_t>(got, 0);
        return got;
    }
    // Called from the hashing thread too: views made ahead fail and count as
    // mapped reads do.
    std::unique_ptr<FileView> MapAhead(FileHandle file, std::int64_t offset,
                                       std::int64_t count) override {
        return mapping && !readBackFails ? NativePlatform::MapAhead(file, offset, count) : nullptr;
    }
    std::int64_t ReadView(const FileView& view,
                          const std::function<void(const char*, std::size_t)>& take) override {
        if (readBackFails) {
            return -1;
        }
        const std::int64_t got = NativePlatform::ReadView(view, take);
        readBackBytes += std::max<std::int64_t>(got, 0);
        mappedBytes += std::max<std::int64_t>(got, 0);
        mappedAheadBytes += std::max<std::int64_t>(got, 0);
        return got;
    }
    std::int64_t CopyRange(FileHandle from, FileHandle to, std::int64_t count) override {
        ++copyCalls;
        if (!kernelCopy) {
            return kCopyUnsupported;
        }
        if (copyRoom <= 0) {
            return -1;
        }
        const std::int64_t copied = NativePlatform::CopyRange(from, to, std::min(count, copyRoom));
        copyRoom -= std::max<std::int64_t>(copied, 0);
        return copied;
    }
    // A write that found no room left is a full disk.
    bool LastErrorIsFull() override { return writeRoom <= 0 || NativePlatform::LastErrorIsFull(); }
    bool Truncate(FileHandle file, std::int64_t size) override {
        return !failTruncates && NativePlatform::Truncate(file, size);
    }
    bool Seek(FileHandle file, std::int64_t offset) override {
        return !failSeeks && NativePlatform::Seek(file, offset);
    }
    bool Flush(FileHandle file) override {
        ++flushes;
        if (flushesLeft == 0) {
            return false;
        }
        if (flushesLeft > 0) {
            --flushesLeft;
        }
        return !failFlushes && NativePlatform::Flush(file);
    }
    FileHandle CreateForWriting(const std::string& path) override {
        return uncreatable.contains(path) ? kNoFile : NativePlatform::CreateForWriting(path);
    }
    bool DeleteFile(const std::string& path) override {
        if (undeletable.contains(path)) {
            return false;
        }
        return NativePlatform::DeleteFile(path);
    }
    std::int64_t FreeSpace(const std::string& volume) override {
        return freeSpace ? freeSpace(volume) : NativePlatform::FreeSpace(volume);
    }
    std::int64_t AllocationUnit(const std::string& volume) override {
        return freeSpace ? allocationUnit : NativePlatform::AllocationUnit(volume);
    }
    std::int64_t PhysicalMemory() override { return physicalMemory; }
    std::string LocalDateTimeText() override {
        return dateTime.empty() ? NativePlatform::LocalDateTimeText() : dateTime;
    }
    std::unique_ptr<RunLock> LockForWriting(const std::string& path) override {
        return lockedElsewhere.contains(path) ? nullptr : NativePlatform::LockForWriting(path);
    }
    std::int64_t SteadyMilliseconds() override {
        return clock ? clock() : NativePlatform::SteadyMilliseconds();
    }
    void CatchInterrupts() override { catching = true; }
    // The interruption arrives at the given call, as a signal between two blocks would.
    int PendingInterrupt() override {
        if (interruptAtCall > 0 && ++interruptCalls >= interruptAtCall) {
            return interruptSignal;
        }
        return 0;
    }
    void EndByInterrupt(int signal) override { endedBy = signal; }
    bool ShowInTextViewer(const std::string& path) override {
        if (!viewerStarts) {
            return false;
        }
        if (viewer) {
            viewer(path);
            return true;
        }
        return NativePlatform::ShowInTextViewer(path);
    }
    std::unique_ptr<char[]> Allocate(std::size_t size) override {
        allocations.push_back(size);
        return size > largestAllocation ? nullptr : NativePlatform::Allocate(size);
    }

    // Bytes the disk takes before writes stop short; kernel copies bypass this,
    // so a test of a full disk switches kernelCopy off.
    std::int64_t writeRoom = std::numeric_limits<std::int64_t>::max();
    // The write, counted from 1, whose first byte lands flipped, as from a
    // disk or a driver that garbles what it is given; 0: none.
    int garbledWrite = 0;
    int writeCalls = 0;
    // Reads that succeed before every further one finds the file at its end; -1: all.
    int readsLeft = -1;
    bool kernelCopy = true;
    // Positioned and mapped reads fail, as when the hashing reads back a range.
    std::atomic<bool> readBackFails = false;
    // Files can be mapped; without, every mapped read hands nothing on.
    std::atomic<bool> mapping = true;
    // Bytes read back either way, and the share of them that came mapped.
    std::atomic<std::int64_t> readBackBytes = 0;
    std::atomic<std::int64_t> mappedBytes = 0;
    // The share of the mapped bytes that came from views made ahead.
    std::atomic<std::int64_t> mappedAheadBytes = 0;
    // Runs before each mapped read that makes its own views, on its thread.
    std::function<void()> beforeMappedRead;
    // Runs before each read from a file's position, as another process that
    // writes to the file meanwhile would.
    std::function<void(FileHandle)> beforeRead;
    int copyCalls = 0;
    // Bytes kernel copies move before every further one fails.
    std::int64_t copyRoom = std::numeric_limits<std::int64_t>::max();
    bool failSeeks = false;
    bool failTruncates = false;
    bool failFlushes = false;
    // Flushes that succeed before every further one fails; -1: all.
    int flushesLeft = -1;
    int flushes = 0;
    // Files that cannot be created, as in a folder that may not be written.
    std::set<std::string> uncreatable;
    std::set<std::string> undeletable;
    // Files that are there but cannot be opened for reading.
    std::set<std::string> unreadable;
    std::function<std::int64_t(const std::string&)> freeSpace;
    // The allocation unit of a scripted disk; 0: it keeps no records of its own.
    std::int64_t allocationUnit = 0;
    std::int64_t physicalMemory = std::int64_t{8} << 30;
    std::size_t largestAllocation = std::numeric_limits<std::size_t>::max();
    std::vector<std::size_t> allocations;
    std::string dateTime;
    // Paths whose lock another run holds.
    std::set<std::string> lockedElsewhere;
    bool catching = false;
    // The call of PendingInterrupt from which on an interruption is pending; 0: never.
    int interruptAtCall = 0;
    int interruptCalls = 0;
    int interruptSignal = 15;
    int endedBy = 0;
    // Stands in for the steady clock; the work reads it as it reports progress.
    std::function<std::int64_t()> clock;
    // Stands in for the user's text viewer, which has the file while it runs.
    std::function<void(const std::string&)> viewer;
    // False: no viewer on this computer can be started.
    bool viewerStarts = true;
};

}  // namespace brelker
