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

BaseSizeList LoadBaseSizes(const SettingsStore& store) {
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

}  // namespace brelker
