// The command line over what a split or a join left when it was killed:
// without --resume it refuses and changes nothing, with it the run goes on
// and ends with the same files as an undisturbed one.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "CrashingPlatform.h"
#include "TempFolder.h"
#include "TestEnvironment.h"
#include "TestSettingsStore.h"
#include "checksum/ChecksumFile.h"
#include "console/ConsoleRun.h"

namespace brelker {
namespace {

class ResumeConsoleTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory(folder / "pieces");
        WriteFile(BigFile(), bytes);
    }

    // The exit code, or -1 when the process was killed at call dieAt.
    int Console(std::vector<std::string> arguments, int dieAt = 0) {
        errors.str({});
        platform.DieAt(dieAt);
        try {
            return RunConsoleCommandLine(arguments, platform, store, out, errors,
                                         ProgressLine::None);
        } catch (const SimulatedCrash&) {
            return -1;
        }
    }
    bool Said(const std::string& words) const {
        return errors.str().find(words) != std::string::npos;
    }
    std::string Joined() const {
        std::string joined;
        for (int k = 1; k <= 10; ++k) {
            joined += ReadFile(Stem() + ".Brelked_" + std::to_string(k));
        }
        return joined;
    }

    std::string BigFile() const { return folder / "big.bin"; }
    std::string Stem() const { return folder / "pieces/big.bin"; }
    std::vector<std::string> SplitArguments() const {
        return {"split", BigFile(), "-b", "1000", "-o", folder / "pieces/"};
    }

    TempFolder folder;
    CrashingPlatform platform;
    TestSettingsStore store{folder / "settings.conf"};
    std::ostringstream out;
    std::ostringstream errors;
    const std::string bytes = PatternBytes(10000);
};

TEST_F(ResumeConsoleTest, AStoppedSplitOrJoinGoesOnOnlyWithResume) {
#ifdef _WIN32
    GTEST_SKIP() << "the simulated death leaves handles that only a real one closes";
#endif
    ASSERT_EQ(Console(SplitArguments()), 0);
    const int split = platform.operations;
    const std::string list = ChecksumFilePath(Stem());
    const std::string finished = ReadFile(list);
    ASSERT_EQ(Console(SplitArguments(), split / 2), -1);
    const std::string left = ReadFile(list);
    EXPECT_EQ(Console(SplitArguments()), 1);
    EXPECT_TRUE(Said("--resume")) << errors.str();
    EXPECT_EQ(ReadFile(list), left);
    EXPECT_EQ(Console([&] {
                  auto resume = SplitArguments();
                  resume.push_back("--resume");
                  return resume;
              }()),
              0);
    EXPECT_TRUE(Said("Continued after")) << errors.str();
    EXPECT_EQ(ReadFile(list), finished);
    EXPECT_EQ(Joined(), bytes);

    const std::string target = folder / "joined.bin";
    const std::vector<std::string> join = {"join", Stem() + ".Brelked_1", "-o", target};
    ASSERT_EQ(Console(join), 0);
    const int joinCalls = platform.operations;
    std::filesystem::remove(target);
    ASSERT_EQ(Console(join, joinCalls / 2), -1);
    EXPECT_EQ(Console(join), 1);
    EXPECT_TRUE(Said("--resume")) << errors.str();
    EXPECT_FALSE(Exists(target));
    auto resume = join;
    resume.push_back("--resume");
    EXPECT_EQ(Console(resume), 0) << errors.str();
    EXPECT_LT(platform.operations, joinCalls);
    EXPECT_EQ(ReadFile(target), bytes);
    EXPECT_EQ(Console({"join", Stem() + ".Brelked_1", "-o", "-", "--resume"}), 2);
}

}  // namespace
}  // namespace brelker
