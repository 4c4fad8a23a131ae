#include "server_usage.hpp"

#include "support/running.hpp"
#include "win32_base/raii.hpp"

#include <psapi.h>
#include <winternl.h>

#include <cstdint>
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

BOOL CALLBACK countChild(HWND, LPARAM tally) {
    ++reinterpret_cast<WindowCount*>(tally)->count;
    return TRUE;
}

// The window with its children, when the process owns it.
BOOL CALLBACK countWindow(HWND window, LPARAM tally) {
    auto* counting = reinterpret_cast<WindowCount*>(tally);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != counting->process)
        return TRUE;
    ++counting->count;
    EnumChildWindows(window, countChild, tally);
    return TRUE;
}

// Top-level and message-only windows and their children.
std::size_t windowCount(DWORD process) {
    WindowCount tally{process, 0};
    EnumWindows(countWindow, reinterpret_cast<LPARAM>(&tally));
    for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
         window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr))
        countWindow(window, reinterpret_cast<LPARAM>(&tally));
    return tally.count;
}

// One entry of the GDI handle table whose address a process's PEB holds: on Windows one table
// for the session, each entry naming its owner; under Wine one table for each process, with no
// owner filled in. An entry in use has a type.
struct GdiHandleEntry {
    std::uint64_t kernelObject;
    std::uint16_t owner;
    std::uint16_t count;
    std::uint16_t upper;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t userObject;
};
static_assert(sizeof(GdiHandleEntry) == 24);

constexpr std::size_t gdiTableEntries = 0x10000;
constexpr std::size_t pebGdiTableOffset = 0xF8;

std::optional<std::size_t> gdiObjectCount(HANDLE process, DWORD id) {
    PROCESS_BASIC_INFORMATION basic{};
    ULONG length = 0;
    std::uint64_t table = 0;
    SIZE_T read = 0;
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof(basic),
                                  &length) != 0 ||
        !ReadProcessMemory(process,
                           reinterpret_cast<char*>(basic.PebBaseAddress) + pebGdiTableOffset,
                           &table, sizeof(table), &read) ||
        table == 0)
        return std::nullopt;
    std::vector<GdiHandleEntry> entries(gdiTableEntries);
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(),
                           entries.size() * sizeof(GdiHandleEntry), &read))
        return std::nullopt;
    std::size_t count = 0;
    for (const auto& entry : entries)
        count += entry.type != 0 && (entry.owner == 0 || entry.owner == (id & 0xFFFF)) ? 1 : 0;
    return count;
}

// The basic information NtQueryInformationAtom gives of one atom, its name left unread.
struct AtomBasicInformation {
    USHORT references;
    USHORT pinned;
    USHORT nameLength;
    WCHAR name[256];
};

constexpr ULONG atomBasicInformation = 0;
// Atoms below this value are integers that stand for themselves and hold no place in the table.
constexpr unsigned firstStringAtom = 0xC000;

} // namespace

std::optional<DWORD> serverProcess() {
    auto running = e2e::processesRunning(L"Sheetpush.exe");
    return running.size() == 1 ? std::optional<DWORD>(running.front()) : std::nullopt;
}

std::optional<Usage> usageOf(DWORD process) {
    sheetpush::win32::UniqueHandle opened(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process));
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    auto handles = handleCount(process);
    if (!opened || !handles || !GetProcessMemoryInfo(opened.get(), &counters, sizeof(counters)))
        return std::nullopt;
    auto gdiObjects = gdiObjectCount(opened.get(), process);
    if (!gdiObjects)
        return std::nullopt;
    return Usage{counters.PagefileUsage,
                 *handles,
                 windowCount(process),
                 *gdiObjects,
                 GetGuiResources(opened.get(), GR_USEROBJECTS),
                 GetGuiResources(opened.get(), GR_GDIOBJECTS)};
}

// There is no enumeration of the global atom table: every value a string atom can take is
// asked after.
std::optional<AtomTable> globalAtoms() {
    using Query = NTSTATUS(WINAPI*)(ATOM, ULONG, void*, ULONG, ULONG*);
    auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationAtom")));
    if (!query)
        return std::nullopt;
    AtomTable table;
    for (unsigned atom = firstStringAtom; atom <= 0xFFFF; ++atom) {
        AtomBasicInformation information{};
        ULONG length = 0;
        if (query(static_cast<ATOM>(atom), atomBasicInformation, &information, sizeof(information),
                  &length) != 0)
            continue;
        ++table.atoms;
        table.references += information.references;
    }
    return table;
}

} // namespace robustness
