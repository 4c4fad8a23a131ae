// The settings store gone wrong: a stored Excel path that is garbage of any length, a value of
// the wrong type, a key that cannot be written, and a key that leads nowhere. Discovery asks
// the user (the dialog is cancelled here) or goes on with the default path; nothing crashes.

#include "link.hpp"
#include "processes.hpp"
#include "scenarios.hpp"

#include <aclapi.h>

#include <vector>

namespace robustness {

namespace {

constexpr wchar_t keyPath[] = L"Software\\Orvand\\Sheetpush";
constexpr wchar_t valueName[] = L"ExcelPath";
constexpr wchar_t defaultPath[] = L"C:\\program files\\microsoft office\\office\\Excel.exe";

struct Stored {
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
    bool present = false;
    friend bool operator==(const Stored&, const Stored&) = default;
};

Stored stored() {
    Stored value;
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, keyPath, valueName, RRF_RT_ANY | RRF_NOEXPAND, &value.type,
                     nullptr, &size) != ERROR_SUCCESS)
        return value;
    value.bytes.resize(size);
    value.present = RegGetValueW(HKEY_CURRENT_USER, keyPath, valueName, RRF_RT_ANY | RRF_NOEXPAND,
                                 &value.type, value.bytes.data(), &size) == ERROR_SUCCESS;
    value.bytes.resize(size);
    return value;
}

void store(DWORD type, const void* data, DWORD size) {
    RegSetKeyValueW(HKEY_CURRENT_USER, keyPath, valueName, type, data, size);
}

void storeText(const std::wstring& text) {
    store(REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

// Texts no folder can have: empty, short, exactly the cut of "\Excel.exe", control characters,
// wildcards and a lone surrogate, beyond MAX_PATH, and beyond what a Windows path can hold.
std::vector<std::wstring> garbagePaths() {
    std::wstring junk = L"\x01\x1F|*?<>\"\xD800:\\\\..\\";
    auto repeated = [&](std::size_t length) {
        std::wstring text;
        while (text.size() < length)
            text += junk;
        return text.substr(0, length);
    };
    return {L"",          L"x",          std::wstring(10, L'\\'), L"\\Excel.exe",
            repeated(11), repeated(300), repeated(5000),          repeated(40000)};
}

// Replaces the key's access list: one entry that denies writing values and creating subkeys,
// or one that allows everything again.
bool denyWriting(bool deny) {
    sheetpush::win32::UniqueHkey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, READ_CONTROL | WRITE_DAC, key.put()) !=
        ERROR_SUCCESS)
        return false;
    EXPLICIT_ACCESSW entry{};
    entry.grfAccessPermissions = deny ? KEY_SET_VALUE | KEY_CREATE_SUB_KEY : KEY_ALL_ACCESS;
    entry.grfAccessMode = deny ? DENY_ACCESS : GRANT_ACCESS;
    entry.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
    entry.Trustee.ptstrName = const_cast<wchar_t*>(L"CURRENT_USER");
    PACL acl = nullptr;
    if (SetEntriesInAclW(1, &entry, nullptr, &acl) != ERROR_SUCCESS)
        return false;
    DWORD set = SetSecurityInfo(key.get(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr,
                                nullptr, acl, nullptr);
    LocalFree(acl);
    return set == ERROR_SUCCESS;
}

// Puts a registry link to a key that does not exist where the settings key should be.
bool linkToNowhere() {
    RegDeleteTreeW(HKEY_CURRENT_USER, keyPath);
    sheetpush::win32::UniqueHkey key;
    if (RegCreateKeyExW(
            HKEY_CURRENT_USER, keyPath, 0, nullptr, REG_OPTION_CREATE_LINK | REG_OPTION_VOLATILE,
            KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr, key.put(), nullptr) != ERROR_SUCCESS)
        return false;
    std::wstring target = L"\\Registry\\Machine\\Software\\Orvand\\Nowhere";
    return RegSetValueExW(key.get(), L"SymbolicLinkValue", 0, REG_LINK,
                          reinterpret_cast<const BYTE*>(target.data()),
                          static_cast<DWORD>(target.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
}

void removeLink() {
    using DeleteKey = LONG(WINAPI*)(HANDLE);
    sheetpush::win32::UniqueHkey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, REG_OPTION_OPEN_LINK, DELETE, key.put()) !=
        ERROR_SUCCESS)
        return;
    auto deleteKey = reinterpret_cast<DeleteKey>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtDeleteKey")));
    if (deleteKey)
        deleteKey(key.get());
}

class LaunchRun {
public:
    LaunchRun(e2e::Checks& checks, const std::wstring& work) : checks_(checks), work_(work) {}

    Link& link() { return link_; }

    // ExcelLinking's result, with the Excel.exe dialog cancelled when it comes up.
    std::optional<bool> launch(bool expectDialog, const std::string& what) {
        Watchdog watchdog("ExcelLinking");
        std::optional<BoxCloser> closer;
        if (expectDialog)
            closer.emplace(work_, excelDialogTitle, BoxCloser::Button::cancel);
        VARIANT book = text(L"book.xls");
        Outcome outcome;
        link_.call(linkingId, {book, number(1)}, outcome);
        VariantClear(&book);
        if (closer)
            checks_.expect(closer->text().has_value(), what + ": the Excel.exe dialog is shown");
        if (FAILED(outcome.called) || outcome.result->vt != VT_BOOL)
            return std::nullopt;
        return outcome.result->boolVal == VARIANT_TRUE;
    }

private:
    e2e::Checks& checks_;
    std::wstring work_;
    Link link_;
};

} // namespace

