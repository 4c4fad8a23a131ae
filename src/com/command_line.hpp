#pragma once

#include "com/registration.hpp"

#include <string>
#include <vector>

namespace sheetpush::com {

// What the process was started for.
enum class Request {
    person, // started by hand: the start-up procedure runs and the process ends
    serve,  // started by COM ("-Embedding") to serve its clients
    registerServer,
    unregisterServer,
    help,          // "/?" or "/help": the switches are shown
    unknownSwitch, // a switch the server does not know: the switches are shown, as an error
};

struct Invocation {
    Request request = Request::person;
    // Whose classes a registration or unregistration changes.
    RegistryScope scope = RegistryScope::machine;
    // The switch the server did not know.
    std::wstring unknown;
};

// The switches are the standard ones of a local server, with "/" or "-", in any letter case. An
// argument that is no switch changes nothing, as a workbook's name given by hand does not.
Invocation invocationOf(const std::vector<std::wstring>& arguments);

// What the switches do, one line each, for "/?" and for a switch the server does not know.
std::wstring usage();

// The process's arguments, without the program name.
std::vector<std::wstring> processArguments();

} // namespace sheetpush::com
