#include "server_usage.hpp"

#include "platform/win32/raii.hpp"

#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <string>
#include <vector>

namespace robustness {

namespace {

constexpr ULONG systemHandleInformation = 16;

struct HandleEntry {
    ULONG process;
    UCHAR type;
    UCHAR flags;
    USHORT handle;
    void* object;
    ACCESS_MASK access;
};

struct HandleTable {
    ULONG count;
    HandleEntry entries[1];
};

std::optional<std::size_t> handleCount(DWORD process) {
    using Query = NTSTATUS(WINAPI*)(ULONG, void*, ULONG, ULONG*);
    auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query)
        return std::nullopt;
    std::vector<unsigned char> buffer(1 << 20);
    for (int attempt = 0; attempt < 6; ++attempt) {
        ULONG needed = 0;
        NTSTATUS status = query(systemHandleInformation, buffer.data(),
                                static_cast<ULONG>(buffer.size()), &needed);
        if (status == 0) {
            const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
            std::size_t count = 0;
            for (ULONG entry = 0; entry < table->count; ++entry)
                count += table->entries[entry].process == process ? 1 : 0;
            return count;
        }
        buffer.resize(buffer.size() * 2);
    }
    return std::nullopt;
}

struct WindowCount {
    DWORD process;
    std::size_t count;
};

BOOL CALLBACK countWindow(HWND window, LPARAM tally) {
    auto* counting = reinterpret_cast<WindowCount*>(tally);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    counting->count += owner == counting->process ? 1 : 0;
    return TRUE;
}

std::size_t windowCount(DWORD process) {
    WindowCount tally{process, 0};
    EnumWindows(countWindow, reinterpret_cast<LPARAM>(&tally));
    for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
         window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr))
        countWindow(window, reinterpret_cast<LPARAM>(&tally));
    return tally.count;
}

} // namespace

std::optional<DWORD> serverProcess() {
    sheetpush::win32::UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    std::optional<DWORD> found;
    int servers = 0;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry))
        if (_wcsicmp(entry.szExeFile, L"Sheetpush.exe") == 0) {
            found = entry.th32ProcessID;
            ++servers;
        }
    return servers == 1 ? found : std::nullopt;
}

std::optional<Usage> usageOf(DWORD process) {
    sheetpush::win32::UniqueHandle opened(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process));
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    auto handles = handleCount(process);
    if (!opened || !handles || !GetProcessMemoryInfo(opened.get(), &counters, sizeof(counters)))
        return std::nullopt;
    return Usage{counters.PagefileUsage, counters.WorkingSetSize, *handles, windowCount(process)};
}

} // namespace robustness
