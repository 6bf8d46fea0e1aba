#include "settings/QtSettingsStore.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <QSettings>
#include <QString>

#include "TempFolder.h"
#include "settings/Settings.h"

namespace brelker {
namespace {

class QtSettingsStoreTest : public ::testing::Test {
protected:
    TempFolder folder;
    std::string file = folder / "settings.conf";
    QtSettingsStore store{file};
};

TEST_F(QtSettingsStoreTest, AnEmptyStoreReadsEveryDefault) {
    EXPECT_EQ(store.Read(settings::Language), 0);
    for (const BoolSetting& flag :
         {settings::RemoveSmallFiles, settings::RemoveBigFile, settings::RemoveSelfUnit,
          settings::EraseFloppyDisks, settings::UseFreeSpace}) {
        EXPECT_FALSE(store.Read(flag)) << flag.name;
    }
    EXPECT_EQ(store.Read(settings::MaxFromFile), 10);
    EXPECT_EQ(store.Read(settings::MaxFromRAM), 20);
    EXPECT_EQ(store.Read(settings::MainTop), 50);
    EXPECT_EQ(store.Read(settings::MainLeft), 100);
    EXPECT_EQ(store.Read(settings::AddedFileType), ".Brelked_");
    EXPECT_EQ(store.Read(settings::BaseSizes), 0);
    EXPECT_EQ(store.Read(settings::BaseSizeIndex), 1);
    EXPECT_EQ(store.Read(settings::BigUnit), 3);
    EXPECT_EQ(store.Read(settings::ChangeDisk), 1);
    EXPECT_EQ(store.ReadStringSetting(subkey::Path, settings::SplitPath, "/here"), "/here");
    EXPECT_FALSE(Exists(file));  // reading creates nothing
}

TEST_F(QtSettingsStoreTest, WritesComeBackWithTheirTypes) {
    store.Write(settings::MaxFromRAM, 35);
    store.Write(settings::RemoveBigFile, true);
    store.Write(settings::AddedFileType, "_del åäö ß");
    store.WriteStringSetting(subkey::BaseSize, "BaseSizeValue_3", "4700000000");
    store.WriteStringSetting(subkey::BaseSize, "BaseSizeText_3", "DVD, single layer");
    store.Write(settings::MainTop, -20);

    QtSettingsStore other(file);  // another running copy sees the last write
    EXPECT_EQ(other.Read(settings::MaxFromRAM), 35);
    EXPECT_TRUE(other.Read(settings::RemoveBigFile));
    EXPECT_EQ(other.Read(settings::AddedFileType), "_del åäö ß");
    EXPECT_EQ(other.ReadStringSetting(subkey::BaseSize, "BaseSizeValue_3", "1"), "4700000000");
    EXPECT_EQ(other.ReadStringSetting(subkey::BaseSize, "BaseSizeText_3", ""), "DVD, single layer");
    EXPECT_EQ(other.Read(settings::MainTop), -20);

    store.Write(settings::RemoveBigFile, false);
    EXPECT_FALSE(other.Read(settings::RemoveBigFile));
}

TEST_F(QtSettingsStoreTest, ValuesLiveUnderTheirVersionAndSubkey) {
    WriteFile(file,
              "[v2.6]\nMemory\\MaxFromRAM=77\n"
              "[v2.7]\nMemory\\MaxFromRAM=33\nLanguage\\Language=2\n");
    EXPECT_EQ(store.Read(settings::MaxFromRAM), 33);
    EXPECT_EQ(store.Read(settings::Language), 2);
    store.DeleteSettingValue(subkey::Memory, "MaxFromRAM");
    EXPECT_EQ(store.Read(settings::MaxFromRAM), 20);
    EXPECT_NE(ReadFile(file).find("MaxFromRAM=77"), std::string::npos);
}

TEST_F(QtSettingsStoreTest, ResetDeletesEverySubkeyOfThisVersionOnly) {
    store.Write(settings::Language, 1);
    store.Write(settings::MaxFromFile, 50);
    store.Write(settings::MainLeft, 7);
    store.WriteStringSetting(subkey::Path, settings::JoinPath, "/pieces");
    store.Write(settings::BaseSizes, 3);
    store.Write(settings::BigUnit, 5);
    store.Write(settings::ChangeDisk, 0);
    store.Write(settings::AddedFileType, ".x");
    store.Write(settings::EraseFloppyDisks, true);
    WriteFile(folder / "copy", ReadFile(file) + "[v2.6]\nLanguage\\Language=2\n");
    std::filesystem::rename(folder / "copy", file);

    store.ResetSettings();
    EXPECT_EQ(store.Read(settings::Language), 0);
    EXPECT_EQ(store.Read(settings::MaxFromFile), 10);
    EXPECT_EQ(store.Read(settings::MainLeft), 100);
    EXPECT_EQ(store.ReadStringSetting(subkey::Path, settings::JoinPath, "-"), "-");
    EXPECT_EQ(store.Read(settings::BaseSizes), 0);
    EXPECT_EQ(store.Read(settings::BigUnit), 3);
    EXPECT_EQ(store.Read(settings::ChangeDisk), 1);
    EXPECT_EQ(store.Read(settings::AddedFileType), ".Brelked_");
    EXPECT_FALSE(store.Read(settings::EraseFloppyDisks));
    EXPECT_EQ(ReadFile(file).find("v2.7"), std::string::npos);
    EXPECT_NE(ReadFile(file).find("Language=2"), std::string::npos);
}

TEST_F(QtSettingsStoreTest, AValueOfAnotherTypeReadsAsTheDefault) {
    WriteFile(file,
              "[v2.7]\nMemory\\MaxFromRAM=lots\nMemory\\MaxFromFile=99999999999\n"
              "DelFile\\RemoveBigFile=maybe\nDelFile\\RemoveSmallFiles=5\n"
              "DelFile\\RemoveSelfUnit=true\nBigUnit\\BigUnit= 4 \n"
              "AddedFileType\\AddedFileType=a, b\n");
    EXPECT_EQ(store.Read(settings::MaxFromRAM), 20);
    EXPECT_EQ(store.Read(settings::MaxFromFile), 10);
    EXPECT_FALSE(store.Read(settings::RemoveBigFile));
    EXPECT_TRUE(store.Read(settings::RemoveSmallFiles));  // any non-zero number is true
    EXPECT_TRUE(store.Read(settings::RemoveSelfUnit));
    EXPECT_EQ(store.Read(settings::BigUnit), 4);
    EXPECT_EQ(store.Read(settings::AddedFileType), "a, b");
}

TEST_F(QtSettingsStoreTest, ADamagedOrUnwritableStoreNeverFails) {
    constexpr char kGarbage[] = "\0\xff\xfe[[[=\n\x01garbage]]\n=\n";
    WriteFile(file, std::string(kGarbage, sizeof kGarbage - 1));
    EXPECT_EQ(store.Read(settings::ChangeDisk), 1);
    store.Write(settings::ChangeDisk, 2);
    EXPECT_EQ(store.Read(settings::ChangeDisk), 2);

    // A store where a file stands in the place of its folder can be neither read nor written.
    WriteFile(folder / "blocker", "");
    QtSettingsStore unwritable(folder / "blocker/settings.conf");
    unwritable.Write(settings::Language, 2);
    unwritable.ResetSettings();
    EXPECT_EQ(unwritable.Read(settings::Language), 0);

    QtSettingsStore aFolder(folder.Path());
    aFolder.Write(settings::MaxFromRAM, 40);
    EXPECT_EQ(aFolder.Read(settings::MaxFromRAM), 20);
}

TEST(UserSettingsStoreTest, LivesInTheUsersConfigFolderUnderTheMakersName) {
    // A config folder of the test's own: the user's settings are never touched,
    // however the test is run.
    TempFolder config;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString(config.Path()));
    QtSettingsStore user;
    EXPECT_EQ(user.Location(), config / "Tolvena/The File Brelker.conf");
    user.Write(settings::MaxFromRAM, 33);
    EXPECT_TRUE(std::filesystem::exists(config / "Tolvena/The File Brelker.conf"));
}

}  // namespace
}  // namespace brelker
