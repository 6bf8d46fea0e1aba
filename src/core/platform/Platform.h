#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace brelker {

#ifdef _WIN32
using FileHandle = std::intptr_t;  // a HANDLE's value; INVALID_HANDLE_VALUE is -1
#else
using FileHandle = int;
#endif
inline constexpr FileHandle kNoFile = -1;

// CopyRange's answer when the kernel cannot copy between these two files itself;
// the caller then moves the bytes through its own buffer.
inline constexpr std::int64_t kCopyUnsupported = -2;

// What a name stands for. Only a regular file is ever read as data or written:
// a folder, a device, a FIFO or a socket is refused, and a link at a name that
// is written is never followed.
enum class FileKind { Missing, Regular, Folder, Link, Special };

// Held while a run writes the file it names; released when it goes or the
// process ends, however it ends.
class RunLock {
public:
    virtual ~RunLock() = default;
};

// A range of a file mapped into memory with its pages in place, made by one
// thread for another to read; unmapped when it goes.
class FileView {
public:
    virtual ~FileView() = default;
};

struct FolderEntry {
    std::string name;
    bool isFolder = false;
    bool isHidden = false;  // hidden and system files survive a floppy erase
};

// Files and folders: what the transfer core, the checksums and the scripts
// read, write, rename, lock and delete.
class Files {
public:
    virtual ~Files() = default;

    // Files. Handles are kNoFile when the file cannot be opened or created, and
    // for anything that is not a regular file: opening a FIFO or a device
    // neither waits nor reads from it.
    virtual FileHandle OpenForReading(const std::string& path) = 0;
    // Creates the file or empties an existing regular file, for reading back
    // what is written too. A link at path is not followed and a special file
    // is not touched: both give kNoFile and leave the name as it was.
    virtual FileHandle CreateForWriting(const std::string& path) = 0;
    // Opens an existing regular file for writing and keeps its contents; a
    // link at path is not followed.
    virtual FileHandle OpenForWriting(const std::string& path) = 0;
    // The same for reading too, so that what is written can be read back;
    // kNoFile where the file may be written but not read.
    virtual FileHandle OpenForUpdating(const std::string& path) = 0;
    // The size of an open file; -1 when it cannot be told. Works on a handle
    // open for writing only, where the size by name would need reading.
    virtual std::int64_t SizeOf(FileHandle file) = 0;
    // Bytes moved (fewer at the end of a file), or -1 on an error.
    virtual std::int64_t Read(FileHandle file, char* buffer, std::int64_t count) = 0;
    virtual std::int64_t Write(FileHandle file, const char* buffer, std::int64_t count) = 0;
    // Copies up to count bytes from the current position of one file to the
    // current position of the other without a user-space buffer: bytes copied,
    // 0 at the end of the source, -1 on an error, or kCopyUnsupported.
    virtual std::int64_t CopyRange(FileHandle from, FileHandle to, std::int64_t count) = 0;
    virtual bool Seek(FileHandle file, std::int64_t offset) = 0;
    // Cuts a file open for writing back to size bytes.
    virtual bool Truncate(FileHandle file, std::int64_t size) = 0;
    // Reads up to count bytes from offset on without moving the file's position:
    // bytes read (fewer at the end of the file) or -1. The hashing thread reads
    // this way while the program's own thread goes on with the same file.
    virtual std::int64_t ReadAt(FileHandle file, std::int64_t offset, char* buffer,
                                std::int64_t count) = 0;
    // Hands the count bytes of file from offset on to take, in order, as views
    // straight into the system's file cache: nothing is copied. Each view is
    // at most a few MiB and is gone before the next is made, so the memory a
    // read takes stays small whatever count is. Bytes handed on: count, or
    // fewer where the rest cannot be mapped (a file on a network or removable
    // drive, no room for a view), which the caller then reads with ReadAt; -1
    // when the bytes are not all there (the file is shorter, a read error),
    // also part way through. take must own nothing it would have to release:
    // a failed read leaves it at once. The hashing thread reads this way.
    virtual std::int64_t ReadMapped(FileHandle file, std::int64_t offset, std::int64_t count,
                                    const std::function<void(const char*, std::size_t)>& take) = 0;
    // Maps count bytes of file from offset on, at most as much as one view of
    // ReadMapped holds, with their pages in place: made by one thread while
    // another still reads the range before it, so that the reading thread
    // only reads. Nothing where the range cannot be mapped that way (nor where
    // the system has no such call); the caller then reads it with ReadMapped.
    virtual std::unique_ptr<FileView> MapAhead(FileHandle file, std::int64_t offset,
                                               std::int64_t count) {
        static_cast<void>(file);
        static_cast<void>(offset);
        static_cast<void>(count);
        return nullptr;
    }
    // Hands the bytes of a view from MapAhead to take as ReadMapped does, from
    // any thread: their count, or -1 when they are not all there any more (the
    // file was cut shorter since, a read error).
    virtual std::int64_t ReadView(const FileView& view,
                                  const std::function<void(const char*, std::size_t)>& take) {
        static_cast<void>(view);
        static_cast<void>(take);
        return -1;
    }
    // Puts what was written on the disk itself before anything depends on it.
    virtual bool Flush(FileHandle file) = 0;
    // Starts putting count bytes written from offset on on the disk and returns
    // without waiting for them, so that the Flush that follows has little left
    // to wait for; nothing where the system has no such call.
    virtual void StartFlush(FileHandle file, std::int64_t offset, std::int64_t count) = 0;
    virtual void Close(FileHandle file) = 0;
    virtual bool DeleteFile(const std::string& path) = 0;
    // Creates a new, empty file with an unused name in the folder of path
    // (TemporaryPattern's), for writing and reading back; its name goes to
    // tempPath. A file that is renamed over path once it is complete never
    // leaves path half written. The file is held while it is open, under
    // whatever name it is given since: no other run takes it, by TakeLeftFile,
    // for one that a dead run left.
    virtual FileHandle CreateTemporaryBeside(const std::string& path, std::string& tempPath) = 0;
    // Opens a file that a run of this program created with
    // CreateTemporaryBeside and may have left behind when it died, for
    // reading, and holds it as that run held it. kNoFile when it cannot be
    // opened, or is no regular file; held is set when a live run (of this
    // process or another) still holds it. forWriting opens it for writing as
    // well, to go on with it (kNoFile where it may not be written).
    virtual FileHandle TakeLeftFile(const std::string& path, bool& held,
                                    bool forWriting = false) = 0;
    // Gives a file another name, replacing a file of that name in one step.
    virtual bool RenameFile(const std::string& from, const std::string& to) = 0;
    // Gives a file a name that nothing has yet: false, and both names as they
    // were, when something has it. A file held open stays held.
    virtual bool RenameToNewName(const std::string& from, const std::string& to) = 0;
    // Lets everyone run an open file that its owner may write (0755 less the
    // user's umask), as a script is run; nothing where the system marks no
    // file as runnable. False when the mode could not be changed.
    virtual bool MakeExecutable(FileHandle file) = 0;

