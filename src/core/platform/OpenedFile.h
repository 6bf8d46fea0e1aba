#pragma once

#include <utility>

#include "platform/Platform.h"

namespace brelker {

// An open file that closes itself when it goes, on every way out of the code
// that opened it. Empty (false) when the open failed. It may be moved (into a
// queue of files opened ahead), never copied.
class OpenedFile {
public:
    OpenedFile(Platform& platform, FileHandle handle) : platform_(&platform), handle_(handle) {}
    ~OpenedFile() { Close(); }
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;
    OpenedFile(OpenedFile&& other) noexcept
        : platform_(other.platform_), handle_(std::exchange(other.handle_, kNoFile)) {}
    OpenedFile& operator=(OpenedFile&& other) noexcept {
        if (this != &other) {
            Close();
            platform_ = other.platform_;
            handle_ = std::exchange(other.handle_, kNoFile);
        }
        return *this;
    }

    explicit operator bool() const { return handle_ != kNoFile; }
    FileHandle Handle() const { return handle_; }
    // Closes it now, where what follows needs it closed (its size read by name).
    void Close() { platform_->Close(std::exchange(handle_, kNoFile)); }
    // Closes it and holds handle instead.
    void Reset(FileHandle handle) {
        Close();
        handle_ = handle;
    }
    // Hands the file to a caller that keeps it open beyond this object.
    FileHandle Release() { return std::exchange(handle_, kNoFile); }

private:
    Platform* platform_;
    FileHandle handle_;
};

}  // namespace brelker
