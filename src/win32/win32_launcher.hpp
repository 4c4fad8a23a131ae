#pragma once

#include "platform/launcher.hpp"

namespace sheetpush::win32 {

// WinExec with the command line in the ANSI code page; an unquoted program path with blanks is
// resolved by the system the way it always has been. A line that the code page cannot carry
// exactly is not run: the launcher cannot be called for it.
class Win32Launcher : public Launcher {
public:
    Result<std::uint32_t> run(std::u16string_view commandLine,
                              std::uint32_t showWindowMode) override;
};

} // namespace sheetpush::win32
