// Checks the type libraries a server build carries, ExcelLinke's and ExcelTable's: each library's
// identity, its dual interface with its methods as late- and early-bound clients see them, and
// its creatable class.
//
//   TypeLibraryCheck.exe <Sheetpush.exe> win32|win64

#include "local_server/com_ptr.hpp"
#include "server_image.hpp"
#include "sheetpush_h.h"
#include "sheetpush_tables_h.h"
#include "support/checks.hpp"
#include "support/text.hpp"
#include "win32_base/raii.hpp"

#include <oleauto.h>

#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using sheetpush::com::ComPtr;

constexpr USHORT inOut = PARAMFLAG_FIN | PARAMFLAG_FOUT;
constexpr USHORT outRetval = PARAMFLAG_FOUT | PARAMFLAG_FRETVAL;
constexpr WORD dualFlags = TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE |
                           TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE;
constexpr UINT dispatchMethods = 7;
constexpr GUID stdole2 = {0x00020430, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

struct Parameter {
    const wchar_t* name;
    VARTYPE pointee;
};

struct Method {
    const wchar_t* name;
    MEMBERID id;
    std::vector<Parameter> parameters;
    VARTYPE result;
};

// One of the libraries: its TYPELIB resource, names and identities, and its interface's methods.
struct Library {
    unsigned resource;
    const wchar_t* name;
    GUID libid;
    const wchar_t* interfaceName;
    GUID iid;
    const wchar_t* className;
    GUID clsid;
    std::vector<Method> methods;
    // What its checks' labels begin with.
    std::string label;
};

const Library libraries[] = {
    {1,
     L"Sheetpush",
     LIBID_Sheetpush,
     L"_ExcelLinke",
     IID__ExcelLinke,
     L"ExcelLinke",
     CLSID_ExcelLinke,
     {{L"Sheetpush",
       0x60030000,
       {{L"txt", VT_VARIANT}, {L"Col", VT_VARIANT}, {L"Row", VT_VARIANT}, {L"Sheet", VT_VARIANT}},
       VT_VARIANT},
      {L"ImportFromExcel",
       0x60030001,
       {{L"Col", VT_VARIANT}, {L"Row", VT_VARIANT}, {L"Sheet", VT_VARIANT}},
       VT_VARIANT},
      {L"ExcelLinking", 0x60030002, {{L"XLS", VT_VARIANT}, {L"ExcelShow", VT_I4}}, VT_BOOL}},
     ""},
    {2,
     L"SheetpushTables",
     LIBID_SheetpushTables,
     L"_ExcelTable",
     IID__ExcelTable,
     L"ExcelTable",
     CLSID_ExcelTable,
     {{L"SheetpushTable",
       0x60030000,
       {{L"Values", VT_VARIANT},
        {L"Col", VT_VARIANT},
        {L"Row", VT_VARIANT},
        {L"Sheet", VT_VARIANT}},
       VT_BOOL},
      {L"ImportTable",
       0x60030001,
       {{L"Col", VT_VARIANT},
        {L"Row", VT_VARIANT},
        {L"Cols", VT_VARIANT},
        {L"Rows", VT_VARIANT},
        {L"Sheet", VT_VARIANT}},
       VT_VARIANT}},
     "SheetpushTables: "},
};

bool same(BSTR text, const wchar_t* expected) {
    return text && std::wstring(text, SysStringLen(text)) == expected;
}

// Everything GetDocumentation and GetDocumentation2 can say about one member or the whole
// type; the library has no help of any kind.
template <class Described> bool hasNoHelp(Described& described, MEMBERID member) {
    BSTR name = nullptr, text = nullptr, file = nullptr;
    DWORD context = 0;
    if (FAILED(described.GetDocumentation(member, &name, &text, &context, &file)))
        return false;
    bool none = !text && !file && context == 0;
    SysFreeString(name);
    SysFreeString(text);
    SysFreeString(file);
    return none;
}

template <class Described> bool hasNoHelpString(Described& described, MEMBERID member) {
    BSTR text = nullptr, dll = nullptr;
    DWORD context = 0;
    if (FAILED(described.GetDocumentation2(member, LOCALE_NEUTRAL, &text, &context, &dll)))
        return false;
    bool none = !text && !dll && context == 0;
    SysFreeString(text);
    SysFreeString(dll);
    return none;
}

std::wstring nameOf(ITypeInfo& info, MEMBERID member) {
    BSTR name = nullptr;
    info.GetDocumentation(member, &name, nullptr, nullptr, nullptr);
    std::wstring text = name ? std::wstring(name, SysStringLen(name)) : L"";
    SysFreeString(name);
    return text;
}

// A description that its owner lends until it is handed back.
template <class Owner, class Value, auto get, auto release> class Lent {
public:
    template <class... Place> explicit Lent(Owner& owner, Place... place) : owner_(owner) {
        (owner_.*get)(place..., &value_);
    }
    Lent(const Lent&) = delete;
    Lent& operator=(const Lent&) = delete;
    ~Lent() {
        if (value_)
            (owner_.*release)(value_);
    }
    const Value* operator->() const { return value_; }
    explicit operator bool() const { return value_ != nullptr; }

private:
    Owner& owner_;
    Value* value_ = nullptr;
};

using LibraryAttributes =
    Lent<ITypeLib, TLIBATTR, &ITypeLib::GetLibAttr, &ITypeLib::ReleaseTLibAttr>;
using TypeAttributes =
    Lent<ITypeInfo, TYPEATTR, &ITypeInfo::GetTypeAttr, &ITypeInfo::ReleaseTypeAttr>;
using FunctionDescription =
    Lent<ITypeInfo, FUNCDESC, &ITypeInfo::GetFuncDesc, &ITypeInfo::ReleaseFuncDesc>;

// The checks of one library, each label beginning with the library's.
class LibraryChecks {
public:
    LibraryChecks(e2e::Checks& checks, const Library& library)
        : checks_(checks), library_(library) {}

    const Library& library() const { return library_; }
    void expect(bool condition, std::string_view what) {
        checks_.expect(condition, library_.label + std::string(what));
    }
    template <class Actual, class Expected>
    void equal(const Actual& actual, const Expected& expected, std::string_view what) {
        checks_.equal(actual, expected, library_.label + std::string(what));
    }

private:
    e2e::Checks& checks_;
    const Library& library_;
};

bool pointerTo(const TYPEDESC& type, VARTYPE pointee) {
    return type.vt == VT_PTR && type.lptdesc && type.lptdesc->vt == pointee;
}

bool plainParameter(const ELEMDESC& element, USHORT flags) {
    return element.paramdesc.wParamFlags == flags;
}

void checkLibrary(LibraryChecks& checks, ITypeLib& library, SYSKIND syskind) {
    const Library& expected = checks.library();
    LibraryAttributes attributes(library);
    checks.expect(static_cast<bool>(attributes), "library attributes readable");
    if (attributes) {
        checks.expect(attributes->guid == expected.libid, "LIBID is the fixed one");
        checks.equal(attributes->lcid, LCID{0}, "locale 0");
        checks.equal(attributes->syskind, syskind, "syskind of this build");
        checks.expect(attributes->wMajorVerNum == 1 && attributes->wMinorVerNum == 0,
                      "version 1.0");
        // The loader marks every library it read from a file as having a disk image.
        checks.equal(attributes->wLibFlags & ~LIBFLAG_FHASDISKIMAGE, 0, "no library flags");
    }
    BSTR name = nullptr;
    library.GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
    checks.expect(same(name, expected.name), "library named " + e2e::utf8(expected.name));
    SysFreeString(name);
    checks.expect(hasNoHelp(library, MEMBERID_NIL), "library has no help");
    if (auto library2 = ComPtr<ITypeLib>(&library).query<ITypeLib2>())
        checks.expect(hasNoHelpString(*library2.get(), MEMBERID_NIL), "library has no help string");
    checks.equal(library.GetTypeInfoCount(), 2u, "two type descriptions");
}

void checkNames(LibraryChecks& checks, ITypeInfo& info, const Method& method) {
    std::vector<BSTR> names(method.parameters.size() + 2, nullptr);
    UINT count = 0;
    info.GetNames(method.id, names.data(), static_cast<UINT>(names.size()), &count);
    bool named = count >= method.parameters.size() + 1 && same(names[0], method.name);
    for (std::size_t place = 0; named && place < method.parameters.size(); ++place)
        named = same(names[place + 1], method.parameters[place].name);
    checks.expect(named, e2e::utf8(method.name) + ": method and parameter names");
    for (BSTR name : names)
        SysFreeString(name);
}

// The interface half: what the vtable holds, right after IDispatch's seven methods.
void checkInterfaceHalf(LibraryChecks& checks, ITypeInfo& half) {
    const auto& methods = checks.library().methods;
    TypeAttributes attributes(half);
    if (!attributes)
        return checks.expect(false, "interface half readable");
    checks.equal(attributes->typekind, TKIND_INTERFACE, "interface half is TKIND_INTERFACE");
    checks.expect(attributes->guid == checks.library().iid, "IID is the fixed one");
    checks.equal(attributes->wTypeFlags, dualFlags, "interface type flags 0x11D0");
    checks.expect(attributes->wMajorVerNum == 1 && attributes->wMinorVerNum == 0,
                  "interface version 1.0");
    checks.expect(attributes->cFuncs == methods.size() && attributes->cVars == 0,
                  std::to_string(methods.size()) + " methods and no properties");
    checks.equal(attributes->cImplTypes, 1, "derives from one interface");
    HREFTYPE base = 0;
    ComPtr<ITypeInfo> baseInfo;
    ComPtr<ITypeLib> baseLibrary;
    UINT baseIndex = 0;
    bool fromStdole = SUCCEEDED(half.GetRefTypeOfImplType(0, &base)) &&
                      SUCCEEDED(half.GetRefTypeInfo(base, baseInfo.put())) &&
                      SUCCEEDED(baseInfo->GetContainingTypeLib(baseLibrary.put(), &baseIndex));
    if (fromStdole) {
        LibraryAttributes baseAttributes(*baseLibrary.get());
        fromStdole = baseAttributes && baseAttributes->guid == stdole2 &&
                     baseAttributes->wMajorVerNum == 2 && baseAttributes->wMinorVerNum == 0;
    }
    checks.expect(fromStdole && nameOf(*baseInfo.get(), MEMBERID_NIL) == L"IDispatch",
                  "base is IDispatch from stdole2.tlb 2.0");
    checks.expect(hasNoHelp(half, MEMBERID_NIL), "interface has no help");
    for (UINT index = 0; index < methods.size() && index < attributes->cFuncs; ++index) {
        const Method& method = methods[index];
        std::string label = e2e::utf8(method.name) + ": ";
        FunctionDescription function(half, index);
        if (!function) {
            checks.expect(false, label + "readable");
            continue;
        }
        checks.equal(function->memid, method.id, label + "DISPID");
        checks.expect(function->invkind == INVOKE_FUNC && function->funckind == FUNC_PUREVIRTUAL &&
                          function->callconv == CC_STDCALL,
                      label + "a plain stdcall method");
        checks.expect(function->oVft / static_cast<SHORT>(sizeof(void*)) ==
                          static_cast<SHORT>(dispatchMethods + index),
                      label + "vtable place after IDispatch, in order");
        checks.equal(function->elemdescFunc.tdesc.vt, VT_HRESULT, label + "returns HRESULT");
        checks.expect(function->cParamsOpt == 0 && function->wFuncFlags == 0,
                      label + "no optional parameters, no function flags");
        bool shaped = function->cParams == static_cast<SHORT>(method.parameters.size() + 1);
        for (std::size_t place = 0; shaped && place < method.parameters.size(); ++place) {
            const ELEMDESC& parameter = function->lprgelemdescParam[place];
            shaped = pointerTo(parameter.tdesc, method.parameters[place].pointee) &&
                     plainParameter(parameter, inOut);
        }
        checks.expect(shaped, label + "parameters are [in, out] references of their types");
        const ELEMDESC& retval = function->lprgelemdescParam[function->cParams - 1];
        checks.expect(pointerTo(retval.tdesc, method.result) && plainParameter(retval, outRetval),
                      label + "result is [out, retval]");
        checkNames(checks, half, method);
        checks.expect(hasNoHelp(half, method.id), label + "no help");
        if (auto half2 = ComPtr<ITypeInfo>(&half).query<ITypeInfo2>())
            checks.expect(hasNoHelpString(*half2.get(), method.id), label + "no help string");
    }
}

// The dispatch half: what late-bound clients read; the result is lifted out of the parameters.
void checkDispatchHalf(LibraryChecks& checks, ITypeInfo& dispatch) {
    const Library& expected = checks.library();
    TypeAttributes attributes(dispatch);
    if (!attributes)
        return checks.expect(false, "dispatch half readable");
    checks.equal(attributes->typekind, TKIND_DISPATCH, "first description is the dual one");
    checks.expect(nameOf(dispatch, MEMBERID_NIL) == expected.interfaceName,
                  "interface named " + e2e::utf8(expected.interfaceName));
    // Wine's loader clears the oleautomation bit on this half only; the file holds 0x11D0.
    checks.equal(attributes->wTypeFlags | TYPEFLAG_FOLEAUTOMATION, dualFlags,
                 "dispatch half type flags");
    for (const Method& method : expected.methods) {
        std::string label = e2e::utf8(method.name) + " (dispatch): ";
        UINT index = 0;
        while (index < attributes->cFuncs &&
               FunctionDescription(dispatch, index)->memid != method.id)
            ++index;
        if (index == attributes->cFuncs) {
            checks.expect(false, label + "found by DISPID");
            continue;
        }
        FunctionDescription function(dispatch, index);
        checks.expect(function && function->funckind == FUNC_DISPATCH &&
                          function->invkind == INVOKE_FUNC &&
                          function->cParams == static_cast<SHORT>(method.parameters.size()) &&
                          function->elemdescFunc.tdesc.vt == method.result,
                      label + "method whose result is the retval");
        MEMBERID id = 0;
        auto name = const_cast<LPOLESTR>(method.name);
        checks.expect(SUCCEEDED(dispatch.GetIDsOfNames(&name, 1, &id)) && id == method.id,
                      label + "name resolves to the DISPID");
    }
}

void checkClass(LibraryChecks& checks, ITypeInfo& coclass) {
    const Library& expected = checks.library();
    TypeAttributes attributes(coclass);
    if (!attributes)
        return checks.expect(false, "class readable");
    checks.equal(attributes->typekind, TKIND_COCLASS, "second description is the class");
    checks.expect(nameOf(coclass, MEMBERID_NIL) == expected.className,
                  "class named " + e2e::utf8(expected.className));
    checks.expect(attributes->guid == expected.clsid, "CLSID is the fixed one");
    checks.equal(attributes->wTypeFlags, TYPEFLAG_FCANCREATE, "class type flags 2");
    checks.expect(attributes->wMajorVerNum == 1 && attributes->wMinorVerNum == 0,
                  "class version 1.0");
    checks.equal(attributes->cImplTypes, 1, "one interface, no event interface");
    INT flags = 0;
    HREFTYPE implemented = 0;
    ComPtr<ITypeInfo> interfaceInfo;
    bool found = SUCCEEDED(coclass.GetImplTypeFlags(0, &flags)) &&
                 SUCCEEDED(coclass.GetRefTypeOfImplType(0, &implemented)) &&
                 SUCCEEDED(coclass.GetRefTypeInfo(implemented, interfaceInfo.put()));
    checks.expect(found && flags == IMPLTYPEFLAG_FDEFAULT &&
                      nameOf(*interfaceInfo.get(), MEMBERID_NIL) == expected.interfaceName,
                  e2e::utf8(expected.interfaceName) + " is the default interface");
    checks.expect(hasNoHelp(coclass, MEMBERID_NIL), "class has no help");
}

// A file of the checker's own, removed when done.
class TemporaryFile {
public:
    TemporaryFile() {
        wchar_t folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        GetTempFileNameW(folder, L"tlb", 0, path_);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() { DeleteFileW(path_); }
    const wchar_t* path() const { return path_; }

private:
    wchar_t path_[MAX_PATH] = {};
};

// The resource written to a file of its own and loaded as any type library file is, which
// works the same for a 32-bit build opened as data.
HRESULT loadFromResource(const e2e::ServerImage& image, const TemporaryFile& file,
                         ComPtr<ITypeLib>& library, LibraryChecks& checks) {
    const auto resource = checks.library().resource;
    auto bytes = image.resource(L"TYPELIB", MAKEINTRESOURCEW(resource));
    checks.expect(bytes.size() > 4 && std::memcmp(bytes.data(), "MSFT", 4) == 0,
                  "resource TYPELIB " + std::to_string(resource) + " in the compiled MSFT form");
    std::ofstream(file.path(), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return LoadTypeLibEx(file.path(), REGKIND_NONE, library.put());
}

void checkOneLibrary(LibraryChecks& checks, const e2e::ServerImage& image, SYSKIND syskind) {
    TemporaryFile file;
    ComPtr<ITypeLib> library;
    checks.expect(SUCCEEDED(loadFromResource(image, file, library, checks)), "type library loads");
    if (!library)
        return;
    checkLibrary(checks, *library.get(), syskind);
    ComPtr<ITypeInfo> dispatch, coclass, half;
    HREFTYPE halfReference = 0;
    if (SUCCEEDED(library->GetTypeInfo(0, dispatch.put()))) {
        checkDispatchHalf(checks, *dispatch.get());
        if (SUCCEEDED(dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &halfReference)) &&
            SUCCEEDED(dispatch->GetRefTypeInfo(halfReference, half.put())))
            checkInterfaceHalf(checks, *half.get());
        else
            checks.expect(false, "dual interface has an interface half");
    }
    if (SUCCEEDED(library->GetTypeInfo(1, coclass.put())))
        checkClass(checks, *coclass.get());
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: TypeLibraryCheck <Sheetpush.exe> win32|win64\n");
        return 2;
    }
    SYSKIND syskind = std::wstring_view(argv[2]) == L"win32" ? SYS_WIN32 : SYS_WIN64;
    sheetpush::win32::ComApartment apartment;
    e2e::Checks checks;
    {
        e2e::ServerImage image(argv[1]);
        checks.expect(image.opened(), "server executable opens as data");
        for (const auto& library : libraries) {
            LibraryChecks checked(checks, library);
            checkOneLibrary(checked, image, syskind);
        }
    }
    return checks.exitCode();
}
