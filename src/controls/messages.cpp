#include "controls/messages.hpp"

#include <string>

namespace sheetpush {

bool runsUnattended(SettingsStore& settings) {
    return switchedOn(settings, u"Unattended");
}

void Messages::show(std::u16string_view prompt, std::u16string_view title) const {
    const bool unattended = runsUnattended(settings_);
    trace_([&] {
        return std::u16string(unattended ? u"message not shown, unattended: «" : u"message: «") +
               std::u16string(title) + u"» " + std::u16string(prompt);
    });
    if (unattended)
        return;
    boxes_.show(prompt, title, rightToLeftMessageFlags);
}

} // namespace sheetpush
