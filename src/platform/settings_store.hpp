#pragma once

#include "vocabulary/result.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sheetpush {

// The application and section of the product's own settings.
inline constexpr std::u16string_view settingsApplication = u"Orvand";
inline constexpr std::u16string_view settingsSection = u"Sheetpush";

// Per-user persistent strings and numbers addressed by application, section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Empty when there is no such entry, or when it holds no string.
    virtual std::optional<std::u16string>
    read(std::u16string_view application, std::u16string_view section, std::u16string_view key) = 0;
    // Empty when there is no such entry, or when it holds no 32-bit number.
    virtual std::optional<std::uint32_t> readNumber(std::u16string_view application,
                                                    std::u16string_view section,
                                                    std::u16string_view key) = 0;
    virtual Status write(std::u16string_view application, std::u16string_view section,
                         std::u16string_view key, std::u16string_view value) = 0;
};

// A per-user switch of the product's own, a number beside "ExcelPath": on when it holds anything
// but 0, off when it holds 0, is missing or is no number.
inline bool switchedOn(SettingsStore& settings, std::u16string_view key) {
    return settings.readNumber(settingsApplication, settingsSection, key).value_or(0) != 0;
}

} // namespace sheetpush
