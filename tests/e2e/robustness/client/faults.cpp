// Excel going away, coming back, hanging and refusing: every call ends within its time-out with
// False and the link failure message, and the first call after Excel is back succeeds. Run
// unattended, a failing call returns at once and shows nothing. With the trace on, the log holds
// what the refusal was.

#include "link.hpp"
#include "processes.hpp"
#include "scenarios.hpp"
#include "support/files.hpp"

#include <regex>
#include <sstream>

namespace robustness {

namespace {

// A per-user switch, such as "Unattended", = 1 for as long as this lives.
class Switch {
public:
    explicit Switch(const wchar_t* name) : name_(name) {
        DWORD on = 1;
        RegSetKeyValueW(HKEY_CURRENT_USER, keyPath, name_, REG_DWORD, &on, sizeof(on));
    }
    ~Switch() { RegDeleteKeyValueW(HKEY_CURRENT_USER, keyPath, name_); }
    Switch(const Switch&) = delete;
    Switch& operator=(const Switch&) = delete;

private:
    static constexpr wchar_t keyPath[] = L"Software\\Orvand\\Sheetpush";
    const wchar_t* name_;
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
        Switch unattended(L"Unattended");
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

// The server started here traces: its first line starts over a log at its limit, and a write
// that Excel refuses, run unattended, leaves its steps in the log, each a whole line.
void trace(e2e::Checks& checks, const std::wstring& work) {
    wchar_t appData[MAX_PATH] = {};
    GetEnvironmentVariableW(L"LOCALAPPDATA", appData, MAX_PATH);
    const std::wstring folder = std::wstring(appData) + L"\\Sheetpush";
    const std::wstring log = folder + L"\\trace.log";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::string mark = "\xEF\xBB\xBF";
    const std::string old = "an old line\r\n";
    std::string full = mark;
    while (full.size() + old.size() <= 1024 * 1024)
        full += old;
    checks.expect(e2e::writeFile(log, full), "a log just below its limit is in place");

    Switch traced(L"Trace");
    Switch unattended(L"Unattended");
    Process standin = startStandin(L"/refusepokes", work + L"\\standin.log");
    {
        Watchdog watchdog("a refused write, traced", 30000);
        Link link;
        checks.expect(!link.push(L"refused text", 2, 3, L"Sheet1"),
                      "a refused write returns False");
    }
    const std::string written = e2e::readFile(log);
    checks.expect(written.starts_with(mark) && written.find(old) == std::string::npos &&
                      written.size() < 64 * 1024,
                  "the log started over: it holds the new lines alone, after the mark");
    for (const std::string step : {
             "call Sheetpush «refused text» «2» «3» «Sheet1»",
             "dde poke «R3C2» CF_UNICODETEXT, 24 bytes: ack 0x0000 (refused)",
             "dde poke «R3C2» CF_TEXT, 12 bytes: ack 0x0000 (refused)",
             "dde poke «R3C2» failed after ",
             "message not shown, unattended: «الربط مع الأكسل» فشلت عملية الربط",
         })
        checks.expect(written.find(step) != std::string::npos, "the log holds: " + step);
    const std::regex stamped(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} pid \d+ tid \d+ [^\r]+\r)");
    std::istringstream lines(written.substr(mark.size()));
    bool whole = true;
    for (std::string line; std::getline(lines, line);)
        whole = whole && std::regex_match(line, stamped);
    checks.expect(whole, "each line of the log is whole: stamped, one event, ended by CR LF");
}

} // namespace robustness
