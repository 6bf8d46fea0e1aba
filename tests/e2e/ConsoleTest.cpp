// The command line as scripts and servers use it: no display, exit codes, and
// file names that are bytes rather than text.

#include <gtest/gtest.h>

#include "ProgramFixture.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

using ConsoleTest = ProgramFixture;

TEST_F(ConsoleTest, SplitJoinAndVerifyARoundTripOnANameThatIsNotUtf8) {
    const std::string name = "caf\xe9.bin";  // Latin-1, as an old archive may hold it
    const std::string bytes = PatternBytes(2'500'000);
    WriteFile(folder / ("work/" + name), bytes);
    ASSERT_TRUE(RunShell("exec \"$0\" split \"$(printf 'caf\\351.bin')\" -b 1M --script r.sh"));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_TRUE(ReadFile(folder / "work/r.sh").starts_with("#!/bin/sh\n"));
    const std::string stem = folder / ("work/" + name + ".Brelked_");
    EXPECT_EQ(std::filesystem::file_size(stem + "1"), 1'048'576u);
    EXPECT_EQ(ReadFile(stem + "1") + ReadFile(stem + "2") + ReadFile(stem + "3"), bytes);

    ASSERT_TRUE(RunShell("exec \"$0\" join \"$(printf 'caf\\351.bin').Brelked_2\" -o back.bin"));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_EQ(ReadFile(folder / "work/back.bin"), bytes);
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              "brelker: The file is restored and verified!\n");

    ASSERT_TRUE(RunShell("exec \"$0\" verify \"$(printf 'caf\\351.bin').Brelked_3\" -q"));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(process.readAllStandardError().isEmpty());
    WriteFile(stem + "2", ReadFile(stem + "2").replace(100, 1, "!"));
    ASSERT_TRUE(RunShell("exec \"$0\" verify \"$(printf 'caf\\351.bin').Brelked_3\" -q"));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              "brelker: " + name + ".Brelked_1: OK\nbrelker: " + name +
                  ".Brelked_2: FAILED\nbrelker: " + name + ".Brelked_3: OK\nbrelker: " + name +
                  ": OK\nbrelker: 3 OK, 1 FAILED, 0 missing\n");
    ASSERT_TRUE(RunShell("exec \"$0\" join \"$(printf 'caf\\351.bin').Brelked_2\" -o back.bin"));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(ReadFile(folder / "work/back.bin"), bytes);  // kept as it was
    WriteFile(stem + "2", bytes.substr(1'048'576, 1'048'576));

    // The original file beside the pieces is not replaced unasked.
    WriteFile(folder / ("work/" + name), "the original, edited since");
    ASSERT_TRUE(RunShell("exec \"$0\" join \"$(printf 'caf\\351.bin').Brelked_1\""));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_NE(process.readAllStandardError().toStdString().find(name), std::string::npos);
    EXPECT_EQ(ReadFile(folder / ("work/" + name)), "the original, edited since");

    // The stored language speaks; --quiet silences success.
    settings.Write(settings::Language, kGerman);
    ASSERT_TRUE(RunShell("exec \"$0\" join \"$(printf 'caf\\351.bin').Brelked_1\" --quiet -f"));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(ReadFile(folder / ("work/" + name)), bytes);
    EXPECT_TRUE(process.readAllStandardError().isEmpty());
    std::filesystem::remove(stem + "3");
    ASSERT_TRUE(Run({QStringLiteral("join"), Q(folder / "work/back.bin.Brelked_1")}));
    EXPECT_EQ(process.exitCode(), 1);
}

