#include "platform/Win32Platform.h"

#include <gtest/gtest.h>

#include <algorithm>
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
    EXPECT_EQ(temp.rfind(deep + "\\." + kWideName + ".part-", 0), 0u) << temp;
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
    platform.ShowInTextViewer(folder / "help.txt");
    std::filesystem::current_path(before);
    EXPECT_EQ(ReadFile(folder / "seen\\help.txt"), "line\r\n");

    platform.SetViewerCommand({"C:\\no\\such\\viewer.exe"});
    platform.ShowInTextViewer(folder / "help.txt");  // returns without waiting for anything
}

}  // namespace
}  // namespace brelker
