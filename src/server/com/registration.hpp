#pragma once

#include <optional>
#include <string>

namespace sheetpush::com {

// The reason a registration step failed; empty on success.
using RegistrationOutcome = std::optional<std::wstring>;

// Registers the class, its ProgID and the type library from the executable's own resource for
// every user of the machine (HKEY_LOCAL_MACHINE\Software\Classes, where HKEY_CLASSES_ROOT
// reads), with the executable's full path as the local server.
RegistrationOutcome registerServer();

// Removes what registerServer writes; what is already absent is no failure.
RegistrationOutcome unregisterServer();

} // namespace sheetpush::com
