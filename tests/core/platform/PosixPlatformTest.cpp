#include "platform/PosixPlatform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <sys/stat.h>

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

TEST(PosixPlatformTest, FifosDevicesAndFoldersAreRefusedByEveryOpenAtOnce) {
    TempFolder folder;
    PosixPlatform platform;
    const std::string fifo = folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // A FIFO opened as files are would wait for the other end: this would hang.
    for (const std::string& name : {fifo, std::string("/dev/null")}) {
        EXPECT_EQ(platform.OpenForReading(name), kNoFile) << name;
        EXPECT_EQ(platform.LastErrorText(), "Not a regular file");
        EXPECT_EQ(platform.CreateForWriting(name), kNoFile) << name;
        EXPECT_EQ(platform.OpenForWriting(name), kNoFile) << name;
        EXPECT_EQ(platform.KindOf(name, true), FileKind::Special) << name;
    }
    EXPECT_EQ(platform.CreateForWriting(folder.Path()), kNoFile);
    EXPECT_EQ(platform.LastErrorText(), "Is a directory");
    EXPECT_EQ(platform.KindOf(folder.Path(), false), FileKind::Folder);
}

TEST(PosixPlatformTest, ALinkAtAWrittenNameIsNotFollowed) {
    TempFolder folder;
    PosixPlatform platform;
    WriteFile(folder / "target", "keep");
    std::filesystem::create_symlink(folder / "target", folder / "link");
    std::filesystem::create_symlink(folder / "nowhere", folder / "dangling");
    EXPECT_EQ(platform.CreateForWriting(folder / "link"), kNoFile);
    EXPECT_EQ(platform.OpenForWriting(folder / "link"), kNoFile);
    EXPECT_EQ(platform.CreateForWriting(folder / "dangling"), kNoFile);
    EXPECT_EQ(ReadFile(folder / "target"), "keep");
    EXPECT_FALSE(Exists(folder / "nowhere"));
    const FileHandle file = platform.OpenForReading(folder / "link");  // reading follows
    EXPECT_NE(file, kNoFile);
    platform.Close(file);
    EXPECT_EQ(platform.KindOf(folder / "link", false), FileKind::Link);
    EXPECT_EQ(platform.KindOf(folder / "link", true), FileKind::Regular);
    EXPECT_EQ(platform.KindOf(folder / "dangling", true), FileKind::Missing);
}

TEST(PosixPlatformTest, EveryNameOfAFileHasItsIdentityButALinkIsItselfAndWritesReadBack) {
    TempFolder folder;
    PosixPlatform platform;
    std::filesystem::create_directory(folder / "dir");
    std::filesystem::create_directory_symlink(folder / "dir", folder / "alias");
    WriteFile(folder / "dir/a", "older and longer");
    WriteFile(folder / "dir/b", "x");
    std::filesystem::create_hard_link(folder / "dir/a", folder / "hard");
    std::filesystem::create_symlink(folder / "dir/a", folder / "soft");
    const auto identity = platform.FileIdentity(folder / "dir/a");
    ASSERT_TRUE(identity);
    EXPECT_EQ(platform.FileIdentity(folder / "hard"), identity);
    EXPECT_EQ(platform.FileIdentity(folder / "alias/a"), identity);
    EXPECT_NE(platform.FileIdentity(folder / "soft"), identity);
    EXPECT_NE(platform.FileIdentity(folder / "dir/b"), identity);
    EXPECT_FALSE(platform.FileIdentity(folder / "missing"));

    const FileHandle file = platform.CreateForWriting(folder / "hard");
    ASSERT_NE(file, kNoFile);
    EXPECT_EQ(platform.SizeOf(file), 0);
    EXPECT_EQ(platform.Write(file, "new", 3), 3);
    char back[8] = {};
    EXPECT_EQ(platform.ReadAt(file, 0, back, 8), 3);
    EXPECT_EQ(std::string(back, 3), "new");
    platform.Close(file);
    EXPECT_EQ(platform.FileIdentity(folder / "dir/a"), identity);  // emptied, not replaced
}

