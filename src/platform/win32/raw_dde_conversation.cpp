#include "platform/win32/raw_dde_conversation.hpp"

#include "platform/win32/message_window.hpp"
#include "platform/win32/wide_text.hpp"

#include <dde.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace sheetpush::win32 {

class RawDdeConversation::Deadline {
public:
    explicit Deadline(std::chrono::milliseconds timeout)
        : end_(std::chrono::steady_clock::now() + std::max(timeout, std::chrono::milliseconds(0))) {
    }

    // Whole milliseconds left, rounded up so that a wait never ends early.
    DWORD remaining() const {
        auto left =
            std::chrono::ceil<std::chrono::milliseconds>(end_ - std::chrono::steady_clock::now());
        return left.count() > 0 ? static_cast<DWORD>(left.count()) : 0;
    }

private:
    std::chrono::steady_clock::time_point end_;
};

namespace {

// A partner that vanishes without a word is noticed at least this often while waiting.
constexpr DWORD livenessPoll = 50;
// How long each window is waited for when it is asked to open a conversation: long enough for
// any window that is merely busy, short enough that one that hangs costs little.
constexpr DWORD answerWait = 250;
// The conversation's ending is waited for this long at most when the owner goes away.
constexpr std::chrono::milliseconds farewellLimit{1000};

// The fAck and fBusy bits of a DDEACK status word.
constexpr WORD ackAccepted = 0x8000;
constexpr WORD ackBusy = 0x4000;

constexpr std::size_t dataHeaderSize = offsetof(DDEDATA, Value);
constexpr std::size_t pokeHeaderSize = offsetof(DDEPOKE, Value);

constexpr wchar_t windowClass[] = L"SheetpushDdeClient";

std::u16string quoted(std::u16string_view name) {
    return u"«" + excerpt(name) + u"»";
}

UniqueAtom addAtom(std::u16string_view name) {
    return UniqueAtom(GlobalAddAtomW(wide(name).c_str()));
}

void post(HWND to, UINT message, HWND from, LPARAM lParam) {
    PostMessageW(to, message, reinterpret_cast<WPARAM>(from), lParam);
}

BOOL CALLBACK collectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

HWND sender(const MSG& message) {
    return reinterpret_cast<HWND>(message.wParam);
}

// The atom and the first value of a packed DDE parameter; the parameter itself stays owned.
std::pair<UINT_PTR, ATOM> unpack(const MSG& message) {
    UINT_PTR low = 0;
    UINT_PTR high = 0;
    UnpackDDElParam(message.message, message.lParam, &low, &high);
    return {low, static_cast<ATOM>(high)};
}

// Takes an acknowledgement apart: its status word, with the atom and the parameter freed, as
// the receiver of WM_DDE_ACK must.
WORD takeAck(const MSG& ack) {
    auto [status, atom] = unpack(ack);
    FreeDDElParam(WM_DDE_ACK, ack.lParam);
    GlobalDeleteAtom(atom);
    return static_cast<WORD>(status);
}

UniqueGlobal pokeData(UINT format, std::u16string_view text) {
    std::wstring units = wide(text);
    std::string narrow;
    const void* bytes = units.c_str();
    std::size_t size = (units.size() + 1) * sizeof(wchar_t);
    if (format == CF_TEXT) {
        int length = WideCharToMultiByte(CP_ACP, 0, units.data(), static_cast<int>(units.size()),
                                         nullptr, 0, nullptr, nullptr);
        narrow.resize(static_cast<std::size_t>(std::max(length, 0)));
        WideCharToMultiByte(CP_ACP, 0, units.data(), static_cast<int>(units.size()), narrow.data(),
                            length, nullptr, nullptr);
        bytes = narrow.c_str();
        size = narrow.size() + 1;
    }
    UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, pokeHeaderSize + size));
    GlobalLockGuard lock(memory.get());
    if (!lock.data())
        return {};
    DDEPOKE header{};
    // The block stays ours whatever the answer, and is freed once the partner has answered:
    // a block handed over with fRelease leaks where the system copies it for the partner
    // without freeing the original, as Wine does.
    header.fRelease = 0;
    header.cfFormat = static_cast<short>(format);
    auto* target = static_cast<unsigned char*>(lock.data());
    std::memcpy(target, &header, pokeHeaderSize);
    std::memcpy(target + pokeHeaderSize, bytes, size);
    return memory;
}

