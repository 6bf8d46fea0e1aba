#include "platform/PosixPlatform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "TempFolder.h"

namespace brelker {
namespace {

TEST(PosixPlatformTest, FileSizeIsMinusOneForWhatCannotBeReadAsAFile) {
    TempFolder folder;
    PosixPlatform platform;
    WriteFile(folder / "five", "12345");
    EXPECT_EQ(platform.FileSize(folder / "five"), 5);
    EXPECT_EQ(platform.FileSize(folder / "missing"), -1);
    EXPECT_EQ(platform.FileSize(folder.Path()), -1);
    EXPECT_EQ(platform.OpenForReading(folder.Path()), kNoFile);
}

TEST(PosixPlatformTest, SameFileSeesThroughLinksButNotMissingFiles) {
    TempFolder folder;
    PosixPlatform platform;
    WriteFile(folder / "a", "x");
    std::filesystem::create_hard_link(folder / "a", folder / "hard");
    std::filesystem::create_symlink(folder / "a", folder / "soft");
    WriteFile(folder / "b", "x");
    EXPECT_TRUE(platform.SameFile(folder / "a", folder / "hard"));
    EXPECT_TRUE(platform.SameFile(folder / "soft", folder / "a"));
    EXPECT_FALSE(platform.SameFile(folder / "a", folder / "b"));
    EXPECT_FALSE(platform.SameFile(folder / "missing", folder / "missing"));
}

TEST(PosixPlatformTest, WritingOpensForAppendOrReplace) {
    TempFolder folder;
    PosixPlatform platform;
    const std::string path = folder / "f";
    EXPECT_EQ(platform.OpenForWriting(path), kNoFile);  // must exist
    FileHandle file = platform.CreateForWriting(path);
    ASSERT_NE(file, kNoFile);
    EXPECT_EQ(platform.Write(file, "abcdef", 6), 6);
    platform.Close(file);
    file = platform.OpenForWriting(path);
    ASSERT_TRUE(platform.Seek(file, 6));
    EXPECT_EQ(platform.Write(file, "gh", 2), 2);
    EXPECT_TRUE(platform.Flush(file));
    platform.Close(file);
    EXPECT_EQ(ReadFile(path), "abcdefgh");
    file = platform.CreateForWriting(path);
    platform.Close(file);
    EXPECT_EQ(platform.FileSize(path), 0);
}

TEST(PosixPlatformTest, PathsJoinOnceAndVolumesAreTheFoldersThatHoldThem) {
    PosixPlatform platform;
    EXPECT_EQ(platform.JoinPath("/", "a"), "/a");
    EXPECT_EQ(platform.JoinPath("/x", "a"), "/x/a");
    EXPECT_EQ(platform.JoinPath("/x/", "a"), "/x/a");
    EXPECT_EQ(platform.VolumeOf("/media/floppy/big.bin"), "/media/floppy");
    EXPECT_EQ(platform.VolumeOf("/big.bin"), "/");
    EXPECT_EQ(platform.VolumeOf("big.bin"), ".");
    EXPECT_GT(platform.PhysicalMemory(), 0);
}

TEST(PosixPlatformTest, ACurrentFolderThatCannotBeEnteredLeavesTheOldOne) {
    TempFolder folder;
    PosixPlatform platform;
    const std::string before = platform.CurrentFolder();
    std::filesystem::create_directory(folder / "here");
    ASSERT_TRUE(platform.SetCurrentFolder(folder / "here"));
    EXPECT_EQ(std::filesystem::path(platform.CurrentFolder()),
              std::filesystem::canonical(folder / "here"));
    EXPECT_FALSE(platform.SetCurrentFolder(folder / "missing"));
    EXPECT_EQ(std::filesystem::path(platform.CurrentFolder()),
              std::filesystem::canonical(folder / "here"));
    platform.SetCurrentFolder(before);
    EXPECT_EQ(platform.DecimalSeparator(), ".");  // no locale was set: the C locale's
}

TEST(PosixPlatformTest, ListingMarksFoldersAndHiddenNames) {
    TempFolder folder;
    PosixPlatform platform;
    std::filesystem::create_directory(folder / "sub");
    WriteFile(folder / ".dot", "");
    WriteFile(folder / "plain", "");
    auto entries = platform.ListFolder(folder.Path());
    ASSERT_TRUE(entries);
    std::sort(entries->begin(), entries->end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    ASSERT_EQ(entries->size(), 3u);
    EXPECT_TRUE((*entries)[0].isHidden);
    EXPECT_FALSE((*entries)[1].isHidden);
    EXPECT_TRUE((*entries)[2].isFolder);
    EXPECT_FALSE(platform.ListFolder(folder / "missing"));
}

}  // namespace
}  // namespace brelker

namespace brelker {
namespace {

TEST(PosixPlatformTest, TheTextViewerIsWaitedForAndAMissingOneReturnsAtOnce) {
    TempFolder folder;
    PosixPlatform platform;
    WriteFile(folder / "help.txt", "line\r\n");
    // A viewer that takes a moment, then copies what it was shown.
    platform.SetViewerCommand(
        {"/bin/sh", "-c", "sleep 0.2; cp \"$1\" \"" + (folder / "seen.txt") + "\"", "sh"});
    using Clock = std::chrono::steady_clock;
    auto started = Clock::now();
    platform.ShowInTextViewer(folder / "help.txt");
    EXPECT_GE(Clock::now() - started, std::chrono::milliseconds(200));
    EXPECT_EQ(ReadFile(folder / "seen.txt"), "line\r\n");

    // A viewer that cannot be started is not waited for, and the file stays as it was.
    platform.SetViewerCommand({"/no/such/viewer"});
    started = Clock::now();
    platform.ShowInTextViewer(folder / "help.txt");
    EXPECT_LT(Clock::now() - started, std::chrono::seconds(5));
    EXPECT_EQ(ReadFile(folder / "help.txt"), "line\r\n");
}

}  // namespace
}  // namespace brelker
