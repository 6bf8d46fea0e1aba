#include "platform/PosixPlatform.h"

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <mutex>
#include <new>
#include <string_view>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <setjmp.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/OwnNames.h"
#include "platform/ShortHash.h"

namespace brelker {
namespace {

// Some C libraries corrupted kernel copies of 2 GiB and more; one call moves at most this.
constexpr std::int64_t kLargestKernelCopy = std::int64_t{1} << 30;
// The same bound keeps a single read or write within what every kernel takes at once.
constexpr std::int64_t kLargestSingleIo = std::int64_t{1} << 30;

constexpr mode_t kNewFileMode = 0666;      // narrowed by the user's umask
constexpr mode_t kProgramFileMode = 0755;  // likewise

// The reason of this thread's last failed call: an errno value, or
// kNotRegular for a name that is not a regular file.
constexpr int kNotRegular = -1;
thread_local int lastError = 0;

// Notes errno as the reason of a failure and gives back the failed result.
template <typename Result>
Result Failed(Result result) {
    lastError = errno;
    return result;
}

FileHandle OpenRetrying(const std::string& path, int flags) {
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC, kNewFileMode);
    } while (fd < 0 && errno == EINTR);
    return fd < 0 ? Failed(kNoFile) : fd;
}

// Opened without waiting (a FIFO would wait for a writer) and measured:
// kNoFile, with the reason kept, when either fails.
FileHandle OpenWithoutWaiting(const std::string& path, int flags, struct stat& info) {
    const FileHandle fd = OpenRetrying(path, flags | O_NONBLOCK);
    if (fd == kNoFile) {
        return kNoFile;
    }
    if (::fstat(fd, &info) != 0) {
        lastError = errno;
        ::close(fd);
        return kNoFile;
    }
    return fd;
}

