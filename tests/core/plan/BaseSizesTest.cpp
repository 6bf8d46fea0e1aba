#include "plan/BaseSizes.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TempFolder.h"
#include "TestSettingsStore.h"
#include "settings/Settings.h"

namespace brelker {
namespace {

class BaseSizesTest : public ::testing::Test {
protected:
    TempFolder folder;
    TestSettingsStore store{folder / "settings.conf"};
};

TEST_F(BaseSizesTest, TheFirstStartSeedsNineDefaultsAndStoresThem) {
    const BaseSizeList list = LoadBaseSizes(store);
    ASSERT_EQ(list.count, 9);
    EXPECT_EQ(list.BaseSizeIndex, 1);
    EXPECT_EQ(list.BaseSizeTexts[1], "1.44 MB 3.5'' double");
    EXPECT_EQ(list.BaseSizeValues[0], 730'112);
    EXPECT_EQ(list.BaseSizeValues[6], 650 * 1024 * 1024);
    EXPECT_EQ(list.BaseSizeValues[8], std::int64_t{1} << 40);

    EXPECT_EQ(store.Read(settings::BaseSizes), 9);
    EXPECT_EQ(store.Read(settings::BaseSizeIndex), 1);
    int stored = 0;
    for (int i = 0; i < 9; ++i) {
        stored += store.ReadStringSetting(subkey::BaseSize, BaseSizeValueName(i), "") != "";
        stored += store.ReadStringSetting(subkey::BaseSize, BaseSizeTextName(i), "") != "";
    }
    EXPECT_EQ(stored, 18);
    EXPECT_EQ(store.ReadStringSetting(subkey::BaseSize, "BaseSizeValue_1", ""), "1457664");
    EXPECT_EQ(store.ReadStringSetting(subkey::BaseSize, "BaseSizeText_0", ""),
              "720 kB 3.5'' single");
}

TEST_F(BaseSizesTest, AStoreThatCannotBeWrittenStillGivesTheNineDefaults) {
#ifdef _WIN32
    GTEST_SKIP() << "a test cannot take write access to a key of its own user away";
#else
    std::filesystem::create_directory(folder / "folder.conf");  // a folder where the file goes
    QtSettingsStore unwritable(folder / "folder.conf");
    const BaseSizeList list = LoadBaseSizes(unwritable);
    ASSERT_EQ(list.count, 9);
    EXPECT_EQ(list.BaseSizeValues[1], 1'457'664);
    EXPECT_EQ(list.BaseSizeTexts[8], "1 TB Mass Storage");
#endif
}

TEST_F(BaseSizesTest, ANonPositiveCountBringsTheDefaultsBack) {
    for (const int count : {0, -4}) {
        store.Write(settings::BaseSizes, count);
        store.Write(settings::BaseSizeIndex, 6);
        const BaseSizeList list = LoadBaseSizes(store);
        EXPECT_EQ(list.count, 9);
        EXPECT_EQ(list.BaseSizeIndex, 1);
    }
}

TEST_F(BaseSizesTest, StoredEntriesAreReadTolerantlyAndExactly) {
    store.Write(settings::BaseSizes, 4);
    store.Write(settings::BaseSizeIndex, 3);
    store.WriteStringSetting(subkey::BaseSize, "BaseSizeValue_0", "4700000000");
    store.WriteStringSetting(subkey::BaseSize, "BaseSizeText_0", "DVD");
    store.WriteStringSetting(subkey::BaseSize, "BaseSizeValue_1", "  +12 blocks");
    store.WriteStringSetting(subkey::BaseSize, "BaseSizeValue_2", "big");
    const BaseSizeList list = LoadBaseSizes(store);
    ASSERT_EQ(list.count, 4);
    EXPECT_EQ(list.BaseSizeIndex, 3);
    EXPECT_EQ(list.BaseSizeValues,
              (std::vector<std::int64_t>{4'700'000'000, 12, 0, 1}));  // missing: 1 byte
    EXPECT_EQ(list.BaseSizeTexts[0], "DVD");
    EXPECT_EQ(list.BaseSizeTexts[3], "(undefined)");
}

TEST_F(BaseSizesTest, ASelectionOutsideTheListIsKeptAsStoredForThePlanToHandle) {
    store.Write(settings::BaseSizes, 2);
    store.Write(settings::BaseSizeIndex, 42);
    EXPECT_EQ(LoadBaseSizes(store).BaseSizeIndex, 42);
}

TEST_F(BaseSizesTest, ADamagedHugeCountReadsNoMoreThanALimit) {
    store.Write(settings::BaseSizes, 2'000'000'000);
    const BaseSizeList list = LoadBaseSizes(store);
    EXPECT_EQ(list.count, kMostBaseSizes);
    EXPECT_EQ(list.BaseSizeValues.size(), static_cast<std::size_t>(kMostBaseSizes));
}

TEST_F(BaseSizesTest, EditsChooseTheirEntryAndADeleteMovesTheRestUp) {
    LoadBaseSizes(store);
    int count = AddStoredBaseSize(store, 9, "Stick", 4'294'967'296);
    EXPECT_EQ(count, 10);
    EXPECT_EQ(store.Read(settings::BaseSizeIndex), 9);
    EXPECT_EQ(ReadStoredBaseSize(store, 9), 4'294'967'296);

    ModifyStoredBaseSize(store, 2, "Zip", 4000);
    EXPECT_EQ(store.Read(settings::BaseSizeIndex), 2);
    EXPECT_EQ(ReadStoredBaseSizeText(store, 2), "Zip");

    // The selection stays where it is; the next entry moves up into it.
    count = DeleteStoredBaseSize(store, count, 2);
    EXPECT_EQ(count, 9);
    EXPECT_EQ(store.Read(settings::BaseSizeIndex), 2);
    EXPECT_EQ(ReadStoredBaseSizeText(store, 2), "105 MB SyQuest");
    EXPECT_EQ(ReadStoredBaseSizeText(store, 8), "Stick");
    EXPECT_EQ(store.ReadStringSetting(subkey::BaseSize, BaseSizeTextName(9), "gone"), "gone");

    // Deleting the chosen last entry chooses the one before it.
    store.Write(settings::BaseSizeIndex, 8);
    EXPECT_EQ(DeleteStoredBaseSize(store, count, 8), 8);
    EXPECT_EQ(store.Read(settings::BaseSizeIndex), 7);
}

}  // namespace
}  // namespace brelker
