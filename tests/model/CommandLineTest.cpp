#include "model/CommandLine.h"

#include <gtest/gtest.h>

namespace brelker {
namespace {

using Option = CommandLine::Option;

std::string Steps(const std::vector<std::string>& arguments) {
    const char* const names[] = {"bigfile",  "smallfiles", "basesize",    "split",
                                 "minimize", "exit",       "selfunitfile"};
    std::string text;
    for (const auto& step : ParseCommandLine(arguments).steps) {
        text += std::string(names[static_cast<int>(step.option)]) + "[" + step.value + "] ";
    }
    return text;
}

TEST(CommandLineTest, MatchesLowerCasedPrefixesAndKeepsValuesAsGiven) {
    EXPECT_EQ(Steps({"/BigFile=/Tmp/Data.Z", "/BaseSize=2", "/Split"}),
              "bigfile[/Tmp/Data.Z] basesize[2] split[] ");
    EXPECT_EQ(Steps({"/splitnow", "/MINIMIZED", "/exit please"}), "split[] minimize[] exit[] ");
    EXPECT_EQ(Steps({"/selfunitfile=/d/r.bat", "/smallfiles=/e/x/Part Ä"}),
              "selfunitfile[/d/r.bat] smallfiles[/e/x/Part Ä] ");
    EXPECT_EQ(Steps({"/bigfile=", "/basesize="}), "bigfile[] basesize[] ");
}

TEST(CommandLineTest, IgnoresWhatItDoesNotKnowAndKeepsOrderAndRepeats) {
    EXPECT_EQ(Steps({}), "");
    EXPECT_EQ(Steps({"-split", "split", "/spli", "/bigfile", "/ bigfile=x", "data.bin"}), "");
    EXPECT_EQ(Steps({"/basesize=1", "/bigfile=a", "/basesize=3", "/split", "/split"}),
              "basesize[1] bigfile[a] basesize[3] split[] split[] ");
    // The value is not lower-cased, and an option word inside a value is just text.
    EXPECT_EQ(Steps({"/SMALLFILES=/Split/Exit"}), "smallfiles[/Split/Exit] ");
}

TEST(CommandLineTest, AnArgumentThatIsNoOptionIsAFileToOpen) {
    using Files = std::vector<std::string>;
    const auto files = [](const std::vector<std::string>& arguments) {
        return ParseCommandLine(arguments).files;
    };
    EXPECT_EQ(files({"/home/u/film.mkv"}), Files{"/home/u/film.mkv"});
    EXPECT_EQ(files({"film.mkv", "sub/Part Ä.Brelked_2"}),
              (Files{"film.mkv", "sub/Part Ä.Brelked_2"}));
    // Under a folder named like an option it is still a file, not that option.
    EXPECT_EQ(Steps({"/split/a.bin", "/Exit/b", "/minimize/"}), "");
    EXPECT_EQ(files({"/split/a.bin", "/Exit/b", "/minimize/"}),
              (Files{"/split/a.bin", "/Exit/b", "/minimize/"}));
    // Options, and what only looks like one, open nothing.
    EXPECT_EQ(files({"/split", "/spli", "/exit please", "-style", "--x", "/bigfile=/a/b", ""}),
              Files{});
    EXPECT_EQ(Steps({"/bigfile=/a/b", "a.bin", "/split"}), "bigfile[/a/b] split[] ");
#ifdef _WIN32
    EXPECT_EQ(files({"C:\\data\\x.bin", "\\\\server\\share\\x"}),
              (Files{"C:\\data\\x.bin", "\\\\server\\share\\x"}));
#endif
}

TEST(CommandLineTest, OnlyASplitThatEndsTheProgramRunsUnattended) {
    const auto unattended = [](const std::vector<std::string>& arguments) {
        return IsUnattended(ParseCommandLine(arguments));
    };
    EXPECT_TRUE(unattended({"/EXIT", "/bigfile=a", "/Split"}));
    EXPECT_FALSE(unattended({"/bigfile=a", "/split"}));
    EXPECT_FALSE(unattended({"/bigfile=a", "/exit", "/minimize"}));
    EXPECT_FALSE(unattended({"split", "exit"}));
}

}  // namespace
}  // namespace brelker