// Kept only when it is a regular file; from then on it blocks as files do.
FileHandle OpenRegular(const std::string& path, int flags) {
    struct stat info {};
    const FileHandle fd = OpenWithoutWaiting(path, flags, info);
    if (fd == kNoFile) {
        return kNoFile;
    }
    if (!S_ISREG(info.st_mode)) {
        lastError = S_ISDIR(info.st_mode) ? EISDIR : kNotRegular;
        ::close(fd);
        return kNoFile;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

// A mapped read makes views of at most this much: few calls, little memory.
constexpr std::int64_t kLargestView = std::int64_t{16} << 20;

// A page of a view whose bytes are gone (the file was cut shorter since, or
// the disk could not be read) raises SIGBUS when it is touched. While a view
// is handed on, this thread's guard takes the signal back to ReadMapped, which
// fails the read; a SIGBUS anywhere else goes on to the handler there was before.
thread_local sigjmp_buf* busGuard = nullptr;
struct sigaction busBefore {};

void OnBusError(int signal, siginfo_t* info, void*) {
    if (busGuard != nullptr) {
        ::siglongjmp(*busGuard, 1);
    }
    // The earlier handler takes over: a fault comes again for it when the
    // access is made again on return, a signal sent by a process is sent again.
    ::sigaction(signal, &busBefore, nullptr);
    if (info->si_code <= 0) {
        ::raise(signal);
    }
}

void GuardBusErrors() {
    static std::once_flag installed;
    std::call_once(installed, [] {
        struct sigaction action {};
        action.sa_sigaction = OnBusError;
        action.sa_flags = SA_SIGINFO;
        ::sigemptyset(&action.sa_mask);
        ::sigaction(SIGBUS, &action, &busBefore);
    });
}

// Hands one view on under the guard; false when a page of it was gone.
bool HandOn(const std::function<void(const char*, std::size_t)>& take, const char* view,
            std::size_t size) {
    sigjmp_buf here;
    if (sigsetjmp(here, 1) != 0) {
        busGuard = nullptr;
        return false;
    }
    busGuard = &here;
    take(view, size);
    busGuard = nullptr;
    return true;
}

// A view that MapAhead made.
class PosixView : public FileView {
public:
    PosixView(void* base, std::size_t length, std::size_t skip)
        : base_(base), length_(length), skip_(skip) {}
    ~PosixView() override { ::munmap(base_, length_); }
    PosixView(const PosixView&) = delete;
    PosixView& operator=(const PosixView&) = delete;

    const char* Bytes() const { return static_cast<const char*>(base_) + skip_; }
    std::size_t Size() const { return length_ - skip_; }

private:
    void* base_;
    std::size_t length_;
    std::size_t skip_;
};

volatile std::sig_atomic_t pendingInterrupt = 0;

void NoteInterrupt(int signal) {
    if (pendingInterrupt == 0) {
        pendingInterrupt = signal;
    }
}

// A lock file in the user's lock folder, locked with flock: the lock ends with
// the descriptor, so with the process however it ends. The file is removed
// when the lock is given up; a run that locked a file just removed (it
// checks the name still leads to its file) tries again.
class FlockLock : public RunLock {
public:
    FlockLock(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    ~FlockLock() override {
        if (fd_ >= 0) {
            ::unlink(path_.c_str());
            ::close(fd_);
        }
    }
    FlockLock(const FlockLock&) = delete;
    FlockLock& operator=(const FlockLock&) = delete;

private:
    int fd_;
    std::string path_;
};

// Reads until count bytes are in, the file ends or an error other than an
// interruption comes; read(done, chunk) reads the next chunk after done bytes.
template <typename ReadCall>
std::int64_t ReadFully(std::int64_t count, ReadCall read) {
    std::int64_t done = 0;
    while (done < count) {
        const auto chunk = static_cast<std::size_t>(std::min(count - done, kLargestSingleIo));
        const ssize_t got = read(done, chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return Failed(-1);
        }
        if (got == 0) {
            break;
        }
        done += got;
    }
    return done;
}

// True while path still names the file open at fd.
bool NameLeadsTo(const std::string& path, int fd) {
    struct stat held {};
    struct stat named {};
    return ::fstat(fd, &held) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

// Closes fd, keeping errno for the failure it is closed after.
FileHandle CloseAndFail(int fd) {
    const int error = errno;
    ::close(fd);
    errno = error;
    return kNoFile;
}

// A path counts as lying in folder when it is the folder or below it.
bool LiesIn(const std::string& path, const std::string& folder) {
    if (path.compare(0, folder.size(), folder) != 0) {
        return false;
    }
    return path.size() == folder.size() || path[folder.size()] == '/' || folder.ends_with('/');
}

// The absolute, lexically normal form of a path.
std::string Lexical(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error) {
        absolute = path;
    }
    std::string text = absolute.lexically_normal().string();
    while (text.size() > 1 && text.ends_with('/')) {
        text.pop_back();
    }
    return text;
}

// The path with every link in it resolved, as far as it exists; the rest is
// added lexically.
std::string Resolved(const std::string& path) {
    std::error_code error;
    const std::filesystem::path resolved =
        std::filesystem::weakly_canonical(std::filesystem::path(Lexical(path)), error);
    if (error) {
        return Lexical(path);
    }
    std::string text = resolved.string();
    while (text.size() > 1 && text.ends_with('/')) {
        text.pop_back();
    }
    return text;
}

}  // namespace

PosixPlatform::PosixPlatform()
    : floppyMountPoints_{"/media/floppy", "/media/floppy0", "/media/floppy1",
                         "/mnt/floppy",   "/mnt/floppy0",   "/mnt/floppy1"} {}

FileHandle PosixPlatform::OpenForReading(const std::string& path) {
    return OpenRegular(path, O_RDONLY);
}

FileHandle PosixPlatform::CreateForWriting(const std::string& path) {
    // Emptied only once it is known to be a regular file: O_TRUNC would cut
    // what a link leads to, or reach a device.
    FileHandle fd = OpenRegular(path, O_RDWR | O_CREAT | O_NOFOLLOW);
    if (fd == kNoFile && lastError == EACCES) {
        fd = OpenRegular(path, O_WRONLY | O_CREAT | O_NOFOLLOW);  // a file that may not be read
    }
    // A file that is empty already is left as it is: cutting it would make
    // ext4 write it out at once when it is closed, as it does for a file
    // replaced by cutting it short.
    struct stat info {};
    const bool empty = fd != kNoFile && ::fstat(fd, &info) == 0 && info.st_size == 0;
    if (fd != kNoFile && !empty && ::ftruncate(fd, 0) != 0) {
        lastError = errno;
        ::close(fd);
        return kNoFile;
    }
    return fd;
}

FileHandle PosixPlatform::OpenForWriting(const std::string& path) {
    return OpenRegular(path, O_WRONLY | O_NOFOLLOW);
}

FileHandle PosixPlatform::OpenForUpdating(const std::string& path) {
    return OpenRegular(path, O_RDWR | O_NOFOLLOW);
}

std::int64_t PosixPlatform::SizeOf(FileHandle file) {
    struct stat info {};
    return ::fstat(file, &info) == 0 ? static_cast<std::int64_t>(info.st_size) : Failed(-1);
}

std::int64_t PosixPlatform::Read(FileHandle file, char* buffer, std::int64_t count) {
    return ReadFully(count, [&](std::int64_t done, std::size_t chunk) {
        return ::read(file, buffer + done, chunk);
    });
}

std::int64_t PosixPlatform::Write(FileHandle file, const char* buffer, std::int64_t count) {
    std::int64_t done = 0;
    while (done < count) {
        const auto chunk = static_cast<std::size_t>(std::min(count - done, kLargestSingleIo));
        const ssize_t put = ::write(file, buffer + done, chunk);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            lastError = put < 0 ? errno : ENOSPC;
            return done > 0 ? done : -1;
        }
        done += put;
    }
    return done;
}

std::int64_t PosixPlatform::CopyRange(FileHandle from, FileHandle to, std::int64_t count) {
    const auto chunk = static_cast<std::size_t>(std::min(count, kLargestKernelCopy));
    ssize_t copied;
    do {
        copied = ::copy_file_range(from, nullptr, to, nullptr, chunk, 0);
    } while (copied < 0 && errno == EINTR);
    if (copied >= 0) {
        return copied;
    }
    switch (errno) {
        case EXDEV:
        case EINVAL:
        case ENOSYS:
        case EOPNOTSUPP:
        case EBADF:
        case EPERM:
        case ETXTBSY:
            return kCopyUnsupported;
        default:
            return Failed(-1);
    }
}

bool PosixPlatform::Seek(FileHandle file, std::int64_t offset) {
    return ::lseek(file, static_cast<off_t>(offset), SEEK_SET) == static_cast<off_t>(offset);
}

bool PosixPlatform::Truncate(FileHandle file, std::int64_t size) {
    int result;
    do {
        result = ::ftruncate(file, static_cast<off_t>(size));
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

std::int64_t PosixPlatform::ReadAt(FileHandle file, std::int64_t offset, char* buffer,
                                   std::int64_t count) {
    return ReadFully(count, [&](std::int64_t done, std::size_t chunk) {
        return ::pread(file, buffer + done, chunk, static_cast<off_t>(offset + done));
    });
}

std::int64_t PosixPlatform::ReadMapped(FileHandle file, std::int64_t offset, std::int64_t count,
                                       const std::function<void(const char*, std::size_t)>& take) {
    struct stat info {};
    if (::fstat(file, &info) != 0) {
        return Failed(-1);
    }
    if (offset < 0 || count < 0 || offset > info.st_size - count) {
        lastError = EIO;  // what a read of bytes that are not there gives
        return -1;
    }
    GuardBusErrors();
    static const std::int64_t page = ::sysconf(_SC_PAGESIZE);
    std::int64_t done = 0;
    while (done < count) {
        const std::int64_t at = offset + done;
        const std::int64_t start = at - at % page;
        const auto skip = static_cast<std::size_t>(at - start);
        const auto size = static_cast<std::size_t>(std::min(count - done, kLargestView));
        // Populated at once: one call maps the pages the copy has just put in the cache.
        void* view = ::mmap(nullptr, skip + size, PROT_READ, MAP_SHARED | MAP_POPULATE, file,
                            static_cast<off_t>(start));
        if (view == MAP_FAILED) {
            return done;
        }
        const bool whole = HandOn(take, static_cast<const char*>(view) + skip, size);
        ::munmap(view, skip + size);
        if (!whole) {
            lastError = EIO;
            return -1;
        }
        done += static_cast<std::int64_t>(size);
    }
    return done;
}

std::unique_ptr<FileView> PosixPlatform::MapAhead(FileHandle file, std::int64_t offset,
                                                  std::int64_t count) {
    struct stat info {};
    if (count <= 0 || count > kLargestView || offset < 0 || ::fstat(file, &info) != 0 ||
        offset > info.st_size - count) {
        return nullptr;  // ReadMapped tells why
    }
    GuardBusErrors();
    static const std::int64_t page = ::sysconf(_SC_PAGESIZE);
    const std::int64_t start = offset - offset % page;
    const auto length = static_cast<std::size_t>(offset - start + count);
    void* view = ::mmap(nullptr, length, PROT_READ, MAP_SHARED | MAP_POPULATE, file,
                        static_cast<off_t>(start));
    if (view == MAP_FAILED) {
        return nullptr;
    }
    return std::make_unique<PosixView>(view, length, static_cast<std::size_t>(offset - start));
}

// The pages were in place when the view was made; one that is gone since (the
// file was cut shorter) raises SIGBUS, which the guard turns into a failed read.
std::int64_t PosixPlatform::ReadView(const FileView& view,
                                     const std::function<void(const char*, std::size_t)>& take) {
    const auto& mapped = static_cast<const PosixView&>(view);
    if (!HandOn(take, mapped.Bytes(), mapped.Size())) {
        lastError = EIO;
        return -1;
    }
    return static_cast<std::int64_t>(mapped.Size());
}

bool PosixPlatform::Flush(FileHandle file) { return ::fdatasync(file) == 0 || Failed(false); }

void PosixPlatform::StartFlush(FileHandle file, std::int64_t offset, std::int64_t count) {
#ifdef __linux__
    ::sync_file_range(file, static_cast<off_t>(offset), static_cast<off_t>(count),
                      SYNC_FILE_RANGE_WRITE);
#else
    static_cast<void>(file);
    static_cast<void>(offset);
    static_cast<void>(count);
#endif
}

void PosixPlatform::Close(FileHandle file) {
    if (file != kNoFile) {
        ::close(file);
    }
}

bool PosixPlatform::DeleteFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0 || Failed(false);
}

FileHandle PosixPlatform::CreateTemporaryBeside(const std::string& path, std::string& tempPath) {
    tempPath.clear();
    // A run that clears away what dead runs left may lock a temporary in the
    // moment between its creation and its lock, and remove it: the name
    // must still lead to the file once it is locked, or another is made.
    for (int attempt = 0; attempt < 8; ++attempt) {
        std::string pattern = TemporaryPattern(path);
        int fd;
        do {
            fd = ::mkostemp(pattern.data(), O_CLOEXEC);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0) {
            return Failed(kNoFile);
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !NameLeadsTo(pattern, fd)) {
            ::close(fd);
            continue;
        }
        // mkostemp makes the file private; the finished file gets the usual mode.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, kNewFileMode & ~mask);
        tempPath = pattern;
        return fd;
    }
    lastError = EEXIST;
    return kNoFile;
}

FileHandle PosixPlatform::TakeLeftFile(const std::string& path, bool& held, bool forWriting) {
    held = false;
    // Open for writing where it may be: an NFS server locks only such files.
    FileHandle fd = OpenRegular(path, O_RDWR | O_NOFOLLOW);
    if (fd == kNoFile && lastError == EACCES && !forWriting) {
        fd = OpenRegular(path, O_RDONLY | O_NOFOLLOW);
    }
    if (fd == kNoFile) {
        return kNoFile;
    }
    int locked;
    do {
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        held = errno == EWOULDBLOCK;
        return Failed(CloseAndFail(fd));
    }
    // Another run took it and removed it just now.
    if (!NameLeadsTo(path, fd)) {
        ::close(fd);
        lastError = ENOENT;
        return kNoFile;
    }
    return fd;
}

bool PosixPlatform::MakeExecutable(FileHandle file) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return ::fchmod(file, kProgramFileMode & ~mask) == 0 || Failed(false);
}

bool PosixPlatform::RenameFile(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 || Failed(false);
}

bool PosixPlatform::RenameToNewName(const std::string& from, const std::string& to) {
#ifdef __linux__
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return Failed(false);
    }
#endif
    // A file system that cannot rename so: a second name, then the first
    // taken away; link fails where the name is taken.
    if (::link(from.c_str(), to.c_str()) == 0) {
        if (::unlink(from.c_str()) != 0) {
            lastError = errno;
            ::unlink(to.c_str());
            return false;
        }
        return true;
    }
    if (errno != EPERM && errno != ENOTSUP) {
        return Failed(false);
    }
    // Nor with second names (FAT): only where nothing has the name yet.
    struct stat info {};
    if (::lstat(to.c_str(), &info) == 0) {
        lastError = EEXIST;
        return false;
    }
    return ::rename(from.c_str(), to.c_str()) == 0 || Failed(false);
}