    // Size of a file that can be opened for reading; -1 otherwise, also for a folder.
    virtual std::int64_t FileSize(const std::string& path) = 0;
    // True when something (a file, a folder, a link) has this name, readable or not.
    virtual bool Exists(const std::string& path) = 0;
    // What tells one file from every other and from itself before a change: its
    // identity, size and time of last change, as text; nothing when it is not there.
    virtual std::optional<std::string> FileStamp(const std::string& path) = 0;
    // True when both paths exist and name the same file, also through links.
    virtual bool SameFile(const std::string& first, const std::string& second) = 0;
    // What path names: with followLinks what a link leads to (Missing when it
    // leads nowhere), without it the link itself.
    virtual FileKind KindOf(const std::string& path, bool followLinks) = 0;
    // The same text for every name of one file and another for every other
    // file that exists at the same time (device and inode, or volume and file
    // index); nothing when nothing has this name. A link at path is itself
    // the file that is named, not followed.
    virtual std::optional<std::string> FileIdentity(const std::string& path) = 0;
    // The system's reason for the last call of this thread that failed, in the
    // system's words ("Permission denied"); empty when it has none.
    virtual std::string LastErrorText() = 0;
    // True when that call failed because the name, or a folder on its way,
    // does not exist: what is missing, as against what cannot be reached.
    virtual bool LastErrorIsMissing() = 0;
    // True when that call failed because the disk, or the user's share of it,
    // is full: what more room would cure.
    virtual bool LastErrorIsFull() = 0;
    // Puts a folder's entries (a name just created, renamed or deleted) on the
    // disk itself; true where the system keeps no such entries apart.
    virtual bool FlushFolder(const std::string& folder) = 0;
    // The lock that a run holds while it writes path (a stem, a target): an
    // advisory lock of the user's that ends with the process. Nothing when
    // another run, of this process or another, holds it. path need not exist,
    // and nothing is created at path or beside it.
    virtual std::unique_ptr<RunLock> LockForWriting(const std::string& path) = 0;
    // The identity of an open file, as FileIdentity gives it for a name, so
    // that a stream is never taken for a file that the run writes or reads;
    // nothing when it cannot be told.
    virtual std::optional<std::string> HandleIdentity(FileHandle file) = 0;