// Text from a data block's value part, never reading past the block's real end; the text ends
// at the first NUL or at the end of the block.
std::optional<std::u16string> decodeText(UINT format, const unsigned char* value,
                                         std::size_t size) {
    if (format == CF_UNICODETEXT) {
        std::u16string text(size / sizeof(char16_t), u'\0');
        std::memcpy(text.data(), value, text.size() * sizeof(char16_t));
        text.resize(std::min(text.find(u'\0'), text.size()));
        return text;
    }
    if (format != CF_TEXT)
        return std::nullopt;
    auto* chars = reinterpret_cast<const char*>(value);
    int length = static_cast<int>(std::find(chars, chars + size, '\0') - chars);
    std::wstring units(
        static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, chars, length, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, chars, length, units.data(), static_cast<int>(units.size()));
    return utf16(units);
}

// Frees whatever a DDE message that answers nothing of ours carries, as its receiver must.
void discard(const MSG& message) {
    if (message.message == WM_DDE_ACK) {
        takeAck(message);
        return;
    }
    if (message.message != WM_DDE_DATA)
        return;
    auto [handle, atom] = unpack(message);
    FreeDDElParam(WM_DDE_DATA, message.lParam);
    auto memory = reinterpret_cast<HGLOBAL>(handle);
    DDEDATA header{};
    {
        GlobalLockGuard lock(memory);
        if (lock.size() >= dataHeaderSize)
            std::memcpy(&header, lock.data(), dataHeaderSize);
    }
    // Refusing data that wants an answer hands the block back to its sender.
    if (header.fAckReq) {
        LPARAM refusal = PackDDElParam(WM_DDE_ACK, 0, atom);
        if (PostMessageW(sender(message), WM_DDE_ACK, reinterpret_cast<WPARAM>(message.hwnd),
                         refusal))
            return;
        FreeDDElParam(WM_DDE_ACK, refusal);
    } else if (header.fRelease) {
        GlobalFree(memory);
    }
    GlobalDeleteAtom(atom);
}

} // namespace

RawDdeConversation::~RawDdeConversation() {
    if (!window_)
        return;
    terminate(Deadline(std::min(lastTimeout_, farewellLimit)));
    drainQueue();
}

LRESULT CALLBACK RawDdeConversation::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                                     LPARAM lParam) {
    auto* self = reinterpret_cast<RawDdeConversation*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || message < WM_DDE_FIRST || message > WM_DDE_LAST)
        return DefWindowProcW(window, message, wParam, lParam);
    // Servers answer an initiation with a sent acknowledgement; everything else is posted and
    // reaches here only through someone else's message loop, between our transfers.
    if (message == WM_DDE_ACK && InSendMessage()) {
        self->onInitiateAck(reinterpret_cast<HWND>(wParam), lParam);
        return 0;
    }
    MSG posted{window, message, wParam, lParam, 0, {}};
    self->handleUnanswered(posted);
    return 0;
}

// Only the first server to answer the question being asked gets the conversation. Any other
// is told it is over: a second server, one that names another application or topic, or one
// that answers an earlier initiation only now, when this one may be for another sheet. While
// the question's own atoms are held, a server that names the same application and topic, in
// any letter case, answers with those very atoms.
void RawDdeConversation::onInitiateAck(HWND server, LPARAM atoms) {
    UniqueAtom application(LOWORD(atoms));
    UniqueAtom topic(HIWORD(atoms));
    if (question_ && !partner_ && application.get() == question_->application &&
        topic.get() == question_->topic)
        partner_ = server;
    else
        post(server, WM_DDE_TERMINATE, window_.get(), 0);
}

bool RawDdeConversation::ensureWindow() {
    if (window_)
        return true;
    window_ = makeMessageWindow(windowClass, windowProcedure);
    if (window_)
        SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return static_cast<bool>(window_);
}

std::vector<UINT> RawDdeConversation::candidateFormats() const {
    if (format_)
        return {*format_};
    return {CF_UNICODETEXT, CF_TEXT};
}

Status RawDdeConversation::connect(std::u16string_view application, std::u16string_view topic,
                                   std::chrono::milliseconds timeout) {
    lastTimeout_ = timeout;
    Deadline deadline(timeout);
    if (!ensureWindow())
        return Failure{error::ddeNoConversation,
                       u"تعذر إنشاء نافذة المحادثة مع التطبيق " + quoted(application)};
    drainQueue();
    if (partner_ && IsWindow(partner_) && application == application_ && topic == topic_)
        return std::nullopt;
    terminate(deadline);
    return initiate(application, topic, deadline);
}

