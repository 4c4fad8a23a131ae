#include "processes.hpp"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

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

std::wstring fromUtf8(const std::string& bytes) {
    int length =
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                        length);
    return text;
}

int boxes = 0;

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

Process startStandin(const std::wstring& switches, const std::wstring& log) {
    Process standin(L"ExcelStandin.exe", switches + L" \"/log:" + log + L"\"");
    for (int poll = 0; poll < 600 && standin.started(); ++poll) {
        WindowSearch search{standin.id(), false};
        EnumWindows(findStandinWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            break;
        Sleep(50);
    }
    return standin;
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
    std::ifstream file(std::filesystem::path(prefix_ + L"1.txt"), std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return fromUtf8(bytes.str());
}

} // namespace robustness
