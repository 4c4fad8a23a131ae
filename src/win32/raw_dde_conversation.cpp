#include "win32/raw_dde_conversation.hpp"

#include "vocabulary/catalogue.hpp"
#include "vocabulary/error_numbers.hpp"
#include "win32/ansi_text.hpp"
#include "win32/dde_messages.hpp"
#include "win32/partner_wait.hpp"
#include "win32/system_failure.hpp"
#include "win32_base/boundary.hpp"
#include "win32_base/wide_text.hpp"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <cwchar>

namespace sheetpush::win32 {

class RawDdeConversation::Deadline {
public:
    explicit Deadline(std::chrono::milliseconds timeout)
        : start_(std::chrono::steady_clock::now()),
          end_(start_ + std::max(timeout, std::chrono::milliseconds(0))) {}

    // Whole milliseconds left, rounded up so that a wait never ends early.
    DWORD remaining() const {
        auto left =
            std::chrono::ceil<std::chrono::milliseconds>(end_ - std::chrono::steady_clock::now());
        return left.count() > 0 ? static_cast<DWORD>(left.count()) : 0;
    }

    // Whole milliseconds since the step began, as the trace shows them.
    std::u16string elapsed() const {
        auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start_);
        return decimalText(spent.count()) + u" ms";
    }

private:
    std::chrono::steady_clock::time_point start_;
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

constexpr std::size_t pokeHeaderSize = offsetof(DDEPOKE, Value);

constexpr wchar_t windowClass[] = L"SheetpushDdeClient";

std::u16string formatName(UINT format) {
    return format == CF_TEXT ? u"CF_TEXT" : u"CF_UNICODETEXT";
}

// A DDEACK status word as the trace shows it: its bits and what they mean.
std::u16string ackText(WORD status) {
    wchar_t bits[8];
    std::swprintf(bits, std::size(bits), L"%04X", static_cast<unsigned>(status));
    const char16_t* meaning = (status & ackAccepted) ? u" (accepted)"
                              : (status & ackBusy)   ? u" (busy)"
                                                     : u" (refused)";
    return u"ack 0x" + utf16(bits) + meaning;
}

UniqueAtom addAtom(std::u16string_view name) {
    return UniqueAtom(GlobalAddAtomW(wide(name).c_str()));
}

// DDE matches names through global atoms, which compare as the system's ordinal comparison
// without regard to case does; this one asks no other process.
bool sameName(std::u16string_view a, std::u16string_view b) {
    return CompareStringOrdinal(reinterpret_cast<const wchar_t*>(a.data()),
                                static_cast<int>(a.size()),
                                reinterpret_cast<const wchar_t*>(b.data()),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

std::u16string atomName(ATOM atom) {
    wchar_t name[256] = {};
    return utf16({name, GlobalGetAtomNameW(atom, name, 256)});
}

// The sheet as asked, or qualified by a workbook as in "[Book1.xlsx]Sheet1"; a sheet's name
// cannot hold a bracket, so the last one ends the workbook's.
bool namesSheet(std::u16string_view topic, std::u16string_view sheet) {
    if (sameName(topic, sheet))
        return true;
    const auto bracket = topic.rfind(u']');
    return topic.starts_with(u'[') && bracket != std::u16string_view::npos &&
           sameName(topic.substr(bracket + 1), sheet);
}

void post(HWND to, UINT message, HWND from, LPARAM lParam) {
    PostMessageW(to, message, reinterpret_cast<WPARAM>(from), lParam);
}

// Out of memory, the list ends where it is and the initiation asks fewer windows.
BOOL CALLBACK collectWindow(HWND window, LPARAM list) {
    return guarded<BOOL>(
        [&] {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        FALSE, FALSE);
}

DWORD processOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

HWND sender(const MSG& message) {
    return reinterpret_cast<HWND>(message.wParam);
}

// The bytes of the text in format, without the NUL that ends them; nothing when CF_TEXT cannot
// carry the text exactly.
std::optional<std::string> textBytes(UINT format, std::u16string_view text) {
    if (format == CF_TEXT)
        return exactAnsi(text);
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t));
}

UniqueGlobal pokeData(UINT format, const std::string& text) {
    const std::size_t terminator = format == CF_TEXT ? 1 : sizeof(char16_t);
    const std::size_t size = text.size() + terminator;
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
    std::memcpy(target + pokeHeaderSize, text.data(), text.size());
    std::memset(target + pokeHeaderSize + text.size(), 0, terminator);
    return memory;
}

// Frees whatever a DDE message that answers nothing of ours carries, as its receiver must.
void discard(const MSG& message) {
    if (message.message == WM_DDE_ACK)
        takeAck(message);
    else if (message.message == WM_DDE_DATA)
        DdeDataMessage(message).settle(false);
}

} // namespace

RawDdeConversation::~RawDdeConversation() {
    if (!window_)
        return;
    PartnerWait waiting;
    terminate(Deadline(std::min(lastTimeout_, farewellLimit)));
    drainQueue();
}

LRESULT RawDdeConversation::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message < WM_DDE_FIRST || message > WM_DDE_LAST)
        return DefWindowProcW(window_.get(), message, wParam, lParam);
    // Servers answer an initiation with a sent acknowledgement; everything else is posted and
    // reaches here only through someone else's message loop, between our transfers.
    if (message == WM_DDE_ACK && InSendMessage()) {
        onInitiateAck(reinterpret_cast<HWND>(wParam), lParam);
        return 0;
    }
    handleUnanswered(MSG{window_.get(), message, wParam, lParam, 0, {}});
    return 0;
}