bool PosixPlatform::Exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

std::optional<std::string> PosixPlatform::FileStamp(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino) + ":" +
           std::to_string(info.st_size) + ":" + std::to_string(info.st_mtim.tv_sec) + "." +
           std::to_string(info.st_mtim.tv_nsec);
}

std::int64_t PosixPlatform::FileSize(const std::string& path) {
    const FileHandle fd = OpenForReading(path);
    if (fd == kNoFile) {
        return -1;
    }
    struct stat info {};
    const bool known = ::fstat(fd, &info) == 0;
    ::close(fd);
    return known ? static_cast<std::int64_t>(info.st_size) : -1;
}

bool PosixPlatform::SameFile(const std::string& first, const std::string& second) {
    struct stat a {};
    struct stat b {};
    return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 &&
           a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

FileKind PosixPlatform::KindOf(const std::string& path, bool followLinks) {
    struct stat info {};
    if ((followLinks ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info)) != 0) {
        return Failed(FileKind::Missing);
    }
    if (S_ISREG(info.st_mode)) {
        return FileKind::Regular;
    }
    if (S_ISDIR(info.st_mode)) {
        return FileKind::Folder;
    }
    return S_ISLNK(info.st_mode) ? FileKind::Link : FileKind::Special;
}

std::optional<std::string> PosixPlatform::FileIdentity(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
}

