#pragma once

#include "vocabulary/result.hpp"

#include <string>

namespace sheetpush::com {

// Whose classes a registration changes: the machine's, for every user
// (HKEY_LOCAL_MACHINE\Software\Classes, which needs an administrator), or the current user's
// alone (HKEY_CURRENT_USER\Software\Classes, which needs no rights).
enum class RegistryScope { machine, user };

// Registers each class, its ProgID, its type library in the executable's own resources and its
// interface for the automation marshaler, with the executable's full path as the local server,
// through both registry views. It takes over whatever another copy registered there. A failure
// says which step failed and why.
Status registerServer(RegistryScope scope);

// Removes from both views what registerServer wrote for this executable, and leaves in place
// what names another copy of it, and says what it left and why (empty when nothing); what is
// already absent is no failure.
Result<std::wstring> unregisterServer(RegistryScope scope);

} // namespace sheetpush::com
