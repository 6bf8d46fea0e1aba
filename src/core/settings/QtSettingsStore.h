#pragma once

#include <string>
#include <string_view>

#include "settings/SettingsStore.h"

namespace brelker {

// The store through QSettings: on Linux the file Tolvena/The File Brelker.conf
// in the user's config folder, the version and the subkeys as groups in it.
class QtSettingsStore : public SettingsStore {
public:
    // The user's own store.
    QtSettingsStore();
    // A store in a file of its own, for tests.
    explicit QtSettingsStore(std::string filePath);

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

    std::string Location() const override;

private:
    std::string filePath_;
};

}  // namespace brelker
