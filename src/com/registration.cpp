#include "com/registration.hpp"

#include "com/type_library.hpp"
#include "local_server/com_ptr.hpp"
#include "win32/system_failure.hpp"
#include "win32_base/raii.hpp"
#include "win32_base/wide_text.hpp"

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <string_view>
#include <vector>

namespace sheetpush::com {

namespace {

struct RegistryEntry {
    std::wstring_view tree;      // the tree the entry belongs to
    std::wstring_view key;       // below the tree; empty for the tree's own key
    std::wstring_view name;      // empty for the key's default value
    std::wstring_view data;      // serverToken stands for the executable's full path
    std::wstring_view classTree; // the tree of the class this one belongs to, if any
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
    win32::UniqueLocal message;
    DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(message.put()), 0, nullptr);
    std::wstring reason(static_cast<const wchar_t*>(message.get()), length);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r'))
        reason.pop_back();
    wchar_t number[16];
    wsprintfW(number, L"0x%08lX", code);
    return reason.empty() ? number : reason + L" (" + number + L")";
}

// What users are told of a failed step: the step and the system's message. Registering serves
// no call, so nothing traces it.
Failure failed(const std::wstring& step, DWORD code) {
    const std::u16string place = win32::utf16(step);
    return win32::systemFailure(Trace(), place,
                                {0, place + u": " + win32::utf16(systemMessage(code))}, code);
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

Status write(const Root& root, const View& view, const RegistryEntry& entry,
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
    return {};
}

// RegDeleteTree takes no view: the tree is removed from below its parent, opened in the view.
Status removeTree(const Root& root, const View& view, std::wstring_view tree) {
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
    return {};
}

bool namesServer(const RegistryEntry& entry) {
    return entry.data.find(serverToken) != std::wstring_view::npos;
}

std::wstring_view unquoted(std::wstring_view path) {
    if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"')
        return path.substr(1, path.size() - 2);
    return path;
}

// As Windows compares paths: without regard to case.
bool samePath(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// What an entry's data adds after the server's path, such as the "\2" of a type library in the
// executable's second TYPELIB resource; a closing quote is no part of it.
std::wstring_view resourceSuffix(const RegistryEntry& entry) {
    auto after = entry.data.substr(entry.data.find(serverToken) + serverToken.size());
    if (after.starts_with(L'"'))
        after.remove_prefix(1);
    return after;
}

// The executable that a value of an entry naming the server names: the value without what its
// entry adds after the path, and without quotes, around the path or around the whole value.
std::wstring_view executableNamed(std::wstring_view value, const RegistryEntry& entry) {
    value = unquoted(value);
    if (auto suffix = resourceSuffix(entry); !suffix.empty() && value.ends_with(suffix))
        value.remove_suffix(suffix.size());
    return unquoted(value);
}

// A string value as one view holds it; nothing when it is absent or no string.
std::optional<std::wstring> readString(const Root& root, const View& view, const std::wstring& key,
                                       std::wstring_view name) {
    win32::UniqueHkey opened;
    if (RegOpenKeyExW(root.key, key.c_str(), 0, KEY_QUERY_VALUE | view.flag, opened.put()) !=
        ERROR_SUCCESS)
        return std::nullopt;
    const std::wstring valueName(name);
    const DWORD types = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
    std::wstring value;
    for (;;) {
        DWORD size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
        LSTATUS status = RegGetValueW(opened.get(), nullptr, valueName.c_str(), types, nullptr,
                                      value.empty() ? nullptr : value.data(), &size);
        if (status == ERROR_SUCCESS && !value.empty()) {
            value.resize(size / sizeof(wchar_t));
            while (!value.empty() && value.back() == L'\0')
                value.pop_back();
            return value;
        }
        if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA)
            return std::nullopt;
        value.resize(size / sizeof(wchar_t) + 1);
    }
}

// What unregistering left in place, because it names another copy of the executable.
class LeftInPlace {
public:
    void add(std::wstring_view tree, const View& view) {
        note(trees_, std::wstring(tree));
        note(views_, view.name);
    }
    void addCopy(std::wstring_view path) { note(copies_, std::wstring(path)); }

    std::wstring line(const Root& root) const {
        if (trees_.empty())
            return {};
        return L"left in place what another copy registered (" + joined(copies_, L", ") + L"): " +
               joined(trees_, L", ") + L" in the " + joined(views_, L" and ") +
               (views_.size() > 1 ? L" views of " : L" view of ") + root.name + L"\\" +
               classesKey(L"");
    }

private:
    static void note(std::vector<std::wstring>& list, std::wstring item) {
        if (std::find(list.begin(), list.end(), item) == list.end())
            list.push_back(std::move(item));
    }
    static std::wstring joined(const std::vector<std::wstring>& list, std::wstring_view between) {
        std::wstring text;
        for (const auto& item : list)
            text += (text.empty() ? L"" : std::wstring(between)) + item;
        return text;
    }

    std::vector<std::wstring> trees_;
    std::vector<std::wstring> views_;
    std::vector<std::wstring> copies_;
};

// One view's unregistration. An entry that names the server goes, with its key, where it names
// this executable; a tree that holds such entries goes once none of them names another copy; a
// tree that belongs to a class goes where the class's tree went; any other tree goes whole.
class ViewUnregistration {
public:
    ViewUnregistration(const Root& root, const View& view, const std::wstring& server,
                       LeftInPlace& left)
        : root_(root), view_(view), server_(server), left_(left) {}

    // The entries of one tree, which stand together in the list.
    Status unregisterTree(const RegistryEntry* first, const RegistryEntry* last) {
        bool keep = false;
        if (first->classTree.empty()) {
            for (const auto* entry = first; entry != last; ++entry)
                if (namesServer(*entry))
                    if (auto removed = removeIfOurs(*entry, keep); !removed.ok())
                        return removed;
        } else {
            keep = std::find(kept_.begin(), kept_.end(), first->classTree) != kept_.end();
        }
        if (!keep)
            return removeTree(root_, view_, first->tree);
        kept_.push_back(first->tree);
        left_.add(first->tree, view_);
        return {};
    }

private:
    Status removeIfOurs(const RegistryEntry& entry, bool& namesAnother) {
        const std::wstring below = std::wstring(entry.tree) + L"\\" + std::wstring(entry.key);
        auto named = readString(root_, view_, classesKey(below), entry.name);
        if (!named)
            return {};
        const auto executable = executableNamed(*named, entry);
        if (samePath(executable, server_))
            return removeTree(root_, view_, below);
        namesAnother = true;
        left_.addCopy(executable);
        return {};
    }

    const Root& root_;
    const View& view_;
    const std::wstring& server_;
    LeftInPlace& left_;
    std::vector<std::wstring_view> kept_;
};

} // namespace

Status registerServer(RegistryScope scope) {
    // An executable whose type libraries cannot be read registers nothing.
    for (unsigned resource : {excelLinkeLibrary, excelTableLibrary}) {
        ComPtr<ITypeLib> library;
        if (HRESULT result = loadOwnTypeLibrary(resource, library); FAILED(result))
            return failed(L"reading the type library " + std::to_wstring(resource),
                          static_cast<DWORD>(result));
    }
    auto root = rootOf(scope);
    auto server = executablePath();
    for (const auto& view : views)
        for (const auto& entry : entries)
            if (auto written = write(root, view, entry, server); !written.ok())
                return written;
    return {};
}

Result<std::wstring> unregisterServer(RegistryScope scope) {
    auto root = rootOf(scope);
    auto server = executablePath();
    LeftInPlace left;
    for (const auto& view : views) {
        ViewUnregistration unregistration(root, view, server, left);
        for (const auto* first = std::begin(entries); first != std::end(entries);) {
            const auto* last = std::find_if(first, std::end(entries), [&](const auto& entry) {
                return entry.tree != first->tree;
            });
            if (auto removed = unregistration.unregisterTree(first, last); !removed.ok())
                return removed.failure();
            first = last;
        }
    }
    return left.line(root);
}

} // namespace sheetpush::com
