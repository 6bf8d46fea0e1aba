#pragma once

#include <string>

#ifdef _WIN32
#include <windows.h>
#undef DeleteFile

#include "platform/WideText.h"
#include "settings/RegistrySettingsStore.h"
#else
#include "settings/QtSettingsStore.h"
#endif

namespace brelker {

#ifdef _WIN32
// The system's own store, under a key of the current user named after the test's
// file and removed with everything in it afterwards.
class TestSettingsStore : public RegistrySettingsStore {
public:
    explicit TestSettingsStore(const std::string& filePath)
        : RegistrySettingsStore(KeyFor(filePath)), key_(KeyFor(filePath)) {}
    ~TestSettingsStore() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, Widen(key_).c_str()); }
    TestSettingsStore(const TestSettingsStore&) = delete;
    TestSettingsStore& operator=(const TestSettingsStore&) = delete;

private:
    static std::string KeyFor(std::string path) {
        for (char& c : path) {
            if (c == '\\' || c == '/' || c == ':') {
                c = '_';
            }
        }
        return "Software\\Tolvena\\Brelker tests\\" + path;
    }
    std::string key_;
};
#else
// The system's own store, in a file of the test's.
using TestSettingsStore = QtSettingsStore;
#endif

}  // namespace brelker
