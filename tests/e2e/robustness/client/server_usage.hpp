#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>

namespace robustness {

// What the server process holds, read from outside it. Wine implements few of the usual
// counters: GetGuiResources answers 0 for USER and GDI objects alike (not implemented),
// GetProcessHandleCount answers 0, and of the memory counters only the pagefile usage, the
// private bytes, is filled in. So handles are counted in the system's handle table, GDI objects
// in the process's GDI handle table, and USER objects by the windows the process owns.
struct Usage {
    std::size_t privateBytes = 0;
    std::size_t handles = 0;
    std::size_t windows = 0;
    std::size_t gdiObjects = 0;
    // What GetGuiResources says, for the record.
    std::size_t reportedUserObjects = 0;
    std::size_t reportedGdiObjects = 0;
};

// The global atom table, which every process on the machine shares: its atoms, and the
// references held on them.
struct AtomTable {
    std::size_t atoms = 0;
    std::size_t references = 0;
};

// The id of the running Sheetpush.exe, if exactly one runs.
std::optional<DWORD> serverProcess();

std::optional<Usage> usageOf(DWORD process);

std::optional<AtomTable> globalAtoms();

} // namespace robustness
