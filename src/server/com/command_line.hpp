#pragma once

#include "server/com/registration.hpp"

#include <string>
#include <vector>

namespace sheetpush::com {

// What the process was started for.
enum class Request {
    person, // started by hand: the start-up procedure runs and the process ends
    serve,  // started by COM ("-Embedding") to serve its clients
    registerServer,
    unregisterServer,
};

struct Invocation {
    Request request = Request::person;
    // Whose classes a registration or unregistration changes.
    RegistryScope scope = RegistryScope::machine;
};

// The switches are the standard ones of a local server, with "/" or "-", in any letter case.
Invocation invocationOf(const std::vector<std::wstring>& arguments);

// The process's arguments, without the program name.
std::vector<std::wstring> processArguments();

} // namespace sheetpush::com
