#pragma once

#include <string>
#include <string_view>

#include "settings/SettingsStore.h"

namespace brelker {

// The store in the Windows registry of the current user:
// HKEY_CURRENT_USER\Software\Tolvena\The File Brelker\v2.7\<subkey>, numbers and
// switches as REG_DWORD, texts as REG_SZ. Names and texts are UTF-8 here and
// UTF-16 in the registry.
class RegistrySettingsStore : public SettingsStore {
public:
    static constexpr std::string_view kUserKey = "Software\\Tolvena\\The File Brelker";

    // The user's own store.
    RegistrySettingsStore();
    // A store under another key of the current user, for tests.
    explicit RegistrySettingsStore(std::string baseKey);

    int ReadIntegerSetting(std::string_view subkey, std::string_view name,
                           int defaultValue) const override;
    bool ReadBoolSetting(std::string_view subkey, std::string_view name,
                         bool defaultValue) const override;
    std::string ReadStringSetting(std::string_view subkey, std::string_view name,
                                  std::string_view defaultValue) const override;

    void WriteIntegerSetting(std::string_view subkey, std::string_view name, int value) override;
    void WriteBoolSetting(std::string_view subkey, std::string_view name, bool value) override;
    void WriteStringSetting(std::string_view subkey, std::string_view name,
                            std::string_view value) override;

    void DeleteSettingValue(std::string_view subkey, std::string_view name) override;
    void DeleteSettingsKey(std::string_view subkey) override;

    // The key of the version level, e.g. "HKEY_CURRENT_USER\Software\...\v2.7".
    std::string Location() const override;

private:
    std::string KeyOf(std::string_view subkey) const;

    std::string baseKey_;
};

}  // namespace brelker