Status RawDdeConversation::initiate(std::u16string_view application, std::u16string_view topic,
                                    const Deadline& deadline) {
    application_ = application;
    topic_ = topic;
    format_.reset();
    UniqueAtom applicationAtom = addAtom(application);
    UniqueAtom topicAtom = addAtom(topic);
    // A zero atom in an initiation asks every server for every topic: a name that makes no atom
    // (empty, or longer than an atom holds) must not open a conversation on some other sheet.
    if (!applicationAtom || !topicAtom)
        return Failure{error::ddeNoPartner, u"لا يصلح الاسم " +
                                                quoted(applicationAtom ? topic : application) +
                                                u" لفتح محادثة: الاسم فارغ أو أطول من 255 حرفًا"};
    std::vector<HWND> windows;
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&windows));
    // Each window gets only a short wait of its own, so that one that hangs on the question
    // delays nobody else's answer, and a window that has taken no message for seconds is not
    // asked at all: it may never answer. A window that was not done in time is asked once more
    // without a wait, since the system may drop a question that was not taken in time, and its
    // late answer is collected until the time-out.
    question_ = Question{applicationAtom.get(), topicAtom.get()};
    const LPARAM question = MAKELPARAM(applicationAtom.get(), topicAtom.get());
    bool answersPending = false;
    for (HWND window : windows) {
        if (partner_)
            break;
        DWORD left = deadline.remaining();
        if (left == 0) {
            answersPending = true;
            break;
        }
        if (IsHungAppWindow(window))
            continue;
        DWORD_PTR ignored = 0;
        if (!SendMessageTimeoutW(window, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(window_.get()),
                                 question, SMTO_NORMAL, std::min(left, answerWait), &ignored) &&
            IsWindow(window)) {
            SendNotifyMessageW(window, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(window_.get()),
                               question);
            answersPending = true;
        }
    }
    if (answersPending)
        awaitLateAnswer(deadline);
    question_.reset();
    if (partner_)
        return std::nullopt;
    if (answersPending)
        return Failure{error::ddeTimeout, u"انتهت مهلة انتظار التطبيق " + quoted(application) +
                                              u" لفتح الموضوع " + quoted(topic)};
    return Failure{error::ddeNoPartner,
                   u"لا يوجد تطبيق " + quoted(application) + u" يجيب على الموضوع " + quoted(topic)};
}

// Answers to an initiation arrive as sent messages; only those are taken in while waiting, so
// no call of another client runs in the middle of this one.
void RawDdeConversation::awaitLateAnswer(const Deadline& deadline) {
    for (DWORD left = deadline.remaining(); !partner_ && left != 0; left = deadline.remaining()) {
        MsgWaitForMultipleObjectsEx(0, nullptr, std::min(left, livenessPoll), QS_SENDMESSAGE, 0);
        MSG ignored;
        PeekMessageW(&ignored, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

void RawDdeConversation::terminate(const Deadline& deadline) {
    if (!partner_)
        return;
    HWND leaving = std::exchange(partner_, nullptr);
    if (!IsWindow(leaving))
        return;
    post(leaving, WM_DDE_TERMINATE, window_.get(), 0);
    // The partner's own WM_DDE_TERMINATE closes the conversation; whatever it still sends
    // before that is freed unread.
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, window_.get(), WM_DDE_FIRST, WM_DDE_LAST,
                            PM_REMOVE | PM_QS_POSTMESSAGE)) {
            if (message.message == WM_DDE_TERMINATE && sender(message) == leaving)
                return;
            handleUnanswered(message);
        }
        DWORD left = deadline.remaining();
        if (left == 0 || !IsWindow(leaving))
            return;
        MsgWaitForMultipleObjectsEx(0, nullptr, std::min(left, livenessPoll), QS_POSTMESSAGE, 0);
    }
}

// A partner that missed its time-out is left without waiting for it; what it sends later is
// freed when it arrives.
void RawDdeConversation::abandon() {
    HWND leaving = std::exchange(partner_, nullptr);
    if (IsWindow(leaving))
        post(leaving, WM_DDE_TERMINATE, window_.get(), 0);
}

