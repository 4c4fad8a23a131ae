#pragma once

#include <optional>
#include <string>

namespace sheetpush::com {

// The reason a registration step failed; empty on success.
using RegistrationOutcome = std::optional<std::wstring>;

// Whose classes a registration changes: the machine's, for every user
// (HKEY_LOCAL_MACHINE\Software\Classes, which needs an administrator), or the current user's
// alone (HKEY_CURRENT_USER\Software\Classes, which needs no rights).
enum class RegistryScope { machine, user };

// Registers the class, its ProgID, the type library in the executable's own resource and the
// interface for the automation marshaler, with the executable's full path as the local server,
// through both registry views.
RegistrationOutcome registerServer(RegistryScope scope);

// Removes what registerServer writes from both views; what is already absent is no failure.
RegistrationOutcome unregisterServer(RegistryScope scope);

} // namespace sheetpush::com
