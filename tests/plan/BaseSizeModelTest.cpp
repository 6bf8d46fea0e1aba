#include "plan/BaseSizeModel.h"

#include <gtest/gtest.h>

#include <string>

#include "TempFolder.h"
#include "TestSettingsStore.h"
#include "plan/BaseSizes.h"
#include "settings/Settings.h"

namespace brelker {
namespace {

class BaseSizeModelTest : public ::testing::Test {
protected:
    void SetUp() override { LoadBaseSizes(store); }  // the window seeds the list first

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
    editor.SetSizeText("abc");
    editor.AddNew();
    ASSERT_EQ(editor.EntryTexts().size(), 10u);
    EXPECT_EQ(editor.EntryTexts()[9], "Stick");
    EXPECT_EQ(Stored(9), "Stick=1457664");

    editor.ChooseEntry(2);
    editor.Delete();
    EXPECT_EQ(editor.EntryTexts().size(), 9u);
    EXPECT_EQ(editor.EntryTexts()[2], "105 MB SyQuest");
    EXPECT_EQ(store.Read(settings::BaseSizes), 9);
}

}  // namespace
}  // namespace brelker