// An acknowledgement sent from a process that no send of ours is asking is no answer: it is left
// alone, its parameter unread, since its halves may be anything but atoms of ours to free. Of
// the answers, only the first to the question being asked gets the conversation. Any other
// is told it is over: a second server, one that names another application or sheet, or one
// that answers an earlier initiation only now, when this one may be for another sheet. While
// the question's own atoms are held, a server that names the same application and topic, in
// any letter case, answers with those very atoms; a sheet may also be named qualified by its
// workbook.
void RawDdeConversation::onInitiateAck(HWND server, LPARAM atoms) {
    if (!isAsking(server))
        return;
    UniqueAtom application(LOWORD(atoms));
    UniqueAtom topic(HIWORD(atoms));
    const bool taken =
        question_ && !partner_ && application.get() == question_->application &&
        (topic.get() == question_->topic || namesSheet(atomName(topic.get()), topic_));
    trace_([&] {
        return u"dde answer from process " + decimalText(processOf(server)) + u": " +
               text::quoted(atomName(application.get())) + u" " +
               text::quoted(atomName(topic.get())) + (taken ? u", taken" : u", told it is over");
    });
    if (taken)
        partner_ = server;
    else
        post(server, WM_DDE_TERMINATE, window_.get(), 0);
}

// The process being asked right now, and every process re-asked without a wait, whose answer
// may come at any time.
bool RawDdeConversation::isAsking(HWND server) const {
    DWORD process = processOf(server);
    return process != 0 && (process == asked_ || std::find(latecomers_.begin(), latecomers_.end(),
                                                           process) != latecomers_.end());
}

bool RawDdeConversation::ensureWindow() {
    if (window_)
        return true;
    window_ = makeMessageWindow(windowClass, *this);
    return static_cast<bool>(window_);
}

Status RawDdeConversation::connect(std::u16string_view application, std::u16string_view topic,
                                   std::chrono::milliseconds timeout) {
    lastTimeout_ = timeout;
    Deadline deadline(timeout);
    PartnerWait waiting;
    if (!ensureWindow())
        return systemFailure(trace_, u"CreateWindowExW, the DDE conversation's window",
                             error::ddeNoConversation(text::noConversationWindow(application)),
                             GetLastError());
    drainQueue();
    if (partner_ && IsWindow(partner_) && isFor(application, topic)) {
        // Failures name the application and the sheet as the latest call spelled them.
        application_ = application;
        topic_ = topic;
        trace_([&] {
            return u"dde conversation kept: " + text::quoted(application) + u" " +
                   text::quoted(topic);
        });
        return {};
    }
    terminate(deadline);
    return traced(u"initiate", topic, initiate(application, topic, deadline), deadline);
}

bool RawDdeConversation::isFor(std::u16string_view application, std::u16string_view topic) const {
    return sameName(application_, application) && sameName(topic_, topic);
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
        return error::ddeNoPartner(text::unfitName(applicationAtom ? topic : application));
    std::vector<HWND> windows;
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&windows));
    trace_([&] {
        return u"dde initiate " + text::quoted(application) + u" " + text::quoted(topic) +
               u", asking " + decimalText(std::ssize(windows)) + u" windows";
    });
    // Each window gets only a short wait of its own, so that one that hangs on the question
    // delays nobody else's answer, and a window that has taken no message for seconds is not
    // asked at all: it may never answer. Only a window that was not done in time is asked once
    // more, without a wait, since the system may drop a question that was not taken in time; its
    // late answer is collected until the time-out. A window that refused the question at once
    // (one of a higher integrity level does) has no answer to give.
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
        if (!IsHungAppWindow(window) && askTimedOut(window, question, std::min(left, answerWait)))
            answersPending = true;
    }
    if (answersPending)
        awaitLateAnswer(deadline);
    question_.reset();
    if (partner_) {
        trace_([&] { return u"dde initiate answered after " + deadline.elapsed(); });
        return {};
    }
    if (answersPending)
        return error::ddeTimeout(text::initiateTimedOut(application, topic));
    return error::ddeNoPartner(text::noPartner(application, topic));
}