std::string PosixPlatform::LastErrorText() {
    if (lastError == kNotRegular) {
        return "Not a regular file";
    }
    return lastError == 0 ? std::string() : std::string(std::strerror(lastError));
}

bool PosixPlatform::LastErrorIsMissing() { return lastError == ENOENT || lastError == ENOTDIR; }

bool PosixPlatform::LastErrorIsFull() { return lastError == ENOSPC || lastError == EDQUOT; }

bool PosixPlatform::FlushFolder(const std::string& folder) {
    const int fd = OpenRetrying(folder.empty() ? "." : folder, O_RDONLY | O_DIRECTORY);
    if (fd == kNoFile) {
        return false;
    }
    const bool flushed = ::fsync(fd) == 0 || Failed(false);
    ::close(fd);
    return flushed;
}

std::unique_ptr<RunLock> PosixPlatform::LockForWriting(const std::string& path) {
    std::string folder = lockFolder_;
    if (folder.empty()) {
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        folder = runtime != nullptr && *runtime == '/'
                     ? std::string(runtime) + "/brelker"
                     : "/tmp/brelker-" + std::to_string(::getuid());
    }
    ::mkdir(folder.c_str(), 0700);
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != ::getuid()) {
        // Without a folder of the user's own there is no lock to be had, and
        // no run could start: runs go on unlocked, as before locks existed.
        return std::make_unique<RunLock>();
    }
    // Named after the identity of the file's folder and the file's name, so
    // that every path to the file finds the same lock.
    const std::string lexical = Lexical(path);
    const auto slash = lexical.rfind('/');
    const std::string parent = slash == 0 ? "/" : lexical.substr(0, slash);
    struct stat parentInfo {};
    const std::string key = ::stat(parent.c_str(), &parentInfo) == 0
                                ? std::to_string(parentInfo.st_dev) + "-" +
                                      std::to_string(parentInfo.st_ino) + "-" +
                                      ShortHash(lexical.substr(slash + 1))
                                : "path-" + ShortHash(lexical);
    const std::string lockPath = folder + "/" + key + ".lock";
    for (int attempt = 0; attempt < 8; ++attempt) {
        const int fd = OpenRetrying(lockPath, O_RDWR | O_CREAT | O_NOFOLLOW);
        if (fd == kNoFile) {
            return std::make_unique<RunLock>();
        }
        int locked;
        do {
            locked = ::flock(fd, LOCK_EX | LOCK_NB);
        } while (locked != 0 && errno == EINTR);
        if (locked != 0) {
            ::close(fd);
            return nullptr;
        }
        struct stat held {};
        struct stat named {};
        if (::fstat(fd, &held) == 0 && ::stat(lockPath.c_str(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
            return std::make_unique<FlockLock>(fd, lockPath);
        }
        ::close(fd);  // removed by the run that held it just now
    }
    return nullptr;
}

void PosixPlatform::CatchInterrupts() {
    // Past the file-size limit (ulimit -f) a write then fails with EFBIG, and
    // the run removes what it wrote, instead of the process dying mid-file.
    ::signal(SIGXFSZ, SIG_IGN);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction old {};
        ::sigaction(signal, nullptr, &old);
        // An interruption ignored by whoever started the program (nohup, a
        // background job) stays ignored.
        if (old.sa_handler == SIG_IGN) {
            continue;
        }
        struct sigaction action {};
        action.sa_handler = NoteInterrupt;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(signal, &action, nullptr);
    }
}

