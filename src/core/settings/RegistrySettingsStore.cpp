#include "settings/RegistrySettingsStore.h"

#include <cstdint>
#include <optional>
#include <utility>

#include <windows.h>

#include "platform/Decimal.h"
#include "platform/WideText.h"

namespace brelker {
namespace {

// One open key, closed when the operation ends.
class Key {
public:
    // Opens an existing key; nothing is created.
    static Key Open(const std::string& path, REGSAM access) {
        Key key;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, Widen(path).c_str(), 0, access, &key.handle_) !=
            ERROR_SUCCESS) {
            key.handle_ = nullptr;
        }
        return key;
    }
    // Opens the key, creating it and the keys above it when missing.
    static Key Create(const std::string& path) {
        Key key;
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, Widen(path).c_str(), 0, nullptr,
                              REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key.handle_,
                              nullptr) != ERROR_SUCCESS) {
            key.handle_ = nullptr;
        }
        return key;
    }
    Key(Key&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Key& operator=(Key&&) = delete;
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    ~Key() {
        if (handle_ != nullptr) {
            ::RegCloseKey(handle_);
        }
    }
    HKEY Handle() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    Key() = default;
    HKEY handle_ = nullptr;
};

// A value as it is stored: a number, a text, or neither when it is missing or
// of a type the program never writes.
struct StoredValue {
    std::optional<std::uint32_t> number;
    std::optional<std::string> text;
};

StoredValue ReadValue(const std::string& keyPath, std::string_view name) {
    const Key key = Key::Open(keyPath, KEY_QUERY_VALUE);
    if (!key) {
        return {};
    }
    const std::wstring valueName = Widen(name);
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExW(key.Handle(), valueName.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
        return {};
    }
    if (type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD number = 0;
        if (::RegQueryValueExW(key.Handle(), valueName.c_str(), nullptr, nullptr,
                               reinterpret_cast<BYTE*>(&number), &size) == ERROR_SUCCESS) {
            return {number, std::nullopt};
        }
        return {};
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        return {};
    }
    // Room for a terminating null that a hand-written value may lack.
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(key.Handle(), valueName.c_str(), nullptr, nullptr,
                           reinterpret_cast<BYTE*>(text.data()), &got) != ERROR_SUCCESS) {
        return {};
    }
    text.resize(got / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') {
        text.pop_back();
    }
    return {std::nullopt, Narrow(text)};
}

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

void WriteValue(const std::string& keyPath, std::string_view name, DWORD type, const BYTE* data,
                DWORD size) {
    const Key key = Key::Create(keyPath);
    if (key) {
        ::RegSetValueExW(key.Handle(), Widen(name).c_str(), 0, type, data, size);
    }
}

void WriteNumber(const std::string& keyPath, std::string_view name, DWORD number) {
    WriteValue(keyPath, name, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
}

}  // namespace

RegistrySettingsStore::RegistrySettingsStore() : RegistrySettingsStore(std::string(kUserKey)) {}

RegistrySettingsStore::RegistrySettingsStore(std::string baseKey) : baseKey_(std::move(baseKey)) {}

std::string RegistrySettingsStore::KeyOf(std::string_view subkeyName) const {
    std::string key = baseKey_ + "\\v" + std::string(kVersionText);
    if (!subkeyName.empty()) {
        key += '\\';
        key += subkeyName;
    }
    return key;
}

int RegistrySettingsStore::ReadIntegerSetting(std::string_view subkeyName, std::string_view name,
                                              int defaultValue) const {
    const StoredValue value = ReadValue(KeyOf(subkeyName), name);
    if (value.number) {
        // A registry number is 32 bits without a sign; the program's are signed.
        return static_cast<int>(static_cast<std::int32_t>(*value.number));
    }
    std::int32_t number = 0;
    if (value.text && StrictDecimalToInt32(Trimmed(*value.text), number)) {
        return number;
    }
    return defaultValue;
}

bool RegistrySettingsStore::ReadBoolSetting(std::string_view subkeyName, std::string_view name,
                                            bool defaultValue) const {
    const StoredValue value = ReadValue(KeyOf(subkeyName), name);
    if (value.number) {
        return *value.number != 0;
    }
    if (!value.text) {
        return defaultValue;
    }
    const std::string_view text = Trimmed(*value.text);
    std::int32_t number = 0;
    if (StrictDecimalToInt32(text, number)) {
        return number != 0;
    }
    if (::CompareStringOrdinal(Widen(text).c_str(), -1, L"true", -1, TRUE) == CSTR_EQUAL) {
        return true;
    }
    if (::CompareStringOrdinal(Widen(text).c_str(), -1, L"false", -1, TRUE) == CSTR_EQUAL) {
        return false;
    }
    return defaultValue;
}

std::string RegistrySettingsStore::ReadStringSetting(std::string_view subkeyName,
                                                     std::string_view name,
                                                     std::string_view defaultValue) const {
    const StoredValue value = ReadValue(KeyOf(subkeyName), name);
    if (value.text) {
        return *value.text;
    }
    if (value.number) {
        return std::to_string(static_cast<std::int32_t>(*value.number));
    }
    return std::string(defaultValue);
}

void RegistrySettingsStore::WriteIntegerSetting(std::string_view subkeyName, std::string_view name,
                                                int value) {
    WriteNumber(KeyOf(subkeyName), name, static_cast<DWORD>(value));
}

void RegistrySettingsStore::WriteBoolSetting(std::string_view subkeyName, std::string_view name,
                                             bool value) {
    WriteNumber(KeyOf(subkeyName), name, value ? 1 : 0);
}

void RegistrySettingsStore::WriteStringSetting(std::string_view subkeyName, std::string_view name,
                                               std::string_view value) {
    const std::wstring text = Widen(value);
    WriteValue(KeyOf(subkeyName), name, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
               static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void RegistrySettingsStore::DeleteSettingValue(std::string_view subkeyName, std::string_view name) {
    const Key key = Key::Open(KeyOf(subkeyName), KEY_SET_VALUE);
    if (key) {
        ::RegDeleteValueW(key.Handle(), Widen(name).c_str());
    }
}

void RegistrySettingsStore::DeleteSettingsKey(std::string_view subkeyName) {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, Widen(KeyOf(subkeyName)).c_str());
}

std::string RegistrySettingsStore::Location() const { return "HKEY_CURRENT_USER\\" + KeyOf({}); }

}  // namespace brelker
