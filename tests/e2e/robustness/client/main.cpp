// The robustness client: one scenario per run, each checking what a client of the server sees.
//
//   RobustnessClient.exe <scenario> <work folder> [client number]
//
// Exit code 0 when every check passed, 1 when one failed, 2 on bad usage, 3 when a step hung.

#include "scenarios.hpp"
#include "win32_base/raii.hpp"

#include <windows.h>

#include <objbase.h>

#include <cstdio>
#include <map>
#include <string>

namespace robustness {

namespace {

void CALLBACK expire(void* step, BOOLEAN) {
    std::printf("FAIL %s: still running after its limit\n", static_cast<const char*>(step));
    std::fflush(stdout);
    TerminateProcess(GetCurrentProcess(), 3);
}

} // namespace

Watchdog::Watchdog(const char* step, unsigned long limitMs) : timer_(nullptr) {
    CreateTimerQueueTimer(&timer_, nullptr, expire, const_cast<char*>(step), limitMs, 0,
                          WT_EXECUTEONLYONCE);
}

Watchdog::~Watchdog() {
    if (timer_)
        DeleteTimerQueueTimer(nullptr, timer_, INVALID_HANDLE_VALUE);
}

} // namespace robustness

int wmain(int argc, wchar_t** argv) {
    if (argc < 3)
        return 2;
    std::wstring scenario = argv[1];
    std::wstring work = argv[2];
    int client = argc > 3 ? _wtoi(argv[3]) : 0;

    using Scenario = void (*)(e2e::Checks&, const std::wstring&);
    const std::map<std::wstring, Scenario> scenarios = {
        {L"bad-input", robustness::badInput},
        {L"faults", robustness::faults},
        {L"killed-client", robustness::killedClient},
        {L"call-until-killed", robustness::callUntilKilled},
        {L"concurrent-clients", robustness::concurrentClients},
        {L"call-during-box", robustness::callDuringBox},
        {L"many-calls", robustness::manyCalls},
        {L"settings", robustness::settings},
        {L"server-end", robustness::serverEnd},
        {L"orphan", robustness::orphan},
        {L"trace", robustness::trace},
    };
    sheetpush::win32::ComApartment apartment;
    e2e::Checks checks;
    if (scenario == L"load-writer") {
        robustness::loadWriter(checks, client);
    } else if (scenario == L"churn-writer") {
        robustness::churnWriter(checks, client);
    } else {
        auto found = scenarios.find(scenario);
        if (found == scenarios.end())
            return 2;
        found->second(checks, work);
    }
    return checks.exitCode();
}
