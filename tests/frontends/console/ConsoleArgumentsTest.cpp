#include "console/ConsoleArguments.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <thread>

#include "console/ConsoleHost.h"
#include "console/ConsoleReport.h"
#include "console/ShellQuote.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

// Every program takes its arguments by one rule: a misspelt command is the
// command line's usage error, never a window that ignores it.
TEST(ConsoleArgumentsTest, ChoosesTheCommandLineTheSwitchesOrTheWindow) {
    using enum StartKind;
    const std::pair<std::vector<std::string>, StartKind> rows[] = {
        {{}, Window},
        {{"notes.txt"}, Window},
        {{"/splits/a.bin"}, Window},
        {{"/spli", "a.bin"}, Window},
        {{"split", "a.bin"}, CommandLine},
        {{"-q"}, CommandLine},
        {{"spilt", "a.bin"}, CommandLine},
        {{"a.bin", "b.bin"}, CommandLine},
        {{"/bigfile=a.bin", "/split"}, Switches},
        {{"a.bin", "/split", "/exit"}, Switches},
    };
    for (const auto& [arguments, start] : rows) {
        EXPECT_EQ(ChooseStart(arguments), start) << testing::PrintToString(arguments);
    }
}

TEST(ConsoleArgumentsTest, ReadsCommandsOptionsAndTheirMistakes) {
    using Args = std::vector<std::string>;
    EXPECT_FALSE(IsConsoleCommandLine({}));
    EXPECT_FALSE(IsConsoleCommandLine({"/split"}));
    EXPECT_FALSE(IsConsoleCommandLine({"notes.txt"}));
    EXPECT_TRUE(IsConsoleCommandLine({"--version"}));
    EXPECT_TRUE(IsConsoleCommandLine({"verify", "x"}));

    auto split = ParseConsoleArguments({"split", "--bytes=1K", "-o", "out/stem", "--script", "r.sh",
                                        "--no-checksum", "-q", "--", "-odd name"});
    ASSERT_TRUE(split.request);
    EXPECT_EQ(split.request->command, ConsoleRequest::Command::Split);
    EXPECT_EQ(split.request->file, "-odd name");
    EXPECT_EQ(split.request->pieceBytes, 1024);
    EXPECT_EQ(split.request->output, "out/stem");
    EXPECT_EQ(split.request->script, "r.sh");
    EXPECT_TRUE(split.request->noChecksum && split.request->quiet);

    auto join = ParseConsoleArguments({"join", "a.Brelked_1", "-oback.bin", "--append"});
    ASSERT_TRUE(join.request);
    EXPECT_EQ(join.request->output, "back.bin");
    EXPECT_TRUE(join.request->append);
    EXPECT_EQ(ParseConsoleArguments({"split", "a", "--base", "3"}).request->baseEntry, 3);
    EXPECT_EQ(ParseConsoleArguments({"join", "a", "-h"}).request->command,
              ConsoleRequest::Command::Help);

    // GNU habits: bundles, shortened long names, options before the command.
    auto bundled = ParseConsoleArguments({"-q", "split", "-fb", "1K", "a"});
    EXPECT_FALSE(bundled.request);  // -f is join's
    bundled = ParseConsoleArguments({"-q", "split", "a", "-qb1k", "--by=2K", "--no", "--sc", "s"});
    ASSERT_TRUE(bundled.request);
    EXPECT_TRUE(bundled.request->quiet && bundled.request->noChecksum);
    EXPECT_EQ(bundled.request->pieceBytes, 2048);
    EXPECT_EQ(bundled.request->script, "s");
    EXPECT_EQ(ParseConsoleArguments({"split", "-qn", "3", "a"}).request->pieceCount, 3);
    EXPECT_EQ(ParseConsoleArguments({"--vers", "split", "--bogus"}).request->command,
              ConsoleRequest::Command::Version);
    EXPECT_EQ(ParseConsoleArguments({"verify", "-qh", "a"}).request->command,
              ConsoleRequest::Command::Help);
    // "-" is the stream where one can be read or written whole.
    auto piped = ParseConsoleArguments({"split", "-", "-b", "1G", "-o", "backup.tar"});
    ASSERT_TRUE(piped.request);
    EXPECT_TRUE(piped.request->FromStandardInput());
    EXPECT_TRUE(ParseConsoleArguments({"join", "a", "-o", "-"}).request->ToStandardOutput());

    // What was given is quoted as GNU tools quote it; what the program names, not.
    struct Wrong {
        Args arguments;
        TextSlot slot;
        std::string argument;
    };
    const Wrong wrong[] = {
        {{"frobnicate"}, slot::kUnknownArgument, "'frobnicate'"},
        {{"-q"}, slot::kNoCommand, ""},
        {{"split"}, slot::kMissingValue, "'split'"},
        {{"split", "a", "b"}, slot::kExtraOperand, "'b'"},
        {{"split", "a", "-b"}, slot::kMissingValue, "'-b'"},
        {{"split", "a", "-qz"}, slot::kUnknownArgument, "'-z'"},
        {{"split", "a", "--b", "1"}, slot::kAmbiguousOption, "'--b' (--bytes, --base)"},
        {{"split", "a", "--nope"}, slot::kUnknownArgument, "'--nope'"},
        {{"split", "a", "--base", "0"}, slot::kNoSuchBaseSize, "'0'"},
        {{"split", "a", "-b", "1K "}, slot::kBadByteSize, "'1K '"},
        {{"split", "a", "-n", "2K"}, slot::kBadPieceCount, "'2K'"},
        {{"split", "a", "-n", "it's\n"}, slot::kBadPieceCount, "'it'\\''s'$'\\n'"},
        {{"split", "a", "--free=yes"}, slot::kUnknownArgument, "'--free=yes'"},
        {{"split", "a", "--base", "2", "--free"}, slot::kOneSizeChoice, ""},
        {{"split", "a", "-n", "2", "-b", "1K"}, slot::kOneSizeChoice, ""},
        {{"join", "a", "--free"}, slot::kUnknownArgument, "'--free'"},
        {{"verify", "a", "-o", "x"}, slot::kUnknownArgument, "'-o'"},
        {{"split", "-", "-o", "x"}, slot::kStandardInputNeedsBytes, ""},
        {{"split", "-", "-b", "1K"}, slot::kStandardInputNeedsName, ""},
        {{"split", "-", "-b", "1K", "-o", "dir/"}, slot::kStandardInputNeedsName, ""},
        {{"split", "-", "-n", "3", "-o", "x"}, slot::kStandardInputHasNoSize, "-n"},
        {{"split", "-", "--base", "2", "-o", "x"}, slot::kStandardInputHasNoSize, "--base"},
        {{"split", "-", "--free", "-o", "x"}, slot::kStandardInputHasNoSize, "--free"},
        {{"split", "a", "-o", "-"}, slot::kDashNotHere, "-o -"},
        {{"split", "a", "--script", "-"}, slot::kDashNotHere, "--script -"},
        {{"verify", "-"}, slot::kDashNotHere, "-"},
        {{"join", "a", "-o", "-", "--append"}, slot::kOptionsConflict, "--append, -o -"},
    };
    for (const Wrong& row : wrong) {
        const ConsoleParse parse = ParseConsoleArguments(row.arguments);
        EXPECT_FALSE(parse.request) << row.arguments.back();
        EXPECT_EQ(parse.errorSlot.number, row.slot.number) << row.arguments.back();
        EXPECT_EQ(parse.errorArgument, row.argument) << row.arguments.back();
    }
}

