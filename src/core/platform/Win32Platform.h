#pragma once

#include <string>
#include <vector>

#include "platform/Platform.h"

namespace brelker {

// The platform on Windows: the wide-character API, UTF-8 inside and UTF-16 at
// the boundary, every path made absolute and given the "\\?\" prefix so that
// paths longer than 260 characters work too. windows.h stays out of this
// header: it turns DeleteFile into a macro.
class Win32Platform : public Platform {
public:
    Win32Platform();

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

    // The roots of the floppy drives, those of A: and B:; a drive letter counts
    // only while the system calls that drive removable. Tests name a temp folder.
    void SetFloppyMountPoints(std::vector<std::string> mountPoints);
    // The viewer: a program and its arguments, to which the file's path is
    // added. Empty: Notepad.
    void SetViewerCommand(std::vector<std::string> command);
    // The folder of the run locks; tests name a temp folder. Empty: the
    // folder "brelker-locks" in the user's temp folder.
    void SetLockFolder(std::string folder);

private:
    std::vector<std::string> floppyRoots_;
    std::vector<std::string> viewerCommand_;
    std::string lockFolder_;
};

}  // namespace brelker
