#include "win32/win32_settings_store.hpp"

#include "vocabulary/error_numbers.hpp"
#include "win32/system_failure.hpp"
#include "win32_base/raii.hpp"
#include "win32_base/wide_text.hpp"

#include <windows.h>

#include <cstring>
#include <vector>

namespace sheetpush::win32 {

namespace {

std::wstring keyPath(std::u16string_view application, std::u16string_view section) {
    return L"Software\\" + wide(application) + L"\\" + wide(section);
}

// Another program may have stored anything under the name: only a string counts, and it is
// read up to its first NUL or the end of its data, whichever comes first, since the registry
// does not promise a terminating NUL nor an even number of bytes.
std::optional<std::u16string> stringValue(HKEY key, const std::wstring& name) {
    std::vector<BYTE> data;
    for (;;) {
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(data.size());
        LSTATUS status = RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &size);
        if (status == ERROR_MORE_DATA || (status == ERROR_SUCCESS && data.empty() && size > 0)) {
            data.resize(size);
            continue;
        }
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
            return std::nullopt;
        std::u16string text(size / sizeof(char16_t), u'\0');
        std::memcpy(text.data(), data.data(), text.size() * sizeof(char16_t));
        return text.substr(0, text.find(u'\0'));
    }
}

// Only a REG_DWORD counts: a number written as a string or in eight bytes is no number here.
std::optional<std::uint32_t> numberValue(HKEY key, const std::wstring& name) {
    DWORD type = 0;
    DWORD number = 0;
    DWORD size = sizeof(number);
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&number),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(number))
        return std::nullopt;
    return number;
}

// What valueOf reads of the key's value, or nothing when the section cannot be opened.
template <class ValueOf>
auto readValue(std::u16string_view application, std::u16string_view section,
               std::u16string_view key, ValueOf valueOf) -> decltype(valueOf(HKEY{}, L"")) {
    UniqueHkey opened;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath(application, section).c_str(), 0, KEY_QUERY_VALUE,
                      opened.put()) != ERROR_SUCCESS)
        return std::nullopt;
    return valueOf(opened.get(), wide(key));
}

} // namespace

std::optional<std::u16string> Win32SettingsStore::read(std::u16string_view application,
                                                       std::u16string_view section,
                                                       std::u16string_view key) {
    return readValue(application, section, key, stringValue);
}

std::optional<std::uint32_t> Win32SettingsStore::readNumber(std::u16string_view application,
                                                            std::u16string_view section,
                                                            std::u16string_view key) {
    return readValue(application, section, key, numberValue);
}

Status Win32SettingsStore::write(std::u16string_view application, std::u16string_view section,
                                 std::u16string_view key, std::u16string_view value) {
    UniqueHkey created;
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, keyPath(application, section).c_str(), 0,
                                     nullptr, 0, KEY_SET_VALUE, nullptr, created.put(), nullptr);
    if (status == ERROR_SUCCESS) {
        std::wstring text = wide(value);
        status = RegSetValueExW(created.get(), wide(key).c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(text.c_str()),
                                static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    if (status != ERROR_SUCCESS)
        return systemFailure(trace_, u"RegCreateKeyExW or RegSetValueExW, saving a setting",
                             error::pathFileAccess(), static_cast<DWORD>(status));
    return {};
}

} // namespace sheetpush::win32
