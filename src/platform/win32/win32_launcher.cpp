#include "platform/win32/win32_launcher.hpp"

#include "platform/win32/wide_text.hpp"

#include <windows.h>

#include <optional>
#include <string>

namespace sheetpush::win32 {

namespace {

// The line in the ANSI code page, NUL-terminated; characters outside it become the code page's
// default character. Nothing when the line holds a NUL, which would cut the line short and
// start a different command than the one asked for.
std::optional<std::string> ansi(std::u16string_view line) {
    if (line.find(u'\0') != std::u16string_view::npos)
        return std::nullopt;
    std::wstring wideLine = wide(line);
    int size = WideCharToMultiByte(CP_ACP, 0, wideLine.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return std::nullopt;
    std::string narrow(static_cast<std::size_t>(size), '\0');
    if (WideCharToMultiByte(CP_ACP, 0, wideLine.c_str(), -1, narrow.data(), size, nullptr,
                            nullptr) != size)
        return std::nullopt;
    narrow.pop_back();
    return narrow;
}

} // namespace

Result<std::uint32_t> Win32Launcher::run(std::u16string_view commandLine,
                                         std::uint32_t showWindowMode) {
    auto line = ansi(commandLine);
    if (!line)
        return Failure{error::launcherUnavailable, u"لا يمكن تمرير سطر الأوامر إلى المشغل"};
    return static_cast<std::uint32_t>(WinExec(line->c_str(), showWindowMode));
}

} // namespace sheetpush::win32