TEST(ConsoleHostTest, WritesDurationsAndRatesShortly) {
    EXPECT_EQ(DurationText(0), "0:00");
    EXPECT_EQ(DurationText(65), "1:05");
    EXPECT_EQ(DurationText(3723), "1:02:03");
    EXPECT_EQ(RateText(512), "512 B/s");
    EXPECT_EQ(RateText(123'456'789), "123.5 MB/s");
}

TEST(ConsoleHostTest, TheProgressLineFitsTheTerminalAndLeavesNoTrail) {
    std::ostringstream errors;
    int columns = 12;
    ConsoleHost escapes(errors, ProgressLine::Escapes, [&] { return columns; });
    escapes.BeginRun(1000);
    std::this_thread::sleep_for(std::chrono::milliseconds(210));
    escapes.SetProgress(500);
    // Eleven columns: a line that filled the twelfth would wrap at once on some consoles.
    const std::string line = errors.str();
    EXPECT_TRUE(line.starts_with("\r 50%  ") && line.ends_with("\033[K")) << line;
    EXPECT_EQ(line.size(), 1 + 11 + 3) << line;
    escapes.EndRun();
    EXPECT_TRUE(errors.str().ends_with("\r\033[K"));

    // Without escapes blanks cover the longer line before, and the end clears it.
    errors.str({});
    columns = 0;
    ConsoleHost plain(errors, ProgressLine::CarriageReturns, [&] { return columns; });
    plain.BeginRun(0);
    std::this_thread::sleep_for(std::chrono::milliseconds(210));
    plain.ShowBytes(123'456'789);
    const std::string first = errors.str();
    EXPECT_TRUE(first.starts_with("\r123.5 MB  ") && first.ends_with("MB/s")) << first;
    std::this_thread::sleep_for(std::chrono::milliseconds(210));
    plain.ShowBytes(5);  // a shorter line
    const std::string all = errors.str();
    const std::string second = all.substr(all.rfind('\r') + 1);
    EXPECT_EQ(all.find('\033'), std::string::npos);
    EXPECT_TRUE(second.starts_with("5 B  ") && second.find("B/s ") != std::string::npos) << second;
    EXPECT_EQ(second.size(), first.size() - 1);  // the blanks cover the line before
    plain.Say("done");
    EXPECT_TRUE(
        errors.str().ends_with("\r" + std::string(first.size() - 1, ' ') + "\rbrelker: done\n"));
    EXPECT_EQ(CutToColumns("f\xC3\xB6r 3", 2), "f\xC3\xB6");
}