int PosixPlatform::PendingInterrupt() { return pendingInterrupt; }

void PosixPlatform::EndByInterrupt(int signal) {
    ::signal(signal, SIG_DFL);
    ::raise(signal);
    ::_exit(128 + signal);
}

FileHandle PosixPlatform::StandardInput() { return STDIN_FILENO; }

FileHandle PosixPlatform::StandardOutput() { return STDOUT_FILENO; }

void PosixPlatform::WidenPipe(FileHandle file, std::int64_t bytes) {
#ifdef F_SETPIPE_SZ
    struct stat info {};
    if (::fstat(file, &info) == 0 && S_ISFIFO(info.st_mode) &&
        ::fcntl(file, F_GETPIPE_SZ) < bytes) {
        // Refused beyond the system's limit for a user: the pipe stays as it was.
        static_cast<void>(::fcntl(file, F_SETPIPE_SZ, static_cast<int>(bytes)));
    }
#else
    static_cast<void>(file);
    static_cast<void>(bytes);
#endif
}

FileHandle PosixPlatform::OpenStream(const std::string& path) {
    // Opened without waiting, so that a FIFO nobody writes to yet is waited
    // for here, where an interruption is seen: a blocking open would be
    // restarted after each one.
    struct stat info {};
    const FileHandle fd = OpenWithoutWaiting(path, O_RDONLY, info);
    if (fd == kNoFile) {
        return kNoFile;
    }
    if (!S_ISFIFO(info.st_mode) && !S_ISCHR(info.st_mode) && !S_ISBLK(info.st_mode)) {
        lastError = kNotRegular;
        ::close(fd);
        return kNoFile;
    }
    // Until a writer has come, a FIFO shows neither bytes nor an end.
    pollfd waiting{fd, POLLIN, 0};
    int ready = 0;
    while (S_ISFIFO(info.st_mode) && (ready = ::poll(&waiting, 1, 200)) <= 0) {
        if (pendingInterrupt != 0 || (ready < 0 && errno != EINTR)) {
            lastError = ready < 0 && errno != EINTR ? errno : EINTR;
            ::close(fd);
            return kNoFile;
        }
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

bool PosixPlatform::IsTerminal(FileHandle file) { return ::isatty(file) == 1; }

void OccupyStandardDescriptors() {
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            // The lowest free number is fd itself: the ones below it are taken.
            ::open("/dev/null", fd == STDIN_FILENO ? O_WRONLY : O_RDONLY);
        }
    }
}

