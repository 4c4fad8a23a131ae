#pragma once

#include "platform/platform.hpp"

#include <string_view>

namespace sheetpush {

// Whether the per-user setting "Unattended" is on, as for a scheduled job that nobody watches:
// then nothing is shown and nobody is asked, and every operation goes on at once with the result
// it has once its message is closed or its question cancelled.
bool runsUnattended(SettingsStore& settings);

// Every message the system shows passes through here: a modal right-to-left box with OK alone,
// which the caller waits for. Run unattended, the box is not shown and the caller goes on at
// once. The setting is read at each message, so that a job can change it for a server that runs.
// Shown or not, each message goes to the trace with its text.
class Messages {
public:
    explicit Messages(Platform& platform)
        : boxes_(platform.messageBoxes()), settings_(platform.settings()),
          trace_(platform.trace()) {}

    void show(std::u16string_view prompt, std::u16string_view title) const;

private:
    MessageBoxes& boxes_;
    SettingsStore& settings_;
    Trace trace_;
};

} // namespace sheetpush