Status RawDdeConversation::poke(std::u16string_view item, std::u16string_view text,
                                std::chrono::milliseconds timeout) {
    lastTimeout_ = timeout;
    Deadline deadline(timeout);
    if (!partner_)
        return Failure{error::ddeNoConversation,
                       u"لا توجد محادثة مفتوحة لإرسال البند " + quoted(item)};
    Status outcome;
    for (UINT format : candidateFormats()) {
        outcome = pokeAs(format, item, text, deadline);
        if (!outcome) {
            format_ = format;
            break;
        }
        if (outcome->number != error::ddeRefused)
            break;
    }
    return outcome;
}

Status RawDdeConversation::pokeAs(UINT format, std::u16string_view item, std::u16string_view text,
                                  const Deadline& deadline) {
    UniqueGlobal data = pokeData(format, text);
    UniqueAtom atom = addAtom(item);
    if (!data || !atom)
        return Failure{error::ddeRefused, u"تعذر تجهيز النص لإرساله إلى البند " + quoted(item)};
    LPARAM lParam = PackDDElParam(WM_DDE_POKE, reinterpret_cast<UINT_PTR>(data.get()), atom.get());
    if (!PostMessageW(partner_, WM_DDE_POKE, reinterpret_cast<WPARAM>(window_.get()), lParam)) {
        FreeDDElParam(WM_DDE_POKE, lParam);
        abandon();
        return partnerQuit();
    }
    // The item atom now belongs to the partner, which returns it in its acknowledgement.
    ATOM sent = atom.release();
    MSG reply;
    switch (awaitReply(deadline, sent, WM_DDE_ACK, reply)) {
    case Wait::answered:
        break;
    case Wait::partnerQuit:
        return partnerQuit();
    case Wait::timedOut:
        abandon();
        return timedOut(item);
    }
    WORD status = takeAck(reply);
    if (!(status & ackAccepted))
        return refusal(status, item);
    return std::nullopt;
}

Result<std::u16string> RawDdeConversation::request(std::u16string_view item,
                                                   std::chrono::milliseconds timeout) {
    lastTimeout_ = timeout;
    Deadline deadline(timeout);
    if (!partner_)
        return Failure{error::ddeNoConversation,
                       u"لا توجد محادثة مفتوحة لطلب البند " + quoted(item)};
    Result<std::u16string> outcome = Failure{};
    for (UINT format : candidateFormats()) {
        outcome = requestAs(format, item, deadline);
        if (outcome.ok()) {
            format_ = format;
            break;
        }
        if (outcome.failure().number != error::ddeRefused)
            break;
    }
    return outcome;
}

Result<std::u16string> RawDdeConversation::requestAs(UINT format, std::u16string_view item,
                                                     const Deadline& deadline) {
    UniqueAtom atom = addAtom(item);
    if (!atom)
        return Failure{error::ddeRefused, u"تعذر تجهيز طلب البند " + quoted(item)};
    if (!PostMessageW(partner_, WM_DDE_REQUEST, reinterpret_cast<WPARAM>(window_.get()),
                      MAKELPARAM(format, atom.get()))) {
        abandon();
        return partnerQuit();
    }
    ATOM sent = atom.release();
    MSG reply;
    switch (awaitReply(deadline, sent, WM_DDE_DATA, reply)) {
    case Wait::answered:
        break;
    case Wait::partnerQuit:
        return partnerQuit();
    case Wait::timedOut:
        abandon();
        return timedOut(item);
    }
    if (reply.message == WM_DDE_ACK)
        return refusal(takeAck(reply), item);
    auto text = takeData(reply, item);
    settleAfterData(deadline);
    return text;
}

Result<std::u16string> RawDdeConversation::takeData(const MSG& data, std::u16string_view item) {
    auto [handle, atom] = unpack(data);
    FreeDDElParam(WM_DDE_DATA, data.lParam);
    UniqueAtom itemAtom(atom);
    auto memory = reinterpret_cast<HGLOBAL>(handle);
    DDEDATA header{};
    std::optional<std::u16string> text;
    {
        GlobalLockGuard lock(memory);
        if (lock.size() >= dataHeaderSize) {
            auto* bytes = static_cast<const unsigned char*>(lock.data());
            std::memcpy(&header, bytes, dataHeaderSize);
            text = decodeText(static_cast<UINT>(header.cfFormat), bytes + dataHeaderSize,
                              lock.size() - dataHeaderSize);
        }
    }
    bool keep = !header.fRelease;
    if (header.fAckReq) {
        LPARAM ack = PackDDElParam(WM_DDE_ACK, text ? ackAccepted : 0, itemAtom.get());
        if (PostMessageW(partner_, WM_DDE_ACK, reinterpret_cast<WPARAM>(window_.get()), ack)) {
            itemAtom.release();
            // A refused block goes back to the partner, which frees it.
            keep = keep || !text;
        } else {
            FreeDDElParam(WM_DDE_ACK, ack);
        }
    }
    if (!keep)
        GlobalFree(memory);
    if (!text)
        return Failure{error::ddeRefused, u"أرسل التطبيق " + quoted(application_) +
                                              u" قيمة البند " + quoted(item) + u" بصيغة غير نصية"};
    return std::move(*text);
}

