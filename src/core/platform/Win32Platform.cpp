#include "platform/Win32Platform.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <new>
#include <random>
#include <string_view>
#include <utility>

#include <windows.h>
// windows.h names DeleteFile as a macro for DeleteFileW; the platform's method keeps its name.
#undef DeleteFile

#include "platform/OwnNames.h"
#include "platform/ShortHash.h"
#include "platform/WideText.h"

namespace brelker {
namespace {

// One ReadFile or WriteFile moves at most this; its count is 32 bits.
constexpr std::int64_t kLargestSingleIo = std::int64_t{1} << 30;

// A mapped read makes views of at most this much: few calls, little memory.
constexpr std::int64_t kLargestView = std::int64_t{16} << 20;

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongUncPrefix = L"\\\\?\\UNC\\";
constexpr std::wstring_view kDevicePrefix = L"\\\\.\\";

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The reason of this thread's last failed call: a system error code, or
// kNotRegular for a name that is not a regular file. Codes with this bit set
// are left to applications, so the system never gives this one.
constexpr DWORD kNotRegular = 0x20000001;
thread_local DWORD lastError = 0;

// Notes the system's reason for a failure and gives back the failed result.
template <typename Result>
Result Failed(Result result) {
    lastError = ::GetLastError();
    return result;
}

HANDLE AsHandle(FileHandle file) { return reinterpret_cast<HANDLE>(file); }

FileHandle AsFileHandle(HANDLE handle) {
    return handle == INVALID_HANDLE_VALUE ? kNoFile : reinterpret_cast<FileHandle>(handle);
}

// The path made absolute as the system resolves it: against the current
// folder, "/" turned into "\", "." and ".." applied.
std::wstring FullWidePath(const std::wstring& path) {
    if (path.empty() || path.starts_with(kLongPrefix)) {
        return path;
    }
    const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) {
        return path;
    }
    std::wstring full(size, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) {
        return path;
    }
    full.resize(length);
    return full;
}

// A full path as the wide calls take it at any length: behind "\\?\", which
// also turns off every further change to the name.
std::wstring LongForm(const std::wstring& full) {
    if (full.empty() || full.starts_with(kLongPrefix) || full.starts_with(kDevicePrefix)) {
        return full;
    }
    if (full.starts_with(L"\\\\")) {
        return std::wstring(kLongUncPrefix) + full.substr(2);
    }
    return std::wstring(kLongPrefix) + full;
}

// A path as the wide calls take it at any length: absolute and long.
std::wstring SystemPath(const std::string& path) { return LongForm(FullWidePath(Widen(path))); }

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// True for a full path that the system resolves to a device rather than to a
// name on a volume: "NUL", "COM1" or "C:\x\CON" (as "\\.\NUL"), a pipe
// ("\\.\pipe\x"), a volume or a disk itself ("\\.\C:", "\\?\C:").
bool IsDeviceName(const std::wstring& full) {
    if (full.starts_with(kDevicePrefix)) {
        const std::wstring_view rest = std::wstring_view(full).substr(kDevicePrefix.size());
        return rest.size() < 3 || rest[1] != L':' || !IsSeparator(rest[2]);
    }
    return full.starts_with(kLongPrefix) && !full.starts_with(kLongUncPrefix) &&
           full.find(L'\\', kLongPrefix.size()) == std::wstring::npos;
}

// The path as the user writes it: without the "\\?\" that the system may hand back.
std::string Plain(std::wstring path) {
    if (path.starts_with(kLongUncPrefix)) {
        path = L"\\\\" + path.substr(kLongUncPrefix.size());
    } else if (path.starts_with(kLongPrefix)) {
        path = path.substr(kLongPrefix.size());
    }
    return Narrow(path);
}

// Others may read, and may rename or delete the file as they could on Linux;
// only one writer at a time.
DWORD ShareFor(DWORD access) {
    return (access & GENERIC_WRITE) == 0 ? kShareAll : FILE_SHARE_READ | FILE_SHARE_DELETE;
}

// Opens a handle that only tells what a name is, folders too; links are
// followed only with followLinks.
HANDLE OpenToLookAt(const std::wstring& systemPath, bool followLinks) {
    return ::CreateFileW(
        systemPath.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
        FILE_FLAG_BACKUP_SEMANTICS | (followLinks ? 0 : FILE_FLAG_OPEN_REPARSE_POINT), nullptr);
}

// The volume and the file's index on it: the same for every name of one file.
std::optional<std::string> IdentityOf(HANDLE handle, char separator) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(handle, &info)) {
        return Failed(std::nullopt);
    }
    const std::uint64_t index = (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
    return std::to_string(info.dwVolumeSerialNumber) + separator + std::to_string(index);
}

// What an open handle is. A reparse point that stands for another name (a
// symbolic link, a junction) is a link; any other (a file kept in the cloud,
// a deduplicated file) is the file itself, whose contents lie behind the
// filter that the reparse point names.
struct HandleKind {
    FileKind kind = FileKind::Special;
    bool filtered = false;
    // The system's reason when the handle could not be asked: it is then not
    // known to be anything, and no kind is claimed.
    DWORD error = ERROR_SUCCESS;
};

