#include "settings/RegistrySettingsStore.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "platform/WideText.h"
#include "settings/Settings.h"

namespace brelker {
namespace {

const std::string kTestKey = "Software\\Tolvena\\Brelker registry test";

class RegistrySettingsStoreTest : public ::testing::Test {
protected:
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, Widen(kTestKey).c_str()); }

    // Writes a value the way another program or a hand edit would.
    static void Put(const std::string& key, const std::string& name, DWORD type, const void* data,
                    DWORD size) {
        HKEY handle = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, Widen(kTestKey + "\\" + key).c_str(), 0,
                                    nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr),
                  ERROR_SUCCESS);
        ::RegSetValueExW(handle, Widen(name).c_str(), 0, type, static_cast<const BYTE*>(data),
                         size);
        ::RegCloseKey(handle);
    }
    static void PutText(const std::string& key, const std::string& name, const std::wstring& text) {
        Put(key, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * 2));
    }
    // The type of a stored value, 0 when there is none.
    static DWORD TypeOf(const std::string& key, const std::string& name) {
        DWORD type = 0;
        if (::RegGetValueW(HKEY_CURRENT_USER, Widen(kTestKey + "\\" + key).c_str(),
                           Widen(name).c_str(), RRF_RT_ANY, &type, nullptr,
                           nullptr) != ERROR_SUCCESS) {
            return 0;
        }
        return type;
    }
    static bool KeyExists(const std::string& key) {
        HKEY handle = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, Widen(kTestKey + "\\" + key).c_str(), 0, KEY_READ,
                            &handle) != ERROR_SUCCESS) {
            return false;
        }
        ::RegCloseKey(handle);
        return true;
    }

    RegistrySettingsStore store{kTestKey};
};

TEST_F(RegistrySettingsStoreTest, AnEmptyStoreReadsEveryDefaultAndCreatesNothing) {
    EXPECT_EQ(store.Read(settings::Language), 0);
    EXPECT_FALSE(store.Read(settings::RemoveBigFile));
    EXPECT_EQ(store.Read(settings::MaxFromRAM), 20);
    EXPECT_EQ(store.Read(settings::AddedFileType), ".Brelked_");
    EXPECT_EQ(store.Read(settings::ChangeDisk), 1);
    store.DeleteSettingValue(subkey::Memory, "MaxFromRAM");
    store.ResetSettings();
    EXPECT_FALSE(KeyExists(""));
}

TEST_F(RegistrySettingsStoreTest, NumbersAndSwitchesAreDwordsAndTextsAreStrings) {
    store.Write(settings::MaxFromRAM, 35);
    store.Write(settings::MainTop, -20);
    store.Write(settings::RemoveBigFile, true);
    store.Write(settings::AddedFileType, "_del \xC3\xA5\xC3\xA4\xC3\xB6 \xC3\x9F");
    EXPECT_EQ(TypeOf("v2.7\\Memory", "MaxFromRAM"), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(TypeOf("v2.7\\DelFile", "RemoveBigFile"), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(TypeOf("v2.7\\AddedFileType", "AddedFileType"), static_cast<DWORD>(REG_SZ));

    RegistrySettingsStore other(kTestKey);  // another running copy sees the last write
    EXPECT_EQ(other.Read(settings::MaxFromRAM), 35);
    EXPECT_EQ(other.Read(settings::MainTop), -20);
    EXPECT_TRUE(other.Read(settings::RemoveBigFile));
    EXPECT_EQ(other.Read(settings::AddedFileType), "_del \xC3\xA5\xC3\xA4\xC3\xB6 \xC3\x9F");
    store.Write(settings::RemoveBigFile, false);
    EXPECT_FALSE(other.Read(settings::RemoveBigFile));
}

TEST_F(RegistrySettingsStoreTest, ResetAndDeletionTouchThisVersionOnly) {
    const DWORD old = 77;
    Put("v2.6\\Memory", "MaxFromRAM", REG_DWORD, &old, sizeof old);
    store.Write(settings::MaxFromRAM, 33);
    store.Write(settings::Language, 2);
    store.DeleteSettingValue(subkey::Memory, "MaxFromRAM");
    EXPECT_EQ(store.Read(settings::MaxFromRAM), 20);
    EXPECT_EQ(store.Read(settings::Language), 2);
    store.ResetSettings();
    EXPECT_EQ(store.Read(settings::Language), 0);
    EXPECT_FALSE(KeyExists("v2.7\\Language"));
    EXPECT_EQ(TypeOf("v2.6\\Memory", "MaxFromRAM"), static_cast<DWORD>(REG_DWORD));
}

TEST_F(RegistrySettingsStoreTest, AValueOfAnotherTypeReadsAsTheDefault) {
    PutText("v2.7\\Memory", "MaxFromRAM", L"lots");
    PutText("v2.7\\BigUnit", "BigUnit", L" 4 ");
    PutText("v2.7\\DelFile", "RemoveSelfUnit", L"true");
    PutText("v2.7\\DelFile", "RemoveBigFile", L"maybe");
    const char bytes[] = "\x01\x02";
    Put("v2.7\\Memory", "MaxFromFile", REG_BINARY, bytes, 2);
    Put("v2.7\\AddedFileType", "AddedFileType", REG_BINARY, bytes, 2);
    EXPECT_EQ(store.Read(settings::MaxFromRAM), 20);
    EXPECT_EQ(store.Read(settings::BigUnit), 4);
    EXPECT_TRUE(store.Read(settings::RemoveSelfUnit));
    EXPECT_FALSE(store.Read(settings::RemoveBigFile));
    EXPECT_EQ(store.Read(settings::MaxFromFile), 10);
    EXPECT_EQ(store.Read(settings::AddedFileType), ".Brelked_");
}

TEST(UserRegistrySettingsStoreTest, LivesUnderTheMakersKeyOfTheCurrentUser) {
    EXPECT_EQ(RegistrySettingsStore().Location(),
              "HKEY_CURRENT_USER\\Software\\Tolvena\\The File Brelker\\v2.7");
}

}  // namespace
}  // namespace brelker
