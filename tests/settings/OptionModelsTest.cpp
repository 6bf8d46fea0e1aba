// The rules of the memory, suffix and extraction dialogs, without a window.

#include <gtest/gtest.h>

#include <string>

#include "TempFolder.h"
#include "TestSettingsStore.h"
#include "engine/Job.h"
#include "settings/ExtractModel.h"
#include "settings/MemoryModel.h"
#include "settings/Settings.h"
#include "settings/SuffixModel.h"

namespace brelker {
namespace {

class OptionModelsTest : public ::testing::Test {
protected:
    std::string StoredOr(std::string_view subkeyName, const char* name, const char* none) const {
        return store.ReadStringSetting(subkeyName, name, none);
    }

    TempFolder folder;
    TestSettingsStore store{folder / "settings.conf"};
};

TEST_F(OptionModelsTest, ATypedShareOutsideItsBoundsOrNoNumberBecomesItsDefault) {
    struct Case {
        bool ram;
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {
        {false, "1", "1"},           {false, "100", "100"},
        {false, "0", "10"},          {false, "101", "10"},
        {false, "x", "10"},          {false, "", "10"},
        {false, " 64%", "64"},       {true, "50", "50"},
        {true, "51", "20"},          {true, "7", "7"},
        {true, "-", "20"},           {true, "-3", "20"},
        {true, "99999999999", "20"},
    };
    MemoryModel memory(store);
    for (const Case& c : cases) {
        if (c.ram) {
            memory.SetMaxFromRAMText(c.typed);
            EXPECT_EQ(memory.MaxFromRAMText(), c.shown) << c.typed;
        } else {
            memory.SetMaxFromFileText(c.typed);
            EXPECT_EQ(memory.MaxFromFileText(), c.shown) << c.typed;
        }
    }
}

TEST_F(OptionModelsTest, TheMemoryPairIsStoredOnlyBySaveAndCancelKeepsWhatWasRead) {
    store.Write(settings::MaxFromRAM, 77);  // outside the bounds, as a hand-edited store has it
    MemoryModel cancelled(store);
    EXPECT_EQ(cancelled.MaxFromFileText(), "10");
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
    EXPECT_EQ(MemoryModel(store).MaxFromFileText(), "64");
}

TEST_F(OptionModelsTest, ASuffixWithAForbiddenCharacterCanNeverBeStored) {
    store.Write(settings::AddedFileType, "_part");
    SuffixModel suffix(store);
    EXPECT_EQ(suffix.Text(), "_part");
    EXPECT_TRUE(suffix.OkEnabled());
    for (const char forbidden : ForbiddenSuffixChars) {
        suffix.SetText(std::string("a") + forbidden + "b");
        EXPECT_TRUE(suffix.HasForbiddenCharacter()) << forbidden;
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
    EXPECT_EQ(StoredOr(subkey::AddedFileType, "AddedFileType", "(none)"), ".Brelked_");
}

TEST_F(OptionModelsTest, EachKeystrokeBringsTheRangeInsideTheBigFile) {
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
    const Step steps[] = {
        {false, "100", "1000+0"}, {true, "900", "900+0"},  {false, "500", "900+100"},
        {true, "2000", "1000+0"}, {true, "100", "100+0"},  {false, "300", "100+300"},
        {true, "-300", "0+300"},  {true, "05", "5+300"},   {false, "abc", "5+0"},
        {false, "995", "5+995"},  {false, "996", "5+995"},
    };
    for (const Step& step : steps) {
        if (step.skip) {
            extraction.SetSkipText(step.typed);
        } else {
            extraction.SetCountText(step.typed);
        }
        EXPECT_EQ(extraction.SkipText() + "+" + extraction.CountText(), step.shown) << step.typed;
    }
}

TEST_F(OptionModelsTest, OnlyCommitPutsTheExtractionBackIntoTheJob) {
    Job job;
    job.ExtractCount = 1000;
    job.ExtractLimit = 1000;
    job.ExtractActive = true;
    ExtractModel extraction(job);
    extraction.SetSkipText("900");
    extraction.SetExtractActive(false);
    extraction.SetAppendActive(true);
    EXPECT_FALSE(extraction.RangeEditable());
    EXPECT_EQ(job.ExtractSkip, 0);
    EXPECT_TRUE(job.ExtractActive);

    extraction.Commit(job);
    EXPECT_EQ(job.ExtractSkip, 900);
    EXPECT_EQ(job.ExtractCount, 100);
    EXPECT_EQ(job.ExtractLimit, 1000);
    EXPECT_FALSE(job.ExtractActive);
    EXPECT_TRUE(job.AppendActive);
}

}  // namespace
}  // namespace brelker