TEST(ConsoleReportTest, ChecksLinesAreSha256sumsAndSummariesSayWhatWasMade) {
    FillTextTable(".Brelked_");
    SetCurrentLanguage(kEnglish);
    EXPECT_EQ(CheckLine("a.Brelked_1", CheckState::Ok), "a.Brelked_1: OK");
    EXPECT_EQ(CheckLine("a.Brelked_2", CheckState::Failed), "a.Brelked_2: FAILED");
    EXPECT_EQ(CheckLine("a\\b", CheckState::Missing), "a\\b: FAILED open or read");
    // A line break is escaped, and so then is every backslash, after a leading one.
    EXPECT_EQ(CheckLine("a\\b\nc\r", CheckState::Ok), "\\a\\\\b\\nc\\r: OK");

    EXPECT_EQ(SizeText(1), "1 byte");
    EXPECT_EQ(SizeText(1000), "1000 bytes");
    EXPECT_EQ(SizeText(1'457'664), "1457664 bytes (1.4 MiB)");
    EXPECT_EQ(SizeText(1LL << 30), "1073741824 bytes (1.0 GiB)");
    Job job;
    job.SmallFilesBase = "out/x";
    job.SmallFileCount = 1;
    job.SmallFileSizes = {0, 10};
    EXPECT_EQ(SplitSummary(job, ".Brelked_"),
              "Split into 1 smaller file of 10 bytes: out/x.Brelked_1");
    job.SmallFileCount = 3;
    job.SmallFileSizes = {0, 10, 10, 10};
    EXPECT_EQ(SplitSummary(job, ".Brelked_"),
              "Split into 3 smaller files of 10 bytes: out/x.Brelked_1 to out/x.Brelked_3");
    job.SmallFileSizes.back() = 4;
    EXPECT_EQ(SplitSummary(job, ".Brelked_"),
              "Split into 3 smaller files of 10 bytes, the last of 4 bytes: out/x.Brelked_1 to "
              "out/x.Brelked_3");
}

// Names are written as they are, unless a control character in one would act
// on the terminal: then the whole name is quoted as GNU tools quote it, so
// that it can be pasted back into a shell.
TEST(ShellQuoteTest, QuotesNamesOnlyWhereAControlCharacterWouldActOnTheTerminal) {
    const std::pair<std::string, std::string> names[] = {
        {"plain name's.bin", "plain name's.bin"},
        {"caf\xe9.bin", "caf\xe9.bin"},      // Latin-1: shown as the terminal can
        {"\xC3\xB6l.bin", "\xC3\xB6l.bin"},  // UTF-8
        {"a\nb", "'a'$'\\n''b'"},            // the form GNU ls and cat write
        {"\x1b[2J\x7f", "$'\\033''[2J'$'\\177'"},
        {"x\xC2\x9B[1m", "'x'$'\\302\\233''[1m'"},  // CSI as UTF-8
        {"x\x9B[1m", "'x'$'\\233''[1m'"},           // and as the lone byte
    };
    for (const auto& [name, shown] : names) {
        EXPECT_EQ(QuotedName(name), shown);
    }
    EXPECT_EQ(QuotedArgument("1K "), "'1K '");
    EXPECT_EQ(QuotedArgument(""), "''");
    EXPECT_EQ(QuotedArgument("a\nb"), "'a'$'\\n''b'");
}

TEST(ConsoleHostTest, AFullDiskIsSaidNotAskedAbout) {
    FillTextTable(".Brelked_");
    SetCurrentLanguage(kEnglish);
    std::ostringstream errors;
    ConsoleHost host(errors, false);
    EXPECT_FALSE(host.AskForDisk(3, DiskPrompt::Full));
    EXPECT_EQ(errors.str(),
              "brelker: The disk is full: smaller file 3 would need another disk, and the command "
              "line does not ask for disks\n");
}

}  // namespace
}  // namespace brelker
