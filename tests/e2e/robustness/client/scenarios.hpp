#pragma once

#include "support/checks.hpp"
#include "support/text.hpp"

#include <string>

namespace robustness {

// Each scenario drives the running server (registered, with its Excel path in place) and
// records its checks; work is a Windows folder for the stand-ins' logs and the boxes' texts.
void badInput(e2e::Checks& checks, const std::wstring& work);
void faults(e2e::Checks& checks, const std::wstring& work);
void killedClient(e2e::Checks& checks, const std::wstring& work);
void callUntilKilled(e2e::Checks& checks, const std::wstring& work);
void serverEnd(e2e::Checks& checks, const std::wstring& work);
void concurrentClients(e2e::Checks& checks, const std::wstring& work);
void loadWriter(e2e::Checks& checks, int client);
void churnWriter(e2e::Checks& checks, int client);
void orphan(e2e::Checks& checks, const std::wstring& work);
void callDuringBox(e2e::Checks& checks, const std::wstring& work);
void manyCalls(e2e::Checks& checks, const std::wstring& work);
void settings(e2e::Checks& checks, const std::wstring& work);
void trace(e2e::Checks& checks, const std::wstring& work);

// Ends the process when one step runs past its limit, so that a hang fails the test instead of
// stopping it.
class Watchdog {
public:
    explicit Watchdog(const char* step, unsigned long limitMs = 60000);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    void* timer_;
};

using e2e::utf8;

} // namespace robustness
