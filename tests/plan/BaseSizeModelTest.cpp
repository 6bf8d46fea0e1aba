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
    for (const int outside : {-1, 9}) {
        editor.ChooseEntry(outside);
        EXPECT_EQ(editor.ChosenEntry(), -1);
    }

    struct Step {
        const char* what;
        void (*act)(BaseSizeModel&);
        const char* enabled;
    };
    const Step steps[] = {
        {"a new entry needs both texts", [](BaseSizeModel& e) { e.SetDescription("DVD"); }, "---"},
        {"both texts, nothing chosen", [](BaseSizeModel& e) { e.SetSizeText("4700000000"); },
         "--N"},
        {"choosing loads the entry", [](BaseSizeModel& e) { e.ChooseEntry(2); }, "-D-"},
        {"an edit after choosing", [](BaseSizeModel& e) { e.SetDescription("Zip (old)"); }, "U-N"},
        {"an emptied size", [](BaseSizeModel& e) { e.SetSizeText(""); }, "---"},
        {"a size again", [](BaseSizeModel& e) { e.SetSizeText("5"); }, "U-N"},
    };
    for (const Step& step : steps) {
        step.act(editor);
        EXPECT_EQ(Enabled(editor), step.enabled) << step.what;
    }
    editor.ChooseEntry(2);
    EXPECT_EQ(editor.Description(), "100 MB Iomega Zip drive");
    EXPECT_EQ(editor.SizeText(), "100431872");
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
