#pragma once

#include <string>
#include <vector>

#include "platform/Platform.h"

namespace brelker {

// The platform on Linux and other POSIX systems.
class PosixPlatform : public Platform {
public:
    PosixPlatform();

    FileHandle OpenForReading(const std::string& path) override;
    FileHandle CreateForWriting(const std::string& path) override;
    FileHandle OpenForWriting(const std::string& path) override;
    FileHandle OpenForUpdating(const std::string& path) override;
    std::int64_t SizeOf(FileHandle file) override;
    std::int64_t Read(FileHandle file, char* buffer, std::int64_t count) override;
    std::int64_t Write(FileHandle file, const char* buffer, std::int64_t count) override;
    std::int64_t CopyRange(FileHandle from, FileHandle to, std::int64_t count) override;
    bool Seek(FileHandle file, std::int64_t offset) override;
    bool Truncate(FileHandle file, std::int64_t size) override;
    std::int64_t ReadAt(FileHandle file, std::int64_t offset, char* buffer,
                        std::int64_t count) override;
    std::int64_t ReadMapped(FileHandle file, std::int64_t offset, std::int64_t count,
                            const std::function<void(const char*, std::size_t)>& take) override;
    std::unique_ptr<FileView> MapAhead(FileHandle file, std::int64_t offset,
                                       std::int64_t count) override;
    std::int64_t ReadView(const FileView& view,
                          const std::function<void(const char*, std::size_t)>& take) override;
    bool Flush(FileHandle file) override;
    void StartFlush(FileHandle file, std::int64_t offset, std::int64_t count) override;
    void Close(FileHandle file) override;
    bool DeleteFile(const std::string& path) override;
    FileHandle CreateTemporaryBeside(const std::string& path, std::string& tempPath) override;
    FileHandle TakeLeftFile(const std::string& path, bool& held, bool forWriting = false) override;
    bool RenameFile(const std::string& from, const std::string& to) override;
    bool RenameToNewName(const std::string& from, const std::string& to) override;
    bool MakeExecutable(FileHandle file) override;

    std::int64_t FileSize(const std::string& path) override;
    bool Exists(const std::string& path) override;
    std::optional<std::string> FileStamp(const std::string& path) override;
    bool SameFile(const std::string& first, const std::string& second) override;
    FileKind KindOf(const std::string& path, bool followLinks) override;
    std::optional<std::string> FileIdentity(const std::string& path) override;
    std::string LastErrorText() override;
    bool LastErrorIsMissing() override;
    bool LastErrorIsFull() override;
    bool FlushFolder(const std::string& folder) override;
    std::unique_ptr<RunLock> LockForWriting(const std::string& path) override;
    void CatchInterrupts() override;
    int PendingInterrupt() override;
    void EndByInterrupt(int signal) override;
    FileHandle StandardInput() override;
    FileHandle StandardOutput() override;
    void WidenPipe(FileHandle file, std::int64_t bytes) override;
    FileHandle OpenStream(const std::string& path) override;
    bool IsTerminal(FileHandle file) override;
    std::optional<std::string> HandleIdentity(FileHandle file) override;
    int TerminalColumns() override;

    std::string VolumeOf(const std::string& path) override;
    std::int64_t FreeSpace(const std::string& volume) override;
    std::int64_t AllocationUnit(const std::string& volume) override;
    std::int64_t PhysicalMemory() override;
    std::optional<std::string> FloppyRoot(const std::string& path) override;

    bool IsFolder(const std::string& path) override;
    std::optional<std::vector<FolderEntry>> ListFolder(const std::string& path) override;
    std::string JoinPath(const std::string& folder, const std::string& name) override;
    std::string MakeTemporaryFolder() override;
    bool RemoveFolder(const std::string& path) override;

    std::string LocalDateTimeText() override;
    std::int64_t SteadyMilliseconds() override;

    std::string CurrentFolder() override;
    bool SetCurrentFolder(const std::string& folder) override;
    std::string DecimalSeparator() override;
    bool ShowInTextViewer(const std::string& path) override;

    std::unique_ptr<char[]> Allocate(std::size_t size) override;

    // The folders where floppy disks are mounted; tests name a temp folder.
    void SetFloppyMountPoints(std::vector<std::string> mountPoints);
    // The viewer: a program and its arguments, to which the file's path is
    // added. Empty: $VISUAL, else the first installed editor that can be told
    // to stay until its window closes.
    void SetViewerCommand(std::vector<std::string> command);
    // The folder of the run locks; tests name a temp folder. Empty: the
    // user's runtime folder ($XDG_RUNTIME_DIR), else /tmp/brelker-UID.
    void SetLockFolder(std::string folder);

private:
    std::vector<std::string> floppyMountPoints_;
    std::vector<std::string> viewerCommand_;
    std::string lockFolder_;
};

// Descriptors 0, 1 and 2 that the process was started without (a script's
// "<&-", ">&-") are taken, before any file is opened, by /dev/null open the
// other way round: the next file the program opens would otherwise take the
// number, and what goes to standard output would land in it. A read of such
// standard input or a write of such standard output fails as it would have:
// "Bad file descriptor".
void OccupyStandardDescriptors();

}  // namespace brelker
