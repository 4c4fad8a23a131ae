// Exercises the Windows seams against the real system: the registry, the file system, the
// launcher and the system's coercion to text. Run under Wine in a private prefix.
#include "support/checks.hpp"
#include "support/files.hpp"
#include "vocabulary/error_numbers.hpp"
#include "win32/win32_file_list.hpp"
#include "win32/win32_launcher.hpp"
#include "win32/win32_settings_store.hpp"
#include "win32/win32_variant_formatting.hpp"
#include "win32_base/raii.hpp"
#include "win32_base/wide_text.hpp"

#include <windows.h>

#include <oleauto.h>

#include <optional>
#include <string>
#include <vector>

using namespace sheetpush;
using namespace sheetpush::win32;
using namespace std::literals;

namespace {

e2e::Checks checks;

void check(bool ok, const char* what) {
    checks.expect(ok, what);
}

std::wstring scratchFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"sheetpush_seams";
}

void makeFile(const std::wstring& path) {
    check(e2e::writeFile(path, ""), "a scratch file can be made");
}

// Stores raw bytes of any type under the setting's name, the way another program might.
void storeRaw(DWORD type, const void* data, DWORD size) {
    UniqueHkey key;
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Orvand\\Sheetpush", 0, nullptr, 0, KEY_SET_VALUE,
                    nullptr, key.put(), nullptr);
    RegSetValueExW(key.get(), L"ExcelPath", 0, type, static_cast<const BYTE*>(data), size);
}

void checkSettings() {
    Win32SettingsStore store;
    const std::u16string arabic = u"C:\\برامج\\مكتب أوفيس\\Excel.exe";
    check(store.write(u"Orvand", u"Sheetpush", u"ExcelPath", arabic).ok(),
          "the setting is written");
    checks.equal(store.read(u"Orvand", u"Sheetpush", u"ExcelPath"), arabic,
                 "Arabic text comes back unchanged");

    wchar_t raw[256] = {};
    DWORD size = sizeof(raw);
    check(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Orvand\\Sheetpush", L"ExcelPath",
                       RRF_RT_REG_SZ, nullptr, raw, &size) == ERROR_SUCCESS &&
              utf16(raw) == arabic,
          "the setting is a REG_SZ under HKCU\\Software\\Orvand\\Sheetpush");

    check(!store.read(u"Orvand", u"Sheetpush", u"NoSuchKey"), "a missing value is no entry");
    check(!store.read(u"Orvand", u"NoSuchSection", u"ExcelPath"), "a missing key is no entry");

    const std::u16string longText(70000, u'ط');
    check(store.write(u"Orvand", u"Sheetpush", u"ExcelPath", longText).ok() &&
              store.read(u"Orvand", u"Sheetpush", u"ExcelPath") == longText,
          "a value longer than any fixed buffer comes back whole");

    check(store.write(u"Orvand", u"Sheetpush", u"ExcelPath", u"").ok() &&
              store.read(u"Orvand", u"Sheetpush", u"ExcelPath") == u"",
          "an empty string is an entry, not a missing one");

    struct Garbage {
        const char* what;
        DWORD type;
        std::vector<BYTE> bytes;
        std::optional<std::u16string> expected;
    };
    const std::vector<Garbage> garbage = {
        {"a DWORD is no entry", REG_DWORD, {1, 0, 0, 0}, std::nullopt},
        {"binary data is no entry", REG_BINARY, {'C', 0, ':', 0}, std::nullopt},
        {"a string without its NUL ends at its data", REG_SZ, {'a', 0, 'b', 0}, u"ab"},
        {"an odd byte count drops the half unit", REG_SZ, {'a', 0, 'b'}, u"a"},
        {"a string ends at its first NUL", REG_SZ, {'a', 0, 0, 0, 'b', 0, 0, 0}, u"a"},
        {"a zero-length string is empty", REG_SZ, {}, u""},
    };
    for (const auto& value : garbage) {
        storeRaw(value.type, value.bytes.data(), static_cast<DWORD>(value.bytes.size()));
        checks.equal(store.read(u"Orvand", u"Sheetpush", u"ExcelPath"), value.expected, value.what);
    }
    // The prefix is shared with the server's tests, whose start-up must not meet this garbage.
    RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Orvand\\Sheetpush", L"ExcelPath");
}

