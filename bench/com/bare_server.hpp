#pragma once

#include <guiddef.h>

// The bare benchmark server's class; the benchmark script registers it as
// HKLM\Software\Classes\CLSID\{CE392E88-8C1B-4432-A4F5-EEC3B442B046}\LocalServer32.
inline constexpr CLSID CLSID_BareServer = {
    0xCE392E88, 0x8C1B, 0x4432, {0xA4, 0xF5, 0xEE, 0xC3, 0xB4, 0x42, 0xB0, 0x46}};
