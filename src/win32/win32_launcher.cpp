#include "win32/win32_launcher.hpp"

#include "vocabulary/catalogue.hpp"
#include "vocabulary/error_numbers.hpp"
#include "win32/ansi_text.hpp"
#include "win32/system_failure.hpp"

#include <windows.h>

namespace sheetpush::win32 {

Result<std::uint32_t> Win32Launcher::run(std::u16string_view commandLine,
                                         std::uint32_t showWindowMode) {
    // Carried inexactly, a "?" would name another file, and a fullwidth quotation mark made a real
    // one would end the argument and let through a switch the caller never wrote; a NUL would
    // start a different command than the one asked for.
    auto line = exactAnsi(commandLine);
    if (!line)
        return error::launcherUnavailable(text::commandLineNotPassed);
    const UINT launched = WinExec(line->c_str(), showWindowMode);
    if (launched < 32)
        traceWin32Failure(trace_, u"WinExec", launched);
    return static_cast<std::uint32_t>(launched);
}

} // namespace sheetpush::win32