std::optional<std::string> PosixPlatform::HandleIdentity(FileHandle file) {
    struct stat info {};
    if (::fstat(file, &info) != 0) {
        return Failed(std::nullopt);
    }
    return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
}

int PosixPlatform::TerminalColumns() {
    struct winsize size {};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) != 0) {
        return 0;
    }
    return size.ws_col;
}

void PosixPlatform::SetLockFolder(std::string folder) { lockFolder_ = std::move(folder); }

std::string PosixPlatform::VolumeOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::int64_t PosixPlatform::FreeSpace(const std::string& volume) {
    struct statvfs info {};
    if (::statvfs(volume.c_str(), &info) != 0) {
        return -1;
    }
    return static_cast<std::int64_t>(info.f_bavail) * static_cast<std::int64_t>(info.f_frsize);
}

std::int64_t PosixPlatform::AllocationUnit(const std::string& volume) {
    struct statvfs info {};
    if (::statvfs(volume.c_str(), &info) != 0 || info.f_frsize == 0) {
        return 4096;
    }
    return static_cast<std::int64_t>(info.f_frsize);
}

std::int64_t PosixPlatform::PhysicalMemory() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0) {
        return 0;
    }
    return static_cast<std::int64_t>(pages) * pageSize;
}

std::optional<std::string> PosixPlatform::FloppyRoot(const std::string& path) {
    // "fd/../x", "//media/floppy" or a relative path must not slip past the test,
    // nor the mount point behind a link (/media/floppy -> floppy0).
    const std::string resolved = Resolved(path);
    for (const std::string& mountPoint : floppyMountPoints_) {
        if (mountPoint.empty()) {
            continue;
        }
        // The root the erase walks is the folder itself, never the link to it.
        const std::string root = Resolved(mountPoint);
        if (LiesIn(resolved, root) || LiesIn(resolved, Lexical(mountPoint))) {
            return root;
        }
    }
    return std::nullopt;
}

