#pragma once

#include "platform/launcher.hpp"
#include "platform/trace.hpp"

namespace sheetpush::win32 {

// WinExec with the command line in the ANSI code page; an unquoted program path with blanks is
// resolved by the system the way it always has been. A line that the code page cannot carry
// exactly is not run: the launcher cannot be called for it. What WinExec refuses goes to the
// trace with its code.
class Win32Launcher : public Launcher {
public:
    explicit Win32Launcher(Trace trace = {}) : trace_(trace) {}

    Result<std::uint32_t> run(std::u16string_view commandLine,
                              std::uint32_t showWindowMode) override;

private:
    Trace trace_;
};

} // namespace sheetpush::win32
