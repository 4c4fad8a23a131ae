#pragma once

#include "win32_base/raii.hpp"

#include <windows.h>

#include <span>
#include <string>

namespace e2e {

// A server executable opened as data, so that a 64-bit checker can read a 32-bit build too.
class ServerImage {
public:
    explicit ServerImage(const std::wstring& path)
        : module_(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}

    bool opened() const { return static_cast<bool>(module_); }

    // The bytes of a resource in the given language (any language when 0); empty when missing.
    std::span<const unsigned char> resource(const wchar_t* type, const wchar_t* name,
                                            WORD language = 0) const {
        HRSRC found = language ? FindResourceExW(module_.get(), type, name, language)
                               : FindResourceW(module_.get(), name, type);
        HGLOBAL loaded = found ? LoadResource(module_.get(), found) : nullptr;
        if (!loaded)
            return {};
        return {static_cast<const unsigned char*>(LockResource(loaded)),
                SizeofResource(module_.get(), found)};
    }

private:
    sheetpush::win32::UniqueModule module_;
};

} // namespace e2e
