#pragma once

#include "platform/settings_store.hpp"
#include "platform/trace.hpp"

namespace sheetpush::win32 {

// The per-user registry: HKEY_CURRENT_USER\Software\<application>\<section>, one value named
// by the key: REG_SZ for a string, REG_DWORD for a number.
class Win32SettingsStore : public SettingsStore {
public:
    explicit Win32SettingsStore(Trace trace = {}) : trace_(trace) {}

    std::optional<std::u16string> read(std::u16string_view application, std::u16string_view section,
                                       std::u16string_view key) override;
    std::optional<std::uint32_t> readNumber(std::u16string_view application,
                                            std::u16string_view section,
                                            std::u16string_view key) override;
    Status write(std::u16string_view application, std::u16string_view section,
                 std::u16string_view key, std::u16string_view value) override;

private:
    Trace trace_;
};

} // namespace sheetpush::win32
