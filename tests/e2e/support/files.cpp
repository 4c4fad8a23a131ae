#include "support/files.hpp"

#include "win32_base/raii.hpp"

#include <fstream>
#include <iterator>

namespace e2e {

bool writeFile(const std::wstring& path, std::string_view bytes) {
    HANDLE created = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE)
        return false;
    sheetpush::win32::UniqueHandle file(created);
    DWORD written = 0;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
}

std::string readFile(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool waitForFile(const std::wstring& path, DWORD limitMs) {
    for (ULONGLONG end = GetTickCount64() + limitMs; GetTickCount64() < end; Sleep(50))
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace e2e
