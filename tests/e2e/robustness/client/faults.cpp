// Excel going away, coming back, hanging and refusing: every call ends within its time-out with
// False and the link failure message, and the first call after Excel is back succeeds. Run
// unattended, a failing call returns at once and shows nothing.

#include "link.hpp"
#include "processes.hpp"
#include "scenarios.hpp"

namespace robustness {

namespace {

// The per-user setting "Unattended" = 1 for as long as this lives.
class Unattended {
public:
    Unattended() {
        DWORD on = 1;
        RegSetKeyValueW(HKEY_CURRENT_USER, keyPath, valueName, REG_DWORD, &on, sizeof(on));
    }
    ~Unattended() { RegDeleteKeyValueW(HKEY_CURRENT_USER, keyPath, valueName); }
    Unattended(const Unattended&) = delete;
    Unattended& operator=(const Unattended&) = delete;

private:
    static constexpr wchar_t keyPath[] = L"Software\\Orvand\\Sheetpush";
    static constexpr wchar_t valueName[] = L"Unattended";
};

class FaultRun {
public:
    FaultRun(e2e::Checks& checks, const std::wstring& work) : checks_(checks), work_(work) {}

    Process standin(const std::wstring& switches) {
        Process started =
            startStandin(switches, work_ + L"\\standin" + std::to_wstring(++logs_) + L".log");
        checks_.expect(started.started(), "a stand-in starts with '" + utf8(switches) + "'");
        return started;
    }

    void succeeds(const std::string& what) {
        Watchdog watchdog("a call that must succeed");
        std::wstring value = L"value " + std::to_wstring(++row_);
        checks_.expect(link_.push(value, 1, row_, L"Sheet1") &&
                           link_.read(1, row_, L"Sheet1") == cell(value),
                       what + ": the call succeeds and the cell holds its text");
    }

    // A poke, or with request a read, that must fail with the link failure message.
    void failsWith(const std::string& what, const std::wstring& fragment, bool request = false) {
        Watchdog watchdog("a call that must fail within its time-out", 30000);
        BoxCloser closer(work_, linkFailureTitle);
        bool failed = request ? link_.read(1, 1, L"Sheet1").empty()
                              : !link_.push(L"not delivered", 1, ++row_, L"Sheet1");
        auto shown = closer.text();
        checks_.expect(failed, what + ": the call fails");
        checks_.expect(shown && shown->rfind(linkFailureText, 0) == 0 &&
                           shown->find(fragment) != std::wstring::npos,
                       what + ": the link failure message says " + utf8(fragment));
    }

    // Nothing closes boxes here: a box would hold its call until the watchdog ends the client.
    void failsUnattended(const std::string& what) {
        Unattended unattended;
        Watchdog watchdog("a failing call run unattended", 20000);
        checks_.expect(!link_.push(L"not delivered", 1, ++row_, L"Sheet1"),
                       what + ": a write returns False at once");
        checks_.expect(link_.read(1, 1, L"Nowhere").empty(),
                       what + ": a read of a sheet nobody serves returns an empty text at once");
        checks_.expect(!FindWindowW(L"#32770", linkFailureTitle), what + ": no box is on screen");
    }

private:
    e2e::Checks& checks_;
    std::wstring work_;
    Link link_;
    int logs_ = 0;
    LONG row_ = 0;
};

} // namespace

void faults(e2e::Checks& checks, const std::wstring& work) {
    FaultRun run(checks, work);
    {
        Process standin = run.standin(L"");
        run.succeeds("Excel running");
        run.succeeds("a second call");
        standin.kill();
    }
    run.failsWith("Excel killed between two calls", L"Excel|Sheet1");
    run.failsWith("Excel still gone", L"Excel|Sheet1");
    {
        Process standin = run.standin(L"");
        run.succeeds("Excel restarted");
        standin.kill();
    }
    {
        // It answers one poke, then vanishes while the next one waits for its answer.
        Process standin = run.standin(L"/stopafter:2");
        run.succeeds("before Excel vanishes");
        run.failsWith("Excel vanished in the middle of a poke", L"«Sheet1»");
    }
    {
        Process standin = run.standin(L"/delay:12000");
        run.failsWith("Excel hung past the time-out", L"انتهت مهلة");
        standin.kill();
    }
    {
        Process standin = run.standin(L"");
        run.succeeds("Excel back after hanging");
        standin.kill();
    }
    {
        Process standin = run.standin(L"/busy");
        run.failsWith("Excel busy, poke", L"مشغول");
        run.failsWith("Excel busy, request", L"مشغول", true);
        standin.kill();
    }
    {
        Process standin = run.standin(L"/refusepokes");
        run.failsWith("Excel refusing pokes", L"رفض");
        run.failsUnattended("Excel refusing pokes, run unattended");
        run.failsWith("Excel refusing pokes, attended again", L"رفض");
        standin.kill();
    }
    Process standin = run.standin(L"");
    run.succeeds("Excel back after refusing");
}

} // namespace robustness
