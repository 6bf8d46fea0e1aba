#include "console/ConsoleArguments.h"

#include <gtest/gtest.h>

#include "console/ByteSize.h"
#include "console/ConsoleHost.h"
#include "text/Slots.h"

namespace brelker {
namespace {

TEST(ByteSizeTest, ReadsSizesAsGnuSplitDoes) {
    struct Row {
        const char* text;
        std::optional<std::int64_t> bytes;
    };
    const Row rows[] = {
        {"200", 200},
        {"1K", 1024},
        {"700M", 700LL << 20},
        {"4G", 4LL << 30},
        {"2T", 2LL << 40},
        {"1KB", 1000},
        {"650MB", 650'000'000},
        {"1GiB", 1LL << 30},
        {"8388607T", 8'388'607LL << 40},
        {"8388608T", std::nullopt},  // past 63 bits
        {"99999999999999999999", std::nullopt},
        {"0", std::nullopt},
        {"", std::nullopt},
        {"K", std::nullopt},
        {"-5", std::nullopt},
        {"1.5M", std::nullopt},
        {"10 M", std::nullopt},
        {"1k", std::nullopt},
        {"1Kb", std::nullopt},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ParseByteSize(row.text), row.bytes) << row.text;
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

    struct Wrong {
        Args arguments;
        int slot;
        std::string argument;
    };
    const Wrong wrong[] = {
        {{"frobnicate"}, slot::kUnknownArgument, "frobnicate"},
        {{"split"}, slot::kMissingValue, "split"},
        {{"split", "a", "b"}, slot::kUnknownArgument, "b"},
        {{"split", "a", "-b"}, slot::kMissingValue, "-b"},
        {{"split", "a", "--base", "0"}, slot::kNoSuchBaseSize, "0"},
        {{"split", "a", "--free=yes"}, slot::kUnknownArgument, "--free=yes"},
        {{"split", "a", "--base", "2", "--free"}, slot::kOneSizeChoice, ""},
        {{"join", "a", "--free"}, slot::kUnknownArgument, "--free"},
        {{"verify", "a", "-o", "x"}, slot::kUnknownArgument, "-o"},
    };
    for (const Wrong& row : wrong) {
        const ConsoleParse parse = ParseConsoleArguments(row.arguments);
        EXPECT_FALSE(parse.request) << row.arguments.back();
        EXPECT_EQ(parse.errorSlot, row.slot) << row.arguments.back();
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

}  // namespace
}  // namespace brelker
