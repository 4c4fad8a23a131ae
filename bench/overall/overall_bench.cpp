// The Sheetpush figures the other benchmarks do not give: a C++ client pushing to one sheet and
// to two sheets in turn; to the one sheet of an Excel in French, whose letters the first call
// finds, and to that of a twin in English; and beside them a raw-DDE link that opens a fresh
// conversation for every poke, the cost of a link that reconnects every time. Also the cold
// start: CreateObject to the first call returning, next to the bare server, and the same for a
// second client that comes while the server lingers. Prints "name milliseconds" lines for
// bench/run.sh.
//
//   OverallBench.exe [calls]      (the server registered, a stand-in serving both sheets, and
//                                  two of a sheet each: "English", and "French" in French)

#include "bare_server.hpp"
#include "rounds.hpp"

#include "local_server/com_ptr.hpp"
#include "sheetpush_h.h"
#include "support/late_bound.hpp"
#include "support/running.hpp"
#include "win32/raw_dde_conversation.hpp"
#include "win32_base/raii.hpp"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using sheetpush::com::ComPtr;

bool push(IDispatch& link, DISPID id, const wchar_t* sheet, int i) {
    return e2e::callSheetpush(link, id, L"bench " + std::to_wstring(i), 1, 1, sheet);
}

bool freshConversationPoke(int i) {
    sheetpush::win32::RawDdeConversation conversation;
    std::wstring digits = std::to_wstring(i);
    return conversation.connect(u"Excel", u"Sheet1", 10s).ok() &&
           conversation.poke(u"R1C1", std::u16string(digits.begin(), digits.end()), 10s).ok();
}

bool emptyInvoke(IDispatch& object, DISPID id) {
    DISPPARAMS none{};
    return SUCCEEDED(
        object.Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr));
}

// Milliseconds from asking for an object to its first call returning; the object goes after.
double firstCall(REFCLSID clsid, const std::function<bool(IDispatch&)>& first) {
    auto begin = std::chrono::steady_clock::now();
    ComPtr<IDispatch> object;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(object.put()))) ||
        !first(*object.get()))
        return -1;
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin)
        .count();
}

struct FirstCalls {
    double cold;
    double warm;
};

// A client's first call on a server started for it, once the one before has ended, and a second
// client's right after the first let go, on the server that lingers for it.
FirstCalls firstCalls(REFCLSID clsid, const wchar_t* program,
                      const std::function<bool(IDispatch&)>& first) {
    FirstCalls total{0, 0};
    constexpr int starts = 3;
    for (int start = 0; start < starts; ++start) {
        if (!e2e::awaitNoneRunning(program, 15000))
            return {-1, -1};
        double cold = firstCall(clsid, first);
        double warm = firstCall(clsid, first);
        if (cold < 0 || warm < 0)
            return {-1, -1};
        total.cold += cold;
        total.warm += warm;
    }
    return {total.cold / starts, total.warm / starts};
}

} // namespace

int main(int argc, char** argv) {
    int calls = argc > 1 ? std::atoi(argv[1]) : 1000;
    sheetpush::win32::ComApartment apartment;
    int status = 0;
    auto sheetpush = firstCalls(CLSID_ExcelLinke, L"Sheetpush.exe", [](IDispatch& link) {
        return push(link, e2e::sheetpushId, L"Sheet1", 0);
    });
    std::printf("cold-sheetpush %.1f\nwarm-sheetpush %.1f\n", sheetpush.cold, sheetpush.warm);
    std::printf("cold-bare %.1f\n",
                firstCalls(CLSID_BareServer, L"BareServer.exe", [](IDispatch& bare) {
                    return emptyInvoke(bare, 1);
                }).cold);
    {
        ComPtr<IDispatch> link;
        CoCreateInstance(CLSID_ExcelLinke, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                         reinterpret_cast<void**>(link.put()));
        DISPID id = 0;
        auto name = const_cast<LPOLESTR>(L"Sheetpush");
        if (!link || FAILED(link->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id))) {
            std::fprintf(stderr, "could not create the server's object\n");
            status = 1;
        } else {
            constexpr int rounds = 15;
            int perRound = std::max(calls / rounds, 4);
            std::vector<bench::Method> methods = {
                {"sheetpush-one-sheet",
                 [&](int i) { return push(*link.get(), id, L"Sheet1", i); },
                 perRound,
                 {}},
                {"sheetpush-two-sheets",
                 [&](int i) { return push(*link.get(), id, i % 2 ? L"Sheet1" : L"ورقة1", i); },
                 perRound,
                 {}},
                {"sheetpush-english",
                 [&](int i) { return push(*link.get(), id, L"English", i); },
                 perRound,
                 {}},
                {"sheetpush-french",
                 [&](int i) { return push(*link.get(), id, L"French", i); },
                 perRound,
                 {}},
                {"dde-fresh-conversation", freshConversationPoke, perRound / 4, {}},
            };
            bench::measure(methods, rounds);
            for (const auto& method : methods)
                std::printf("%s %.4f\n", method.name, bench::median(method.roundMs));
        }
    }
    return status;
}
