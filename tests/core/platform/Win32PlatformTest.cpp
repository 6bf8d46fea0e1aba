#include "platform/Win32Platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include <windows.h>
#undef DeleteFile

#include "TempFolder.h"
#include "platform/WideText.h"

namespace brelker {
namespace {

// A name with letters from three scripts, so a lossy conversion shows.
const std::string kWideName =
    "Gr\xC3\xBC\xC3\x9F"
    "e_\xE6\x97\xA5\xE6\x9C\xAC_\xD0\x96.bin";

std::string WriteThrough(Win32Platform& platform, const std::string& path,
                         const std::string& bytes) {
    const FileHandle file = platform.CreateForWriting(path);
    EXPECT_NE(file, kNoFile) << path;
    EXPECT_EQ(platform.Write(file, bytes.data(), std::ssize(bytes)), std::ssize(bytes));
    platform.Close(file);
    return path;
}

std::string ReadThrough(Win32Platform& platform, const std::string& path) {
    const FileHandle file = platform.OpenForReading(path);
    if (file == kNoFile) {
        return "(cannot open)";
    }
    std::string bytes(static_cast<std::size_t>(std::max<std::int64_t>(platform.FileSize(path), 0)),
                      '\0');
    bytes.resize(static_cast<std::size_t>(platform.Read(file, bytes.data(), std::ssize(bytes))));
    platform.Close(file);
    return bytes;
}

TEST(Win32PlatformTest, FileSizeIsMinusOneForWhatCannotBeReadAsAFile) {
    TempFolder folder;
    Win32Platform platform;
    WriteFile(folder / "five", "12345");
    EXPECT_EQ(platform.FileSize(folder / "five"), 5);
    EXPECT_EQ(platform.FileSize(folder / "missing"), -1);
    EXPECT_EQ(platform.FileSize(folder.Path()), -1);
    EXPECT_EQ(platform.OpenForReading(folder.Path()), kNoFile);
    EXPECT_TRUE(platform.Exists(folder.Path()));
    EXPECT_FALSE(platform.Exists(folder / "missing"));
}

TEST(Win32PlatformTest, WritingOpensForAppendOrReplaceAndTruncatingKeepsThePosition) {
    TempFolder folder;
    Win32Platform platform;
    const std::string path = folder / "f";
    EXPECT_EQ(platform.OpenForWriting(path), kNoFile);  // must exist
    WriteThrough(platform, path, "abcdefXYZ");
    FileHandle file = platform.OpenForWriting(path);
    ASSERT_NE(file, kNoFile);
    ASSERT_TRUE(platform.Truncate(file, 6));
    ASSERT_TRUE(platform.Seek(file, 6));
    EXPECT_EQ(platform.Write(file, "gh", 2), 2);
    EXPECT_TRUE(platform.Truncate(file, 7));
    EXPECT_EQ(platform.Write(file, "i", 1), 1);  // at 8, past the cut: the gap reads as zero
    EXPECT_TRUE(platform.Flush(file));
    platform.Close(file);
    EXPECT_EQ(ReadFile(path), std::string("abcdefg\0i", 9));
    platform.Close(platform.CreateForWriting(path));
    EXPECT_EQ(platform.FileSize(path), 0);
}

TEST(Win32PlatformTest, DevicesPipesAndFoldersAreRefusedByEveryOpenWithoutBeingTouched) {
    TempFolder folder;
    Win32Platform platform;
    // A pipe's server sees every client that opens it: none may come.
    const std::string pipeName =
        "\\\\.\\pipe\\brelker-test-" + std::to_string(::GetCurrentProcessId());
    const HANDLE pipe = ::CreateNamedPipeW(Widen(pipeName).c_str(), PIPE_ACCESS_DUPLEX,
                                           PIPE_TYPE_BYTE | PIPE_NOWAIT, 1, 0, 0, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    for (const std::string& name :
         {std::string("NUL"), std::string("com1"), std::string("CON"), folder / "NUL", pipeName}) {
        EXPECT_EQ(platform.KindOf(name, true), FileKind::Special) << name;
        EXPECT_EQ(platform.OpenForReading(name), kNoFile) << name;
        EXPECT_EQ(platform.LastErrorText(), "Not a regular file");
        EXPECT_EQ(platform.CreateForWriting(name), kNoFile) << name;
        EXPECT_EQ(platform.OpenForWriting(name), kNoFile) << name;
        EXPECT_FALSE(platform.FileIdentity(name)) << name;
    }
    EXPECT_FALSE(::ConnectNamedPipe(pipe, nullptr));
    EXPECT_EQ(::GetLastError(), DWORD{ERROR_PIPE_LISTENING});
    ::CloseHandle(pipe);
    EXPECT_TRUE(platform.ListFolder(folder.Path())->empty());  // no file NUL was made
    EXPECT_EQ(platform.CreateForWriting(folder.Path()), kNoFile);
    EXPECT_EQ(platform.LastErrorText(), "Not a regular file");
    EXPECT_EQ(platform.OpenForWriting(folder.Path()), kNoFile);
}

TEST(Win32PlatformTest, CreatingEmptiesAnExistingFileAndReadsBackWhatWasWritten) {
    TempFolder folder;
    Win32Platform platform;
    const std::string path = folder / "piece";
    WriteFile(path, "older and longer");
    const FileHandle file = platform.CreateForWriting(path);
    ASSERT_NE(file, kNoFile);
    EXPECT_EQ(platform.SizeOf(file), 0);
    EXPECT_EQ(platform.Write(file, "new", 3), 3);
    EXPECT_EQ(platform.SizeOf(file), 3);
    char back[8] = {};
    EXPECT_EQ(platform.ReadAt(file, 0, back, 8), 3);
    ASSERT_TRUE(platform.Seek(file, 0));
    EXPECT_EQ(platform.Read(file, back, 8), 3);  // the handle reads, not only a second one
    EXPECT_EQ(std::string(back, 3), "new");
    platform.Close(file);
    EXPECT_EQ(ReadFile(path), "new");

    // The system's reason, in its words and without the line end it comes with.
    EXPECT_EQ(platform.OpenForWriting(folder / "missing"), kNoFile);
    const std::string reason = platform.LastErrorText();
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(reason.find_first_of("\r\n"), std::string::npos) << reason;
}

TEST(Win32PlatformTest, EveryNameOfAFileHasItsIdentityAndKind) {
    TempFolder folder;
    Win32Platform platform;
    WriteFile(folder / "a", "x");
    WriteFile(folder / "b", "x");
    ASSERT_TRUE(
        ::CreateHardLinkW(Widen(folder / "hard").c_str(), Widen(folder / "a").c_str(), nullptr));
    const auto identity = platform.FileIdentity(folder / "a");
    ASSERT_TRUE(identity);
    EXPECT_EQ(platform.FileIdentity(folder / "sub\\..\\A"), identity);
    EXPECT_EQ(platform.FileIdentity(folder / "hard"), identity);
    EXPECT_NE(platform.FileIdentity(folder / "b"), identity);
    EXPECT_FALSE(platform.FileIdentity(folder / "missing"));
    EXPECT_EQ(platform.KindOf(folder / "A", false), FileKind::Regular);
    EXPECT_EQ(platform.KindOf(folder.Path(), true), FileKind::Folder);
    EXPECT_EQ(platform.KindOf(folder / "missing", false), FileKind::Missing);
}

TEST(Win32PlatformTest, ALinkAtAWrittenNameIsNotFollowed) {
    TempFolder folder;
    Win32Platform platform;
    WriteFile(folder / "target", "keep");
    // Wine says yes to a symbolic link and makes none.
    const auto link = [&](const std::string& name, const std::string& to) {
        ::CreateSymbolicLinkW(Widen(folder / name).c_str(), Widen(folder / to).c_str(),
                              SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
        const DWORD attributes = ::GetFileAttributesW(Widen(folder / name).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES &&
               (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    };
    if (!link("link", "target") || !link("dangling", "nowhere")) {
        GTEST_SKIP() << "no symbolic links on this system";
    }
    EXPECT_EQ(platform.CreateForWriting(folder / "link"), kNoFile);
    EXPECT_EQ(platform.OpenForWriting(folder / "link"), kNoFile);
    EXPECT_EQ(platform.CreateForWriting(folder / "dangling"), kNoFile);
    EXPECT_EQ(ReadFile(folder / "target"), "keep");
    EXPECT_FALSE(platform.Exists(folder / "nowhere"));
    EXPECT_EQ(ReadThrough(platform, folder / "link"), "keep");  // reading follows
    EXPECT_EQ(platform.KindOf(folder / "link", false), FileKind::Link);
    EXPECT_EQ(platform.KindOf(folder / "link", true), FileKind::Regular);
    EXPECT_EQ(platform.KindOf(folder / "dangling", true), FileKind::Missing);
    EXPECT_NE(platform.FileIdentity(folder / "link"), platform.FileIdentity(folder / "target"));
}

TEST(Win32PlatformTest, ARunLockIsHeldOncePerFileWhateverItsSpellingAndLeavesNothingBehind) {
    TempFolder folder;
    Win32Platform platform;
    platform.SetLockFolder(folder / "locks");
    std::filesystem::create_directory(folder / "work");
    const std::string stem = folder / "work\\Big.iso";
    {
        const auto held = platform.LockForWriting(stem);
        ASSERT_TRUE(held);
        EXPECT_FALSE(platform.LockForWriting(stem));
        EXPECT_FALSE(platform.LockForWriting(folder / "work\\sub\\..\\BIG.ISO"));
        EXPECT_FALSE(platform.LockForWriting(folder / "WORK/big.iso"));
        EXPECT_TRUE(platform.LockForWriting(folder / "work\\other.iso"));
        const auto away = platform.LockForWriting(folder / "none\\x");  // no such folder
        EXPECT_TRUE(away);
        EXPECT_FALSE(platform.LockForWriting(folder / "NONE\\x"));
        EXPECT_TRUE(platform.ListFolder(folder / "work")->empty());

        // A file that exists is found by its short 8.3 name as well.
        const std::string piece = folder / "work\\Long name of the piece.iso";
        WriteFile(piece, "");
        wchar_t shortName[MAX_PATH];
        ASSERT_NE(::GetShortPathNameW(Widen(piece).c_str(), shortName, MAX_PATH), 0u);
        const auto pieceHeld = platform.LockForWriting(piece);
        EXPECT_TRUE(pieceHeld);
        EXPECT_FALSE(platform.LockForWriting(Narrow(shortName))) << Narrow(shortName);
    }
    EXPECT_TRUE(platform.ListFolder(folder / "locks")->empty());
    EXPECT_TRUE(platform.LockForWriting(stem));

    // Without a lock folder there is no lock to be had: runs go on as before.
    WriteFile(folder / "file", "");
    platform.SetLockFolder(folder / "file\\locks");
    const auto first = platform.LockForWriting(stem);
    EXPECT_TRUE(first);
    EXPECT_TRUE(platform.LockForWriting(stem));
}

// A death test's child runs the test again from its start: the paths are the same in both.
TEST(Win32PlatformTest, ALockHoldsAgainstOtherProcessesAndEndsWithTheOneAnInterruptionEnds) {
    Win32Platform platform;
    const std::string temp = std::filesystem::temp_directory_path().string();
    const std::string stem = platform.JoinPath(temp, "brelker-lock-test-stem");
    const auto held = platform.LockForWriting(stem);  // in the child: held by the parent
    EXPECT_EXIT(std::exit(platform.LockForWriting(stem) ? 0 : 1), ::testing::ExitedWithCode(1), "");
    const std::string other = platform.JoinPath(temp, "brelker-lock-test-other");
    EXPECT_EXIT(
        {
            platform.LockForWriting(other).release();  // never given up
            platform.EndByInterrupt(2);
        },
        ::testing::ExitedWithCode(130), "");
    EXPECT_TRUE(held);
    EXPECT_TRUE(platform.LockForWriting(other));
}

TEST(Win32PlatformTest, NonAsciiNamesInPathsLongerThan260CharactersWork) {
    TempFolder folder;
    Win32Platform platform;
    std::string deep = folder.Path();
    while (deep.size() < 300) {
        deep += "\\" + std::string(40, 'd');
        ASSERT_TRUE(::CreateDirectoryW((L"\\\\?\\" + Widen(deep)).c_str(), nullptr)) << deep;
    }
    const std::string path = platform.JoinPath(deep, kWideName);
    WriteThrough(platform, path, "payload");
    EXPECT_EQ(platform.FileSize(path), 7);
    EXPECT_EQ(ReadThrough(platform, path), "payload");
    const auto entries = platform.ListFolder(deep);
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 1u);
    EXPECT_EQ(entries->front().name, kWideName);

    std::string temp;
    const FileHandle file = platform.CreateTemporaryBeside(path, temp);
    ASSERT_NE(file, kNoFile);
    EXPECT_EQ(temp.rfind(deep + "\\." + kWideName + ".brelker-tmp-", 0), 0u) << temp;
    EXPECT_EQ(platform.Write(file, "new", 3), 3);
    platform.Close(file);
    EXPECT_TRUE(platform.RenameFile(temp, path));  // replaces the old file in one step
    EXPECT_EQ(ReadThrough(platform, path), "new");
    EXPECT_FALSE(platform.Exists(temp));
    EXPECT_TRUE(platform.FileStamp(path));
    EXPECT_TRUE(platform.SameFile(
        path, platform.JoinPath(deep, "..\\" + std::string(40, 'd') + "\\" + kWideName)));
    EXPECT_TRUE(platform.DeleteFile(path));
    EXPECT_FALSE(platform.Exists(path));
}

TEST(Win32PlatformTest, SameFileAndStampsSeeIdentityNotNames) {
    TempFolder folder;
    Win32Platform platform;
    WriteFile(folder / "a", "x");
    ASSERT_TRUE(
        ::CreateHardLinkW(Widen(folder / "hard").c_str(), Widen(folder / "a").c_str(), nullptr));
    WriteFile(folder / "b", "x");
    EXPECT_TRUE(platform.SameFile(folder / "a", folder / "hard"));
    EXPECT_TRUE(platform.SameFile(folder / "a", folder / "sub\\..\\A"));  // names ignore case
    EXPECT_FALSE(platform.SameFile(folder / "a", folder / "b"));
    EXPECT_FALSE(platform.SameFile(folder / "missing", folder / "missing"));
    EXPECT_EQ(platform.FileStamp(folder / "a"), platform.FileStamp(folder / "hard"));
    EXPECT_NE(platform.FileStamp(folder / "a"), platform.FileStamp(folder / "b"));
    EXPECT_FALSE(platform.FileStamp(folder / "missing"));
}

TEST(Win32PlatformTest, DrivesVolumesAndMemory) {
    TempFolder folder;
    Win32Platform platform;
    EXPECT_EQ(platform.JoinPath("C:\\", "a"), "C:\\a");
    EXPECT_EQ(platform.JoinPath("C:\\x", "a"), "C:\\x\\a");
    EXPECT_EQ(platform.JoinPath("C:\\x/", "a"), "C:\\x/a");
    const std::string volume = platform.VolumeOf(folder / "big.bin");
    EXPECT_EQ(volume, folder.Path().substr(0, 3));  // the drive's root, e.g. "C:\"
    EXPECT_GT(platform.FreeSpace(volume), 0);
    EXPECT_GT(platform.AllocationUnit(volume), 0);
    EXPECT_EQ(platform.FreeSpace("Q:\\no\\such\\drive"), -1);
    EXPECT_GT(platform.PhysicalMemory(), 0);
    const std::string now = platform.LocalDateTimeText();
    EXPECT_NE(now.find(' '), std::string::npos) << now;
    EXPECT_EQ(platform.CurrentFolder(), std::filesystem::current_path().string());
}

TEST(Win32PlatformTest, OnlyARemovableDriveOrANamedFolderIsAFloppy) {
    TempFolder folder;
    Win32Platform platform;
    // The system's own drive is never removable.
    platform.SetFloppyMountPoints({folder.Path().substr(0, 3)});
    EXPECT_FALSE(platform.FloppyRoot(folder / "x"));
    platform.SetFloppyMountPoints({folder / "floppy"});
    EXPECT_EQ(platform.FloppyRoot(folder / "FLOPPY\\x.bin"), folder / "floppy");
    EXPECT_EQ(platform.FloppyRoot(folder / "other\\..\\floppy/x.bin"), folder / "floppy");
    EXPECT_FALSE(platform.FloppyRoot(folder / "floppy2\\x.bin"));
    EXPECT_FALSE(platform.FloppyRoot(folder / "floppy\\..\\x.bin"));
}

TEST(Win32PlatformTest, ListingMarksFoldersAndHiddenOrSystemFiles) {
    TempFolder folder;
    Win32Platform platform;
    std::filesystem::create_directory(folder / "sub");
    // No dot-file here: Wine shows those as hidden, Windows does not.
    for (const char* name : {"hidden", "plain", "system"}) {
        WriteFile(folder / name, "");
    }
    ::SetFileAttributesW(Widen(folder / "hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    ::SetFileAttributesW(Widen(folder / "system").c_str(), FILE_ATTRIBUTE_SYSTEM);
    auto entries = platform.ListFolder(folder.Path());
    ASSERT_TRUE(entries);
    std::sort(entries->begin(), entries->end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    ASSERT_EQ(entries->size(), 4u);
    EXPECT_TRUE((*entries)[0].isHidden);
    EXPECT_FALSE((*entries)[1].isHidden);
    EXPECT_TRUE((*entries)[2].isFolder);
    EXPECT_FALSE((*entries)[2].isHidden);
    EXPECT_TRUE((*entries)[3].isHidden);
    EXPECT_FALSE(platform.ListFolder(folder / "missing"));
    EXPECT_FALSE(platform.ListFolder(folder / "plain"));
}

TEST(Win32PlatformTest, TheTextViewerIsWaitedForAndAMissingOneReturnsAtOnce) {
    TempFolder folder;
    Win32Platform platform;
    WriteFile(folder / "help.txt", "line\r\n");
    std::filesystem::create_directory(folder / "seen");
    const auto before = std::filesystem::current_path();
    // "copy" with only a source copies into the current folder.
    std::filesystem::current_path(folder / "seen");
    platform.SetViewerCommand({"cmd.exe", "/c", "ping -n 2 127.0.0.1 >nul & copy /y"});
    EXPECT_TRUE(platform.ShowInTextViewer(folder / "help.txt"));
    std::filesystem::current_path(before);
    EXPECT_EQ(ReadFile(folder / "seen\\help.txt"), "line\r\n");

    platform.SetViewerCommand({"C:\\no\\such\\viewer.exe"});
    // Returns without waiting for anything.
    EXPECT_FALSE(platform.ShowInTextViewer(folder / "help.txt"));
}

}  // namespace
}  // namespace brelker
