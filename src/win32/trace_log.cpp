#include "win32/trace_log.hpp"

#include "win32_base/wide_text.hpp"

#include <cwchar>

namespace sheetpush::win32 {

namespace {

constexpr wchar_t logName[] = L"\\trace.log";
constexpr char byteOrderMark[] = "\xEF\xBB\xBF";
// Writing a line takes well under this; a process that holds the turn longer is not waited for,
// and the line goes to the debugger alone.
constexpr DWORD turnWait = 2000;

std::wstring localAppData() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring();
}

// "2026-12-08 14:03:07.250 pid 1234 tid 5678 ", then the event on one line: control characters,
// line breaks of a cell's text among them, are written as \xHH.
std::wstring line(std::u16string_view event) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t stamp[96];
    std::swprintf(stamp, std::size(stamp), L"%04u-%02u-%02u %02u:%02u:%02u.%03u pid %lu tid %lu ",
                  now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond,
                  now.wMilliseconds, GetCurrentProcessId(), GetCurrentThreadId());
    std::wstring text = stamp;
    for (char16_t unit : event) {
        if (unit >= 0x20) {
            text += static_cast<wchar_t>(unit);
            continue;
        }
        wchar_t escaped[5];
        std::swprintf(escaped, std::size(escaped), L"\\x%02X", static_cast<unsigned>(unit));
        text += escaped;
    }
    return text + L"\r\n";
}

// The calling thread's turn at the log, held as long as what this returns lives; nothing when the
// turn did not come in time. A process that ended in its turn leaves the mutex abandoned, and the
// log as whole as its last line.
HeldMutex takeTurn(HANDLE mutex) {
    const DWORD waited = mutex ? WaitForSingleObject(mutex, turnWait) : WAIT_FAILED;
    return HeldMutex(waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED ? mutex : nullptr);
}

void append(HANDLE log, const std::string& bytes) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(log, &size))
        return;
    const auto used = static_cast<std::uint64_t>(size.QuadPart);
    const bool startsOver = used + bytes.size() > TraceLog::limit;
    if (startsOver && (!SetFilePointerEx(log, {}, nullptr, FILE_BEGIN) || !SetEndOfFile(log)))
        return;
    const std::string written = used == 0 || startsOver ? byteOrderMark + bytes : bytes;
    DWORD done = 0;
    if (SetFilePointerEx(log, {}, nullptr, FILE_END))
        WriteFile(log, written.data(), static_cast<DWORD>(written.size()), &done, nullptr);
}

} // namespace

TraceLog::TraceLog()
    : folder_(localAppData()), turn_(CreateMutexW(nullptr, FALSE, L"Local\\Sheetpush.trace")) {
    if (!folder_.empty())
        folder_ += L"\\Sheetpush";
}

void TraceLog::write(std::u16string_view event) {
    const std::wstring text = line(event);
    OutputDebugStringW(text.c_str());
    if (folder_.empty())
        return;
    const std::string bytes = utf8(text);
    const HeldMutex turn = takeTurn(turn_.get());
    if (!turn)
        return;
    if (UniqueHandle log = openLog())
        append(log.get(), bytes);
}

UniqueHandle TraceLog::openLog() const {
    const std::wstring path = folder_ + logName;
    auto open = [&] {
        HANDLE opened = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        return UniqueHandle(opened == INVALID_HANDLE_VALUE ? nullptr : opened);
    };
    UniqueHandle log = open();
    if (!log && GetLastError() == ERROR_PATH_NOT_FOUND &&
        CreateDirectoryW(folder_.c_str(), nullptr))
        log = open();
    return log;
}

} // namespace sheetpush::win32
