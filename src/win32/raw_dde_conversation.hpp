#pragma once

#include "platform/dde_conversation.hpp"
#include "platform/trace.hpp"
#include "win32_base/message_window.hpp"
#include "win32_base/raii.hpp"

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace sheetpush::win32 {

// A DDE client conversation on the raw window messages, with a hidden message-only window of its
// own. It must be used on one thread, the one that first connects it.
//
// While it waits for the partner it takes only the DDE messages addressed to its own window out
// of the queue, so no other call is dispatched in the middle of a transfer, and the thread's
// other windows do not act on what other programs send them meanwhile (partner_wait.hpp). Text goes
// as CF_UNICODETEXT when the partner takes it and as CF_TEXT in the ANSI code page otherwise; the
// choice is made once per conversation. A text that the code page cannot carry exactly is not
// sent as CF_TEXT at all, nor is the first part of a whole that it cannot carry. A partner may name
// the sheet asked for qualified by its workbook. Each step with the partner goes to the trace.
class RawDdeConversation : public DdeConversation {
public:
    explicit RawDdeConversation(Trace trace = {}) : trace_(trace) {}
    RawDdeConversation(const RawDdeConversation&) = delete;
    RawDdeConversation& operator=(const RawDdeConversation&) = delete;
    ~RawDdeConversation() override;

    Status connect(std::u16string_view application, std::u16string_view topic,
                   std::chrono::milliseconds timeout) override;
    bool isFor(std::u16string_view application, std::u16string_view topic) const override;
    Status pokePart(std::u16string_view item, std::u16string_view part, std::u16string_view whole,
                    std::chrono::milliseconds timeout) override;
    Result<std::u16string> request(std::u16string_view item,
                                   std::chrono::milliseconds timeout) override;

    class Deadline;

private:
    enum class Wait { answered, partnerQuit, timedOut };

    friend struct WindowProcedure<RawDdeConversation>;
    HWND handle() const { return window_.get(); }
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onInitiateAck(HWND server, LPARAM atoms);
    bool isAsking(HWND server) const;
    bool ensureWindow();

    Status initiate(std::u16string_view application, std::u16string_view topic,
                    const Deadline& deadline);
    bool askTimedOut(HWND window, LPARAM question, DWORD wait);
    void awaitLateAnswer(const Deadline& deadline);
    void terminate(const Deadline& deadline);
    void abandon();

    template <class Attempt> auto inTextFormats(Attempt attempt) -> decltype(attempt(UINT{}));
    Status pokeAs(UINT format, std::u16string_view item, std::u16string_view text,
                  std::u16string_view whole, const Deadline& deadline);
    Result<std::u16string> requestAs(UINT format, std::u16string_view item,
                                     const Deadline& deadline);
    Result<MSG> exchange(UINT message, LPARAM lParam, UniqueAtom item, UINT expected,
                         std::u16string_view itemName, const Deadline& deadline);
    void settleAfterData(const Deadline& deadline);

    Wait awaitReply(const Deadline& deadline, ATOM item, UINT expected, MSG& reply);
    bool isReply(const MSG& message, ATOM item, UINT expected) const;
    void drainQueue();
    bool handleUnanswered(const MSG& message);

    template <class Describe>
    void traceExchange(std::u16string_view step, std::u16string_view item, UINT format,
                       const Deadline& deadline, Describe outcome) const;
    template <class Outcome>
    Outcome traced(std::u16string_view step, std::u16string_view name, Outcome outcome,
                   const Deadline& deadline) const;

    Failure refusal(WORD status, std::u16string_view item) const;
    Failure uncarried(std::u16string_view item) const;
    Failure timedOut(std::u16string_view item) const;
    Failure partnerQuit() const;

    Trace trace_;
    UniqueWindow window_;
    HWND partner_ = nullptr;
    // The atoms of the initiation under way, if any.
    struct Question {
        ATOM application;
        ATOM topic;
    };
    std::optional<Question> question_;
    // The process of the window being asked, while it is; and those asked again without a wait.
    DWORD asked_ = 0;
    std::vector<DWORD> latecomers_;
    std::u16string application_;
    std::u16string topic_;
    std::optional<UINT> format_;
    std::chrono::milliseconds lastTimeout_{1000};
};

} // namespace sheetpush::win32