TEST_F(ConsoleTest, ExitCodesSayWhatWentWrong) {
    WriteFile(folder / "work/a.bin", PatternBytes(40'000));
    WriteFile(folder / "work/empty.bin", "");
    struct Row {
        QStringList arguments;
        int exitCode;
        const char* saying;
    };
    const Row rows[] = {
        {{QStringLiteral("--help")}, 0, ""},
        {{QStringLiteral("--version")}, 0, ""},
        {{QStringLiteral("split")}, 2, "A value is missing after: split"},
        {{QStringLiteral("split"), QStringLiteral("a.bin"), QStringLiteral("-b"),
          QStringLiteral("12Q")},
         2,
         "Not a valid size: 12Q"},
        {{QStringLiteral("split"), QStringLiteral("a.bin"), QStringLiteral("--free"),
          QStringLiteral("-b1K")},
         2,
         "Choose only one of -b, --base and --free."},
        {{QStringLiteral("join"), QStringLiteral("a.bin"), QStringLiteral("--script=x.sh")},
         2,
         "Unknown command or option: --script=x.sh"},
        {{QStringLiteral("split"), QStringLiteral("none.bin")}, 1, "File is missing: none.bin"},
        {{QStringLiteral("split"), QStringLiteral("empty.bin")}, 1, "There is nothing to split"},
        {{QStringLiteral("split"), QStringLiteral("a.bin"), QStringLiteral("-b"),
          QStringLiteral("1")},
         1,
         "Too many files!"},
        {{QStringLiteral("split"), QStringLiteral("a.bin"), QStringLiteral("--base"),
          QStringLiteral("10")},
         1,
         "No such entry in the base size list: 10"},
        {{QStringLiteral("join"), QStringLiteral("a.bin")}, 1, "is not that of a smaller file"},
    };
    for (const Row& row : rows) {
        ASSERT_TRUE(Run(row.arguments));
        const QString arguments = row.arguments.join(QLatin1Char(' '));
        EXPECT_EQ(process.exitCode(), row.exitCode) << arguments.toStdString();
        const std::string errors = process.readAllStandardError().toStdString();
        EXPECT_NE(errors.find(row.saying), std::string::npos) << arguments.toStdString() << errors;
    }
    ASSERT_TRUE(Run({QStringLiteral("-h")}));
    EXPECT_TRUE(process.readAllStandardOutput().contains("Exit status: 0 success"));
    EXPECT_FALSE(Exists(folder / "work/a.bin.Brelked_1"));
}

TEST_F(ConsoleTest, AScriptNamedLikeAPieceIsRefusedAndThePieceKept) {
    const std::string bytes = PatternBytes(3'000'000);
    WriteFile(folder / "work/big", bytes);
    ASSERT_TRUE(
        Run({QStringLiteral("split"), QStringLiteral("big"), QStringLiteral("-b"),
             QStringLiteral("1M"), QStringLiteral("--script"), QStringLiteral("big.Brelked_1")}));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardError().contains("may not take the name"));
    EXPECT_EQ(ReadFile(folder / "work/big.Brelked_1"), bytes.substr(0, 1 << 20));
}

// A checksum file that is not wholly understood proves nothing: the join stops
// before it writes, and Verify never reads a file the list names outside the series.
TEST_F(ConsoleTest, ADamagedChecksumFileStopsTheJoinAndVerifyReadsOnlyTheSeries) {
    const std::string bytes = PatternBytes(2'500'000);
    WriteFile(folder / "work/d.bin", bytes);
    ASSERT_TRUE(Run({QStringLiteral("split"), QStringLiteral("d.bin"), QStringLiteral("-b1M")}));
    ASSERT_EQ(process.exitCode(), 0);
    const std::string list = folder / "work/d.bin.sha256";
    std::string lines = ReadFile(list);
    WriteFile(list,
              lines.substr(0, 64) + " d.bin.Brelked_1\n" + lines.substr(lines.find('\n') + 1));
    WriteFile(folder / "work/back.bin", "what was there");
    ASSERT_TRUE(Run({QStringLiteral("join"), QStringLiteral("d.bin.Brelked_1"),
                     QStringLiteral("-o"), QStringLiteral("back.bin"), QStringLiteral("-f")}));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              "brelker: The checksum file cannot be used: d.bin.sha256, line 1: not a checksum "
              "line\n");
    EXPECT_TRUE(ReadFile(folder / "work/back.bin") == "what was there");

    WriteFile(folder / "secret.txt", "secret");
    WriteFile(list, lines.substr(0, lines.rfind(' ') + 1) + "../secret.txt\n");
    ASSERT_TRUE(Run({QStringLiteral("verify"), QStringLiteral("d.bin.Brelked_2")}));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              "brelker: The checksum file cannot be used: d.bin.sha256, line 4: a name with a "
              "folder part\n");

    std::filesystem::remove(list);
    ASSERT_TRUE(Run({QStringLiteral("join"), QStringLiteral("d.bin.Brelked_3"),
                     QStringLiteral("-o"), QStringLiteral("back.bin"), QStringLiteral("-f")}));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(ReadFile(folder / "work/back.bin") == bytes);
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              "brelker: The file is restored, but it could not be verified: there is no checksum "
              "file.\n");
}

}  // namespace
}  // namespace brelker
