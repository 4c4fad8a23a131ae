#pragma once

#include "local_server/class_factory.hpp"

#include <windows.h>

namespace sheetpush::com {

// Keeps the server process alive: every object holds one reference.
class ProcessReference {
public:
    ProcessReference();
    ProcessReference(const ProcessReference&) = delete;
    ProcessReference& operator=(const ProcessReference&) = delete;
    ~ProcessReference();
};

// Takes or drops one client lock for IClassFactory::LockServer.
void lockServer(bool lock);

// Publishes the class object and runs the calling thread's message loop, in which the calls of
// a single-threaded apartment arrive, until the server's life is over (server/server_life.hpp):
// a linger after the last reference went, a pause after the class object was withdrawn. Each
// message goes first to claim, when given, and is dispatched only when claim did not use it up.
HRESULT serveUntilReleased(ClassObjectRegistration& registration,
                           bool (*claim)(MSG& message) = nullptr);

} // namespace sheetpush::com