bool PosixPlatform::IsFolder(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::optional<std::vector<FolderEntry>> PosixPlatform::ListFolder(const std::string& path) {
    DIR* folder = ::opendir(path.c_str());
    if (folder == nullptr) {
        return std::nullopt;
    }
    std::vector<FolderEntry> entries;
    while (const dirent* entry = ::readdir(folder)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        // A link to a folder counts as a file: an erase must never follow it off the disk.
        struct stat info {};
        const bool isFolder =
            ::lstat(JoinPath(path, name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        entries.push_back({name, isFolder, name.starts_with('.')});
    }
    ::closedir(folder);
    return entries;
}

std::string PosixPlatform::JoinPath(const std::string& folder, const std::string& name) {
    return folder.ends_with('/') ? folder + name : folder + "/" + name;
}

std::string PosixPlatform::LocalDateTimeText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[128];
    const std::size_t length = std::strftime(text, sizeof text, "%x %X", &local);
    return std::string(text, length);
}

std::int64_t PosixPlatform::SteadyMilliseconds() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t{now.tv_sec} * 1000 + now.tv_nsec / 1'000'000;
}

// mkdtemp makes the folder for its owner alone (mode 0700) under a name no
// other run has, so nobody else can put a file or a link where ours will go.
std::string PosixPlatform::MakeTemporaryFolder() {
    const char* const given = std::getenv("TMPDIR");
    const std::string temp = given != nullptr && given[0] == '/' ? given : "/tmp";
    std::string name = JoinPath(temp, "brelker-XXXXXX");
    return ::mkdtemp(name.data()) != nullptr ? name : std::string();
}

bool PosixPlatform::RemoveFolder(const std::string& path) { return ::rmdir(path.c_str()) == 0; }

std::string PosixPlatform::CurrentFolder() {
    std::error_code error;
    const auto folder = std::filesystem::current_path(error);
    return error ? std::string() : folder.string();
}

bool PosixPlatform::SetCurrentFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::current_path(folder, error);
    return !error;
}

