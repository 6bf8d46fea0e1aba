// The rules of the memory, suffix and extraction dialogs, without a window.

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "TempFolder.h"
#include "TestSettingsStore.h"
#include "model/ExtractModel.h"
#include "model/MemoryModel.h"
#include "model/SuffixModel.h"
#include "settings/Settings.h"
#include "transfer/Job.h"

namespace brelker {
namespace {

class OptionModelsTest : public ::testing::Test {
protected:
    TempFolder folder;
    TestSettingsStore store{folder / "settings.conf"};
};

TEST_F(OptionModelsTest, ATypedShareOutsideItsBoundsOrNoNumberBecomesItsDefault) {
    using Typed = std::pair<const char*, const char*>;
    const Typed fileCases[] = {{"100", "100"}, {"0", "10"}, {"101", "10"},
                               {"x", "10"},    {"", "10"},  {" 64%", "64"}};
    const Typed ramCases[] = {
        {"1", "1"}, {"50", "50"}, {"51", "20"}, {"-3", "20"}, {"99999999999", "20"}};
    MemoryModel memory(store);
    for (const auto& [typed, shown] : fileCases) {
        memory.SetMaxFromFileText(typed);
        EXPECT_EQ(memory.MaxFromFileText(), shown) << typed;
    }
    for (const auto& [typed, shown] : ramCases) {
        memory.SetMaxFromRAMText(typed);
        EXPECT_EQ(memory.MaxFromRAMText(), shown) << typed;
    }
}

TEST_F(OptionModelsTest, TheMemoryPairIsStoredOnlyBySaveAndCancelKeepsWhatWasRead) {
    store.Write(settings::MaxFromRAM, 77);  // outside the bounds, as a hand-edited store has it
    MemoryModel cancelled(store);
    EXPECT_EQ(cancelled.MaxFromRAMText(), "20");
    cancelled.SetMaxFromFileText("64");
    EXPECT_EQ(cancelled.MaxFromFile(), 10);
    EXPECT_EQ(cancelled.MaxFromRAM(), 77);
    EXPECT_EQ(store.ReadIntegerSetting(subkey::Memory, "MaxFromFile", -1), -1);

    MemoryModel saved(store);
    saved.SetMaxFromFileText("64");
    saved.SetMaxFromRAMText("8");
    saved.Commit(store);
    EXPECT_EQ(saved.MaxFromFile(), 64);
    EXPECT_EQ(saved.MaxFromRAM(), 8);
    EXPECT_EQ(store.Read(settings::MaxFromFile), 64);
    EXPECT_EQ(store.Read(settings::MaxFromRAM), 8);
}

TEST_F(OptionModelsTest, ASuffixWithAForbiddenCharacterCanNeverBeStored) {
    store.Write(settings::AddedFileType, "_part");
    SuffixModel suffix(store);
    EXPECT_EQ(suffix.Text(), "_part");
    for (const char forbidden : ForbiddenSuffixChars) {
        suffix.SetText(std::string("a") + forbidden + "b");
        EXPECT_FALSE(suffix.OkEnabled()) << forbidden;
        suffix.Commit(store);
    }
    EXPECT_EQ(store.Read(settings::AddedFileType), "_part");

    suffix.SetText(" My.Part_ ");
    EXPECT_TRUE(suffix.OkEnabled());
    suffix.Commit(store);
    EXPECT_EQ(store.Read(settings::AddedFileType), " My.Part_ ");
    suffix.SetText("");
    suffix.Commit(store);
    EXPECT_EQ(store.ReadStringSetting(subkey::AddedFileType, "AddedFileType", ""), ".Brelked_");
}

TEST_F(OptionModelsTest, EachKeystrokeBringsTheRangeInsideTheBigFileAndOnlyCommitKeepsIt) {
    Job job;
    job.ExtractSkip = 5000;  // beyond the file: kept until the first keystroke
    job.ExtractCount = 1000;
    job.ExtractLimit = 1000;
    job.ExtractActive = true;
    ExtractModel extraction(job);
    EXPECT_EQ(extraction.SkipText() + "+" + extraction.CountText(), "5000+1000");
    struct Step {
        bool skip;
        const char* typed;
        const char* shown;
    };
    const Step steps[] = {{false, "100", "1000+0"},
                          {true, "900", "900+0"},
                          {false, "500", "900+100"},
                          {true, "-300", "0+100"},
                          {false, "abc", "0+0"}};
    for (const Step& step : steps) {
        if (step.skip) {
            extraction.SetSkipText(step.typed);
        } else {
            extraction.SetCountText(step.typed);
        }
        EXPECT_EQ(extraction.SkipText() + "+" + extraction.CountText(), step.shown) << step.typed;
    }

    extraction.SetSkipText("900");
    extraction.SetCountText("100");
    extraction.SetExtractActive(false);
    extraction.SetAppendActive(true);
    EXPECT_FALSE(extraction.RangeEditable());
    EXPECT_EQ(job.ExtractSkip, 5000);
    extraction.Commit(job);
    EXPECT_EQ(job.ExtractSkip, 900);
    EXPECT_EQ(job.ExtractCount, 100);
    EXPECT_EQ(job.ExtractLimit, 1000);
    EXPECT_FALSE(job.ExtractActive);
    EXPECT_TRUE(job.AppendActive);
}

}  // namespace
}  // namespace brelker