TEST(PosixPlatformTest, ARunLockIsHeldOncePerFileWhateverItsPathAndLeavesNothingBehind) {
    TempFolder folder;
    PosixPlatform platform;
    platform.SetLockFolder(folder / "locks");
    std::filesystem::create_directory(folder / "work");
    std::filesystem::create_directory_symlink(folder / "work", folder / "alias");
    const std::string stem = folder / "work/big.iso";
    {
        const auto held = platform.LockForWriting(stem);
        ASSERT_TRUE(held);
        EXPECT_FALSE(platform.LockForWriting(stem));
        EXPECT_FALSE(platform.LockForWriting(folder / "alias/big.iso"));
        EXPECT_FALSE(platform.LockForWriting(folder / "work/../work/big.iso"));
        EXPECT_TRUE(platform.LockForWriting(folder / "work/other.iso"));
        const auto away = platform.LockForWriting(folder / "none/x");  // no such folder
        EXPECT_TRUE(away);
        EXPECT_FALSE(platform.LockForWriting(folder / "none/./x"));
        EXPECT_TRUE(std::filesystem::is_empty(folder / "work"));
        // Another process finds it held too.
        EXPECT_EXIT(std::exit(platform.LockForWriting(stem) ? 0 : 1), ::testing::ExitedWithCode(1),
                    "");
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder / "locks"));
    EXPECT_TRUE(platform.LockForWriting(stem));

    // Without a lock folder there is no lock to be had: runs go on as before.
    WriteFile(folder / "file", "");
    platform.SetLockFolder(folder / "file/locks");
    const auto first = platform.LockForWriting(stem);
    EXPECT_TRUE(first);
    EXPECT_TRUE(platform.LockForWriting(stem));
}

TEST(PosixPlatformTest, ATemporaryIsHeldUnderANewNameAgainstOtherProcessesUntilItIsClosed) {
    TempFolder folder;
    PosixPlatform platform;
    std::string temp;
    const FileHandle file = platform.CreateTemporaryBeside(folder / "big.bin", temp);
    ASSERT_NE(file, kNoFile);
    WriteFile(folder / "taken", "someone's");
    EXPECT_FALSE(platform.RenameToNewName(temp, folder / "taken"));
    EXPECT_EQ(ReadFile(folder / "taken"), "someone's");
    const std::string own = folder / "own";
    ASSERT_TRUE(platform.RenameToNewName(temp, own));
    EXPECT_EXIT(
        {
            bool held = false;
            std::exit(platform.TakeLeftFile(own, held) == kNoFile && held ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    platform.Close(file);
    bool held = true;
    const FileHandle left = platform.TakeLeftFile(own, held);
    EXPECT_NE(left, kNoFile);
    EXPECT_FALSE(held);
    platform.Close(left);
}

TEST(PosixPlatformTest, AnInterruptionIsNotedAndEndsTheProcessOnlyWhenAskedLosingItsLocks) {
    TempFolder folder;
    PosixPlatform platform;
    platform.SetLockFolder(folder / "locks");
    const std::string stem = folder / "big.iso";
    EXPECT_EXIT(
        {
            platform.LockForWriting(stem).release();  // never given up
            platform.CatchInterrupts();
            std::raise(SIGINT);
            std::fprintf(stderr, "noted %d\n", platform.PendingInterrupt());
            platform.EndByInterrupt(platform.PendingInterrupt());
        },
        ::testing::KilledBySignal(SIGINT), "noted 2");
    EXPECT_TRUE(platform.LockForWriting(stem));
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
    EXPECT_TRUE(platform.ShowInTextViewer(folder / "help.txt"));
    EXPECT_GE(Clock::now() - started, std::chrono::milliseconds(200));
    EXPECT_EQ(ReadFile(folder / "seen.txt"), "line\r\n");

    // A viewer that cannot be started is not waited for, and the file stays as it was.
    platform.SetViewerCommand({"/no/such/viewer"});
    started = Clock::now();
    EXPECT_FALSE(platform.ShowInTextViewer(folder / "help.txt"));
    EXPECT_LT(Clock::now() - started, std::chrono::seconds(5));
    EXPECT_EQ(ReadFile(folder / "help.txt"), "line\r\n");

    // A $VISUAL that names no program: the shell starts but cannot run it.
    platform.SetViewerCommand({"/bin/sh", "-c", "/no/such/viewer \"$1\"", "sh"});
    EXPECT_FALSE(platform.ShowInTextViewer(folder / "help.txt"));
}

}  // namespace
}  // namespace brelker
