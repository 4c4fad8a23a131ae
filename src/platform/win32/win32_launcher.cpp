#include "platform/win32/win32_launcher.hpp"

#include "platform/win32/wide_text.hpp"

#include <windows.h>

#include <optional>
#include <string>

namespace sheetpush::win32 {

namespace {

// The line in the ANSI code page, NUL-terminated, or nothing when it cannot be carried exactly.
// A character outside the code page would otherwise become the default character or its
// best-fit look-alike: "?" names another file, and a fullwidth quotation mark would become a
// real one that ends the argument and lets a switch the caller never wrote through. A NUL would
// cut the line short and start a different command than the one asked for.
std::optional<std::string> ansi(std::u16string_view line) {
    if (line.find(u'\0') != std::u16string_view::npos)
        return std::nullopt;
    std::wstring wideLine = wide(line);
    const UINT codePage = GetACP();
    // UTF-8 carries every character; there only a lone surrogate is lost.
    const DWORD flags = codePage == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL defaulted = FALSE;
    BOOL* substitution = codePage == CP_UTF8 ? nullptr : &defaulted;
    int size = WideCharToMultiByte(codePage, flags, wideLine.c_str(), -1, nullptr, 0, nullptr,
                                   substitution);
    if (size <= 0 || defaulted)
        return std::nullopt;
    std::string narrow(static_cast<std::size_t>(size), '\0');
    if (WideCharToMultiByte(codePage, flags, wideLine.c_str(), -1, narrow.data(), size, nullptr,
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
        return error::launcherUnavailable(u"لا يمكن تمرير سطر الأوامر إلى المشغل");
    return static_cast<std::uint32_t>(WinExec(line->c_str(), showWindowMode));
}

} // namespace sheetpush::win32
