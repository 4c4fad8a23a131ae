#include "com/type_library.hpp"

#include <windows.h>

#include <string>

namespace sheetpush::com {

std::wstring executablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// A library file's path followed by a backslash and a number names the TYPELIB resource of that
// number.
HRESULT loadOwnTypeLibrary(unsigned resource, ComPtr<ITypeLib>& library) {
    const auto path = executablePath() + L"\\" + std::to_wstring(resource);
    return LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.put());
}

HRESULT interfaceHalf(ITypeLib& library, REFIID iid, ComPtr<ITypeInfo>& half) {
    ComPtr<ITypeInfo> described;
    HRESULT result = library.GetTypeInfoOfGuid(iid, described.put());
    if (FAILED(result))
        return result;
    // For a dual interface, reference -1 leads from the dispatch half to the interface half.
    HREFTYPE interfaceReference = 0;
    result = described->GetRefTypeOfImplType(static_cast<UINT>(-1), &interfaceReference);
    if (FAILED(result))
        return result;
    return described->GetRefTypeInfo(interfaceReference, half.put());
}

} // namespace sheetpush::com
