// The command line as careless scripts use it: killed half way, run twice at
// once, pointed at folders and at names it does not own.

#include <gtest/gtest.h>

#include "ProgramFixture.h"
#include "platform/PosixPlatform.h"

namespace brelker {
namespace {

using OwnedNamesConsoleTest = ProgramFixture;

TEST_F(OwnedNamesConsoleTest, AKilledSplitLeavesNoSeriesThatLooksWhole) {
    // 200 pieces: the signal comes while the third is being written.
    ASSERT_TRUE(
        RunShell("head -c 200000000 /dev/zero > disk.img\n"
                 "\"$0\" split disk.img -b 1M & pid=$!\n"
                 "while [ ! -e disk.img.Brelked_3 ]; do :; done\n"
                 "kill -TERM $pid; wait $pid; echo \"status $?\"\n"
                 "ls"));
    EXPECT_EQ(process.readAllStandardOutput().toStdString(), "status 143\ndisk.img\n");
    const std::string errors = process.readAllStandardError().toStdString();
    EXPECT_NE(errors.find("not finished"), std::string::npos) << errors;
    EXPECT_NE(errors.find("have been removed"), std::string::npos) << errors;
}

// Killed outright, a split cleans up nothing: what it leaves says that it did
// not finish, and a join or Verify of it refuses instead of restoring a part.
// The same for a split from a pipe, and for one stopped by the file-size limit,
// which ends in a failed write that the split cleans up after.
TEST_F(OwnedNamesConsoleTest, WhatAKilledSplitLeavesIsNeverJoinedOrVerifiedAsWhole) {
    ASSERT_TRUE(
        RunShell("head -c 200000000 /dev/zero > disk.img\n"
                 "\"$0\" split disk.img -b 1M & pid=$!\n"
                 "while [ ! -e disk.img.Brelked_3 ]; do :; done\n"
                 "kill -KILL $pid; wait $pid\n"
                 "\"$0\" join disk.img.Brelked_1 -o j.bin; echo \"join $?\"\n"
                 "\"$0\" verify disk.img.Brelked_1 >/dev/null; echo \"verify $?\"\n"
                 "test -e j.bin || echo 'no j.bin'\n"
                 "mkfifo feed; \"$0\" split - -b 1M -o s < feed & pid=$!\n"
                 "exec 3>feed; head -c 2621440 /dev/zero >&3\n"
                 "while [ ! -e s.Brelked_2 ]; do :; done\n"
                 "kill -KILL $pid; wait $pid; exec 3>&-\n"
                 "\"$0\" join s.Brelked_1 -o - >/dev/null; echo \"stream $?\"\n"
                 "(ulimit -f 2048; exec \"$0\" split disk.img -b 4M -o f); echo \"limit $?\"\n"
                 "ls f.* 2>/dev/null | wc -l"));
    const std::string out = process.readAllStandardOutput().toStdString();
    EXPECT_EQ(out, "join 1\nverify 1\nno j.bin\nstream 1\nlimit 1\n0\n");
    const std::string errors = process.readAllStandardError().toStdString();
    EXPECT_NE(errors.find("The split of disk.img did not finish: "), std::string::npos) << errors;
    EXPECT_NE(errors.find(" of 191 smaller files were written."), std::string::npos) << errors;
    EXPECT_NE(errors.find("The split of s did not finish: 2 smaller files were written."),
              std::string::npos)
        << errors;
}

TEST_F(OwnedNamesConsoleTest, ASecondRunOnTheSameStemIsRefusedAtOnce) {
    WriteFile(folder / "work/a.bin", PatternBytes(40'000));
    PosixPlatform platform;
    const auto held = platform.LockForWriting(folder / "work/a.bin");
    ASSERT_NE(held, nullptr);
    ASSERT_TRUE(Run({QStringLiteral("split"), QStringLiteral("a.bin"), QStringLiteral("-b1K")}));
    EXPECT_EQ(process.exitCode(), 1);
    const std::string errors = process.readAllStandardError().toStdString();
    EXPECT_NE(errors.find("Another run is writing this file"), std::string::npos) << errors;
    EXPECT_NE(errors.find("a.bin"), std::string::npos) << errors;
    EXPECT_FALSE(Exists(folder / "work/a.bin.Brelked_1"));
}

TEST_F(OwnedNamesConsoleTest, MessagesNameThePathAndTheReason) {
    WriteFile(folder / "work/a.bin", PatternBytes(4000));
    std::filesystem::create_directory(folder / "work/dir");
    struct Row {
        QStringList arguments;
        const char* saying;
    };
    const Row rows[] = {
        {{QStringLiteral("split"), QStringLiteral("dir")}, "This is a folder, not a file: dir"},
        {{QStringLiteral("split"), QStringLiteral("a.bin"), QStringLiteral("-b1K"),
          QStringLiteral("-o"), QStringLiteral("none/x")},
         "Could not write the checksum file: none/x.sha256: No such file or directory"},
        {{QStringLiteral("split"), QStringLiteral("none.bin")},
         "File is missing: none.bin: No such file or directory"},
    };
    for (const Row& row : rows) {
        ASSERT_TRUE(Run(row.arguments));
        EXPECT_EQ(process.exitCode(), 1);
        const std::string errors = process.readAllStandardError().toStdString();
        EXPECT_NE(errors.find(row.saying), std::string::npos) << errors;
    }

    // Stale pieces are named as they go.
    WriteFile(folder / "work/x.Brelked_3", "old");
    ASSERT_TRUE(Run({QStringLiteral("split"), QStringLiteral("a.bin"), QStringLiteral("-b3K"),
                     QStringLiteral("-o"), QStringLiteral("x")}));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              "brelker: Removed a smaller file of an earlier, longer series: x.Brelked_3\n"
              "brelker: Split into 2 smaller files of 3072 bytes (3.0 KiB), the last of 928 "
              "bytes: x.Brelked_1 to x.Brelked_2\n"
              "brelker: Checksum file: x.sha256\n");
}

TEST_F(OwnedNamesConsoleTest, TheSeriesOwnFilesAreNoJoinTargetAndNoBigFileIsAmongItsPieces) {
    WriteFile(folder / "work/f", PatternBytes(5000));
    ASSERT_TRUE(Run(QStringLiteral("split f -qb1K").split(u' ')));
    const std::string list = ReadFile(folder / "work/f.sha256");
    const std::pair<const char*, const char*> rows[] = {
        {"join f.Brelked_1 -o f.sha256 --append", "Cannot write f.sha256"},
        {"join f.Brelked_1 -o ./f.sha256 --append -f", "Cannot write ./f.sha256"},
        {"join f.Brelked_1 -o f.sha256 -f", "Cannot write f.sha256"},
        {"join f.Brelked_1 -o f.Brelked_6", "Cannot write f.Brelked_6"},
        // The big file would stay among the pieces of its own series, as piece 5.
        {"split f.Brelked_5 -b 2K -o f",
         "The big file has the name of one of the smaller files it would be split into, and a "
         "join would take it for one. Choose another name for the smaller files: f.Brelked_5"},
    };
    for (const auto& [arguments, saying] : rows) {
        ASSERT_TRUE(Run(QString::fromLatin1(arguments).split(u' ')));
        EXPECT_EQ(process.exitCode(), 1) << arguments;
        const std::string errors = process.readAllStandardError().toStdString();
        EXPECT_NE(errors.find(saying), std::string::npos) << errors;
        EXPECT_EQ(ReadFile(folder / "work/f.sha256"), list) << arguments;
        EXPECT_FALSE(Exists(folder / "work/f.Brelked_6")) << arguments;
    }
}

TEST_F(OwnedNamesConsoleTest, AnAppendKilledHalfWayIsTakenOffBeforeTheNextOne) {
    // Stopped once its record is there, then killed as the OOM killer would.
    ASSERT_TRUE(RunShell(
        "head -c 64000000 /dev/urandom > big.bin && \"$0\" split big.bin -qb 1M\n"
        "printf head > target.bin\n"
        "\"$0\" join big.bin.Brelked_1 -o target.bin --append -q & pid=$!\n"
        "while [ ! -e .target.bin.brelker-append ] && kill -0 $pid 2>/dev/null; do :; done\n"
        "kill -STOP $pid; size=$(wc -c < target.bin); kill -KILL $pid\n"
        "{ wait $pid; } 2>/dev/null; echo \"status $?\"\n"
        "test -e .target.bin.brelker-append && [ \"$size\" -lt 64000004 ] && echo recorded\n"
        "\"$0\" join big.bin.Brelked_1 -o target.bin --append; echo \"again $?\"\n"
        "{ printf head; cat big.bin; } | cmp - target.bin && echo whole\n"
        "echo \"left $(ls -A | grep -c brelker-)\""));
    EXPECT_EQ(process.readAllStandardOutput().toStdString(),
              "status 137\nrecorded\nagain 0\nwhole\nleft 0\n");
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              "brelker: An earlier join that appended to this file was broken off; what it had "
              "appended has been taken off first: target.bin\n"
              "brelker: Restored and verified: target.bin\n");
}

// What is wrong with a file is said as it is: a FIFO or a folder where a
// piece should be is no missing file, a list too large is not unreadable, and
// a disk too small for --free is said before anything is written, never asked.
TEST_F(OwnedNamesConsoleTest, WhatIsWrongWithAFileIsSaidAsItIs) {
    WriteFile(folder / "work/a.bin", PatternBytes(4000));
    ASSERT_TRUE(Run({QStringLiteral("split"), QStringLiteral("a.bin"), QStringLiteral("-qb1K")}));
    struct Row {
        const char* script;
        const char* saying;
    };
    const Row rows[] = {
        {"rm a.bin.Brelked_2 && mkfifo a.bin.Brelked_2 && \"$0\" join a.bin.Brelked_1 -o j",
         "brelker: This is not a regular file (a folder, a device, a pipe or a link) and is left "
         "as it is: a.bin.Brelked_2\n"},
        {"rm a.bin.Brelked_2 && mkdir a.bin.Brelked_2 && \"$0\" join a.bin.Brelked_1 -o j",
         "brelker: This is a folder, not a file: a.bin.Brelked_2\n"},
        {"exec \"$0\" join a.bin.Brelked_7 -o j",
         "brelker: File is missing: a.bin.Brelked_7: No such file or directory\n"},
        {"head -c 17000000 /dev/zero | tr '\\0' '\\n' >> a.bin.sha256 && "
         "exec \"$0\" join a.bin.Brelked_1 -o j",
         "brelker: The checksum file cannot be used: a.bin.sha256: too large for the list of a "
         "series\n"},
    };
    for (const Row& row : rows) {
        ASSERT_TRUE(RunShell(row.script));
        EXPECT_EQ(process.exitCode(), 1) << row.script;
        EXPECT_EQ(process.readAllStandardError().toStdString(), row.saying) << row.script;
    }

    std::filesystem::resize_file(folder / "work/a.bin", std::int64_t{1} << 40);
    ASSERT_TRUE(Run({QStringLiteral("split"), QStringLiteral("a.bin"), QStringLiteral("--free"),
                     QStringLiteral("-o"), QStringLiteral("f")}));
    EXPECT_EQ(process.exitCode(), 1);
    const std::string errors = process.readAllStandardError().toStdString();
    EXPECT_TRUE(errors.starts_with("brelker: The disk of f.Brelked_1 has room for ")) << errors;
    EXPECT_TRUE(
        errors.ends_with(" and the file takes 1099511627776 bytes (1.0 TiB): the rest "
                         "would need another disk, and the command line does not ask for "
                         "disks\n"))
        << errors;
    EXPECT_FALSE(Exists(folder / "work/f.Brelked_1"));
}

}  // namespace
}  // namespace brelker
