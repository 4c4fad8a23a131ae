// Round trips per second of Sheetpush from a C++ client, next to an empty call on the same
// server and on a bare server, and the cold activation of each. Prints figures and ratios; it
// asserts nothing.
//
//   ComBench.exe [calls]

#include "bare_server.hpp"
#include "local_server/com_ptr.hpp"
#include "sheetpush_h.h"
#include "support/late_bound.hpp"
#include "support/running.hpp"
#include "win32_base/raii.hpp"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

using sheetpush::com::ComPtr;
using Clock = std::chrono::steady_clock;

double seconds(Clock::duration elapsed) {
    return std::chrono::duration<double>(elapsed).count();
}

double callsPerSecond(int calls, const std::function<bool()>& call) {
    auto start = Clock::now();
    for (int done = 0; done < calls; ++done)
        if (!call())
            return 0;
    return calls / seconds(Clock::now() - start);
}

// Once the server that the last creation started has ended, the next creation starts it again.
double coldCreation(REFCLSID clsid, const wchar_t* program) {
    if (!e2e::awaitNoneRunning(program, 15000))
        return 0;
    auto start = Clock::now();
    ComPtr<IDispatch> object;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(object.put()))))
        return 0;
    return seconds(Clock::now() - start);
}

double averageColdCreation(REFCLSID clsid, const wchar_t* program, int times) {
    double total = 0;
    for (int time = 0; time < times; ++time)
        total += coldCreation(clsid, program);
    return total / times;
}

bool emptyCall(IDispatch& object) {
    UINT count = 0;
    return SUCCEEDED(object.GetTypeInfoCount(&count));
}

} // namespace

int main(int argc, char** argv) {
    int calls = argc > 1 ? std::atoi(argv[1]) : 2000;
    sheetpush::win32::ComApartment apartment;
    {
        double coldSheetpush = averageColdCreation(CLSID_ExcelLinke, L"Sheetpush.exe", 3);
        double coldBare = averageColdCreation(CLSID_BareServer, L"BareServer.exe", 3);

        ComPtr<IDispatch> link, bare;
        CoCreateInstance(CLSID_ExcelLinke, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                         reinterpret_cast<void**>(link.put()));
        CoCreateInstance(CLSID_BareServer, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                         reinterpret_cast<void**>(bare.put()));
        if (!link || !bare) {
            std::fprintf(stderr, "could not create the servers' objects\n");
            return 1;
        }
        DISPID id = 0;
        auto name = const_cast<LPOLESTR>(L"Sheetpush");
        link->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);

        double pushes = callsPerSecond(
            calls, [&] { return e2e::callSheetpush(*link.get(), id, L"bench", 1, 1, L"Sheet1"); });
        double empty = callsPerSecond(calls, [&] { return emptyCall(*link.get()); });
        DISPPARAMS noArguments{};
        double bareEmpty = callsPerSecond(calls, [&] {
            return SUCCEEDED(bare->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &noArguments, nullptr,
                                          nullptr, nullptr));
        });

        std::printf("calls per measurement: %d\n", calls);
        std::printf("Sheetpush round trips/s (Invoke, DISPID looked up once): %.0f\n", pushes);
        std::printf("empty calls/s on the Sheetpush server (GetTypeInfoCount): %.0f\n", empty);
        std::printf("empty calls/s on the bare server (Invoke): %.0f\n", bareEmpty);
        std::printf("ratio empty call / Sheetpush round trip (same server): %.2f\n",
                    pushes > 0 ? empty / pushes : 0);
        std::printf("ratio Sheetpush server empty call / bare server empty call: %.2f\n",
                    bareEmpty > 0 ? empty / bareEmpty : 0);
        std::printf("cold CreateObject: Sheetpush %.3f s, bare server %.3f s, ratio %.2f\n",
                    coldSheetpush, coldBare, coldBare > 0 ? coldSheetpush / coldBare : 0);
    }
    return 0;
}