HandleKind KindOfHandle(HANDLE handle) {
    const DWORD type = ::GetFileType(handle);
    if (type == FILE_TYPE_UNKNOWN && ::GetLastError() != NO_ERROR) {
        return {FileKind::Special, false, ::GetLastError()};
    }
    if (type != FILE_TYPE_DISK) {
        return {};
    }
    FILE_ATTRIBUTE_TAG_INFO tag{};
    bool link = false;
    if (::GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &tag, sizeof tag)) {
        link = (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
               IsReparseTagNameSurrogate(tag.ReparseTag);
    } else {
        BY_HANDLE_FILE_INFORMATION info;
        if (!::GetFileInformationByHandle(handle, &info)) {
            return {FileKind::Special, false, ::GetLastError()};
        }
        // A reparse point of unknown kind counts as a link: never written through.
        tag.FileAttributes = info.dwFileAttributes;
        link = (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    }
    if (link) {
        return {FileKind::Link};
    }
    return {
        (tag.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileKind::Folder : FileKind::Regular,
        (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0};
}

bool IsFolderAttributes(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Opens path only when it names a regular file on a disk. A device is refused
// without being opened, since opening some already acts on them (a serial
// port's lines, a pipe's server); a pipe reached another way, a folder and,
// without followLinks, a symbolic link or junction at path are closed again
// untouched. Creating (OPEN_ALWAYS) never creates through a link.
FileHandle OpenRegular(const std::string& path, DWORD access, DWORD disposition, bool followLinks) {
    const std::wstring full = FullWidePath(Widen(path));
    if (IsDeviceName(full)) {
        lastError = kNotRegular;
        return kNoFile;
    }
    const std::wstring system = LongForm(full);
    const auto open = [&](DWORD how, DWORD flags) {
        return ::CreateFileW(system.c_str(), access, ShareFor(access), nullptr, how,
                             FILE_ATTRIBUTE_NORMAL | flags, nullptr);
    };
    HANDLE handle = open(disposition, followLinks ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
    if (handle == INVALID_HANDLE_VALUE) {
        lastError = ::GetLastError();
        // A folder opens only with backup semantics; without, the system calls it denied.
        if (lastError == ERROR_ACCESS_DENIED &&
            IsFolderAttributes(::GetFileAttributesW(system.c_str()))) {
            lastError = kNotRegular;
        }
        return kNoFile;
    }
    HandleKind kind = KindOfHandle(handle);
    if (kind.kind == FileKind::Regular && kind.filtered && !followLinks) {
        // Opened as the bare reparse point: its contents come only through its filter.
        // The file must still be the one just seen, not a link put in its place.
        const auto seen = IdentityOf(handle, ':');
        ::CloseHandle(handle);
        handle = open(OPEN_EXISTING, 0);
        if (handle == INVALID_HANDLE_VALUE) {
            return Failed(kNoFile);
        }
        kind = KindOfHandle(handle);
        if (!seen || IdentityOf(handle, ':') != seen) {
            kind.kind = FileKind::Special;
        }
    }
    if (kind.kind != FileKind::Regular) {
        ::CloseHandle(handle);
        lastError = kind.error != ERROR_SUCCESS ? kind.error : kNotRegular;
        return kNoFile;
    }
    return AsFileHandle(handle);
}

FileHandle OpenFile(const std::string& path, DWORD access, DWORD disposition) {
    return AsFileHandle(::CreateFileW(SystemPath(path).c_str(), access, ShareFor(access), nullptr,
                                      disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// True for a file on a disk fixed in the machine. A view of a file elsewhere
// raises an exception when the network or the medium goes away, where a read
// would merely fail.
bool OnFixedDisk(HANDLE file) {
    wchar_t name[MAX_PATH + 8];
    const DWORD length = ::GetFinalPathNameByHandleW(file, name, MAX_PATH + 8, VOLUME_NAME_DOS);
    if (length == 0 || length >= MAX_PATH + 8) {
        return false;  // too long to hold here, or unknown: read as usual
    }
    std::wstring path(name, length);
    if (path.starts_with(kLongPrefix)) {
        path = path.substr(kLongPrefix.size());
    }
    if (path.size() < 3 || path[1] != L':' || !IsSeparator(path[2])) {
        return false;  // a share
    }
    return ::GetDriveTypeW(path.substr(0, 3).c_str()) == DRIVE_FIXED;
}

// A read-only mapping of a file on a fixed disk, made through a handle of its
// own with read access (the caller's may be for writing only), which the
// mapping keeps open; nullptr where the file is not to be mapped.
HANDLE MappingOf(HANDLE file) {
    if (!OnFixedDisk(file)) {
        return nullptr;
    }
    const HANDLE own = ::ReOpenFile(file, GENERIC_READ, kShareAll, 0);
    if (own == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    const HANDLE mapping = ::CreateFileMappingW(own, nullptr, PAGE_READONLY, 0, 0, nullptr);
    ::CloseHandle(own);
    return mapping;
}

// A view of length bytes of a mapping from offset on; it starts skip bytes
// earlier, where views must start.
const void* MapRange(HANDLE mapping, std::int64_t offset, std::size_t length, std::size_t& skip) {
    static const std::int64_t granularity = [] {
        SYSTEM_INFO info;
        ::GetSystemInfo(&info);
        return std::int64_t{info.dwAllocationGranularity};
    }();
    const std::int64_t start = offset - offset % granularity;
    skip = static_cast<std::size_t>(offset - start);
    return ::MapViewOfFile(mapping, FILE_MAP_READ, static_cast<DWORD>(start >> 32),
                           static_cast<DWORD>(start & 0xFFFFFFFF), skip + length);
}

// Pages are at least this large; a view made ahead touches one byte of each.
constexpr std::size_t kPageTouched = 4096;

// A view that MapAhead made.
class Win32View : public FileView {
public:
    Win32View(const void* base, std::size_t skip, std::size_t size)
        : base_(base), skip_(skip), size_(size) {}
    ~Win32View() override { ::UnmapViewOfFile(base_); }
    Win32View(const Win32View&) = delete;
    Win32View& operator=(const Win32View&) = delete;

    const char* Bytes() const { return static_cast<const char*>(base_) + skip_; }
    std::size_t Size() const { return size_; }

private:
    const void* base_;
    std::size_t skip_;
    std::size_t size_;
};

// Identity, size and times of whatever has this name, folders too; links followed.
bool Information(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    const HANDLE handle = OpenToLookAt(SystemPath(path), true);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool known = ::GetFileInformationByHandle(handle, &info) != 0;
    ::CloseHandle(handle);
    return known;
}

DWORD Attributes(const std::string& path) { return ::GetFileAttributesW(SystemPath(path).c_str()); }

// The root of a volume: "C:\" or "\\server\share\".
std::wstring RootOf(const std::wstring& full) {
    if (full.size() >= 2 && full[1] == L':') {
        return full.substr(0, 2) + L'\\';
    }
    if (full.starts_with(L"\\\\")) {
        auto end = full.find(L'\\', 2);
        end = end == std::wstring::npos ? end : full.find(L'\\', end + 1);
        return end == std::wstring::npos ? full + L'\\' : full.substr(0, end + 1);
    }
    return full;
}

bool StartsWithIgnoringCase(const std::wstring& text, const std::wstring& start) {
    return text.size() >= start.size() &&
           ::CompareStringOrdinal(text.c_str(), static_cast<int>(start.size()), start.c_str(),
                                  static_cast<int>(start.size()), TRUE) == CSTR_EQUAL;
}

// A path counts as lying in folder when it is the folder or below it.
bool LiesIn(const std::wstring& path, std::wstring folder) {
    while (folder.size() > 1 && IsSeparator(folder.back())) {
        folder.pop_back();
    }
    return StartsWithIgnoringCase(path, folder) &&
           (path.size() == folder.size() || IsSeparator(path[folder.size()]));
}

// One argument as CommandLineToArgvW reads it back: quoted when it holds
// blanks or quotes, backslashes doubled where they come before a quote.
std::wstring QuotedArgument(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) {
        return argument;
    }
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

// Names on Windows volumes ignore case: every spelling in the capitals that
// the file system compares.
std::wstring Capitals(const std::wstring& text) {
    const int size = static_cast<int>(text.size());
    std::wstring upper(text.size(), L'\0');
    const int length = ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.c_str(), size,
                                       upper.data(), size, nullptr, nullptr, 0);
    return length == size ? upper : text;
}

// The folder of the run locks, without a separator at its end; empty when
// there is none.
std::wstring LockFolderOf(const std::string& chosen) {
    std::wstring folder;
    if (!chosen.empty()) {
        folder = SystemPath(chosen);
    } else {
        wchar_t temp[MAX_PATH + 1];
        const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
        if (length == 0 || length > MAX_PATH) {
            return {};
        }
        folder = LongForm(FullWidePath(std::wstring(temp, length) + L"brelker-locks"));
    }
    while (!folder.empty() && IsSeparator(folder.back())) {
        folder.pop_back();
    }
    return folder;
}

// The name of a run's lock: the identity of the file's folder and the file's
// own name, so that every path to the file finds the same lock, whatever its
// case, its "..", or a short 8.3 name.
std::string LockKey(const std::string& path) {
    const std::wstring full = FullWidePath(Widen(path));
    const auto separator = full.find_last_of(L"\\/");
    if (separator != std::wstring::npos) {
        std::wstring name = full.substr(separator + 1);
        // Wildcards (the system's own "<>\"" among them) would find another file's name.
        if (name.find_first_of(L"*?<>\"") == std::wstring::npos) {
            WIN32_FIND_DATAW found;
            const HANDLE search = ::FindFirstFileExW(LongForm(full).c_str(), FindExInfoBasic,
                                                     &found, FindExSearchNameMatch, nullptr, 0);
            if (search != INVALID_HANDLE_VALUE) {
                name = found.cFileName;
                ::FindClose(search);
            }
        }
        const HANDLE parent = OpenToLookAt(LongForm(full.substr(0, separator + 1)), true);
        if (parent != INVALID_HANDLE_VALUE) {
            const auto identity = IdentityOf(parent, '-');
            ::CloseHandle(parent);
            if (identity) {
                return *identity + "-" + ShortHash(Narrow(Capitals(name)));
            }
        }
    }
    return "path-" + ShortHash(Narrow(Capitals(full)));
}

// A lock file that no one else may open while it is held (no sharing) and
// that the system removes when its last handle closes, also when the process
// ends without giving the lock up.
class ExclusiveFileLock : public RunLock {
public:
    explicit ExclusiveFileLock(HANDLE handle) : handle_(handle) {}
    ~ExclusiveFileLock() override { ::CloseHandle(handle_); }
    ExclusiveFileLock(const ExclusiveFileLock&) = delete;
    ExclusiveFileLock& operator=(const ExclusiveFileLock&) = delete;

private:
    HANDLE handle_;
};

std::atomic<int> pendingInterrupt = 0;

// Runs on a thread of its own that the system starts for each event.
BOOL WINAPI NoteInterrupt(DWORD event) {
    const bool keyboard = event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT;
    int none = 0;
    pendingInterrupt.compare_exchange_strong(none, keyboard ? 2 : 1);
    if (!keyboard) {
        // A closed console, a log-off or a shut-down ends the process as soon
        // as this returns: it waits here while the run cleans up and ends the
        // process itself, or the system ends it when its time is up.
        ::Sleep(INFINITE);
    }
    return TRUE;
}

}  // namespace

Win32Platform::Win32Platform() : floppyRoots_{"A:\\", "B:\\"} {}

FileHandle Win32Platform::OpenForReading(const std::string& path) {
    return OpenRegular(path, GENERIC_READ, OPEN_EXISTING, true);
}

FileHandle Win32Platform::CreateForWriting(const std::string& path) {
    // Emptied only once it is known to be a regular file: CREATE_ALWAYS would
    // empty what a link leads to, and "succeeds" on a device such as NUL.
    FileHandle file = OpenRegular(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS, false);
    if (file == kNoFile && lastError == ERROR_ACCESS_DENIED) {
        file = OpenRegular(path, GENERIC_WRITE, OPEN_ALWAYS, false);  // a file that may not be read
    }
    if (file != kNoFile && !Truncate(file, 0)) {
        Close(file);
        return kNoFile;
    }
    return file;
}

FileHandle Win32Platform::OpenForWriting(const std::string& path) {
    return OpenRegular(path, GENERIC_WRITE, OPEN_EXISTING, false);
}

FileHandle Win32Platform::OpenForUpdating(const std::string& path) {
    return OpenRegular(path, GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING, false);
}

std::int64_t Win32Platform::SizeOf(FileHandle file) {
    LARGE_INTEGER size;
    return ::GetFileSizeEx(AsHandle(file), &size) ? size.QuadPart : Failed(std::int64_t{-1});
}

std::int64_t Win32Platform::Read(FileHandle file, char* buffer, std::int64_t count) {
    std::int64_t done = 0;
    while (done < count) {
        const auto chunk = static_cast<DWORD>(std::min(count - done, kLargestSingleIo));
        DWORD got = 0;
        if (!::ReadFile(AsHandle(file), buffer + done, chunk, &got, nullptr)) {
            // A pipe whose writer has gone ends here, as a file would.
            if (::GetLastError() == ERROR_BROKEN_PIPE) {
                break;
            }
            return Failed(-1);
        }
        if (got == 0) {
            break;
        }
        done += got;
    }
    return done;
}

std::int64_t Win32Platform::Write(FileHandle file, const char* buffer, std::int64_t count) {
    std::int64_t done = 0;
    while (done < count) {
        const auto chunk = static_cast<DWORD>(std::min(count - done, kLargestSingleIo));
        DWORD put = 0;
        const bool written = ::WriteFile(AsHandle(file), buffer + done, chunk, &put, nullptr);
        if (!written || put == 0) {
            lastError = written ? ERROR_DISK_FULL : ::GetLastError();
            return done > 0 ? done : -1;
        }
        done += put;
    }
    return done;
}

std::int64_t Win32Platform::CopyRange(FileHandle, FileHandle, std::int64_t) {
    // Windows copies ranges between open files only through the caller's buffer.
    return kCopyUnsupported;
}

bool Win32Platform::Seek(FileHandle file, std::int64_t offset) {
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    if (offset < 0) {
        lastError = ERROR_NEGATIVE_SEEK;
        return false;
    }
    return ::SetFilePointerEx(AsHandle(file), distance, nullptr, FILE_BEGIN) != 0 || Failed(false);
}

bool Win32Platform::Truncate(FileHandle file, std::int64_t size) {
    // Unlike SetEndOfFile, this leaves the file's position where it was.
    FILE_END_OF_FILE_INFO end;
    end.EndOfFile.QuadPart = size;
    return ::SetFileInformationByHandle(AsHandle(file), FileEndOfFileInfo, &end, sizeof end) != 0 ||
           Failed(false);
}

std::int64_t Win32Platform::ReadAt(FileHandle file, std::int64_t offset, char* buffer,
                                   std::int64_t count) {
    // A read at an offset still moves the position of a handle opened for
    // plain reading; a handle of its own on the same file leaves the caller's alone.
    const HANDLE own = ::ReOpenFile(AsHandle(file), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0);
    if (own == INVALID_HANDLE_VALUE) {
        return Failed(-1);
    }
    std::int64_t done = 0;
    while (done < count) {
        const auto chunk = static_cast<DWORD>(std::min(count - done, kLargestSingleIo));
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(static_cast<std::uint64_t>(offset + done));
        at.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(offset + done) >> 32);
        DWORD got = 0;
        if (!::ReadFile(own, buffer + done, chunk, &got, &at)) {
            const bool atEnd = ::GetLastError() == ERROR_HANDLE_EOF;
            lastError = atEnd ? lastError : ::GetLastError();
            ::CloseHandle(own);
            return atEnd ? done : -1;
        }
        if (got == 0) {
            break;
        }
        done += got;
    }
    ::CloseHandle(own);
    return done;
}

std::int64_t Win32Platform::ReadMapped(FileHandle file, std::int64_t offset, std::int64_t count,
                                       const std::function<void(const char*, std::size_t)>& take) {
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(AsHandle(file), &size)) {
        return Failed(std::int64_t{-1});
    }
    if (offset < 0 || count < 0 || offset > size.QuadPart - count) {
        lastError = ERROR_HANDLE_EOF;
        return -1;
    }
    const HANDLE mapping = count == 0 ? nullptr : MappingOf(AsHandle(file));
    if (mapping == nullptr) {
        return 0;
    }
    std::int64_t done = 0;
    while (done < count) {
        const auto length = static_cast<std::size_t>(std::min(count - done, kLargestView));
        std::size_t skip = 0;
        const void* view = MapRange(mapping, offset + done, length, skip);
        if (view == nullptr) {
            break;  // the rest is read as usual
        }
        take(static_cast<const char*>(view) + skip, length);
        ::UnmapViewOfFile(view);
        done += static_cast<std::int64_t>(length);
    }
    ::CloseHandle(mapping);
    return done;
}

std::unique_ptr<FileView> Win32Platform::MapAhead(FileHandle file, std::int64_t offset,
                                                  std::int64_t count) {
    LARGE_INTEGER size;
    if (count <= 0 || count > kLargestView || offset < 0 ||
        !::GetFileSizeEx(AsHandle(file), &size) || offset > size.QuadPart - count) {
        return nullptr;  // ReadMapped tells why
    }
    const HANDLE mapping = MappingOf(AsHandle(file));
    if (mapping == nullptr) {
        return nullptr;
    }
    std::size_t skip = 0;
    const auto length = static_cast<std::size_t>(count);
    const void* view = MapRange(mapping, offset, length, skip);
    ::CloseHandle(mapping);  // the view keeps it
    if (view == nullptr) {
        return nullptr;
    }
    // Each page is touched here, so that the thread that reads the view finds
    // them all in place, as a populated view on POSIX.
    const auto* bytes = static_cast<const volatile char*>(view);
    for (std::size_t at = 0; at < skip + length; at += kPageTouched) {
        static_cast<void>(bytes[at]);
    }
    return std::make_unique<Win32View>(view, skip, length);
}

std::int64_t Win32Platform::ReadView(const FileView& view,
                                     const std::function<void(const char*, std::size_t)>& take) {
    const auto& mapped = static_cast<const Win32View&>(view);
    take(mapped.Bytes(), mapped.Size());
    return static_cast<std::int64_t>(mapped.Size());
}

bool Win32Platform::Flush(FileHandle file) {
    return ::FlushFileBuffers(AsHandle(file)) != 0 || Failed(false);
}

void Win32Platform::StartFlush(FileHandle, std::int64_t, std::int64_t) {
    // Windows has no call that starts a flush without waiting for it.
}

void Win32Platform::Close(FileHandle file) {
    if (file != kNoFile) {
        ::CloseHandle(AsHandle(file));
    }
}

bool Win32Platform::DeleteFile(const std::string& path) {
    return ::DeleteFileW(SystemPath(path).c_str()) != 0 || Failed(false);
}

FileHandle Win32Platform::CreateTemporaryBeside(const std::string& path, std::string& tempPath) {
    // Not hidden: the attribute would stay on the file. The handle holds the
    // file: it shares no writing, and TakeLeftFile asks for sharing that
    // this handle does not give.
    const std::string pattern = TemporaryPattern(path);
    const std::size_t random = pattern.size() - kTemporaryRandomLength;
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::mt19937 generator(seed());
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = pattern;
        for (std::size_t i = random; i < candidate.size(); ++i) {
            candidate[i] = kLetters[pick(generator)];
        }
        // Readable as well, as what CreateForWriting gives: what is written is read back.
        const FileHandle file = OpenFile(candidate, GENERIC_READ | GENERIC_WRITE, CREATE_NEW);
        if (file != kNoFile) {
            tempPath = candidate;
            return file;
        }
        lastError = ::GetLastError();
        if (lastError != ERROR_FILE_EXISTS) {
            break;
        }
    }
    tempPath.clear();
    return kNoFile;
}

FileHandle Win32Platform::TakeLeftFile(const std::string& path, bool& held, bool forWriting) {
    held = false;
    const std::wstring full = FullWidePath(Widen(path));
    if (IsDeviceName(full)) {
        lastError = kNotRegular;
        return kNoFile;
    }
    // Shared with deleting alone: the handle of a live run, which writes,
    // makes this open fail, and no run that comes after can open it. Taken to
    // go on writing, it is shared as a file being written is (its bytes are
    // read back by name), which still keeps out every other writer and taker.
    const DWORD access = GENERIC_READ | (forWriting ? GENERIC_WRITE : 0);
    const HANDLE handle = ::CreateFileW(
        LongForm(full).c_str(), access, forWriting ? ShareFor(access) : FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        lastError = ::GetLastError();
        held = lastError == ERROR_SHARING_VIOLATION;
        return kNoFile;
    }
    if (KindOfHandle(handle).kind != FileKind::Regular) {
        ::CloseHandle(handle);
        lastError = kNotRegular;
        return kNoFile;
    }
    return AsFileHandle(handle);
}

// Windows runs a file by its name's extension, not by a mode.
bool Win32Platform::MakeExecutable(FileHandle) { return true; }

bool Win32Platform::RenameFile(const std::string& from, const std::string& to) {
    return ::MoveFileExW(SystemPath(from).c_str(), SystemPath(to).c_str(),
                         MOVEFILE_REPLACE_EXISTING) != 0 ||
           Failed(false);
}

bool Win32Platform::RenameToNewName(const std::string& from, const std::string& to) {
    return ::MoveFileExW(SystemPath(from).c_str(), SystemPath(to).c_str(), 0) != 0 || Failed(false);
}

std::int64_t Win32Platform::FileSize(const std::string& path) {
    const FileHandle file = OpenForReading(path);
    if (file == kNoFile) {
        return -1;
    }
    LARGE_INTEGER size;
    const bool known = ::GetFileSizeEx(AsHandle(file), &size) != 0;
    Close(file);
    return known ? size.QuadPart : -1;
}

bool Win32Platform::Exists(const std::string& path) {
    return Attributes(path) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::string> Win32Platform::FileStamp(const std::string& path) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!Information(path, info)) {
        return std::nullopt;
    }
    const auto join = [](DWORD high, DWORD low) {
        return std::to_string((std::uint64_t{high} << 32) | low);
    };
    return std::to_string(info.dwVolumeSerialNumber) + ":" +
           join(info.nFileIndexHigh, info.nFileIndexLow) + ":" +
           join(info.nFileSizeHigh, info.nFileSizeLow) + ":" +
           join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime);
}

bool Win32Platform::SameFile(const std::string& first, const std::string& second) {
    BY_HANDLE_FILE_INFORMATION a;
    BY_HANDLE_FILE_INFORMATION b;
    return Information(first, a) && Information(second, b) &&
           a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

FileKind Win32Platform::KindOf(const std::string& path, bool followLinks) {
    const std::wstring full = FullWidePath(Widen(path));
    if (IsDeviceName(full)) {
        return FileKind::Special;
    }
    const std::wstring system = LongForm(full);
    const HANDLE handle = OpenToLookAt(system, followLinks);
    if (handle != INVALID_HANDLE_VALUE) {
        const FileKind kind = KindOfHandle(handle).kind;
        ::CloseHandle(handle);
        return kind;
    }
    // Something that cannot be opened even to look at (a file the system
    // holds, as its paging file) is told by its attributes, a link not followed.
    const DWORD attributes = ::GetFileAttributesW(system.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return Failed(FileKind::Missing);
    }
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        return followLinks ? FileKind::Missing : FileKind::Link;
    }
    return IsFolderAttributes(attributes) ? FileKind::Folder : FileKind::Regular;
}

std::optional<std::string> Win32Platform::FileIdentity(const std::string& path) {
    // A device is no file on a volume and has no index there.
    const std::wstring full = FullWidePath(Widen(path));
    if (IsDeviceName(full)) {
        return std::nullopt;
    }
    const HANDLE handle = OpenToLookAt(LongForm(full), false);
    if (handle == INVALID_HANDLE_VALUE) {
        return Failed(std::nullopt);
    }
    auto identity = IdentityOf(handle, ':');
    ::CloseHandle(handle);
    return identity;
}

bool Win32Platform::LastErrorIsMissing() {
    return lastError == ERROR_FILE_NOT_FOUND || lastError == ERROR_PATH_NOT_FOUND;
}

bool Win32Platform::LastErrorIsFull() {
    return lastError == ERROR_DISK_FULL || lastError == ERROR_HANDLE_DISK_FULL;
}

std::string Win32Platform::LastErrorText() {
    if (lastError == kNotRegular) {
        return "Not a regular file";
    }
    if (lastError == ERROR_SUCCESS) {
        return {};
    }
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, lastError, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    if (length == 0 || text == nullptr) {
        return "Unknown error " + std::to_string(lastError);
    }
    std::wstring message(text, length);
    ::LocalFree(text);
    while (!message.empty() &&
           (message.back() == L'\r' || message.back() == L'\n' || message.back() == L' ')) {
        message.pop_back();
    }
    return Narrow(message);
}

bool Win32Platform::FlushFolder(const std::string&) {
    // A folder's entries go to the disk with the files' own metadata; there is
    // no handle on a folder to flush.
    return true;
}

std::unique_ptr<RunLock> Win32Platform::LockForWriting(const std::string& path) {
    const std::wstring folder = LockFolderOf(lockFolder_);
    if (!folder.empty()) {
        ::CreateDirectoryW(folder.c_str(), nullptr);
    }
    const DWORD attributes =
        folder.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(folder.c_str());
    if (!IsFolderAttributes(attributes) || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        // Without a folder of the user's own there is no lock to be had, and
        // no run could start: runs go on unlocked, as before locks existed.
        return std::make_unique<RunLock>();
    }
    const std::wstring lockPath = folder + L"\\" + Widen(LockKey(path)) + L".lock";
    for (int attempt = 0; attempt < 8; ++attempt) {
        const HANDLE handle =
            ::CreateFileW(lockPath.c_str(), DELETE | FILE_READ_ATTRIBUTES, 0, nullptr, OPEN_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            return std::make_unique<ExclusiveFileLock>(handle);
        }
        const DWORD error = ::GetLastError();
        if (error == ERROR_SHARING_VIOLATION) {
            return nullptr;
        }
        if (error != ERROR_ACCESS_DENIED) {
            break;
        }
        // The file of a lock just given up stays, pending removal, while
        // someone else (a virus scanner) still looks at it.
        ::Sleep(10);
    }
    return std::make_unique<RunLock>();
}

void Win32Platform::CatchInterrupts() { ::SetConsoleCtrlHandler(NoteInterrupt, TRUE); }

int Win32Platform::PendingInterrupt() { return pendingInterrupt; }

void Win32Platform::EndByInterrupt(int signal) {
    // Windows has no signal to raise: the exit code is the one a shell gives
    // a process that a signal ended.
    ::ExitProcess(static_cast<UINT>(128 + signal));
}

namespace {

FileHandle StandardHandle(DWORD which) {
    const HANDLE handle = ::GetStdHandle(which);
    return handle == nullptr || handle == INVALID_HANDLE_VALUE
               ? kNoFile
               : reinterpret_cast<FileHandle>(handle);
}

}  // namespace

FileHandle Win32Platform::StandardInput() { return StandardHandle(STD_INPUT_HANDLE); }

FileHandle Win32Platform::StandardOutput() { return StandardHandle(STD_OUTPUT_HANDLE); }

FileHandle Win32Platform::OpenStream(const std::string& path) {
    if (KindOf(path, true) != FileKind::Special) {
        lastError = kNotRegular;
        return kNoFile;
    }
    const HANDLE handle = ::CreateFileW(SystemPath(path).c_str(), GENERIC_READ, kShareAll, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return handle == INVALID_HANDLE_VALUE ? Failed(kNoFile) : AsFileHandle(handle);
}

bool Win32Platform::IsTerminal(FileHandle file) {
    DWORD mode = 0;
    return ::GetConsoleMode(AsHandle(file), &mode) != 0;
}

std::optional<std::string> Win32Platform::HandleIdentity(FileHandle file) {
    return IdentityOf(AsHandle(file), ':');
}

int Win32Platform::TerminalColumns() {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (!::GetConsoleScreenBufferInfo(::GetStdHandle(STD_ERROR_HANDLE), &info)) {
        return 0;
    }
    return info.srWindow.Right - info.srWindow.Left + 1;
}

void Win32Platform::SetLockFolder(std::string folder) { lockFolder_ = std::move(folder); }

std::string Win32Platform::VolumeOf(const std::string& path) {
    const std::wstring full = SystemPath(path);
    std::wstring volume(full.size() + 2, L'\0');
    if (::GetVolumePathNameW(full.c_str(), volume.data(), static_cast<DWORD>(volume.size()))) {
        volume.resize(volume.find(L'\0'));
        return Plain(volume);
    }
    return Plain(RootOf(FullWidePath(Widen(path))));
}

std::int64_t Win32Platform::FreeSpace(const std::string& volume) {
    ULARGE_INTEGER available;
    if (!::GetDiskFreeSpaceExW(SystemPath(volume).c_str(), &available, nullptr, nullptr)) {
        return -1;
    }
    return static_cast<std::int64_t>(available.QuadPart);
}

std::int64_t Win32Platform::AllocationUnit(const std::string& volume) {
    DWORD sectorsPerCluster = 0;
    DWORD bytesPerSector = 0;
    DWORD freeClusters = 0;
    DWORD clusters = 0;
    const std::wstring root = RootOf(FullWidePath(Widen(volume)));
    if (!::GetDiskFreeSpaceW(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                             &clusters) ||
        sectorsPerCluster == 0 || bytesPerSector == 0) {
        return 4096;
    }
    return std::int64_t{sectorsPerCluster} * bytesPerSector;
}

std::int64_t Win32Platform::PhysicalMemory() {
    MEMORYSTATUSEX status;
    status.dwLength = sizeof status;
    if (!::GlobalMemoryStatusEx(&status)) {
        return 0;
    }
    return static_cast<std::int64_t>(status.ullTotalPhys);
}

std::optional<std::string> Win32Platform::FloppyRoot(const std::string& path) {
    const std::wstring full = FullWidePath(Widen(path));
    for (const std::string& root : floppyRoots_) {
        if (root.empty()) {
            continue;
        }
        const std::wstring rootFull = FullWidePath(Widen(root));
        if (!LiesIn(full, rootFull)) {
            continue;
        }
        // A letter A: or B: that names a network share or a fixed disk is no floppy:
        // nothing on it may ever be erased.
        const bool driveRoot = rootFull.size() == 3 && rootFull[1] == L':';
        if (driveRoot && ::GetDriveTypeW(rootFull.c_str()) != DRIVE_REMOVABLE) {
            continue;
        }
        return Narrow(rootFull);
    }
    return std::nullopt;
}

bool Win32Platform::IsFolder(const std::string& path) {
    // A link or junction to a folder is no folder here: an erase must never follow it off the disk.
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
}

std::optional<std::vector<FolderEntry>> Win32Platform::ListFolder(const std::string& path) {
    std::wstring pattern = SystemPath(path);
    pattern += IsSeparator(pattern.back()) ? L"*" : L"\\*";
    WIN32_FIND_DATAW found;
    const HANDLE search =
        ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                           FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) {
        // The root of an empty drive has not even "." and "..".
        if (::GetLastError() == ERROR_FILE_NOT_FOUND && IsFolder(path)) {
            return std::vector<FolderEntry>();
        }
        return std::nullopt;
    }
    std::vector<FolderEntry> entries;
    do {
        const std::wstring_view name = found.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        const DWORD attributes = found.dwFileAttributes;
        const bool isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                              (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
        const bool isHidden = (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
        entries.push_back({Narrow(name), isFolder, isHidden});
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return entries;
}

std::string Win32Platform::JoinPath(const std::string& folder, const std::string& name) {
    return !folder.empty() && (folder.back() == '\\' || folder.back() == '/')
               ? folder + name
               : folder + "\\" + name;
}

// %TEMP% is the user's own; a name with the process and a count in it is new
// to this run, and CreateDirectory refuses one that is there already.
std::string Win32Platform::MakeTemporaryFolder() {
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH) {
        return {};
    }
    const std::wstring base =
        std::wstring(temp, length) + L"brelker-" + std::to_wstring(::GetCurrentProcessId()) + L"-";
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const std::wstring folder =
            base + std::to_wstring((::GetTickCount64() + attempt) % 1'000'000);
        if (::CreateDirectoryW(LongForm(FullWidePath(folder)).c_str(), nullptr) != 0) {
            return Plain(folder);
        }
        if (::GetLastError() != ERROR_ALREADY_EXISTS) {
            return {};
        }
    }
    return {};
}

bool Win32Platform::RemoveFolder(const std::string& path) {
    return ::RemoveDirectoryW(SystemPath(path).c_str()) != 0;
}

std::int64_t Win32Platform::SteadyMilliseconds() {
    return static_cast<std::int64_t>(::GetTickCount64());
}

std::string Win32Platform::LocalDateTimeText() {
    wchar_t date[128] = {};
    wchar_t time[128] = {};
    ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 128,
                      nullptr);
    ::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, nullptr, nullptr, time, 128);
    return Narrow(date) + " " + Narrow(time);
}

std::string Win32Platform::CurrentFolder() {
    const DWORD size = ::GetCurrentDirectoryW(0, nullptr);
    if (size == 0) {
        return {};
    }
    std::wstring folder(size, L'\0');
    const DWORD length = ::GetCurrentDirectoryW(size, folder.data());
    if (length == 0 || length >= size) {
        return {};
    }
    folder.resize(length);
    return Plain(folder);
}

bool Win32Platform::SetCurrentFolder(const std::string& folder) {
    // The current folder takes no \\?\ prefix: the plain form, as the user wrote it.
    return ::SetCurrentDirectoryW(Widen(folder).c_str()) != 0;
}

std::string Win32Platform::DecimalSeparator() {
    wchar_t separator[8] = {};
    if (::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) == 0) {
        return ".";
    }
    return Narrow(separator);
}

bool Win32Platform::ShowInTextViewer(const std::string& path) {
    std::vector<std::string> command = viewerCommand_;
    if (command.empty()) {
        command = {"notepad.exe"};
    }
    command.push_back(path);
    std::wstring line;
    for (const std::string& argument : command) {
        line += (line.empty() ? L"" : L" ") + QuotedArgument(Widen(argument));
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process)) {
        return false;
    }
    ::WaitForSingleObject(process.hProcess, INFINITE);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

void Win32Platform::SetViewerCommand(std::vector<std::string> command) {
    viewerCommand_ = std::move(command);
}

std::unique_ptr<char[]> Win32Platform::Allocate(std::size_t size) {
    return std::unique_ptr<char[]>(new (std::nothrow) char[size]);
}

void Win32Platform::SetFloppyMountPoints(std::vector<std::string> mountPoints) {
    floppyRoots_ = std::move(mountPoints);
}

}  // namespace brelker