// Some servers follow their data with an acknowledgement that answers nothing. A round trip
// to the partner's thread guarantees that such a message has been posted, so it is freed here
// and never taken for the answer to the next transaction.
void RawDdeConversation::settleAfterData(const Deadline& deadline) {
    DWORD left = deadline.remaining();
    if (left == 0 || !partner_)
        return;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(partner_, WM_NULL, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, left, &ignored);
    drainQueue();
}

RawDdeConversation::Wait RawDdeConversation::awaitReply(const Deadline& deadline, ATOM item,
                                                        UINT expected, MSG& reply) {
    for (;;) {
        while (PeekMessageW(&reply, window_.get(), WM_DDE_FIRST, WM_DDE_LAST,
                            PM_REMOVE | PM_QS_POSTMESSAGE)) {
            if (isReply(reply, item, expected))
                return Wait::answered;
            if (handleUnanswered(reply))
                return Wait::partnerQuit;
        }
        if (!IsWindow(partner_)) {
            partner_ = nullptr;
            return Wait::partnerQuit;
        }
        DWORD left = deadline.remaining();
        if (left == 0)
            return Wait::timedOut;
        MsgWaitForMultipleObjectsEx(0, nullptr, std::min(left, livenessPoll), QS_POSTMESSAGE, 0);
    }
}

// A positive acknowledgement never answers a request: it can only be a stray.
bool RawDdeConversation::isReply(const MSG& message, ATOM item, UINT expected) const {
    if (sender(message) != partner_ ||
        (message.message != WM_DDE_ACK && message.message != WM_DDE_DATA))
        return false;
    auto [status, atom] = unpack(message);
    if (atom != item)
        return false;
    if (message.message == WM_DDE_DATA)
        return expected == WM_DDE_DATA;
    return expected == WM_DDE_ACK || !(status & ackAccepted);
}

void RawDdeConversation::drainQueue() {
    MSG message;
    while (PeekMessageW(&message, window_.get(), WM_DDE_FIRST, WM_DDE_LAST,
                        PM_REMOVE | PM_QS_POSTMESSAGE))
        handleUnanswered(message);
}

// Frees a message that answers no transaction of ours; the wait for each answer frees those
// that come before it, so a transfer needs no sweep of its own beforehand. True when it was the
// partner ending the conversation, which is then confirmed and forgotten.
bool RawDdeConversation::handleUnanswered(const MSG& message) {
    if (message.message == WM_DDE_TERMINATE && partner_ && sender(message) == partner_) {
        post(std::exchange(partner_, nullptr), WM_DDE_TERMINATE, window_.get(), 0);
        return true;
    }
    discard(message);
    return false;
}

Failure RawDdeConversation::refusal(WORD status, std::u16string_view item) const {
    if (status & ackBusy)
        return Failure{error::ddeBusy, u"التطبيق " + quoted(application_) +
                                           u" مشغول ولم ينفذ العملية على البند " + quoted(item)};
    return Failure{error::ddeRefused,
                   u"رفض التطبيق " + quoted(application_) + u" العملية على البند " + quoted(item)};
}

Failure RawDdeConversation::timedOut(std::u16string_view item) const {
    return Failure{error::ddeTimeout, u"انتهت مهلة انتظار رد التطبيق " + quoted(application_) +
                                          u" على البند " + quoted(item)};
}

Failure RawDdeConversation::partnerQuit() const {
    return Failure{error::ddePartnerQuit, u"أنهى التطبيق " + quoted(application_) +
                                              u" المحادثة على الموضوع " + quoted(topic_)};
}

} // namespace sheetpush::win32
