#pragma once

#include <windows.h>

namespace sheetpush::com {

// Keeps the server process alive: every object and every client lock holds one. When the last
// one goes, COM stops handing out the class objects and the message loop ends.
class ProcessReference {
public:
    ProcessReference();
    ProcessReference(const ProcessReference&) = delete;
    ProcessReference& operator=(const ProcessReference&) = delete;
    ~ProcessReference();
};

// Takes or drops one reference for IClassFactory::LockServer.
void lockServer(bool lock);

// Runs the calling thread's message loop until the last process reference is dropped. Incoming
// calls of a single-threaded apartment arrive as messages of this loop. Each message goes first
// to claim, when given, and is dispatched only when claim did not use it up.
void serveUntilReleased(bool (*claim)(MSG& message) = nullptr);

} // namespace sheetpush::com
