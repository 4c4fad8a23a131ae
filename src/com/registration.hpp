#pragma once

#include <optional>
#include <string>

namespace sheetpush::com {

// What registering or unregistering has to say on the standard error stream: nothing when it
// did all it was asked; why it failed; or, which is no failure, what it left in place and why.
struct RegistrationOutcome {
    std::optional<std::wstring> failure;
    std::optional<std::wstring> leftInPlace;
};

// Whose classes a registration changes: the machine's, for every user
// (HKEY_LOCAL_MACHINE\Software\Classes, which needs an administrator), or the current user's
// alone (HKEY_CURRENT_USER\Software\Classes, which needs no rights).
enum class RegistryScope { machine, user };

// Registers each class, its ProgID, its type library in the executable's own resources and its
// interface for the automation marshaler, with the executable's full path as the local server,
// through both registry views. It takes over whatever another copy registered there.
RegistrationOutcome registerServer(RegistryScope scope);

// Removes from both views what registerServer wrote for this executable, and leaves in place
// what names another copy of it; what is already absent is no failure.
RegistrationOutcome unregisterServer(RegistryScope scope);

} // namespace sheetpush::com