void settings(e2e::Checks& checks, const std::wstring& work) {
    auto paths = garbagePaths();
    storeText(paths.back());
    Process standin = startStandin(L"", work + L"\\standin.log");
    std::optional<LaunchRun> run;
    {
        // The start-up procedure asks too; the server serves once the dialog is cancelled.
        BoxCloser startup(work, excelDialogTitle, BoxCloser::Button::cancel);
        run.emplace(checks, work);
        checks.expect(startup.text().has_value(), "a garbage path makes the server's start ask");
    }
    checks.expect(run->link().push(L"served", 1, 1, L"Sheet1"), "the server then serves");

    for (const auto& path : paths) {
        std::string what = "a garbage path of " + std::to_string(path.size()) + " characters";
        storeText(path);
        Stored before = stored();
        checks.expect(run->launch(true, what) == false, what + ": ExcelLinking returns False");
        checks.expect(stored() == before, what + ": the stored path is left as it was");
    }

    DWORD number = 42;
    store(REG_DWORD, &number, sizeof(number));
    checks.expect(run->launch(false, "") == true,
                  "a stored number: the default path is checked and Excel launched");
    Stored replaced = stored();
    checks.expect(replaced.type == REG_SZ && replaced.bytes.size() == sizeof(defaultPath) &&
                      std::wstring(reinterpret_cast<const wchar_t*>(replaced.bytes.data())) ==
                          defaultPath,
                  "a stored number: the confirmed path replaces it");

    RegDeleteKeyValueW(HKEY_CURRENT_USER, keyPath, valueName);
    checks.expect(denyWriting(true), "writing to the settings key is denied");
    checks.expect(run->launch(false, "") == true,
                  "a settings key that cannot be written: ExcelLinking still launches");
    checks.expect(!stored().present, "a settings key that cannot be written: nothing was stored");
    checks.expect(denyWriting(false), "writing to the settings key is allowed again");

    checks.expect(linkToNowhere(), "the settings key is a link to a key that does not exist");
    checks.expect(run->launch(false, "") == true,
                  "a settings key that leads nowhere: ExcelLinking still launches");
    removeLink();
    storeText(defaultPath);
    checks.expect(run->link().push(L"still served", 1, 2, L"Sheet1") &&
                      run->link().read(1, 2, L"Sheet1") == cell(L"still served"),
                  "the server still serves");
}

} // namespace robustness
