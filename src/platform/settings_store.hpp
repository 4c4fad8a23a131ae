#pragma once

#include "vocabulary/failure.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace sheetpush {

// The application and section of the product's own settings.
inline constexpr std::u16string_view settingsApplication = u"Orvand";
inline constexpr std::u16string_view settingsSection = u"Sheetpush";

// Per-user persistent strings addressed by application, section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Empty when there is no such entry.
    virtual std::optional<std::u16string>
    read(std::u16string_view application, std::u16string_view section, std::u16string_view key) = 0;
    virtual Status write(std::u16string_view application, std::u16string_view section,
                         std::u16string_view key, std::u16string_view value) = 0;
};

} // namespace sheetpush
