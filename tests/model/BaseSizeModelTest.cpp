#include "model/BaseSizeModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempFolder.h"
#include "TestSettingsStore.h"
#include "plan/BaseSizes.h"
#include "settings/Settings.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

class BaseSizeModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        FillTextTable(".Brelked_");
        LoadBaseSizes(store);  // the window seeds the list first
    }

    // Modify, Delete and New as letters, "-" for each one disabled.
    static std::string Enabled(const BaseSizeModel& editor) {
        return std::string(editor.ModifyEnabled() ? "U" : "-") +
               (editor.DeleteEnabled() ? "D" : "-") + (editor.NewEnabled() ? "N" : "-");
    }
    std::string Stored(int i) const {
        return store.ReadStringSetting(subkey::BaseSize, BaseSizeTextName(i), "") + "=" +
               store.ReadStringSetting(subkey::BaseSize, BaseSizeValueName(i), "");
    }

    TempFolder folder;
    TestSettingsStore store{folder / "settings.conf"};
};

TEST_F(BaseSizeModelTest, AnEntryCanBeDeletedBeforeItIsEditedAndModifiedOnlyAfter) {
    BaseSizeModel editor(store);
    EXPECT_EQ(editor.EntryTexts().size(), 9u);
    EXPECT_EQ(Enabled(editor), "---");
    editor.ChooseEntry(9);  // past the end
    EXPECT_EQ(editor.ChosenEntry(), -1);
    editor.SetDescription("DVD");
    EXPECT_EQ(Enabled(editor), "---");  // a new entry needs both texts
    editor.SetSizeText("4700000000");
    EXPECT_EQ(Enabled(editor), "--N");  // nothing chosen to modify

    editor.ChooseEntry(2);
    EXPECT_EQ(editor.Description(), "100 MB Iomega Zip drive");
    EXPECT_EQ(editor.SizeText(), "100431872");
    EXPECT_EQ(Enabled(editor), "-D-");
    editor.SetDescription("Zip (old)");
    EXPECT_EQ(Enabled(editor), "U-N");
    editor.SetSizeText("");
    EXPECT_EQ(Enabled(editor), "---");
}

TEST_F(BaseSizeModelTest, ADisabledButtonChangesNothingAndEachEditReadsTheListAnew) {
    BaseSizeModel editor(store);
    editor.Delete();
    editor.Modify();
    EXPECT_EQ(store.Read(settings::BaseSizes), 9);

    editor.ChooseEntry(0);
    editor.SetSizeText("737280");
    editor.Delete();  // only before editing
    EXPECT_EQ(store.Read(settings::BaseSizes), 9);
    editor.Modify();
    EXPECT_EQ(Stored(0), "720 kB 3.5'' single=737280");
    EXPECT_EQ(editor.ChosenEntry(), -1);
    EXPECT_EQ(Enabled(editor), "---");
    EXPECT_TRUE(editor.Description().empty());

    editor.SetDescription("Stick");
    editor.SetSizeText("4G");
    editor.AddNew();
    ASSERT_EQ(editor.EntryTexts().size(), 10u);
    EXPECT_EQ(editor.EntryTexts()[9], "Stick");
    EXPECT_EQ(Stored(9), "Stick=4294967296");

    editor.ChooseEntry(2);
    editor.Delete();
    EXPECT_EQ(editor.EntryTexts().size(), 9u);
    EXPECT_EQ(editor.EntryTexts()[2], "105 MB SyQuest");
    EXPECT_EQ(store.Read(settings::BaseSizes), 9);
}

// Sizes are read as the window's New Size field reads them; what that refuses
// is refused here with a word why, and nothing is stored. Delete asks first.
TEST_F(BaseSizeModelTest, SizesAreReadWithUnitsAndDeleteAsksFirst) {
    std::vector<std::string> told;
    std::vector<bool> answers;
    BaseSizeModel editor(store);
    editor.SetAsk([&](const std::string& text, const std::string& caption, MessageIcon icon) {
        told.push_back(text + " / " + caption + (icon == MessageIcon::Question ? " ?" : ""));
        const bool answer = answers.empty() || answers.front();
        if (!answers.empty()) {
            answers.erase(answers.begin());
        }
        return answer;
    });
    editor.SetDescription("Stick");
    editor.SetSizeText("0");
    editor.AddNew();
    EXPECT_EQ(told, std::vector<std::string>{"The program ignored the new size / The new "
                                             "size can not be used!"});
    EXPECT_EQ(store.Read(settings::BaseSizes), 9);
    EXPECT_EQ(editor.SizeText(), "0");  // left to be put right
    editor.SetSizeText("4 GB");
    editor.AddNew();
    EXPECT_EQ(Stored(9), "Stick=4000000000");

    told.clear();
    editor.ChooseEntry(9);
    answers = {false};
    editor.Delete();
    EXPECT_EQ(told, std::vector<std::string>{"Delete the base size \"Stick\"? / Delete ?"});
    EXPECT_EQ(store.Read(settings::BaseSizes), 10);
    editor.Delete();
    EXPECT_EQ(store.Read(settings::BaseSizes), 9);
}

}  // namespace
}  // namespace brelker
