#include "com/standard_streams.hpp"

#include "win32_base/raii.hpp"
#include "win32_base/wide_text.hpp"

#include <windows.h>

#include <string>

namespace sheetpush::com {

namespace {

// The console of the parent process, for as long as this lives; nothing when it has none.
class ParentConsole {
public:
    ParentConsole() : attached_(AttachConsole(ATTACH_PARENT_PROCESS) != FALSE) {}
    ~ParentConsole() {
        if (attached_)
            FreeConsole();
    }
    ParentConsole(const ParentConsole&) = delete;
    ParentConsole& operator=(const ParentConsole&) = delete;

    explicit operator bool() const { return attached_; }

private:
    bool attached_;
};

void writeConsole(HANDLE console, std::wstring_view text) {
    DWORD written = 0;
    WriteConsoleW(console, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void writeBytes(HANDLE stream, std::wstring_view text) {
    const std::string bytes = win32::utf8(text);
    DWORD written = 0;
    WriteFile(stream, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void writeToParentConsole(std::wstring_view text) {
    ParentConsole console;
    if (!console)
        return;
    HANDLE opened = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return;
    win32::UniqueHandle output(opened);
    writeConsole(output.get(), text);
}

void write(DWORD which, std::wstring_view text) {
    HANDLE stream = GetStdHandle(which);
    DWORD mode = 0;
    if (!stream || stream == INVALID_HANDLE_VALUE || GetFileType(stream) == FILE_TYPE_UNKNOWN)
        writeToParentConsole(text);
    else if (GetConsoleMode(stream, &mode))
        writeConsole(stream, text);
    else
        writeBytes(stream, text);
}

} // namespace

void writeOutput(std::wstring_view text) {
    write(STD_OUTPUT_HANDLE, text);
}

void writeError(std::wstring_view text) {
    write(STD_ERROR_HANDLE, text);
}

} // namespace sheetpush::com