// Asks one window, waiting at most wait; true when it was not done in time and is asked again.
bool RawDdeConversation::askTimedOut(HWND window, LPARAM question, DWORD wait) {
    asked_ = processOf(window);
    DWORD_PTR ignored = 0;
    bool done =
        SendMessageTimeoutW(window, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(window_.get()),
                            question, SMTO_NORMAL, wait, &ignored) != 0;
    bool timedOut = !done && GetLastError() == ERROR_TIMEOUT;
    if (timedOut && std::find(latecomers_.begin(), latecomers_.end(), asked_) == latecomers_.end())
        latecomers_.push_back(asked_);
    asked_ = 0;
    if (!timedOut)
        return false;
    SendNotifyMessageW(window, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(window_.get()), question);
    return true;
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
    trace_([&] {
        return u"dde terminate " + text::quoted(application_) + u" " + text::quoted(topic_);
    });
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

// Text goes in the format the conversation settled on, or in each until the partner takes one;
// only a refusal is worth asking again in the next format.
template <class Attempt>
auto RawDdeConversation::inTextFormats(Attempt attempt) -> decltype(attempt(UINT{})) {
    const std::vector<UINT> formats =
        format_ ? std::vector<UINT>{*format_} : std::vector<UINT>{CF_UNICODETEXT, CF_TEXT};
    for (std::size_t at = 0;; ++at) {
        auto outcome = attempt(formats[at]);
        if (outcome.ok())
            format_ = formats[at];
        if (outcome.ok() || outcome.failure().number != error::ddeRefused ||
            at + 1 == formats.size())
            return outcome;
    }
}

Status RawDdeConversation::pokePart(std::u16string_view item, std::u16string_view part,
                                    std::u16string_view whole, std::chrono::milliseconds timeout) {
    lastTimeout_ = timeout;
    Deadline deadline(timeout);
    PartnerWait waiting;
    if (!partner_)
        return error::ddeNoConversation(text::noConversationToPoke(item));
    return traced(u"poke", item, inTextFormats([&](UINT format) {
                      return pokeAs(format, item, part, whole, deadline);
                  }),
                  deadline);
}

// The parts that follow go in the format this one settles on, so it goes in CF_TEXT only when
// the code page carries all of whole; the conversion of the text itself checks a part that is
// the whole.
Status RawDdeConversation::pokeAs(UINT format, std::u16string_view item, std::u16string_view text,
                                  std::u16string_view whole, const Deadline& deadline) {
    if (format == CF_TEXT && whole.size() > text.size() && !exactAnsi(whole))
        return uncarried(item);
    auto bytes = textBytes(format, text);
    if (!bytes)
        return uncarried(item);
    UniqueGlobal data = pokeData(format, *bytes);
    UniqueAtom atom = addAtom(item);
    if (!data || !atom)
        return systemFailure(
            trace_, data ? u"GlobalAddAtomW, a poke's item" : u"GlobalAlloc, a poke's data",
            error::ddeRefused(text::pokeNotReady(item)), GetLastError());
    LPARAM lParam = PackDDElParam(WM_DDE_POKE, reinterpret_cast<UINT_PTR>(data.get()), atom.get());
    auto reply = exchange(WM_DDE_POKE, lParam, std::move(atom), WM_DDE_ACK, item, deadline);
    if (!reply.ok())
        return reply.failure();
    WORD status = takeAck(reply.value());
    traceExchange(u"poke", item, format, deadline, [&] {
        return u", " + decimalText(std::ssize(*bytes)) + u" bytes: " + ackText(status);
    });
    if (!(status & ackAccepted))
        return refusal(status, item);
    return {};
}

Result<std::u16string> RawDdeConversation::request(std::u16string_view item,
                                                   std::chrono::milliseconds timeout) {
    lastTimeout_ = timeout;
    Deadline deadline(timeout);
    PartnerWait waiting;
    if (!partner_)
        return error::ddeNoConversation(text::noConversationToRequest(item));
    return traced(u"request", item,
                  inTextFormats([&](UINT format) { return requestAs(format, item, deadline); }),
                  deadline);
}

Result<std::u16string> RawDdeConversation::requestAs(UINT format, std::u16string_view item,
                                                     const Deadline& deadline) {
    UniqueAtom atom = addAtom(item);
    if (!atom)
        return systemFailure(trace_, u"GlobalAddAtomW, a request's item",
                             error::ddeRefused(text::requestNotReady(item)), GetLastError());
    LPARAM lParam = MAKELPARAM(format, atom.get());
    auto reply = exchange(WM_DDE_REQUEST, lParam, std::move(atom), WM_DDE_DATA, item, deadline);
    if (!reply.ok())
        return reply.failure();
    if (reply.value().message == WM_DDE_ACK) {
        WORD status = takeAck(reply.value());
        traceExchange(u"request", item, format, deadline, [&] { return u": " + ackText(status); });
        return refusal(status, item);
    }
    DdeDataMessage data(reply.value());
    auto text = data.text();
    traceExchange(u"request", item, format, deadline, [&] {
        return u": data of " +
               (text ? decimalText(std::ssize(*text)) + u" characters" : u"no text format");
    });
    data.settle(text.has_value());
    settleAfterData(deadline);
    if (!text)
        return error::ddeRefused(text::notText(application_, item));
    return std::move(*text);
}

// Posts one transaction to the partner, its item's atom handed over with it, and waits for the
// answer. When the partner cannot be reached, or does not answer in time, it is left.
Result<MSG> RawDdeConversation::exchange(UINT message, LPARAM lParam, UniqueAtom item,
                                         UINT expected, std::u16string_view itemName,
                                         const Deadline& deadline) {
    if (!PostMessageW(partner_, message, reinterpret_cast<WPARAM>(window_.get()), lParam)) {
        const DWORD code = GetLastError();
        FreeDDElParam(message, lParam);
        abandon();
        return systemFailure(trace_, u"PostMessageW, a transaction to the partner", partnerQuit(),
                             code);
    }
    ATOM sent = item.detach();
    MSG reply;
    switch (awaitReply(deadline, sent, expected, reply)) {
    case Wait::answered:
        return reply;
    case Wait::timedOut:
        abandon();
        return timedOut(itemName);
    case Wait::partnerQuit:
        break;
    }
    return partnerQuit();
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
    UINT_PTR status = 0;
    UINT_PTR atom = 0;
    UnpackDDElParam(message.message, message.lParam, &status, &atom);
    if (static_cast<ATOM>(atom) != item)
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

// One exchange with the partner as the trace shows it: the step, its item and format, what came
// of it, which outcome describes from its own separator on, and when.
template <class Describe>
void RawDdeConversation::traceExchange(std::u16string_view step, std::u16string_view item,
                                       UINT format, const Deadline& deadline,
                                       Describe outcome) const {
    trace_([&] {
        return u"dde " + std::u16string(step) + u" " + text::quoted(item) + u" " +
               formatName(format) + outcome() + u" after " + deadline.elapsed();
    });
}

// A failed step goes to the trace with its description, which names the application, the sheet
// or the item.
template <class Outcome>
Outcome RawDdeConversation::traced(std::u16string_view step, std::u16string_view name,
                                   Outcome outcome, const Deadline& deadline) const {
    if (!outcome.ok())
        trace_([&] {
            return u"dde " + std::u16string(step) + u" " + text::quoted(name) + u" failed after " +
                   deadline.elapsed() + u": " + outcome.failure().description;
        });
    return outcome;
}

Failure RawDdeConversation::refusal(WORD status, std::u16string_view item) const {
    if (status & ackBusy)
        return error::ddeBusy(text::busy(application_, item));
    return error::ddeRefused(text::refused(application_, item));
}

// A text that CF_TEXT cannot carry is not sent. Until the conversation has settled on CF_TEXT,
// the partner has only refused the text in Unicode, which may have been a refusal of the item
// rather than of the format, and so it stays a refusal.
Failure RawDdeConversation::uncarried(std::u16string_view item) const {
    if (format_)
        return error::invalidArgument(text::ansiOnly(application_));
    return error::ddeRefused(text::unicodeRefused(application_, item));
}

Failure RawDdeConversation::timedOut(std::u16string_view item) const {
    return error::ddeTimeout(text::answerTimedOut(application_, item));
}

Failure RawDdeConversation::partnerQuit() const {
    return error::ddePartnerQuit(text::partnerQuit(application_, topic_));
}

} // namespace sheetpush::win32
