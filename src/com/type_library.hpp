#pragma once

#include "local_server/com_ptr.hpp"

#include <oaidl.h>

#include <string>

namespace sheetpush::com {

// The full path of the running executable.
std::wstring executablePath();

// The executable's type libraries, by the numbers of their "TYPELIB" resources.
inline constexpr unsigned excelLinkeLibrary = 1;
inline constexpr unsigned excelTableLibrary = 2;

// The type library in the executable's own "TYPELIB" resource of that number, without
// registering it.
HRESULT loadOwnTypeLibrary(unsigned resource, ComPtr<ITypeLib>& library);

// The interface half of a dual interface: the description whose functions sit in the vtable
// and whose parameters name the methods' arguments.
HRESULT interfaceHalf(ITypeLib& library, REFIID iid, ComPtr<ITypeInfo>& half);

} // namespace sheetpush::com
