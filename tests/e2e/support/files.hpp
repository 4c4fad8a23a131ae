#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace e2e {

// Files are how the programs, the scripts and the other processes of a test hand each other
// texts and signals.
bool writeFile(const std::wstring& path, std::string_view bytes);
// The whole file; empty when it cannot be read.
std::string readFile(const std::wstring& path);
bool waitForFile(const std::wstring& path, DWORD limitMs);

} // namespace e2e
