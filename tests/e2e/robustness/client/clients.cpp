// Several clients at once: clients that come and go, many writers, a call that arrives while
// another call's message is open or its transfer runs, and a client that dies in the middle of
// its call; and the server's end, under a late client and with none.

#include "lifetime/server_life.hpp"
#include "link.hpp"
#include "processes.hpp"
#include "scenarios.hpp"
#include "server_usage.hpp"
#include "sheetpush_h.h"
#include "support/client_thread.hpp"
#include "support/standin_log.hpp"
#include "win32_base/raii.hpp"

#include <chrono>
#include <cstdio>
#include <set>
#include <vector>

namespace robustness {

namespace {

constexpr int writers = 8;
constexpr int writesEach = 250;
constexpr int churners = 4;
constexpr int churnRounds = 20;
// The churning clients write beside the writers' columns.
constexpr LONG churnColumn = writers + 2;

std::wstring written(int client, int write) {
    return L"client " + std::to_wstring(client) + L" write " + std::to_wstring(write);
}

std::wstring churned(int client, int round) {
    return L"churn " + std::to_wstring(client) + L" round " + std::to_wstring(round);
}

std::vector<Process> startClients(const wchar_t* scenario, int count, const std::wstring& work) {
    std::vector<Process> clients;
    for (int client = 0; client < count; ++client)
        clients.emplace_back(L"RobustnessClient.exe",
                             std::wstring(scenario) + L" \"" + work + L"\" " +
                                 std::to_wstring(client),
                             Process::Output::shared);
    return clients;
}

// Each ended within the limit, and passed its checks.
bool allPassed(std::vector<Process>& clients, DWORD limitMs) {
    bool passed = true;
    for (auto& client : clients)
        passed = client.wait(limitMs) == DWORD{0} && passed;
    return passed;
}

struct TitleSearch {
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK matchTitle(HWND window, LPARAM search) {
    auto* wanted = reinterpret_cast<TitleSearch*>(search);
    wchar_t title[128] = {};
    GetWindowTextW(window, title, 128);
    if (!IsWindowVisible(window) || std::wstring(title) != wanted->title)
        return TRUE;
    wanted->found = window;
    return FALSE;
}

HWND awaitWindow(const wchar_t* title, int polls) {
    for (int poll = 0; poll < polls; ++poll) {
        TitleSearch search{title, nullptr};
        EnumWindows(matchTitle, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        Sleep(20);
    }
    return nullptr;
}

// Every poke the stand-in took from a writer went to the cell its text names: a poke that landed
// in another cell first, and was overwritten later, shows here and not in the cells read back.
void checkPokedCells(e2e::Checks& checks, const std::wstring& log) {
    std::set<std::wstring> cells;
    int misplaced = 0;
    for (const auto& event : e2e::standinEvents(log)) {
        int client = -1;
        int write = -1;
        if (event.kind != L"poke" || event.outcome != L"ok" ||
            std::swscanf(event.text.c_str(), L"client %d write %d", &client, &write) != 2)
            continue;
        cells.insert(event.item);
        misplaced +=
            event.item != L"R" + std::to_wstring(write + 1) + L"C" + std::to_wstring(client + 1);
    }
    checks.equal(cells.size(), std::size_t{writers * writesEach},
                 "the stand-in took a poke into each of the 2000 cells");
    checks.equal(misplaced, 0, "no poke went to a cell other than its own");
}

} // namespace

void loadWriter(e2e::Checks& checks, int client) {
    Watchdog watchdog("a writer's 250 calls", 120000);
    Link link;
    int delivered = 0;
    for (int write = 0; write < writesEach; ++write)
        delivered += link.push(written(client, write), client + 1, write + 1, L"Sheet1") ? 1 : 0;
    checks.equal(delivered, writesEach,
                 "writer " + std::to_string(client) + ": every call returned True");
}

// A client that comes and goes: a new object for every write, let go at once.
void churnWriter(e2e::Checks& checks, int client) {
    Watchdog watchdog("a churning client's 20 rounds", 120000);
    int delivered = 0;
    for (int round = 0; round < churnRounds; ++round)
        delivered +=
            Link().push(churned(client, round), churnColumn + client, round + 1, L"Sheet1") ? 1 : 0;
    checks.equal(delivered, churnRounds,
                 "churning client " + std::to_string(client) +
                     ": every object made, every call True");
}

void concurrentClients(e2e::Checks& checks, const std::wstring& work) {
    Process standin = startStandin(L"", work + L"\\standin.log");
    // Clients that come and go at the same time, none holding the server between its calls: each
    // creation may meet a server whose last object just went.
    std::vector<Process> churning = startClients(L"churn-writer", churners, work);
    checks.expect(allPassed(churning, 120000),
                  "all 4 churning clients ended, each with every object made and every call True");
    // Holding an object keeps one server serving every writer.
    Link link;
    checks.expect(link.ready(), "the server serves");
    std::vector<Process> clients = startClients(L"load-writer", writers, work);
    checks.expect(allPassed(clients, 180000), "all 8 writers ended, each with every call True");
    Watchdog watchdog("reading 2080 cells back", 120000);
    int churnFound = 0;
    for (int client = 0; client < churners; ++client)
        for (int round = 0; round < churnRounds; ++round)
            churnFound += link.read(churnColumn + client, round + 1, L"Sheet1") ==
                          cell(churned(client, round));
    checks.equal(churnFound, churners * churnRounds,
                 "each of the churning clients' 80 cells holds its own value");
    int found = 0;
    for (int client = 0; client < writers; ++client)
        for (int write = 0; write < writesEach; ++write)
            found += link.read(client + 1, write + 1, L"Sheet1") == cell(written(client, write));
    checks.equal(found, writers * writesEach,
                 "each of the writers' 2000 cells holds its own value");
    checkPokedCells(checks, work + L"\\standin.log");
}

void callDuringBox(e2e::Checks& checks, const std::wstring& work) {
    Link link;
    {
        Process standin = startStandin(L"", work + L"\\standin1.log");
        Watchdog watchdog("a call while a message box is open");
        e2e::ClientThread failing(
            [] { return Link().push(L"never delivered", 3, 40, L"NoSuchSheet"); });
        HWND box = awaitWindow(linkFailureTitle, 1500);
        checks.expect(box != nullptr, "the first call's link failure message is open");
        bool second = link.push(L"while the box is open", 3, 41, L"Sheet1");
        bool boxStillOpen = IsWindow(box) && !failing.finished(0);
        checks.expect(second, "a second client's call meanwhile returns True");
        std::printf("note the second call %s\n",
                    boxStillOpen ? "completed while the first call's message was still open"
                                 : "waited for the first call to end");
        BoxCloser closer(work, linkFailureTitle);
        auto shown = closer.text();
        checks.expect(failing.finished(30000) && !failing.succeeded(),
                      "the first call then returns False");
        checks.expect(shown && shown->rfind(linkFailureText, 0) == 0 &&
                          shown->find(L"Excel|NoSuchSheet") != std::wstring::npos,
                      "its message names its own sheet");
        checks.expect(link.read(3, 41, L"Sheet1") == cell(L"while the box is open"),
                      "the second call's text is in its cell");
        checks.expect(link.read(3, 40, L"Sheet1") == cell(L""),
                      "the first call wrote nothing anywhere");
    }
    {
        // While one call waits for a slow Excel, another arrives for the same sheet: had it run
        // inside the first one's transfer, it would have taken that transfer's answer off their
        // shared conversation as no answer of its own.
        Process standin = startStandin(L"/delay:1500", work + L"\\standin2.log");
        Watchdog watchdog("a call while another call's transfer runs");
        e2e::ClientThread slow([] { return Link().push(L"slow transfer", 4, 42, L"Sheet1"); });
        Sleep(300);
        bool second = link.push(L"arrived during the transfer", 4, 43, L"Sheet1");
        checks.expect(slow.finished(30000) && slow.succeeded(),
                      "the call whose transfer was running returns True");
        checks.expect(second, "the call that arrived during it returns True");
        checks.expect(link.read(4, 42, L"Sheet1") == cell(L"slow transfer") &&
                          link.read(4, 43, L"Sheet1") == cell(L"arrived during the transfer"),
                      "both texts are in their own cells");
    }
}

// Every activation first reaches the class object and then asks it for an object. A client that
// holds the class object asks for one just after the server's last object went: the server must
// serve it and go on, not end under it.
void serverEnd(e2e::Checks& checks, const std::wstring& work) {
    Process standin = startStandin(L"", work + L"\\standin.log");
    sheetpush::com::ComPtr<IClassFactory> factory;
    CoGetClassObject(CLSID_ExcelLinke, CLSCTX_LOCAL_SERVER, nullptr, IID_IClassFactory,
                     reinterpret_cast<void**>(factory.put()));
    checks.expect(static_cast<bool>(factory), "the client holds the class object");
    constexpr int rounds = 5;
    int served = 0;
    for (int round = 1; round <= rounds && factory; ++round) {
        Watchdog watchdog("an object asked for as the last one went");
        checks.expect(Link(*factory.get()).push(L"the last object", 6, round, L"Sheet1"),
                      "round " + std::to_string(round) + ": the last object's call");
        Link late(*factory.get());
        const std::wstring value = L"asked for as the last one went " + std::to_wstring(round);
        served +=
            late.push(value, 7, round, L"Sheet1") && late.read(7, round, L"Sheet1") == cell(value);
    }
    checks.equal(served, rounds, "each object asked for as the last one went is served");
}

// A client that takes the class object and lets it go without asking for an object: the server
// started for it must not stay, holding its file, but end after its linger.
void orphan(e2e::Checks& checks, const std::wstring&) {
    checks.expect(!serverProcess(), "no server runs yet");
    sheetpush::com::ComPtr<IClassFactory> factory;
    CoGetClassObject(CLSID_ExcelLinke, CLSCTX_LOCAL_SERVER, nullptr, IID_IClassFactory,
                     reinterpret_cast<void**>(factory.put()));
    auto server = serverProcess();
    checks.expect(factory && server, "the client took the class object of a server started for it");
    if (!server)
        return;
    sheetpush::win32::UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, *server));
    factory = nullptr;
    const auto letGo = std::chrono::steady_clock::now();
    const auto limit = sheetpush::ServerLife::linger + std::chrono::seconds(1);
    const bool ended =
        process &&
        WaitForSingleObject(process.get(), static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
    std::printf("note the server ended %lld ms after the class object was let go\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                           std::chrono::steady_clock::now() - letGo)
                                           .count()));
    checks.expect(ended, "the server ends within its linger and a second");
}

// A client whose call is still running in the server when it is killed.
void callUntilKilled(e2e::Checks&, const std::wstring& work) {
    Link link;
    std::wstring marker = work + L"\\calling";
    CloseHandle(CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    link.push(L"from a client that dies", 5, 50, L"Sheet1");
}

void killedClient(e2e::Checks& checks, const std::wstring& work) {
    Link survivor;
    checks.expect(survivor.ready(), "the surviving client has its object");
    Process hung = startStandin(L"/delay:12000", work + L"\\hung.log");
    BoxCloser timeoutMessage(work, linkFailureTitle);
    Process victim(L"RobustnessClient.exe", L"call-until-killed \"" + work + L"\"",
                   Process::Output::shared);
    std::wstring marker = work + L"\\calling";
    for (int poll = 0; poll < 600 && GetFileAttributesW(marker.c_str()) == INVALID_FILE_ATTRIBUTES;
         ++poll)
        Sleep(50);
    // Let the call reach the server and its transfer.
    Sleep(1000);
    victim.kill();
    checks.expect(victim.wait(0).has_value(), "the client was killed in the middle of its call");
    auto shown = timeoutMessage.text();
    checks.expect(shown && shown->find(L"انتهت مهلة") != std::wstring::npos,
                  "the server finishes the dead client's call with its time-out message");
    hung.kill();
    Process standin = startStandin(L"", work + L"\\standin.log");
    Watchdog watchdog("the surviving client's call");
    checks.expect(survivor.push(L"after the death", 5, 51, L"Sheet1") &&
                      survivor.read(5, 51, L"Sheet1") == cell(L"after the death"),
                  "the server still serves another client");
}

} // namespace robustness
