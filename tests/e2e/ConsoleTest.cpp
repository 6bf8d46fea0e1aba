// The command line as scripts and servers use it: no display, exit codes, and
// file names that are bytes rather than text.

#include <gtest/gtest.h>

#include <filesystem>

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
              "brelker: Restored and verified: back.bin\n");

    ASSERT_TRUE(RunShell("exec \"$0\" verify \"$(printf 'caf\\351.bin').Brelked_3\" -q"));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(process.readAllStandardError().isEmpty());
    WriteFile(stem + "2", ReadFile(stem + "2").replace(100, 1, "!"));
    ASSERT_TRUE(RunShell("exec \"$0\" verify \"$(printf 'caf\\351.bin').Brelked_3\" -q"));
    EXPECT_EQ(process.exitCode(), 1);
    // Quiet, as sha256sum --quiet: only what is not OK, and the count.
    EXPECT_EQ(process.readAllStandardOutput().toStdString(), name + ".Brelked_2: FAILED\n");
    EXPECT_EQ(process.readAllStandardError().toStdString(), "brelker: 3 OK, 1 FAILED, 0 missing\n");
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
    struct Row {
        QStringList arguments;
        int exitCode;
        const char* saying;
    };
    const Row rows[] = {
        {{QStringLiteral("--help")}, 0, ""},
        {{QStringLiteral("--version")}, 0, ""},
        {{QStringLiteral("split")}, 2, "A value is missing after: 'split'"},
        {{QStringLiteral("split"), QStringLiteral("a.bin"), QStringLiteral("-b"),
          QStringLiteral("1K ")},
         2,
         "Not a valid size: '1K '\n"},
        {{QStringLiteral("split"), QStringLiteral("a.bin"), QStringLiteral("--free"),
          QStringLiteral("-b1K")},
         2,
         "Choose only one of -b, -n, --base and --free."},
        {{QStringLiteral("join"), QStringLiteral("a.bin"), QStringLiteral("--script=x.sh")},
         2,
         "Unknown command or option: '--script=x.sh'"},
        {{QStringLiteral("split"), QStringLiteral("none.bin")}, 1, "File is missing: none.bin"},
        {{QStringLiteral("split"), QStringLiteral("a.bin"), QStringLiteral("-b"),
          QStringLiteral("1")},
         1,
         "Pieces of 1 byte would make 40000 smaller files, more than the 32736 possible: give "
         "-b 2 or more, or -n"},
        // A mistake of the command line, as --base 0 is, though only the list can tell.
        {{QStringLiteral("split"), QStringLiteral("a.bin"), QStringLiteral("--base"),
          QStringLiteral("99")},
         2,
         "No such entry in the base size list: '99' (its entries are 1 to 9; brelker split "
         "--list-bases lists them)"},
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

// tar into a split and a join into tar: a tree survives both pipes, a
// damaged piece stops the join before its first byte goes out, and "-" is
// refused wherever the stream could be a file the run reads or writes.
TEST_F(ConsoleTest, PipesSplitStandardInputAndJoinOntoStandardOutputPieceByPieceChecked) {
    std::filesystem::create_directories(folder / "work/tree/sub");
    WriteFile(folder / "work/tree/a.bin", PatternBytes(300'000));
    WriteFile(folder / "work/tree/sub/b.txt", "hello\n");
    ASSERT_TRUE(RunShell(
        "tar c tree | \"$0\" split - -b 100K -o backup.tar || exit\n"
        "mkdir out && \"$0\" join backup.tar.Brelked_1 -o - | tar x -C out || exit\n"
        "diff -r tree out/tree && sha256sum -c --quiet --ignore-missing backup.tar.sha256"));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardOutput().toStdString();
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              "brelker: Split into 3 smaller files of 102400 bytes (100.0 KiB): "
              "backup.tar.Brelked_1 to backup.tar.Brelked_3\n"
              "brelker: Checksum file: backup.tar.sha256\n"
              "brelker: Restored and verified: standard output\n");
    EXPECT_FALSE(Exists(folder / "work/backup.tar.Brelked_4"));  // no empty piece at the end

    const std::string second = ReadFile(folder / "work/backup.tar.Brelked_2");
    WriteFile(folder / "work/backup.tar.Brelked_2", "x" + second.substr(1));
    ASSERT_TRUE(RunShell("exec \"$0\" join backup.tar.Brelked_1 -o - > joined"));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(ReadFile(folder / "work/joined"), ReadFile(folder / "work/backup.tar.Brelked_1"));
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              "brelker: This smaller file does not match its checksum; what was written before it "
              "cannot be taken back: backup.tar.Brelked_2\n");
    WriteFile(folder / "work/backup.tar.sha256", "not a list\n");
    ASSERT_TRUE(RunShell("exec \"$0\" join backup.tar.Brelked_1 -o - > joined"));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(ReadFile(folder / "work/joined"), "");
    std::filesystem::remove(folder / "work/backup.tar.sha256");
    ASSERT_TRUE(RunShell("exec \"$0\" join backup.tar.Brelked_1 -o - > joined"));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(process.readAllStandardError().contains("Restored, but not verified"));

    struct Row {
        const char* script;
        int exitCode;
        const char* saying;
    };
    const Row rows[] = {
        {"exec \"$0\" split - --free -o x < joined", 2, "give -b instead: --free"},
        {"exec \"$0\" split - -b 1K < joined", 2, "Standard input has no name"},
        {"exec \"$0\" split - -b 1K -o backup.tar < backup.tar.Brelked_3", 1,
         "Standard input is this file, which would be overwritten while it is read: "
         "backup.tar.Brelked_3"},
        {"exec \"$0\" join backup.tar.Brelked_1 -o - >> backup.tar.Brelked_3", 1,
         "Standard output is this file, which would be overwritten while it is read: "
         "backup.tar.Brelked_3"},
        {"exec \"$0\" verify - ", 2, "Here - cannot stand for standard input or output: -"},
    };
    for (const Row& row : rows) {
        ASSERT_TRUE(RunShell(row.script));
        EXPECT_EQ(process.exitCode(), row.exitCode) << row.script;
        const std::string errors = process.readAllStandardError().toStdString();
        EXPECT_NE(errors.find(row.saying), std::string::npos) << row.script << errors;
    }
    EXPECT_EQ(ReadFile(folder / "work/backup.tar.Brelked_3").size(), 102'400u);

    // Killed while it waits for more: what it wrote goes, as after a split of a file.
    ASSERT_TRUE(
        RunShell("(head -c 3000000 /dev/zero; sleep 1) | \"$0\" split - -b 1M -o s & pid=$!\n"
                 "while [ ! -e s.Brelked_2 ]; do :; done\n"
                 "kill -TERM $pid; wait $pid; echo \"status $?\"; ls s.* 2>/dev/null"));
    EXPECT_EQ(process.readAllStandardOutput().toStdString(), "status 143\n");
}

// -b as GNU split 9.1 reads it, -n, and the window's base size when neither is given.
TEST_F(ConsoleTest, SizesAreReadAsGnuSplitReadsThemAndTheDefaultIsSaid) {
    WriteFile(folder / "work/a.bin", PatternBytes(3000));
    struct Row {
        const char* size;
        int exitCode;
        std::uintmax_t firstPiece;
    };
    const Row rows[] = {
        {"1k", 0, 1024}, {"1kB", 0, 1000}, {"b", 0, 512},   {"2b", 0, 1024}, {"K", 0, 1024},
        {"1m", 0, 3000}, {"1P", 0, 3000},  {"7E", 0, 3000}, {"8E", 2, 0},    {"1Z", 2, 0},
        {"0", 2, 0},     {"-1", 2, 0},     {"1.5K", 2, 0},  {"1g", 2, 0},    {"1KiBx", 2, 0},
    };
    for (const Row& row : rows) {
        std::filesystem::remove(folder / "work/a.bin.Brelked_1");
        ASSERT_TRUE(Run({QStringLiteral("split"), QStringLiteral("a.bin"), QStringLiteral("-qb"),
                         QString::fromLatin1(row.size)}));
        EXPECT_EQ(process.exitCode(), row.exitCode) << row.size;
        if (row.exitCode == 0) {
            EXPECT_EQ(std::filesystem::file_size(folder / "work/a.bin.Brelked_1"), row.firstPiece)
                << row.size;
        }
    }

    ASSERT_TRUE(Run({QStringLiteral("split"), QStringLiteral("a.bin"), QStringLiteral("-n7")}));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(std::filesystem::file_size(folder / "work/a.bin.Brelked_6"), 428u);
    EXPECT_EQ(std::filesystem::file_size(folder / "work/a.bin.Brelked_7"), 432u);

    WriteFile(folder / "work/b.bin", PatternBytes(3'000'000));
    ASSERT_TRUE(Run({QStringLiteral("split"), QStringLiteral("b.bin")}));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(process.readAllStandardError().startsWith(
        "brelker: No -b given: using the base size 1.44 MB 3.5'' double (1457664 bytes)\n"));
    EXPECT_EQ(std::filesystem::file_size(folder / "work/b.bin.Brelked_3"), 84'672u);
    // Past 32736 pieces of the base size (about 47.7 GB): refused, with the size that would do.
    std::filesystem::resize_file(folder / "work/b.bin", 48'000'000'000);
    ASSERT_TRUE(Run({QStringLiteral("split"), QStringLiteral("b.bin"), QStringLiteral("-q")}));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(
        process.readAllStandardError().toStdString(),
        "brelker: Pieces of 1457664 bytes would make 32930 smaller files, more than the 32736 "
        "possible: give -b 1466276 or more, or -n\n");
}

// What a run made, where: lines for people on standard error, and Verify's
// lines for scripts on standard output in sha256sum -c's words.
TEST_F(ConsoleTest, SummariesSayWhatWasMadeAndVerifySpeaksAsSha256sum) {
    const std::string name = "two\nlines";
    WriteFile(folder / ("work/" + name), PatternBytes(2500));
    std::filesystem::create_directory(folder / "work/d");
    ASSERT_TRUE(RunShell("exec \"$0\" split \"$(printf 'two\\nlines')\" -b 1K -o d"));
    EXPECT_EQ(process.exitCode(), 0);
    // A name that would break the line is quoted as GNU tools quote it.
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              "brelker: Split into 3 smaller files of 1024 bytes (1.0 KiB), the last of 452 bytes: "
              "'d/two'$'\\n''lines.Brelked_1' to 'd/two'$'\\n''lines.Brelked_3'\n"
              "brelker: Checksum file: 'd/two'$'\\n''lines.sha256'\n");
    std::filesystem::create_directory(folder / "work/back");
    ASSERT_TRUE(RunShell("exec \"$0\" join \"d/$(printf 'two\\nlines').Brelked_1\" -o back/"));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              "brelker: Restored and verified: 'back/two'$'\\n''lines'\n");
    EXPECT_TRUE(ReadFile(folder / ("work/back/" + name)) == PatternBytes(2500));

    std::filesystem::remove(folder / ("work/d/" + name + ".Brelked_3"));
    ASSERT_TRUE(RunShell("exec \"$0\" verify \"d/$(printf 'two\\nlines').Brelked_1\""));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(process.readAllStandardOutput().toStdString(),
              "\\two\\nlines.Brelked_1: OK\n\\two\\nlines.Brelked_2: OK\n"
              "\\two\\nlines.Brelked_3: FAILED open or read\n");
    EXPECT_EQ(process.readAllStandardError().toStdString(), "brelker: 2 OK, 0 FAILED, 1 missing\n");
}

// Habits from GNU tools, and the progress line of a narrow terminal.
TEST_F(ConsoleTest, OptionsAsGnuToolsTakeThemAndAProgressLineThatFits) {
    WriteFile(folder / "work/a.bin", PatternBytes(4000));
    ASSERT_TRUE(Run({QStringLiteral("-q"), QStringLiteral("split"), QStringLiteral("a.bin"),
                     QStringLiteral("--by"), QStringLiteral("1K"), QStringLiteral("--no-c")}));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(process.readAllStandardError().isEmpty());
    EXPECT_TRUE(Exists(folder / "work/a.bin.Brelked_4"));
    EXPECT_FALSE(Exists(folder / "work/a.bin.sha256"));
    WriteFile(folder / "work/b.bin", PatternBytes(4000));
    ASSERT_TRUE(Run({QStringLiteral("split"), QStringLiteral("b.bin"), QStringLiteral("-qb1K")}));
    struct Row {
        const char* script;
        int exitCode;
        const char* saying;
    };
    const Row rows[] = {
        {"exec \"$0\" --help > /dev/full", 1,
         "brelker: Cannot write to standard output: No space left on device\n"},
        {"exec \"$0\" --version > /dev/full", 1,
         "brelker: Cannot write to standard output: No space left on device\n"},
        {"DISPLAY=:99 exec \"$0\" spilt a.bin", 2, "brelker: Unknown command or option: 'spilt'\n"},
        {"exec \"$0\" split a.bin --b 1K", 2,
         "brelker: Ambiguous option: '--b' (--bytes, --base)\n"},
        // Started without standard input or output, as a script's "<&-" leaves it.
        {"exec \"$0\" split - -b 1K -o c <&-", 1,
         "brelker: Cannot read standard input: Bad file descriptor\n"},
        {"exec \"$0\" verify b.bin.Brelked_1 >&-", 1,
         "brelker: Cannot write to standard output: Bad file descriptor\n"},
        {"exec \"$0\" join b.bin.Brelked_1 -o - >&-", 1,
         "brelker: Cannot write to standard output: Bad file descriptor\n"},
        {"exec \"$0\" split a.bin -b1K -o a.bin/x", 1,
         "brelker: Could not write the checksum file: a.bin/x.sha256: Not a directory\n"},
    };
    for (const Row& row : rows) {
        ASSERT_TRUE(RunShell(row.script));
        EXPECT_EQ(process.exitCode(), row.exitCode) << row.script;
        EXPECT_TRUE(process.readAllStandardError().startsWith(row.saying)) << row.script;
    }

    // A terminal of 20 columns: every redraw fits in 19, and Verify's rate is measured.
    ASSERT_TRUE(
        RunShell("head -c 160000000 /dev/zero > z.img && \"$0\" split z.img -qb 40M &&\n"
                 "script -qec \"stty cols 20; '$0' verify z.img.Brelked_1\" /dev/null > pty.out\n"
                 "status=$?; rm z.img*; exit $status"));
    EXPECT_EQ(process.exitCode(), 0);
    const std::string shown = ReadFile(folder / "work/pty.out");
    std::size_t redraws = 0;
    for (std::size_t start = 0; start < shown.size();) {
        const std::size_t end = std::min(shown.find_first_of("\r\n", start), shown.size());
        const std::string line = shown.substr(start, end - start);
        if (line.ends_with("\033[K") && line.size() > 3) {
            ++redraws;
            EXPECT_LE(line.size(), 19u + 3) << line;
            EXPECT_EQ(line.find(" 0 B/s"), std::string::npos) << line;
        }
        start = end + 1;
    }
    EXPECT_GT(redraws, 0u) << shown;

    // Quiet is quiet on a terminal too; Verify's lines come as each file is
    // checked, as sha256sum -c writes them, not all at the end.
    ASSERT_TRUE(
        RunShell("head -c 160000000 /dev/zero > z.img && \"$0\" split z.img -qb 20M &&\n"
                 "script -qec \"'$0' verify -q z.img.Brelked_1\" /dev/null > pty.out &&\n"
                 "\"$0\" verify z.img.Brelked_1 > lines & pid=$!\n"
                 "while [ ! -s lines ]; do :; done; wc -l < lines; wait $pid\n"
                 "status=$?; wc -l < lines; rm z.img*; exit $status"));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(ReadFile(folder / "work/pty.out"), "");
    const std::string counts = process.readAllStandardOutput().toStdString();
    EXPECT_TRUE(counts.ends_with("\n9\n") && std::stoi(counts) < 9) << counts;

    // Bytes on a terminal are garbage to a person and may act on the terminal.
    ASSERT_TRUE(RunShell("script -qec \"'$0' join b.bin.Brelked_1 -o -\" /dev/null"));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardOutput().startsWith(
        "brelker: Standard output is a terminal, where the joined file would show as garbage"));
    ASSERT_TRUE(RunShell("script -qec \"'$0' join b.bin.Brelked_1 -o - -qf\" /dev/null"));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_GE(process.readAllStandardOutput().size(), 4000);
}

// A checksum file that is not wholly understood proves nothing: the join stops
// before it writes, and Verify never reads a file the list names outside the series.
// Split under another name, the series restores under that name, so its list
// names that file: sha256sum -c checks the restored file, and so does Verify.
TEST_F(ConsoleTest, TheListNamesTheFileTheJoinRestores) {
    ASSERT_TRUE(
        RunShell("head -c 5000 /dev/urandom > big.bin\n"
                 "\"$0\" split big.bin -b 2K -o other -q\n"
                 "tail -n 1 other.sha256 | cut -c 67-\n"
                 "\"$0\" join other.Brelked_1 -q && cmp big.bin other && echo same\n"
                 "sha256sum --quiet -c other.sha256 && echo checked\n"
                 "\"$0\" verify other.Brelked_1 | tail -n 1"));
    EXPECT_EQ(process.readAllStandardOutput().toStdString(), "other\nsame\nchecked\nother: OK\n");
}

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
              "brelker: Restored, but not verified (the series has no checksum file): back.bin\n");
}

}  // namespace
}  // namespace brelker
