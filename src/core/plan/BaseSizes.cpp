#include "plan/BaseSizes.h"

#include <algorithm>

#include "platform/Decimal.h"
#include "settings/Settings.h"

namespace brelker {

std::string BaseSizeValueName(int index) {
    return std::string(settings::BaseSizeValuePrefix) + std::to_string(index);
}

std::string BaseSizeTextName(int index) {
    return std::string(settings::BaseSizeTextPrefix) + std::to_string(index);
}

std::int64_t ReadStoredBaseSize(const SettingsStore& store, int index) {
    return DecimalToInt64(store.ReadStringSetting(subkey::BaseSize, BaseSizeValueName(index),
                                                  settings::BaseSizeValueDefault));
}

std::string ReadStoredBaseSizeText(const SettingsStore& store, int index) {
    return store.ReadStringSetting(subkey::BaseSize, BaseSizeTextName(index),
                                   settings::BaseSizeTextDefault);
}

int ReadStoredBaseSizeCount(const SettingsStore& store) {
    return std::min(store.Read(settings::BaseSizes), kMostBaseSizes);
}

BaseSizeList LoadBaseSizes(SettingsStore& store) {
    BaseSizeList list;
    list.BaseSizeIndex = store.Read(settings::BaseSizeIndex);
    list.count = ReadStoredBaseSizeCount(store);
    if (list.count <= 0) {
        list.count = static_cast<int>(kDefaultBaseSizes.size());
        list.BaseSizeIndex = kDefaultBaseSizeIndex;
        store.Write(settings::BaseSizes, list.count);
        store.Write(settings::BaseSizeIndex, list.BaseSizeIndex);
        for (int i = 0; i < list.count; ++i) {
            const DefaultBaseSize& entry = kDefaultBaseSizes[static_cast<std::size_t>(i)];
            store.WriteStringSetting(subkey::BaseSize, BaseSizeValueName(i),
                                     std::to_string(entry.bytes));
            store.WriteStringSetting(subkey::BaseSize, BaseSizeTextName(i), entry.text);
            // Taken from here, not read back: a store that cannot be written would
            // give every entry its one-byte "(undefined)" fallback.
            list.BaseSizeValues.push_back(entry.bytes);
            list.BaseSizeTexts.emplace_back(entry.text);
        }
        return list;
    }
    list.BaseSizeValues.reserve(static_cast<std::size_t>(list.count));
    list.BaseSizeTexts.reserve(static_cast<std::size_t>(list.count));
    for (int i = 0; i < list.count; ++i) {
        list.BaseSizeValues.push_back(ReadStoredBaseSize(store, i));
        list.BaseSizeTexts.push_back(ReadStoredBaseSizeText(store, i));
    }
    return list;
}

void ModifyStoredBaseSize(SettingsStore& store, int index, std::string_view text,
                          std::int64_t size) {
    store.Write(settings::BaseSizeIndex, index);
    store.WriteStringSetting(subkey::BaseSize, BaseSizeValueName(index), std::to_string(size));
    store.WriteStringSetting(subkey::BaseSize, BaseSizeTextName(index), text);
}

int AddStoredBaseSize(SettingsStore& store, int count, std::string_view text, std::int64_t size) {
    store.Write(settings::BaseSizeIndex, count);
    store.WriteStringSetting(subkey::BaseSize, BaseSizeValueName(count), std::to_string(size));
    store.Write(settings::BaseSizes, count + 1);
    store.WriteStringSetting(subkey::BaseSize, BaseSizeTextName(count), text);
    return count + 1;
}

int DeleteStoredBaseSize(SettingsStore& store, int count, int index) {
    count -= 1;
    store.Write(settings::BaseSizes, count);
    // The stored selection is not shifted: the entry that moves up into the
    // selected place becomes the chosen one; only past the end it moves back.
    const int selected =
        store.ReadIntegerSetting(subkey::BaseSize, settings::BaseSizeIndex.name, 0);
    if (selected >= count) {
        store.Write(settings::BaseSizeIndex, count - 1);
    }
    for (int a = index; a < count; ++a) {
        store.WriteStringSetting(subkey::BaseSize, BaseSizeValueName(a),
                                 std::to_string(ReadStoredBaseSize(store, a + 1)));
        store.WriteStringSetting(subkey::BaseSize, BaseSizeTextName(a),
                                 ReadStoredBaseSizeText(store, a + 1));
    }
    store.DeleteSettingValue(subkey::BaseSize, BaseSizeValueName(count));
    store.DeleteSettingValue(subkey::BaseSize, BaseSizeTextName(count));
    return count;
}

}  // namespace brelker
