#pragma once

#include "server/com/class_factory.hpp"

#include <windows.h>

namespace sheetpush::com {

// Keeps the server process alive: every object and every client lock holds one reference.
class ProcessReference {
public:
    ProcessReference();
    ProcessReference(const ProcessReference&) = delete;
    ProcessReference& operator=(const ProcessReference&) = delete;
    ~ProcessReference();
};

// Takes or drops one reference for IClassFactory::LockServer.
void lockServer(bool lock);

// Publishes the class object and runs the calling thread's message loop, in which the calls of
// a single-threaded apartment arrive, until the server has ended. Each message goes first to
// claim, when given, and is dispatched only when claim did not use it up.
//
// When the last reference goes, the class object is withdrawn at once, so that no client that
// comes later can reach a server about to end; it starts its own. A client that had already
// reached the class object may still ask it for an object within a short grace: then the class
// object is published again and the server goes on. Otherwise the server ends when the grace is
// over. Nothing here relies on the platform to stop activations at the end.
HRESULT serveUntilReleased(ClassObjectRegistration& registration,
                           bool (*claim)(MSG& message) = nullptr);

} // namespace sheetpush::com
