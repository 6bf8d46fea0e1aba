#include "platform/Win32Platform.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <random>
#include <string_view>
#include <utility>

#include <windows.h>
// windows.h names DeleteFile as a macro for DeleteFileW; the platform's method keeps its name.
#undef DeleteFile

#include "platform/WideText.h"

namespace brelker {
namespace {

// One ReadFile or WriteFile moves at most this; its count is 32 bits.
constexpr std::int64_t kLargestSingleIo = std::int64_t{1} << 30;

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongUncPrefix = L"\\\\?\\UNC\\";

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

// A path as the wide calls take it at any length: absolute and behind "\\?\",
// which also turns off every further change to the name.
std::wstring SystemPath(const std::string& path) {
    const std::wstring full = FullWidePath(Widen(path));
    if (full.empty() || full.starts_with(kLongPrefix) || full.starts_with(L"\\\\.\\")) {
        return full;
    }
    if (full.starts_with(L"\\\\")) {
        return std::wstring(kLongUncPrefix) + full.substr(2);
    }
    return std::wstring(kLongPrefix) + full;
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

FileHandle OpenFile(const std::string& path, DWORD access, DWORD disposition) {
    // Others may read, and may rename or delete the file as they could on Linux;
    // only one writer at a time.
    const DWORD share = access == GENERIC_READ
                            ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE
                            : FILE_SHARE_READ | FILE_SHARE_DELETE;
    return AsFileHandle(::CreateFileW(SystemPath(path).c_str(), access, share, nullptr, disposition,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Identity, size and times of whatever has this name, folders too; links followed.
bool Information(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    const HANDLE handle =
        ::CreateFileW(SystemPath(path).c_str(), FILE_READ_ATTRIBUTES,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool known = ::GetFileInformationByHandle(handle, &info) != 0;
    ::CloseHandle(handle);
    return known;
}

DWORD Attributes(const std::string& path) { return ::GetFileAttributesW(SystemPath(path).c_str()); }

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

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

}  // namespace

Win32Platform::Win32Platform() : floppyRoots_{"A:\\", "B:\\"} {}

FileHandle Win32Platform::OpenForReading(const std::string& path) {
    // A folder cannot be opened this way: CreateFileW takes one only with backup semantics.
    return OpenFile(path, GENERIC_READ, OPEN_EXISTING);
}

FileHandle Win32Platform::CreateForWriting(const std::string& path) {
    return OpenFile(path, GENERIC_WRITE, CREATE_ALWAYS);
}

FileHandle Win32Platform::OpenForWriting(const std::string& path) {
    return OpenFile(path, GENERIC_WRITE, OPEN_EXISTING);
}

std::int64_t Win32Platform::Read(FileHandle file, char* buffer, std::int64_t count) {
    std::int64_t done = 0;
    while (done < count) {
        const auto chunk = static_cast<DWORD>(std::min(count - done, kLargestSingleIo));
        DWORD got = 0;
        if (!::ReadFile(AsHandle(file), buffer + done, chunk, &got, nullptr)) {
            return -1;
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
        if (!::WriteFile(AsHandle(file), buffer + done, chunk, &put, nullptr) || put == 0) {
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
    return offset >= 0 && ::SetFilePointerEx(AsHandle(file), distance, nullptr, FILE_BEGIN) != 0;
}

bool Win32Platform::Truncate(FileHandle file, std::int64_t size) {
    // Unlike SetEndOfFile, this leaves the file's position where it was.
    FILE_END_OF_FILE_INFO end;
    end.EndOfFile.QuadPart = size;
    return ::SetFileInformationByHandle(AsHandle(file), FileEndOfFileInfo, &end, sizeof end) != 0;
}

std::int64_t Win32Platform::ReadAt(FileHandle file, std::int64_t offset, char* buffer,
                                   std::int64_t count) {
    // A read at an offset still moves the position of a handle opened for
    // plain reading; a handle of its own on the same file leaves the caller's alone.
    const HANDLE own = ::ReOpenFile(AsHandle(file), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0);
    if (own == INVALID_HANDLE_VALUE) {
        return -1;
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

bool Win32Platform::Flush(FileHandle file) { return ::FlushFileBuffers(AsHandle(file)) != 0; }

void Win32Platform::Close(FileHandle file) {
    if (file != kNoFile) {
        ::CloseHandle(AsHandle(file));
    }
}

bool Win32Platform::DeleteFile(const std::string& path) {
    return ::DeleteFileW(SystemPath(path).c_str()) != 0;
}

FileHandle Win32Platform::CreateTemporaryBeside(const std::string& path, std::string& tempPath) {
    const auto separator = path.find_last_of("\\/");
    const std::string folder =
        separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
    const std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
    // Named after the file it will become, so that a user who finds one left
    // behind knows what it is. Not hidden: the attribute would stay on the file.
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = folder + "." + name + ".part-";
        for (int i = 0; i < 6; ++i) {
            candidate += kLetters[pick(random)];
        }
        const FileHandle file = OpenFile(candidate, GENERIC_WRITE, CREATE_NEW);
        if (file != kNoFile) {
            tempPath = candidate;
            return file;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS) {
            break;
        }
    }
    tempPath.clear();
    return kNoFile;
}

bool Win32Platform::RenameFile(const std::string& from, const std::string& to) {
    return ::MoveFileExW(SystemPath(from).c_str(), SystemPath(to).c_str(),
                         MOVEFILE_REPLACE_EXISTING) != 0;
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

void Win32Platform::ShowInTextViewer(const std::string& path) {
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
        return;
    }
    ::WaitForSingleObject(process.hProcess, INFINITE);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
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
