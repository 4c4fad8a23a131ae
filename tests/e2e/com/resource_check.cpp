// Checks the registration resources of a server build: the version record and the raw IID.
//
//   ResourceCheck.exe <Sheetpush.exe>

#include "server_image.hpp"
#include "sheetpush_h.h"
#include "support/checks.hpp"
#include "support/text.hpp"

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr WORD english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

struct StringEntry {
    const wchar_t* key;
    const wchar_t* value;
};

const StringEntry versionStrings[] = {
    {L"FileVersion", L"1.01.0019"},  {L"ProductVersion", L"1.01.0019"},
    {L"InternalName", L"Sheetpush"}, {L"OriginalFilename", L"Sheetpush.exe"},
    {L"OLESelfRegister", L""},       {L"CompanyName", L"Orvand"},
    {L"ProductName", L"Sheetpush"},
};

void checkVersionRecord(e2e::Checks& checks, const std::wstring& path) {
    DWORD ignored = 0;
    std::vector<unsigned char> record(GetFileVersionInfoSizeW(path.c_str(), &ignored));
    bool read =
        !record.empty() &&
        GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(record.size()), record.data());
    checks.expect(read, "version record readable");
    if (!read)
        return;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    checks.expect(VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) &&
                      fixed->dwSignature == VS_FFI_SIGNATURE,
                  "fixed part present");
    if (fixed) {
        checks.expect(fixed->dwFileVersionMS == 0x00010001 && fixed->dwFileVersionLS == 0x00000013,
                      "file version 1.1.0.19");
        checks.expect(fixed->dwProductVersionMS == 0x00010001 &&
                          fixed->dwProductVersionLS == 0x00000013,
                      "product version 1.1.0.19");
        checks.expect(fixed->dwFileOS == VOS__WINDOWS32, "operating system 32-bit Windows");
        checks.expect(fixed->dwFileType == VFT_APP, "file type application");
    }
    WORD* translation = nullptr;
    checks.expect(VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation",
                                 reinterpret_cast<void**>(&translation), &length) &&
                      length == 4 && translation[0] == 0x0409 && translation[1] == 1200,
                  "translation 0409 / 1200");
    for (const auto& entry : versionStrings) {
        std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + entry.key;
        wchar_t* value = nullptr;
        bool found = VerQueryValueW(record.data(), query.c_str(), reinterpret_cast<void**>(&value),
                                    &length) != FALSE;
        checks.expect(found && value && std::wstring(value) == entry.value,
                      e2e::utf8(entry.key) + " is \"" + e2e::utf8(entry.value) + "\"");
    }
}

void checkResources(e2e::Checks& checks, const e2e::ServerImage& image) {
    auto iid = image.resource(L"_IID_EXCELLINKE", MAKEINTRESOURCEW(1));
    DWORD length = 0;
    if (iid.size() >= sizeof length)
        std::memcpy(&length, iid.data(), sizeof length);
    checks.expect(iid.size() == 20 && length == 16 &&
                      std::memcmp(iid.data() + 4, &IID__ExcelLinke, 16) == 0,
                  "_IID_EXCELLINKE 1: length 16, then the IID of _ExcelLinke");
    checks.expect(!image.resource(RT_VERSION, MAKEINTRESOURCEW(1), english).empty(),
                  "version record in language 1033");
    checks.expect(!image.resource(L"TYPELIB", MAKEINTRESOURCEW(1), english).empty() &&
                      !image.resource(L"TYPELIB", MAKEINTRESOURCEW(2), english).empty() &&
                      !image.resource(L"_IID_EXCELLINKE", MAKEINTRESOURCEW(1), english).empty(),
                  "named resources, both type libraries among them, found by the system's own "
                  "lookup, in language 1033");
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: ResourceCheck <Sheetpush.exe>\n");
        return 2;
    }
    std::wstring path = argv[1];
    e2e::Checks checks;
    checkVersionRecord(checks, path);
    e2e::ServerImage image(path);
    checks.expect(image.opened(), "server executable opens as data");
    checkResources(checks, image);
    return checks.exitCode();
}
