#include "support/running.hpp"

#include "win32_base/raii.hpp"

#include <tlhelp32.h>

namespace e2e {

std::vector<DWORD> processesRunning(std::wstring_view program) {
    sheetpush::win32::UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    std::vector<DWORD> found;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry))
        if (CompareStringOrdinal(entry.szExeFile, -1, program.data(),
                                 static_cast<int>(program.size()), TRUE) == CSTR_EQUAL)
            found.push_back(entry.th32ProcessID);
    return found;
}

bool awaitNoneRunning(std::wstring_view program, DWORD limitMs) {
    for (ULONGLONG end = GetTickCount64() + limitMs; !processesRunning(program).empty(); Sleep(50))
        if (GetTickCount64() >= end)
            return false;
    return true;
}

} // namespace e2e
