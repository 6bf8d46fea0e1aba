// What a split can be given besides a regular file of some size: an empty
// file, a device or a FIFO by name, an entry of the base size list.

#include <gtest/gtest.h>

#include <algorithm>

#include "ProgramFixture.h"

namespace brelker {
namespace {

using SplitSourcesConsoleTest = ProgramFixture;

// An empty file is a series of one empty piece and its list, which joins back
// to the empty file: a script that splits whatever it is given need not test
// for emptiness first.
TEST_F(SplitSourcesConsoleTest, AnEmptyFileIsOneEmptyPieceThatJoinsBack) {
    WriteFile(folder / "work/empty.bin", "");
    ASSERT_TRUE(
        Run({QStringLiteral("split"), QStringLiteral("empty.bin"), QStringLiteral("-b1K")}));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              "brelker: Split into 1 smaller file of 0 bytes: empty.bin.Brelked_1\n"
              "brelker: Checksum file: empty.bin.sha256\n");
    ASSERT_TRUE(Run({QStringLiteral("join"), QStringLiteral("empty.bin.Brelked_1"),
                     QStringLiteral("-o"), QStringLiteral("back.bin")}));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              "brelker: Restored and verified: back.bin\n");
    EXPECT_TRUE(Exists(folder / "work/back.bin") && ReadFile(folder / "work/back.bin").empty());

    // The same from a pipe and from a device that ends at once.
    ASSERT_TRUE(
        RunShell("\"$0\" split - -qb 1K -o s < /dev/null && \"$0\" split /dev/null -qb 1K "
                 "-o n && sha256sum -c --quiet --ignore-missing empty.bin.sha256 s.sha256 "
                 "&& \"$0\" split empty.bin -n 2"));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              "brelker: -n 2 asks for more smaller files than the file has bytes (0)\n");
    for (const char* piece : {"work/s.Brelked_1", "work/n.Brelked_1"}) {
        EXPECT_TRUE(Exists(folder / piece) && ReadFile(folder / piece).empty()) << piece;
    }
}

// A device or a FIFO is read as standard input is: to its end, as its bytes
// come, into pieces of -b under the name -o gives.
TEST_F(SplitSourcesConsoleTest, ADeviceOrAFifoIsSplitAsItsBytesCome) {
    const std::string bytes = PatternBytes(300'000);
    WriteFile(folder / "work/source.bin", bytes);
    struct Row {
        const char* arguments;
        const char* saying;
    };
    // Refused before the FIFO is opened: nobody writes to it.
    const Row rows[] = {
        {"-o x",
         "brelker: p is a device or a pipe, whose size is known only at its end: give -b "
         "SIZE\n"},
        {"-b 1K",
         "brelker: p is a device or a pipe: say where the pieces go with -o STEM or -o "
         "FOLDER\n"},
    };
    ASSERT_TRUE(RunShell("mkfifo p"));
    for (const Row& row : rows) {
        ASSERT_TRUE(RunShell(std::string("exec \"$0\" split p ") + row.arguments));
        EXPECT_EQ(process.exitCode(), 2) << row.arguments;
        EXPECT_EQ(process.readAllStandardError().toStdString(), row.saying);
    }

    // On a terminal the progress counts bytes and their rate: there is no total.
    ASSERT_TRUE(
        RunShell("{ head -c 200000 source.bin; sleep 0.5; tail -c +200001 source.bin; } > p &\n"
                 "script -qec \"'$0' split p -b 100K -o x\" /dev/null > pty.out || exit\n"
                 "\"$0\" join x.Brelked_1 -qo back.bin && cmp source.bin back.bin"));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    const std::string shown = ReadFile(folder / "work/pty.out");
    EXPECT_NE(shown.find("300.0 kB  "), std::string::npos) << shown;
    EXPECT_NE(shown.find("kB/s\033[K"), std::string::npos) << shown;
    EXPECT_EQ(shown.find('%'), std::string::npos) << shown;
}

TEST_F(SplitSourcesConsoleTest, TheBaseSizesAreListedWithTheirNumbers) {
    ASSERT_TRUE(Run({QStringLiteral("split"), QStringLiteral("--list-bases")}));
    EXPECT_EQ(process.exitCode(), 0);
    std::string listed = process.readAllStandardOutput().toStdString();
    EXPECT_TRUE(
        listed.starts_with("  1         730112  720 kB 3.5'' single\n"
                           "  2        1457664  1.44 MB 3.5'' double  (used without -b)\n"))
        << listed;
    EXPECT_TRUE(listed.ends_with("  9  1099511627776  1 TB Mass Storage\n")) << listed;
    EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), 9) << listed;

    settings.Write(settings::BaseSizeIndex, 2);
    ASSERT_TRUE(Run({QStringLiteral("--list-b")}));
    listed = process.readAllStandardOutput().toStdString();
    EXPECT_NE(listed.find("Zip drive  (used without -b)\n  4 "), std::string::npos) << listed;
}

}  // namespace
}  // namespace brelker