    // Folders.
    virtual bool IsFolder(const std::string& path) = 0;
    // The entries of a folder without "." and "..", or nothing when it cannot be read.
    virtual std::optional<std::vector<FolderEntry>> ListFolder(const std::string& path) = 0;
    // Joins a folder and a name with the separator unless the folder ends with one.
    virtual std::string JoinPath(const std::string& folder, const std::string& name) = 0;
    // A new, empty folder of this run's own in the user's folder for temporary
    // files, which others cannot write to; empty when none can be made.
    virtual std::string MakeTemporaryFolder() = 0;
    // Removes a folder that is empty; false otherwise.
    virtual bool RemoveFolder(const std::string& path) = 0;

    // Physical memory in bytes, which bounds a transfer buffer.
    virtual std::int64_t PhysicalMemory() = 0;
    // Memory for a transfer buffer; null when it cannot be had.
    virtual std::unique_ptr<char[]> Allocate(std::size_t size) = 0;
};

// The disks that files lie on: free space for sizing pieces, and floppies.
class Volumes {
public:
    virtual ~Volumes() = default;

    // The volume that a path lies on, as FreeSpace takes it.
    virtual std::string VolumeOf(const std::string& path) = 0;
    // Free bytes on the volume; -1 when there is no disk or no such volume.
    virtual std::int64_t FreeSpace(const std::string& volume) = 0;
    // The unit in which the volume hands out space to files, in bytes.
    virtual std::int64_t AllocationUnit(const std::string& volume) = 0;
    // The root of the floppy drive that path lies on, or nothing when it lies on
    // no floppy. Only a floppy may ever be erased. The path is taken as the
    // system resolves it: relative to the current folder, "." and ".." applied.
    virtual std::optional<std::string> FloppyRoot(const std::string& path) = 0;
};

// The command line's process: interruptions, standard input and output,
// devices and FIFOs read as streams, the terminal.
class Streams {
public:
    virtual ~Streams() = default;

    // Interruptions from outside (Ctrl+C, termination, a closed terminal):
    // from CatchInterrupts on they no longer end the process at once but are
    // noted, so that a run can clean up. PendingInterrupt is the number of the
    // first one noted (as a POSIX signal: 2, 15, 1), 0 while there is none.
    virtual void CatchInterrupts() = 0;
    virtual int PendingInterrupt() = 0;
    // Ends the process as the interruption noted would have ended it, once the
    // run has cleaned up: the shell sees 128 + the signal's number.
    virtual void EndByInterrupt(int signal) = 0;

    // The process's standard input and output, whatever they are (a pipe, a
    // terminal, a file), for the command line's "-". They are read and
    // written as they come, without the checks of Files' opening calls,
    // and never closed; kNoFile when the process has none.
    virtual FileHandle StandardInput() = 0;
    virtual FileHandle StandardOutput() = 0;
    // Lets a pipe hold up to bytes at a time where the system allows it, so
    // that its writer and its reader take turns less often; leaves any other
    // file as it is.
    virtual void WidenPipe(FileHandle file, std::int64_t bytes) {
        static_cast<void>(file);
        static_cast<void>(bytes);
    }
    // Opens a device or a FIFO by its name to read it as standard input is
    // read: as it comes, to its end. The wait for a FIFO's writer ends with
    // an interruption. kNoFile, with the reason, for anything else and for
    // what cannot be opened.
    virtual FileHandle OpenStream(const std::string& path) = 0;
    // True when file is a terminal or a console, which would show bytes as text.
    virtual bool IsTerminal(FileHandle file) = 0;
    // The width in columns of the terminal that standard error is shown on;
    // 0 when it is no terminal or its width cannot be told.
    virtual int TerminalColumns() = 0;
};

// The user's session: the current folder, the locale's date and decimal
// separator, the clock, the text viewer.
class Desktop {
public:
    virtual ~Desktop() = default;

    // The local date and time as the user's locale writes them: short date, a
    // blank, long time.
    virtual std::string LocalDateTimeText() = 0;
    // Milliseconds on a clock that only ever goes forward, whatever the user
    // does to the date: for measuring how long the work takes.
    virtual std::int64_t SteadyMilliseconds() = 0;

    // The process's current folder, and making another one current (false when
    // it cannot be: the current folder stays).
    virtual std::string CurrentFolder() = 0;
    virtual bool SetCurrentFolder(const std::string& folder) = 0;

    // The decimal separator of the user's locale, for sizes shown with decimals.
    virtual std::string DecimalSeparator() = 0;

    // Opens path in the user's text viewer and waits until the viewer ends.
    // False, at once, when no viewer could be started.
    virtual bool ShowInTextViewer(const std::string& path) = 0;
};

// Every call the program makes to the operating system. The program holds one
// instance; tests derive from it to inject faults (a full disk, a failed read,
// a floppy that is a temp folder). A part of the program that needs only some
// of it takes only that interface.
class Platform : public Files, public Volumes, public Streams, public Desktop {};

}  // namespace brelker
