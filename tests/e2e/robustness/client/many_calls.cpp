// A soak: twenty thousand calls through one server, mixing writes, reads and failures. After
// them the server holds what it held after the first thousand, and so does the machine's global
// atom table, within small margins.

#include "link.hpp"
#include "processes.hpp"
#include "scenarios.hpp"
#include "server_usage.hpp"

namespace robustness {

namespace {

constexpr int calls = 20000;
// By then every kind of call has run, and what the server makes once (its conversations, the
// message boxes' resources) is made.
constexpr int warmUp = 1000;
constexpr int boxes = calls / 50;

constexpr std::size_t handleSlack = 8;
// Wine's heap grows once by about 1.2 MB somewhere in the first 10,000 calls, and by 192 KB
// steps now and then after: over 60,000 calls it stood still from 10,000 to 45,000. A leak of
// more than 110 bytes a call fails this margin.
constexpr std::size_t memorySlack = 2 << 20;

// One call of a mix that goes down every road of the server: pokes, reads, a change of sheet
// (to the other conversation the link keeps), a failed conversion, which reports an automation
// error, and now and then a refused cell and a sheet nobody serves, each failing with a message
// box that the closer shuts from outside.
bool oneCall(Link& link, int call) {
    LONG column = call % 20 + 1;
    switch (call % 100) {
    case 37:
        return !link.push(L"refused", 0, 0, L"Sheet1");
    case 71:
        return !link.push(L"nobody serves it", column, 1, L"NoSuchSheet");
    }
    switch (call % 10) {
    case 3:
        return link.read(column, 1, L"Sheet1") != L"<failed>";
    case 6: {
        VARIANT null{};
        null.vt = VT_NULL;
        Outcome outcome;
        link.call(sheetpushId, {null, number(1), number(1), null}, outcome);
        return outcome.called == DISP_E_EXCEPTION;
    }
    case 9:
        return link.push(L"other sheet " + std::to_wstring(call), column, 2, L"ورقة1");
    default:
        return link.push(L"call " + std::to_wstring(call), column, 1, L"Sheet1");
    }
}

struct Reading {
    Usage server;
    AtomTable atoms;
};

std::optional<Reading> read(DWORD server) {
    auto usage = usageOf(server);
    auto atoms = globalAtoms();
    if (!usage || !atoms)
        return std::nullopt;
    return Reading{*usage, *atoms};
}

void print(const char* when, const Reading& reading) {
    const Usage& usage = reading.server;
    std::printf("note %s: private %zu bytes, %zu handles, %zu windows, %zu GDI objects "
                "(GetGuiResources: %zu USER, %zu GDI); global atoms %zu holding %zu references\n",
                when, usage.privateBytes, usage.handles, usage.windows, usage.gdiObjects,
                usage.reportedUserObjects, usage.reportedGdiObjects, reading.atoms.atoms,
                reading.atoms.references);
}

} // namespace

void manyCalls(e2e::Checks& checks, const std::wstring& work) {
    Process standin = startStandin(L"", work + L"\\standin.log");
    // It waits for one box more than come, so that it still runs, and holds what it holds, when
    // the atom table is read at the end; it is killed after.
    Process closer(L"MessageBoxCloser.exe", L"\"/title:" + std::wstring(linkFailureTitle) +
                                                L"\" /count:" + std::to_wstring(boxes + 1) +
                                                L" /timeout:60000 \"/out:" + work + L"\\box\"");
    Link link;
    auto server = serverProcess();
    checks.expect(link.ready() && server.has_value(), "one server serves");
    if (!server)
        return;
    Watchdog watchdog("20,000 calls", 250000);
    int failed = 0;
    std::optional<Reading> start;
    std::optional<Reading> middle;
    for (int call = 0; call < calls; ++call) {
        failed += oneCall(link, call) ? 0 : 1;
        if (call + 1 == warmUp)
            start = read(*server);
        if (call + 1 == calls / 2)
            middle = read(*server);
    }
    auto end = read(*server);
    checks.equal(failed, 0, "every call gave its expected outcome");
    const std::wstring lastBox = work + L"\\box" + std::to_wstring(boxes) + L".txt";
    checks.expect(GetFileAttributesW(lastBox.c_str()) != INVALID_FILE_ATTRIBUTES,
                  "the " + std::to_string(boxes) + " failure messages were shut from outside");
    checks.expect(start && middle && end, "the server's usage and the atom table can be read");
    if (!start || !middle || !end)
        return;
    print("after 1,000 calls", *start);
    print("after 10,000 calls", *middle);
    print("after 20,000 calls", *end);
    const Usage& before = start->server;
    const Usage& after = end->server;
    checks.expect(after.handles <= before.handles + handleSlack, "the handle count does not grow");
    checks.expect(after.windows <= before.windows, "the window count does not grow");
    checks.expect(after.gdiObjects <= before.gdiObjects, "the GDI object count does not grow");
    checks.expect(after.privateBytes <= before.privateBytes + memorySlack,
                  "private memory does not grow");
    checks.expect(end->atoms.atoms <= start->atoms.atoms &&
                      end->atoms.references <= start->atoms.references,
                  "the global atom table holds no more atoms and references than before");
}

} // namespace robustness
