#include "settings/SettingsStore.h"

#include "settings/Settings.h"

namespace brelker {
void SettingsStore::ResetSettings() {
    for (const std::string_view subkeyName : settings::kResetOrder) {
        DeleteSettingsKey(subkeyName);
    }
}

int SettingsStore::Read(const IntegerSetting& setting) const {
    return ReadIntegerSetting(setting.subkey, setting.name, setting.defaultValue);
}

bool SettingsStore::Read(const BoolSetting& setting) const {
    return ReadBoolSetting(setting.subkey, setting.name, setting.defaultValue);
}

std::string SettingsStore::Read(const StringSetting& setting) const {
    return ReadStringSetting(setting.subkey, setting.name, setting.defaultValue);
}

void SettingsStore::Write(const IntegerSetting& setting, int value) {
    WriteIntegerSetting(setting.subkey, setting.name, value);
}

void SettingsStore::Write(const BoolSetting& setting, bool value) {
    WriteBoolSetting(setting.subkey, setting.name, value);
}

void SettingsStore::Write(const StringSetting& setting, std::string_view value) {
    WriteStringSetting(setting.subkey, setting.name, value);
}

}  // namespace brelker
