#include "server/com/registration.hpp"

#include "platform/win32/raii.hpp"
#include "server/com/com_ptr.hpp"
#include "server/com/type_library.hpp"

#include <windows.h>

#include <string_view>

namespace sheetpush::com {

namespace {

struct RegistryEntry {
    std::wstring_view tree; // what unregistering removes whole
    std::wstring_view key;  // below the tree; empty for the tree's own key
    std::wstring_view name; // empty for the key's default value
    std::wstring_view data; // serverToken stands for the executable's full path
};

constexpr RegistryEntry entries[] = {
#include "registry_entries.inc"
};

constexpr std::wstring_view serverToken = L"<server>";

struct View {
    REGSAM flag;
    const wchar_t* name;
};

// A 32-bit and a 64-bit client each read their own view of the redirected keys; 32-bit Windows
// has one view and ignores the flags.
constexpr View views[] = {{KEY_WOW64_32KEY, L"32-bit"}, {KEY_WOW64_64KEY, L"64-bit"}};

struct Root {
    HKEY key;
    const wchar_t* name;
};

Root rootOf(RegistryScope scope) {
    return scope == RegistryScope::machine ? Root{HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE"}
                                           : Root{HKEY_CURRENT_USER, L"HKEY_CURRENT_USER"};
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

// The path of a key below the classes of the root; empty for the classes themselves.
std::wstring classesKey(std::wstring_view below) {
    std::wstring key = L"Software\\Classes";
    if (!below.empty())
        key += L"\\" + std::wstring(below);
    return key;
}

std::wstring whereText(const Root& root, const View& view, const std::wstring& key) {
    return std::wstring(root.name) + L"\\" + key + L" (" + view.name + L" view)";
}

std::wstring dataOf(const RegistryEntry& entry, const std::wstring& server) {
    std::wstring data(entry.data);
    if (auto at = data.find(serverToken); at != std::wstring::npos)
        data.replace(at, serverToken.size(), server);
    return data;
}

RegistrationOutcome write(const Root& root, const View& view, const RegistryEntry& entry,
                          const std::wstring& server) {
    auto key = classesKey(entry.tree);
    if (!entry.key.empty())
        key += L"\\" + std::wstring(entry.key);
    win32::UniqueHkey created;
    LSTATUS status = RegCreateKeyExW(root.key, key.c_str(), 0, nullptr, 0,
                                     KEY_SET_VALUE | view.flag, nullptr, created.put(), nullptr);
    if (status == ERROR_SUCCESS) {
        auto data = dataOf(entry, server);
        std::wstring name(entry.name);
        status = RegSetValueExW(created.get(), name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(data.c_str()),
                                static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    }
    if (status != ERROR_SUCCESS)
        return failed(L"writing " + whereText(root, view, key), static_cast<DWORD>(status));
    return std::nullopt;
}

// RegDeleteTree takes no view: the tree is removed from below its parent, opened in the view.
RegistrationOutcome removeTree(const Root& root, const View& view, std::wstring_view tree) {
    auto split = tree.rfind(L'\\');
    auto parent = classesKey(split == std::wstring_view::npos ? L"" : tree.substr(0, split));
    std::wstring leaf(tree.substr(split == std::wstring_view::npos ? 0 : split + 1));
    win32::UniqueHkey opened;
    LSTATUS status =
        RegOpenKeyExW(root.key, parent.c_str(), 0,
                      DELETE | KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | KEY_SET_VALUE | view.flag,
                      opened.put());
    if (status == ERROR_SUCCESS)
        status = RegDeleteTreeW(opened.get(), leaf.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
        return failed(L"removing " + whereText(root, view, classesKey(tree)),
                      static_cast<DWORD>(status));
    return std::nullopt;
}

} // namespace

RegistrationOutcome registerServer(RegistryScope scope) {
    // An executable whose type library cannot be read registers nothing.
    ComPtr<ITypeLib> library;
    if (HRESULT result = loadOwnTypeLibrary(library); FAILED(result))
        return failed(L"reading the type library", static_cast<DWORD>(result));
    auto root = rootOf(scope);
    auto server = executablePath();
    for (const auto& view : views)
        for (const auto& entry : entries)
            if (auto failure = write(root, view, entry, server))
                return failure;
    return std::nullopt;
}

RegistrationOutcome unregisterServer(RegistryScope scope) {
    auto root = rootOf(scope);
    for (const auto& view : views) {
        std::wstring_view removed;
        // The entries of one tree stand together.
        for (const auto& entry : entries) {
            if (entry.tree == removed)
                continue;
            if (auto failure = removeTree(root, view, entry.tree))
                return failure;
            removed = entry.tree;
        }
    }
    return std::nullopt;
}

} // namespace sheetpush::com
