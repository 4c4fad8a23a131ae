// Sheetpush.exe: shows its switches, registers or unregisters itself, or runs the start-up
// procedure and then serves ExcelLinke and ExcelTable objects to COM clients on one
// single-threaded apartment.
#include "com/command_line.hpp"
#include "com/excel_linke.hpp"
#include "com/excel_table.hpp"
#include "com/registration.hpp"
#include "com/standard_streams.hpp"
#include "com/type_library.hpp"
#include "local_server/class_factory.hpp"
#include "server/start_up.hpp"
#include "win32/link_window.hpp"
#include "win32/win32_platform.hpp"
#include "win32_base/raii.hpp"
#include "win32_base/wide_text.hpp"

#include <objbase.h>
#include <windows.h>

#include <string>

namespace {

using namespace sheetpush;
using namespace sheetpush::com;

// One line on the standard error stream.
void say(const std::wstring& what) {
    writeError(L"Sheetpush: " + what + L"\n");
}

int failed(const Failure& failure) {
    say(win32::wide(failure.description));
    return 1;
}

// Registration runs silently: only a failure, or what unregistering left in place, says
// something.
int registration(const Invocation& invocation) {
    if (invocation.request == Request::registerServer) {
        auto registered = registerServer(invocation.scope);
        return registered.ok() ? 0 : failed(registered.failure());
    }
    auto left = unregisterServer(invocation.scope);
    if (!left.ok())
        return failed(left.failure());
    if (!left.value().empty())
        say(left.value());
    return 0;
}

// The interface half of a dual interface in one of the executable's own type libraries.
HRESULT ownInterfaceHalf(unsigned library, REFIID iid, ComPtr<ITypeInfo>& half) {
    ComPtr<ITypeLib> loaded;
    HRESULT result = loadOwnTypeLibrary(library, loaded);
    return FAILED(result) ? result : interfaceHalf(*loaded.get(), iid, half);
}

// A maker of objects of one class, each described by the same interface half.
template <class Object> ObjectMaker makerOf(WindowPlatform& platform, ComPtr<ITypeInfo> half) {
    return [&platform, half](REFIID iid, void** out) {
        return makeObject<Object>(platform, half)->QueryInterface(iid, out);
    };
}

// Publishes both classes and serves until the last client lets go.
int serveClients(WindowPlatform& platform) {
    ComPtr<ITypeInfo> linke;
    ComPtr<ITypeInfo> table;
    if (FAILED(ownInterfaceHalf(excelLinkeLibrary, IID__ExcelLinke, linke)) ||
        FAILED(ownInterfaceHalf(excelTableLibrary, IID__ExcelTable, table)))
        return 1;
    ClassObjectRegistration registration(
        {{CLSID_ExcelLinke, makerOf<com::ExcelLinke>(platform, linke)},
         {CLSID_ExcelTable, makerOf<com::ExcelTable>(platform, table)}});
    // A link window that a person brings on screen moves its focus with Tab.
    return FAILED(serveUntilReleased(registration, win32::routeLinkWindowKeys)) ? 1 : 0;
}

int run(Request request) {
    win32::ComApartment apartment;
    if (FAILED(apartment.status()))
        return 1;
    // Static, so that the seams outlive the thread's link window, which is destroyed with the
    // thread's other thread-local objects when the process ends.
    static win32::Win32Platform platform;
    checkExcelPathAtStartUp(platform);
    return request == Request::serve ? serveClients(platform) : 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    auto invocation = invocationOf(processArguments());
    switch (invocation.request) {
    case Request::help:
        writeOutput(usage());
        return 0;
    case Request::unknownSwitch:
        say(L"unknown switch " + invocation.unknown);
        writeError(usage());
        return 1;
    case Request::registerServer:
    case Request::unregisterServer:
        return registration(invocation);
    case Request::person:
    case Request::serve:
        break;
    }
    return run(invocation.request);
}
