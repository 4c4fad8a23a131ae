#include "controls/messages.hpp"

namespace sheetpush {

bool runsUnattended(SettingsStore& settings) {
    return switchedOn(settings, u"Unattended");
}

void Messages::show(std::u16string_view prompt, std::u16string_view title) const {
    if (runsUnattended(settings_))
        return;
    boxes_.show(prompt, title, rightToLeftMessageFlags);
}

} // namespace sheetpush
