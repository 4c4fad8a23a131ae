// Ten thousand calls in a row: what the server holds after 10,000 is what it held after 1,000,
// give or take a small constant.

#include "link.hpp"
#include "processes.hpp"
#include "scenarios.hpp"
#include "server_usage.hpp"

namespace robustness {

namespace {

constexpr std::size_t handleSlack = 8;
constexpr std::size_t memorySlack = 1 << 20;

// One call of a mix that goes down every road of the server: pokes, reads, a change of sheet
// (to the other conversation the link keeps) and a failed conversion, which reports an automation
// error.
bool oneCall(Link& link, int call) {
    LONG column = call % 20 + 1;
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

void print(const char* when, const Usage& usage) {
    std::printf("note %s: private %zu bytes, working set %zu bytes, %zu handles, %zu windows\n",
                when, usage.privateBytes, usage.workingSet, usage.handles, usage.windows);
}

} // namespace

void manyCalls(e2e::Checks& checks, const std::wstring& work) {
    Process standin = startStandin(L"", work + L"\\standin.log");
    Link link;
    auto server = serverProcess();
    checks.expect(link.ready() && server.has_value(), "one server serves");
    if (!server)
        return;
    Watchdog watchdog("10,000 calls", 240000);
    int failed = 0;
    std::optional<Usage> after1000;
    for (int call = 0; call < 10000; ++call) {
        failed += oneCall(link, call) ? 0 : 1;
        if (call + 1 == 1000)
            after1000 = usageOf(*server);
    }
    auto after10000 = usageOf(*server);
    checks.equal(failed, 0, "every call gave its expected outcome");
    checks.expect(after1000 && after10000, "the server's usage can be read");
    if (!after1000 || !after10000)
        return;
    print("after 1,000 calls", *after1000);
    print("after 10,000 calls", *after10000);
    checks.expect(after10000->handles <= after1000->handles + handleSlack,
                  "the handle count does not grow");
    checks.expect(after10000->windows <= after1000->windows, "the window count does not grow");
    checks.expect(after10000->privateBytes <= after1000->privateBytes + memorySlack,
                  "private memory does not grow");
}

} // namespace robustness
