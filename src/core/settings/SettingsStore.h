#pragma once

#include <limits>
#include <string>
#include <string_view>

#include "platform/Version.h"

namespace brelker {

// Subkeys; Settings.h lists them in the order a reset deletes them.
namespace subkey {
inline constexpr std::string_view BigUnit = "BigUnit";
inline constexpr std::string_view Language = "Language";
inline constexpr std::string_view Memory = "Memory";
inline constexpr std::string_view Position = "Position";
inline constexpr std::string_view Path = "Path";
inline constexpr std::string_view BaseSize = "BaseSize";
inline constexpr std::string_view ChangeDisk = "ChangeDisk";
inline constexpr std::string_view AddedFileType = "AddedFileType";
inline constexpr std::string_view DelFile = "DelFile";
}  // namespace subkey

// One stored value of each type, with its place and its default. The table of
// every setting the program keeps is in Settings.h. An integer's bounds are the
// ones its editor keeps to; reading does not clamp.
struct IntegerSetting {
    std::string_view subkey;
    std::string_view name;
    int defaultValue;
    int minimum = std::numeric_limits<int>::min();
    int maximum = std::numeric_limits<int>::max();
};
struct BoolSetting {
    std::string_view subkey;
    std::string_view name;
    bool defaultValue;
};
struct StringSetting {
    std::string_view subkey;
    std::string_view name;
    std::string_view defaultValue;
};

// The per-user store of named values, under the maker's and the program's
// names (Settings.h), version level v2.7, kept where the system keeps such
// things: QtSettingsStore on Linux, RegistrySettingsStore on Windows.
// Every operation opens the store, does its one read, write or deletion and
// closes it again: nothing is cached, so two running copies see each other's
// writes and the last write wins. No operation fails: a missing, unreadable or
// damaged value reads as the default, and a write the system refuses is lost
// without harm.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual int ReadIntegerSetting(std::string_view subkey, std::string_view name,
                                   int defaultValue) const = 0;
    virtual bool ReadBoolSetting(std::string_view subkey, std::string_view name,
                                 bool defaultValue) const = 0;
    virtual std::string ReadStringSetting(std::string_view subkey, std::string_view name,
                                          std::string_view defaultValue) const = 0;

    virtual void WriteIntegerSetting(std::string_view subkey, std::string_view name, int value) = 0;
    virtual void WriteBoolSetting(std::string_view subkey, std::string_view name, bool value) = 0;
    virtual void WriteStringSetting(std::string_view subkey, std::string_view name,
                                    std::string_view value) = 0;

    virtual void DeleteSettingValue(std::string_view subkey, std::string_view name) = 0;
    virtual void DeleteSettingsKey(std::string_view subkey) = 0;

    // Where the values are kept, for messages and tests.
    virtual std::string Location() const = 0;

    // Deletes every subkey, so that the next start uses every default.
    void ResetSettings();

    int Read(const IntegerSetting& setting) const;
    bool Read(const BoolSetting& setting) const;
    std::string Read(const StringSetting& setting) const;
    void Write(const IntegerSetting& setting, int value);
    void Write(const BoolSetting& setting, bool value);
    void Write(const StringSetting& setting, std::string_view value);
};

}  // namespace brelker
