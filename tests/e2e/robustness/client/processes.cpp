#include "processes.hpp"

#include "support/files.hpp"
#include "support/text.hpp"

#include <cstdio>

namespace robustness {

const wchar_t linkFailureTitle[] = L"الربط مع الأكسل";
const wchar_t linkFailureText[] = L"فشلت عملية الربط ، تأكد من تواجد الهدف\r";
const wchar_t excelDialogTitle[] = L"حدد مسار برنامج الأكسل";
const wchar_t launchFailureTitle[] = L"الطباعة إلى أكسل";

namespace {

struct WindowSearch {
    DWORD process;
    bool found;
};

BOOL CALLBACK findStandinWindow(HWND window, LPARAM search) {
    auto* wanted = reinterpret_cast<WindowSearch*>(search);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (owner != wanted->process || std::wstring(name) != L"SheetpushExcelStandin")
        return TRUE;
    wanted->found = true;
    return FALSE;
}

int boxes = 0;

// Serving once its DDE window exists.
bool serving(const Process& standin) {
    WindowSearch search{standin.id(), false};
    EnumWindows(findStandinWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool awaitServing(Process& standin) {
    for (int poll = 0; poll < 600 && standin.started() && !standin.wait(0); ++poll) {
        if (serving(standin))
            return true;
        Sleep(50);
    }
    return false;
}

} // namespace

Process::Process(const std::wstring& program, const std::wstring& arguments, Output output) {
    std::wstring line = L"\"" + binFolder() + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (output == Output::none)
        startup.dwFlags = STARTF_USESTDHANDLES;
    PROCESS_INFORMATION created{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &created))
        return;
    CloseHandle(created.hThread);
    process_.reset(created.hProcess);
    id_ = created.dwProcessId;
}

Process::~Process() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT)
        kill();
}

std::optional<DWORD> Process::wait(DWORD limitMs) {
    if (!process_ || WaitForSingleObject(process_.get(), limitMs) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

void Process::kill() {
    if (!process_)
        return;
    TerminateProcess(process_.get(), 9);
    WaitForSingleObject(process_.get(), 5000);
}

std::wstring binFolder() {
    wchar_t path[MAX_PATH] = {};
    std::wstring self(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return self.substr(0, self.find_last_of(L'\\') + 1);
}

// Once, on a loaded machine, a stand-in never came up: one that has ended, or is not serving
// within the limit, is reported with its log and started once more.
Process startStandin(const std::wstring& switches, const std::wstring& log) {
    for (int attempt = 1; attempt <= 2; ++attempt) {
        Process standin(L"ExcelStandin.exe", switches + L" \"/log:" + log + L"\"");
        if (awaitServing(standin))
            return standin;
        std::printf("note the stand-in '%s' is not serving (%s); its log:\n%s\n",
                    e2e::utf8(switches).c_str(), standin.wait(0) ? "ended" : "running",
                    e2e::readFile(log).c_str());
    }
    return {};
}

BoxCloser::BoxCloser(const std::wstring& work, const std::wstring& title, Button button,
                     DWORD limitMs)
    : prefix_(work + L"\\box" + std::to_wstring(++boxes) + L"_"), limitMs_(limitMs) {
    closer_ = Process(L"MessageBoxCloser.exe",
                      L"\"/title:" + title + L"\" /count:1 /timeout:" + std::to_wstring(limitMs) +
                          L" \"/out:" + prefix_ + L"\"" +
                          (button == Button::cancel ? L" /button:cancel" : L""));
}

std::optional<std::wstring> BoxCloser::text() {
    auto code = closer_.wait(limitMs_ + 5000);
    if (!code || *code != 0)
        return std::nullopt;
    return e2e::fromUtf8(e2e::readFile(prefix_ + L"1.txt"));
}

} // namespace robustness