void checkFileList() {
    const std::wstring folder = scratchFolder() + L"\\office";
    CreateDirectoryW(scratchFolder().c_str(), nullptr);
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW((folder + L"\\folder.xls").c_str(), nullptr);
    for (const wchar_t* name : {L"EXCEL.EXE", L"book.xls", L"Sales.XLS", L"notes.txt"})
        makeFile(folder + L"\\" + name);

    struct Case {
        const char* what;
        std::wstring folder;
        std::u16string pattern;
        int expected;
    };
    const std::vector<Case> cases = {
        {"a name matches whatever its letter case", folder, u"Excel.exe", 1},
        {"a wildcard matches files, not folders", folder, u"*.xls", 2},
        {"a folder written with its last backslash", folder + L"\\", u"excel.EXE", 1},
        {"no match counts 0", folder, u"Word.exe", 0},
        {"every file", folder, u"*.*", 4},
    };
    Win32FileList files;
    for (const auto& entry : cases) {
        auto count = files.countMatching(utf16(entry.folder), entry.pattern);
        check(count.ok() && count.value() == entry.expected, entry.what);
    }

    const std::vector<std::pair<const char*, std::wstring>> unreadable = {
        {"a missing folder fails", scratchFolder() + L"\\missing"},
        {"an empty folder name fails", L""},
        {"a file is not a folder", folder + L"\\book.xls"},
    };
    for (const auto& [what, path] : unreadable) {
        auto count = files.countMatching(utf16(path), u"Excel.exe");
        check(!count.ok() && count.failure().number == error::fileListPath, what);
    }
}

// The launched copy of this program writes its argument into the file it names.
int runAsChild(const wchar_t* marker) {
    return e2e::writeFile(marker, "started") ? 0 : 1;
}

void checkLauncher() {
    Win32Launcher launcher;
    auto missing = launcher.run(u"C:\\no such folder\\no such program.exe", SW_SHOWNORMAL);
    check(missing.ok() && missing.value() == 2, "a missing program gives 2");

    const std::wstring blanks = scratchFolder() + L"\\program files";
    CreateDirectoryW(blanks.c_str(), nullptr);
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring program = blanks + L"\\seam child.exe";
    check(CopyFileW(self, program.c_str(), FALSE), "the child program is copied");
    const std::wstring marker = scratchFolder() + L"\\launched.txt";
    DeleteFileW(marker.c_str());

    auto started = launcher.run(utf16(program + L" --child " + marker), SW_HIDE);
    check(started.ok() && started.value() > 31, "an unquoted path with blanks starts");
    check(e2e::waitForFile(marker, 10000), "the started program ran");

    auto cut = launcher.run(u"C:\\windows\\notepad.exe\0 C:\\x"sv, SW_HIDE);
    check(!cut.ok() && cut.failure().number == error::launcherUnavailable,
          "a command line with a NUL is refused, not cut short");

    // This prefix's code page has no Arabic letters and no fullwidth quotation mark; their
    // replacements would start the child on another file, or end its argument early and add a
    // switch.
    const struct {
        const char* what;
        std::wstring argument;
    } uncarried[] = {
        {"a line with letters the code page lacks is refused, not run on '?'",
         scratchFolder() + L"\\تقرير.txt"},
        {"a line with a fullwidth quotation mark is refused, not run with a real one",
         marker + L"\uFF02 --x"},
    };
    for (const auto& line : uncarried) {
        auto refused = launcher.run(utf16(program + L" --child " + line.argument), SW_HIDE);
        check(!refused.ok() && refused.failure().number == error::launcherUnavailable, line.what);
    }
}

void checkFormatting() {
    wchar_t point[8] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, point, 8);
    const std::u16string decimal = utf16(point);

    Win32VariantFormatting formatting;
    struct Case {
        const char* what;
        Variant value;
        std::u16string expected;
    };
    const std::vector<Case> cases = {
        {"a 16-bit integer", std::int16_t{-7}, u"-7"},
        {"a 32-bit integer", std::int32_t{100000}, u"100000"},
        {"a double with the user's decimal point", 2.5, u"2" + decimal + u"5"},
        {"currency keeps its four places", Currency{12345}, u"1" + decimal + u"2345"},
        {"True", true, u"True"},
        {"False", false, u"False"},
        {"empty is empty text", Empty{}, u""},
        {"text is unchanged", u"نص", u"نص"},
    };
    for (const auto& entry : cases) {
        auto text = formatting.format(entry.value);
        check(text.ok() && text.value() == entry.expected, entry.what);
    }
    auto null = formatting.format(Null{});
    check(!null.ok() && null.failure().number == error::invalidUseOfNull, "null fails with 94");
    auto array = formatting.format(Array{{{0, 1}}, {Variant{u"x"}}});
    check(!array.ok() && array.failure().number == error::typeMismatch, "an array fails with 13");
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wstring(argv[1]) == L"--child")
        return runAsChild(argv[2]);
    checkSettings();
    checkFileList();
    checkLauncher();
    checkFormatting();
    return checks.exitCode();
}
