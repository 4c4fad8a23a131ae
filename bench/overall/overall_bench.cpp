// The Sheetpush figures the other benchmarks do not give: a C++ client pushing to one sheet,
// to two sheets in turn (a new conversation on every call), and beside them a raw-DDE link that
// opens a fresh conversation for every poke, the cost of a link that reconnects every time.
// Also the cold start: CreateObject to the first call returning, next to the bare server.
// Prints "name milliseconds" lines for bench/run.sh.
//
//   OverallBench.exe [calls]      (the server registered, a stand-in serving both sheets)

#include "bare_server.hpp"
#include "platform/win32/raw_dde_conversation.hpp"
#include "server/com/com_ptr.hpp"
#include "sheetpush_h.h"
#include "support/late_bound.hpp"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

namespace {

using namespace std::chrono_literals;
using sheetpush::com::ComPtr;

// Milliseconds per call over count calls after a short warm-up; negative when one failed.
double perCall(int count, const std::function<bool(int)>& once) {
    for (int i = 0; i < 10; ++i)
        if (!once(i))
            return -1;
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i)
        if (!once(i))
            return -1;
    std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / count;
}

bool push(IDispatch& link, DISPID id, const wchar_t* sheet, int i) {
    return e2e::callSheetpush(link, id, L"bench " + std::to_wstring(i), 1, 1, sheet);
}

bool freshConversationPoke(int i) {
    sheetpush::win32::RawDdeConversation conversation;
    std::wstring digits = std::to_wstring(i);
    return !conversation.connect(u"Excel", u"Sheet1", 10s) &&
           !conversation.poke(u"R1C1", std::u16string(digits.begin(), digits.end()), 10s);
}

bool emptyInvoke(IDispatch& object, DISPID id) {
    DISPPARAMS none{};
    return SUCCEEDED(
        object.Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr));
}

// Milliseconds from asking for a new server's object to its first call returning; the server
// ends when released, so each start is cold.
double coldFirstCall(REFCLSID clsid, const std::function<bool(IDispatch&)>& first) {
    double total = 0;
    constexpr int starts = 3;
    for (int start = 0; start < starts; ++start) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        auto begin = std::chrono::steady_clock::now();
        ComPtr<IDispatch> object;
        if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                    reinterpret_cast<void**>(object.put()))) ||
            !first(*object.get()))
            return -1;
        total += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin)
                     .count();
    }
    return total / starts;
}

} // namespace

int main(int argc, char** argv) {
    int calls = argc > 1 ? std::atoi(argv[1]) : 1000;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int status = 0;
    std::printf("cold-sheetpush %.1f\n", coldFirstCall(CLSID_ExcelLinke, [](IDispatch& link) {
                    return push(link, e2e::sheetpushId, L"Sheet1", 0);
                }));
    std::printf("cold-bare %.1f\n", coldFirstCall(CLSID_BareServer, [](IDispatch& bare) {
                    return emptyInvoke(bare, 1);
                }));
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
            std::printf("sheetpush-one-sheet %.4f\n",
                        perCall(calls, [&](int i) { return push(*link.get(), id, L"Sheet1", i); }));
            std::printf("sheetpush-two-sheets %.4f\n", perCall(calls / 4, [&](int i) {
                            return push(*link.get(), id, i % 2 ? L"Sheet1" : L"ورقة1", i);
                        }));
            std::printf("dde-fresh-conversation %.4f\n", perCall(calls / 4, freshConversationPoke));
        }
    }
    CoUninitialize();
    return status;
}