std::string PosixPlatform::DecimalSeparator() {
    // The numeric locale the program started with (Qt sets it from the
    // environment), as the date text takes its format from the same locale.
    const char* const point = std::localeconv()->decimal_point;
    return point != nullptr && *point != '\0' ? point : ".";
}

namespace {

// Editors that block until their window closes, with the option that makes them.
const std::vector<std::vector<std::string>> kBlockingEditors = {
    {"gedit", "--wait"},
    {"gnome-text-editor", "--standalone"},
    {"kate", "--block"},
    {"kwrite"},
    {"mousepad", "--disable-server"},
    {"xed", "--wait"},
    {"pluma"},
    {"featherpad", "--standalone"},
    {"leafpad"},
    {"gvim", "--nofork"},
};

bool OnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    if (path == nullptr) {
        return false;
    }
    std::string_view rest = path;
    while (!rest.empty()) {
        const auto colon = rest.find(':');
        const std::string folder(rest.substr(0, colon));
        if (!folder.empty() && ::access((folder + "/" + program).c_str(), X_OK) == 0) {
            return true;
        }
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    }
    return false;
}

// The shell's status for a command it could not find or not run.
constexpr int kShellCannotRun = 126;
constexpr int kShellNotFound = 127;

// Starts the command with its arguments and waits for it; false when it cannot
// start, or when the shell it started reports that it could not run the command.
bool RunAndWait(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& argument : command) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    if (::posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        return false;
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    const bool shellFailed = WIFEXITED(status) && (WEXITSTATUS(status) == kShellCannotRun ||
                                                   WEXITSTATUS(status) == kShellNotFound);
    return !shellFailed;
}

}  // namespace

bool PosixPlatform::ShowInTextViewer(const std::string& path) {
    std::vector<std::string> command = viewerCommand_;
    if (command.empty()) {
        if (const char* visual = std::getenv("VISUAL"); visual != nullptr && *visual != '\0') {
            // $VISUAL may carry options of its own: let the shell split it.
            command = {"/bin/sh", "-c", std::string(visual) + " \"$1\"", "sh"};
        } else {
            for (const auto& editor : kBlockingEditors) {
                if (OnPath(editor.front())) {
                    command = editor;
                    break;
                }
            }
        }
    }
    if (command.empty()) {
        return false;
    }
    command.push_back(path);
    return RunAndWait(command);
}

void PosixPlatform::SetViewerCommand(std::vector<std::string> command) {
    viewerCommand_ = std::move(command);
}

std::unique_ptr<char[]> PosixPlatform::Allocate(std::size_t size) {
    return std::unique_ptr<char[]>(new (std::nothrow) char[size]);
}

void PosixPlatform::SetFloppyMountPoints(std::vector<std::string> mountPoints) {
    floppyMountPoints_ = std::move(mountPoints);
}

}  // namespace brelker
