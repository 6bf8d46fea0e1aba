#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "EngineFixture.h"
#include "HiddenFile.h"
#include "checksum/ChecksumFile.h"
#include "text/Slots.h"
#include "transfer/Series.h"

namespace brelker {
namespace {

constexpr std::int64_t kFloppy = 1'457'664;

class RemovableMediaTest : public EngineFixture {
protected:
    // Pieces go to a temp folder that the platform takes for a floppy drive.
    void UseFloppy() {
        std::filesystem::create_directory(floppy);
        platform.SetFloppyMountPoints({floppy});
        job.SmallFilesBase = floppy + "/big.bin";
    }

    // A drive whose disk is full once a piece was written to it, until the user
    // answers Yes to a prompt, which stands for putting in an empty disk.
    void SimulateDiskChanges(std::int64_t capacity) {
        platform.freeSpace = [this, capacity](const std::string&) {
            return diskChanged ? capacity : 0;
        };
        host.onQuestion = [this](const std::string&) {
            countsAtPrompts.push_back(job.SmallFileCount);
            diskChanged = true;
        };
        host.onPump = [this] { diskChanged = false; };
    }

    const std::string floppy = folder / "floppy";
    bool diskChanged = true;
    std::vector<int> countsAtPrompts;
};

TEST_F(RemovableMediaTest, AFreeSpaceSplitFillsEachDiskAndCountsUpAsItGoes) {
    const std::string bytes = PatternBytes(3'000'000);
    PlanSplit(bytes, {});
    options.UseFreeSpace = true;
    options.PauseMode = PauseMode::Always;
    SimulateDiskChanges(kFloppy);
    ASSERT_EQ(Split(), TransferOutcome::Done);
    EXPECT_EQ(job.SmallFileCount, 3);
    EXPECT_EQ(job.SmallFileSizes, (std::vector<std::int64_t>{0, kFloppy, kFloppy, 84'672}));
    EXPECT_EQ(countsAtPrompts, (std::vector<int>{1, 2, 3}));
#ifdef _WIN32
    EXPECT_EQ(engine.LastRun().TargetDrive,
              folder.Path().substr(0, 3));  // the root of the drive letter
#else
    EXPECT_EQ(engine.LastRun().TargetDrive, folder / "pieces");
#endif
    EXPECT_EQ(ReadFile(Piece(1)) + ReadFile(Piece(2)) + ReadFile(Piece(3)), bytes);
}

TEST_F(RemovableMediaTest, WithoutPausesAFullDiskBringsTheFullDiskPrompt) {
    PlanSplit(PatternBytes(3'000'000), {});
    options.UseFreeSpace = true;
    SimulateDiskChanges(kFloppy);
    ASSERT_EQ(Split(), TransferOutcome::Done);
    ASSERT_EQ(host.questions.size(), 2u);
    EXPECT_EQ(host.questions[0], "full disk 2");

    // The user gives up at the second disk.
    host = FakeHost();
    SimulateDiskChanges(kFloppy);
    diskChanged = true;
    host.answers = {false};
    EXPECT_EQ(Split(), TransferOutcome::DiskRefused);
    // Disk 1 is still in the drive, so its piece is within reach and goes.
    EXPECT_EQ(result.removedAfterFailure, std::vector<std::string>{Piece(1)});
}

TEST_F(RemovableMediaTest, ADiskWithExactlyWhatRemainsTakesTheLastPieceWithoutAPrompt) {
    PlanSplit(PatternBytes(2000), {});
    options.UseFreeSpace = true;
    platform.freeSpace = [](const std::string&) { return std::int64_t{2000}; };
    ASSERT_EQ(Split(), TransferOutcome::Done);
    EXPECT_EQ(job.SmallFileCount, 1);
    EXPECT_TRUE(host.questions.empty());
}

TEST_F(RemovableMediaTest, AVolumeThatCannotBeAskedIsNeverWrittenToUnasked) {
    PlanSplit(PatternBytes(2000), {});
    options.UseFreeSpace = true;
    platform.freeSpace = [](const std::string&) { return std::int64_t{-1}; };
    host.answers = {true, true, false};
    EXPECT_EQ(Split(), TransferOutcome::DiskRefused);
    EXPECT_EQ(host.questions.size(), 3u);
    EXPECT_FALSE(Exists(Piece(1)));

    // The real query of a folder that does not exist says the same.
    EXPECT_EQ(engine.QueryFreeSpace(folder / "no/such/folder"), -1);
    EXPECT_GT(NativePlatform().FreeSpace(folder.Path()), 0);
}

TEST_F(RemovableMediaTest, PiecesOnAFloppyArePromptedForUnlessNeverPausing) {
    UseFloppy();
    PlanSplit(PatternBytes(300), {100, 100, 100});
    ASSERT_EQ(Split(), TransferOutcome::Done);  // PauseMode::Never
    EXPECT_TRUE(host.questions.empty());
    options.PauseMode = PauseMode::FloppiesOnly;
    ASSERT_EQ(Split(), TransferOutcome::Done);
    EXPECT_EQ(host.questions.size(), 3u);
    EXPECT_EQ(host.repaints, 3);
}

TEST_F(RemovableMediaTest, EraseDeletesOrdinaryFilesEverywhereAndKeepsHiddenFilesAndFolders) {
    UseFloppy();
    std::filesystem::create_directories(floppy + "/sub/deeper");
    for (const char* name : {"/a.txt", "/.hidden", "/sub/b.txt", "/sub/.keep", "/sub/deeper/c"}) {
        WriteFile(floppy + name, "x");
    }
    MarkHidden(floppy + "/.hidden");
    MarkHidden(floppy + "/sub/.keep");
#ifdef _WIN32  // links need a privilege on Windows and Wine has none; a plain file stands in
    WriteFile(floppy + "/link", "x");
#else
    std::filesystem::create_symlink(folder / "pieces", floppy + "/link");
#endif
    WriteFile(folder / "pieces/outside", "must stay");

    engine.EraseDisk(floppy);
    EXPECT_FALSE(Exists(floppy + "/a.txt"));
    EXPECT_FALSE(Exists(floppy + "/sub/b.txt"));
    EXPECT_FALSE(Exists(floppy + "/sub/deeper/c"));
    EXPECT_FALSE(Exists(floppy + "/link"));  // the link goes, not what it points at
    EXPECT_TRUE(Exists(floppy + "/.hidden"));
    EXPECT_TRUE(Exists(floppy + "/sub/.keep"));
    EXPECT_TRUE(std::filesystem::is_directory(floppy + "/sub/deeper"));
    EXPECT_TRUE(Exists(folder / "pieces/outside"));

    // The root's files first, then the deepest folders before their parents.
    std::vector<std::string> deleted;
    for (const std::string& note : host.notes) {
        if (note.starts_with("deleted ")) {
            deleted.push_back(note.substr(8));
        }
    }
    ASSERT_EQ(deleted.size(), 4u);
    const std::string sub = platform.JoinPath(floppy, "sub");
    EXPECT_EQ(deleted[3], platform.JoinPath(sub, "b.txt"));
    EXPECT_LT(std::find(deleted.begin(), deleted.end(),
                        platform.JoinPath(platform.JoinPath(sub, "deeper"), "c")),
              std::find(deleted.begin(), deleted.end(), platform.JoinPath(sub, "b.txt")));
    EXPECT_EQ(host.notes.front(), "erasing");
}

TEST_F(RemovableMediaTest, AFileThatCannotBeDeletedIsReportedAndTheEraseGoesOn) {
    UseFloppy();
    WriteFile(floppy + "/stuck", "x");
    WriteFile(floppy + "/loose", "x");
    platform.undeletable = {platform.JoinPath(floppy, "stuck")};
    engine.EraseDisk(floppy);
    EXPECT_EQ(host.undeletable, std::vector<std::string>{platform.JoinPath(floppy, "stuck")});
    EXPECT_FALSE(Exists(floppy + "/loose"));
}

TEST_F(RemovableMediaTest, ASplitWithoutPausesErasesOnlyBeforeItsFirstPiece) {
    UseFloppy();
    WriteFile(floppy + "/old", "x");
    const std::string bytes = PatternBytes(300);
    PlanSplit(bytes, {100, 100, 100});
    options.EraseFloppyDisks = true;
    ASSERT_EQ(Split(), TransferOutcome::Done);
    EXPECT_FALSE(Exists(floppy + "/old"));
    EXPECT_EQ(ReadFile(Piece(1)) + ReadFile(Piece(2)) + ReadFile(Piece(3)), bytes);
    EXPECT_EQ(std::count(host.notes.begin(), host.notes.end(), "erasing"), 1);

    // With a prompt before each piece every new disk is erased.
    host = FakeHost();
    options.PauseMode = PauseMode::FloppiesOnly;
    int disks = 0;
    host.onQuestion = [&](const std::string&) {
        // Another disk goes in: what the last one holds leaves the drive.
        const std::string shelf = folder / ("disk" + std::to_string(++disks));
        std::filesystem::rename(floppy, shelf);
        std::filesystem::create_directory(floppy);
    };
    ASSERT_EQ(Split(), TransferOutcome::Done);
    EXPECT_EQ(std::count(host.notes.begin(), host.notes.end(), "erasing"), 3);
    EXPECT_EQ(ReadFile(folder / "disk2/big.bin.Brelked_1"), bytes.substr(0, 100));
    EXPECT_TRUE(Exists(Piece(3)));
}

TEST_F(RemovableMediaTest, AnEraseNeverDeletesThePieceThisSplitJustWroteToTheDisk) {
    UseFloppy();
    const std::string bytes = PatternBytes(300);
    PlanSplit(bytes, {150, 150});
    options.PauseMode = PauseMode::FloppiesOnly;
    options.EraseFloppyDisks = true;
    // Yes for disk 2 without changing it, twice; then the disk is changed.
    host.onQuestion = [&](const std::string&) {
        if (host.questions.size() == 4) {
            std::filesystem::rename(Piece(1), folder / "piece1");
        }
    };
    ASSERT_EQ(Split(), TransferOutcome::Done);
    ASSERT_EQ(host.questions.size(), 4u);
    EXPECT_EQ(host.questions[2], "unchanged disk 2");
    EXPECT_EQ(ReadFile(folder / "piece1") + ReadFile(Piece(2)), bytes);

    // No ends the run; piece 1, still on the disk in the drive, goes with it.
    host = FakeHost();
    host.answers = {true, true, false};
    EXPECT_EQ(Split(), TransferOutcome::DiskRefused);
    EXPECT_FALSE(Exists(Piece(1)));
}

TEST_F(RemovableMediaTest, AFloppyRootBehindALinkIsErasedAndPathsAreResolvedFirst) {
#ifdef _WIN32
    GTEST_SKIP() << "links need a privilege on Windows and Wine has none";
#endif
    const std::string drive = folder / "floppy0";
    std::filesystem::create_directory(drive);
    std::filesystem::create_directory_symlink(drive, floppy);
    platform.SetFloppyMountPoints({floppy});
    WriteFile(drive + "/old", "x");
    job.SmallFilesBase = floppy + "/big.bin";
    PlanSplit(PatternBytes(10), {10});
    options.EraseFloppyDisks = true;
    ASSERT_EQ(Split(), TransferOutcome::Done);
    EXPECT_FALSE(Exists(drive + "/old"));
    EXPECT_TRUE(Exists(drive + "/big.bin.Brelked_1"));

    EXPECT_EQ(platform.FloppyRoot(drive + "/a"), drive);
    EXPECT_EQ(platform.FloppyRoot(folder / "pieces/../floppy//a"), drive);
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    EXPECT_EQ(platform.FloppyRoot("floppy/a"), drive);
    EXPECT_EQ(platform.FloppyRoot("floppy/../pieces/a"), std::nullopt);
    std::filesystem::current_path(previous);
}

TEST_F(RemovableMediaTest, TheEraseSparesTheBigFileOfTheSplitThatRunsIt) {
    UseFloppy();
    job.BigFilePath = floppy + "/source.bin";
    const std::string bytes = PatternBytes(300);
    PlanSplit(bytes, {150, 150});
    options.EraseFloppyDisks = true;
    ASSERT_EQ(Split(), TransferOutcome::Done);
    EXPECT_EQ(ReadFile(job.BigFilePath), bytes);

    // Outside a run nothing is protected.
    engine.EraseDisk(floppy);
    EXPECT_FALSE(Exists(job.BigFilePath));
}

TEST_F(RemovableMediaTest, OnlyFloppyMountPointsCountAsFloppies) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has drive letters, not mount points; Win32PlatformTest covers them";
#else
    PosixPlatform posix;
    EXPECT_EQ(posix.FloppyRoot("/media/floppy/a.bin"), "/media/floppy");
    EXPECT_EQ(posix.FloppyRoot("/mnt/floppy1/x/y"), "/mnt/floppy1");
    EXPECT_EQ(posix.FloppyRoot("/media/floppy"), "/media/floppy");
    EXPECT_EQ(posix.FloppyRoot("/media/floppyX/a"), std::nullopt);
    EXPECT_EQ(posix.FloppyRoot("/home/a/media/floppy/a"), std::nullopt);
    EXPECT_EQ(posix.FloppyRoot("A:\\data"), std::nullopt);
#endif
}

// With a disk for each piece every disk carries the list as it stood when its
// last piece was written: each one before the last says that the split went
// on, and only the last disk's list is finished. A prompted join proves each
// piece by its disk's list before it deletes it, and refuses the series when
// the last disk's list is not finished either.
TEST_F(RemovableMediaTest, EachDiskCarriesTheListAsItStoodAndOnlyTheLastIsFinished) {
#ifdef _WIN32
    GTEST_SKIP() << "the disks are swapped by renaming files the run holds, which Windows forbids";
#endif
    using std::filesystem::path;
    const path drive = folder / "pieces";
    const auto disk = [&](int number) { return path(folder / ("disk" + std::to_string(number))); };
    // Takes the disk in the drive out as disk number, and puts in disk next:
    // empty for a split, as it was for a join.
    const auto swap = [&](int out, int next, bool fresh) {
        std::filesystem::create_directory(disk(out));
        for (const auto& entry : std::filesystem::directory_iterator(drive)) {
            std::filesystem::rename(entry.path(), disk(out) / entry.path().filename());
        }
        if (!fresh) {
            for (const auto& entry : std::filesystem::directory_iterator(disk(next))) {
                std::filesystem::rename(entry.path(), drive / entry.path().filename());
            }
        }
    };
    const std::string bytes = PatternBytes(300);
    PlanSplit(bytes, {100, 100, 100});
    options.PauseMode = PauseMode::Always;
    int inDrive = 1;
    host.onQuestion = [&](const std::string& question) {
        const int next = question.back() - '0';
        if (next != inDrive) {
            swap(inDrive, next, true);
            inDrive = next;
        }
    };
    ASSERT_EQ(Split(), TransferOutcome::Done);
    swap(3, 0, true);
    const auto listOn = [&](int number) {
        return MatchSeries(ReadFile((disk(number) / "big.bin.sha256").string()), "big.bin",
                           ".Brelked_");
    };
    EXPECT_EQ(listOn(1).state, ChecksumList::State::Unfinished);
    EXPECT_EQ(listOn(1).series.Count(), 1);
    EXPECT_EQ(listOn(2).series.Count(), 2);
    EXPECT_TRUE(listOn(3).Valid());

    // The join: each disk as the split left it.
    const auto join = [&] {
        inDrive = 0;
        host.onQuestion = [&](const std::string& question) {
            const int next = question.back() - '0';
            swap(inDrive == 0 ? 9 : inDrive, next, false);
            inDrive = next;
        };
        host.diskCount = 3;
        TakeSeriesFromDiskCount(job, host);
        job.BigFilePath = folder / "joined.bin";
        const TransferOutcome outcome = JoinSeries();
        swap(inDrive, 0, true);
        return outcome;
    };
    options.RemoveSmallFiles = true;
    // The last disk's list replaced by the second's: the split never finished.
    std::filesystem::copy_file(disk(2) / "big.bin.sha256", disk(3) / "big.bin.sha256",
                               std::filesystem::copy_options::overwrite_existing);
    EXPECT_EQ(join(), TransferOutcome::SeriesUnfinished);
    EXPECT_FALSE(Exists(folder / "joined.bin"));
    EXPECT_TRUE(Exists((disk(3) / "big.bin.Brelked_3").string()));  // no list proves it
    // Pieces 1 and 2 went, each proven by its disk's list: what was joined stays.
    EXPECT_EQ(ReadFile(result.partialPath), bytes);
}

}  // namespace
}  // namespace brelker
