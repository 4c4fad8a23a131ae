#include "server/com/registration.hpp"

#include "platform/win32/raii.hpp"
#include "server/com/com_ptr.hpp"
#include "server/com/type_library.hpp"
#include "sheetpush_h.h"

#include <oleauto.h>
#include <windows.h>

namespace sheetpush::com {

namespace {

constexpr wchar_t classesRoot[] = L"Software\\Classes\\";
constexpr wchar_t progId[] = L"Sheetpush.ExcelLinke";

std::wstring text(REFGUID guid) {
    wchar_t buffer[39] = {};
    StringFromGUID2(guid, buffer, 39);
    return buffer;
}

std::wstring clsidKey() {
    return L"CLSID\\" + text(CLSID_ExcelLinke);
}

std::wstring systemMessage(DWORD code) {
    wchar_t* message = nullptr;
    DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    std::wstring reason(message, length);
    LocalFree(message);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r'))
        reason.pop_back();
    wchar_t number[16];
    wsprintfW(number, L"0x%08lX", code);
    return reason.empty() ? number : reason + L" (" + number + L")";
}

RegistrationOutcome failed(const std::wstring& step, DWORD code) {
    return step + L": " + systemMessage(code);
}

// Sets the default value of a key under the classes root, creating the key.
RegistrationOutcome writeDefault(const std::wstring& key, const std::wstring& value) {
    HKEY created = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_LOCAL_MACHINE, (classesRoot + key).c_str(), 0, nullptr, 0,
                                     KEY_SET_VALUE, nullptr, &created, nullptr);
    win32::UniqueHkey owned(created);
    if (status == ERROR_SUCCESS)
        status = RegSetValueExW(created, nullptr, 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(value.c_str()),
                                static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    if (status != ERROR_SUCCESS)
        return failed(L"writing HKEY_LOCAL_MACHINE\\" + std::wstring(classesRoot) + key,
                      static_cast<DWORD>(status));
    return std::nullopt;
}

RegistrationOutcome removeTree(const std::wstring& key) {
    LSTATUS status = RegDeleteTreeW(HKEY_LOCAL_MACHINE, (classesRoot + key).c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
        return failed(L"removing HKEY_LOCAL_MACHINE\\" + std::wstring(classesRoot) + key,
                      static_cast<DWORD>(status));
    return std::nullopt;
}

bool keyExists(const std::wstring& key) {
    HKEY opened = nullptr;
    LSTATUS status =
        RegOpenKeyExW(HKEY_LOCAL_MACHINE, (classesRoot + key).c_str(), 0, KEY_QUERY_VALUE, &opened);
    win32::UniqueHkey owned(opened);
    return status == ERROR_SUCCESS;
}

RegistrationOutcome registerTypeLibrary(std::wstring path) {
    ComPtr<ITypeLib> library;
    HRESULT result = loadOwnTypeLibrary(library);
    if (SUCCEEDED(result))
        result = RegisterTypeLib(library.get(), path.data(), nullptr);
    if (FAILED(result))
        return failed(L"registering the type library", static_cast<DWORD>(result));
    return std::nullopt;
}

// Only the library this build carries is removed (its version, locale and platform).
RegistrationOutcome unregisterTypeLibrary() {
    ComPtr<ITypeLib> library;
    HRESULT result = loadOwnTypeLibrary(library);
    TLIBATTR* attributes = nullptr;
    if (SUCCEEDED(result))
        result = library->GetLibAttr(&attributes);
    if (FAILED(result))
        return failed(L"reading the type library", static_cast<DWORD>(result));
    TLIBATTR kept = *attributes;
    library->ReleaseTLibAttr(attributes);
    wchar_t entry[48];
    wsprintfW(entry, L"\\%x.%x\\%lx\\%s", kept.wMajorVerNum, kept.wMinorVerNum, kept.lcid,
              kept.syskind == SYS_WIN64 ? L"win64" : L"win32");
    if (!keyExists(L"TypeLib\\" + text(kept.guid) + entry))
        return std::nullopt;
    result =
        UnRegisterTypeLib(kept.guid, kept.wMajorVerNum, kept.wMinorVerNum, kept.lcid, kept.syskind);
    if (FAILED(result))
        return failed(L"unregistering the type library", static_cast<DWORD>(result));
    return std::nullopt;
}

} // namespace

RegistrationOutcome registerServer() {
    auto path = executablePath();
    // The type library first: an executable whose library cannot be read registers nothing.
    if (auto failure = registerTypeLibrary(path))
        return failure;
    // Quoted, so that a path with blanks cannot be read as a shorter program path.
    if (auto failure = writeDefault(clsidKey() + L"\\LocalServer32", L"\"" + path + L"\""))
        return failure;
    if (auto failure = writeDefault(clsidKey() + L"\\ProgID", progId))
        return failure;
    return writeDefault(std::wstring(progId) + L"\\CLSID", text(CLSID_ExcelLinke));
}

RegistrationOutcome unregisterServer() {
    if (auto failure = removeTree(clsidKey()))
        return failure;
    if (auto failure = removeTree(progId))
        return failure;
    return unregisterTypeLibrary();
}

} // namespace sheetpush::com
