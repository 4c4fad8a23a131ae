// Pokes per second against the Excel stand-in: a bare raw-DDE poke loop on one held
// conversation, the same through the conversation seam, send on one sheet, and send to two sheets
// in turn. Each figure is also given as a ratio to the bare loop.
//
//   DdeBench.exe [pokes]      (a stand-in serving "ورقة1" and "Sheet1" must be running)

#include "rounds.hpp"

#include "fakes/fake_platform.hpp"
#include "win32/raw_dde_conversation.hpp"
#include "win32/win32_platform.hpp"
#include "win32_base/message_window.hpp"
#include "win32_base/raii.hpp"
#include "window/link_window.hpp"

#include <dde.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;
using bench::Method;
using sheetpush::win32::makeMessageWindow;
using sheetpush::win32::UniqueAtom;
using sheetpush::win32::UniqueGlobal;
using sheetpush::win32::UniqueWindow;

std::u16string numbered(int i) {
    std::wstring digits = std::to_wstring(i);
    return u"قيمة " + std::u16string(digits.begin(), digits.end());
}

// The product's seams, with or without the on-screen view that mirrors every field. Failures
// are recorded, not shown: a box would stop the run.
class BenchPlatform : public sheetpush::win32::Win32Platform {
public:
    explicit BenchPlatform(bool withView) : withView_(withView) {}
    sheetpush::MessageBoxes& messageBoxes() override { return boxes; }
    std::unique_ptr<sheetpush::WindowView> newView(sheetpush::LinkWindow& window) override {
        return withView_ ? Win32Platform::newView(window) : nullptr;
    }
    sheetpush::fakes::FakeMessageBoxes boxes;

private:
    bool withView_;
};

// The least a client can do: one conversation, then post a poke and wait for its
// acknowledgement, again and again.
class BareClient {
public:
    BareClient() {
        window_ = makeMessageWindow(L"SheetpushBareDdeClient", *this);
        UniqueAtom application(GlobalAddAtomW(L"Excel"));
        UniqueAtom topic(GlobalAddAtomW(L"ورقة1"));
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(
            HWND_BROADCAST, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(window_.get()),
            MAKELPARAM(application.get(), topic.get()), SMTO_ABORTIFHUNG, 2000, &ignored);
    }
    ~BareClient() {
        if (partner_)
            PostMessageW(partner_, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(window_.get()), 0);
    }

    bool connected() const { return partner_ != nullptr; }

    bool poke(const std::wstring& text) {
        std::size_t header = offsetof(DDEPOKE, Value);
        std::size_t size = (text.size() + 1) * sizeof(wchar_t);
        UniqueGlobal data(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, header + size));
        {
            sheetpush::win32::GlobalLockGuard lock(data.get());
            DDEPOKE poke{};
            // Owned and freed by the client, as the link does it, so both pay the same.
            poke.fRelease = 0;
            poke.cfFormat = CF_UNICODETEXT;
            std::memcpy(lock.data(), &poke, header);
            std::memcpy(static_cast<char*>(lock.data()) + header, text.c_str(), size);
        }
        ATOM item = GlobalAddAtomW(L"R1C1");
        LPARAM lParam = PackDDElParam(WM_DDE_POKE, reinterpret_cast<UINT_PTR>(data.get()), item);
        PostMessageW(partner_, WM_DDE_POKE, reinterpret_cast<WPARAM>(window_.get()), lParam);
        MSG ack;
        if (GetMessageW(&ack, window_.get(), WM_DDE_ACK, WM_DDE_ACK) <= 0)
            return false;
        UINT_PTR status = 0;
        UINT_PTR atom = 0;
        UnpackDDElParam(WM_DDE_ACK, ack.lParam, &status, &atom);
        FreeDDElParam(WM_DDE_ACK, ack.lParam);
        GlobalDeleteAtom(static_cast<ATOM>(atom));
        return (status & 0x8000) != 0;
    }

private:
    friend struct sheetpush::win32::WindowProcedure<BareClient>;
    HWND handle() const { return window_.get(); }
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != WM_DDE_ACK || !InSendMessage())
            return DefWindowProcW(handle(), message, wParam, lParam);
        GlobalDeleteAtom(LOWORD(lParam));
        GlobalDeleteAtom(HIWORD(lParam));
        if (!partner_)
            partner_ = reinterpret_cast<HWND>(wParam);
        return 0;
    }

    HWND partner_ = nullptr;
    UniqueWindow window_;
};

void report(const char* what, double ms, double bare) {
    if (ms < 0) {
        std::printf("%-40s failed\n", what);
        return;
    }
    std::printf("%-40s %8.3f ms/poke %9.0f pokes/s   x%.2f of bare\n", what, ms, 1000.0 / ms,
                ms / bare);
}

} // namespace

int main(int argc, char** argv) {
    int count = argc > 1 ? std::atoi(argv[1]) : 2000;
    constexpr int rounds = 15;
    int perRound = std::max(count / rounds, 1);
    BareClient client;
    if (!client.connected()) {
        std::printf("no stand-in answers Excel|ورقة1\n");
        return 1;
    }
    sheetpush::win32::RawDdeConversation conversation;
    if (!conversation.connect(u"Excel", u"ورقة1", 10s).ok()) {
        std::printf("the conversation seam could not connect\n");
        return 1;
    }
    BenchPlatform withView(true);
    BenchPlatform bareCore(false);
    sheetpush::LinkWindow product(withView);
    sheetpush::LinkWindow core(bareCore);
    // send after putting the text into cellText, as the automation method does before each call.
    auto send = [](sheetpush::LinkWindow& window, bool alternate) {
        return [&window, alternate](int i) {
            window.sheet.setText(alternate && i % 2 ? u"Sheet1" : u"ورقة1");
            window.cellText.setText(numbered(i));
            return window.send();
        };
    };
    std::vector<Method> methods = {
        {"bare raw DDE, one held conversation",
         [&](int i) { return client.poke(L"value " + std::to_wstring(i)); },
         perRound,
         {}},
        {"RawDdeConversation::poke, held",
         [&](int i) { return conversation.poke(u"R1C1", numbered(i), 10s).ok(); },
         perRound,
         {}},
        {"SEND, one sheet", send(product, false), perRound, {}},
        {"SEND, two sheets in turn", send(product, true), perRound, {}},
        {"SEND without the view, one sheet", send(core, false), perRound, {}},
        {"SEND without the view, two in turn", send(core, true), perRound, {}},
    };
    bench::measure(methods, rounds);
    std::printf("%d rounds of %d pokes, median round\n", rounds, perRound);
    double bare = bench::median(methods.front().roundMs);
    for (const auto& method : methods)
        report(method.name, bench::median(method.roundMs), bare);
    auto failures = withView.boxes.shown.size() + bareCore.boxes.shown.size();
    std::printf("failure messages: %zu\n", failures);
    return failures == 0 ? 0 : 1;
}
