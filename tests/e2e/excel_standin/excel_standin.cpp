// A DDE server that behaves on the wire the way Excel is documented to for cell pokes and
// requests: service "Excel", one topic per sheet, items in R1C1 notation. A poke into one cell
// keeps what stands before the first TAB, CR or LF and acknowledges the whole; a block item
// ("R2C3:R4C6") takes its text spread over the block, TAB between cells and CR LF between rows,
// and a request for it answers in the same form, every row ended by CR LF as a cell's value is.
// It exists only for the end-to-end tests and the benchmark, and is written on the raw DDE
// messages, independent of the client code.

#include "standin_options.hpp"
#include "support/text.hpp"
#include "transaction_log.hpp"
#include "win32_base/raii.hpp"

#include <dde.h>
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace standin {

namespace {

constexpr WORD ackAccepted = 0x8000;
constexpr WORD ackBusy = 0x4000;
constexpr std::size_t dataHeaderSize = offsetof(DDEDATA, Value);
constexpr std::size_t pokeHeaderSize = offsetof(DDEPOKE, Value);
constexpr wchar_t serviceName[] = L"Excel";
constexpr wchar_t mainClass[] = L"SheetpushExcelStandin";
constexpr wchar_t conversationClass[] = L"SheetpushExcelStandinConversation";

struct Conversation {
    HWND client = nullptr;
    std::wstring topic;
    std::wstring id;
};

struct Server {
    Options options;
    std::unique_ptr<TransactionLog> log;
    std::map<std::wstring, std::wstring> cells;
    std::map<HWND, Conversation> conversations;
    unsigned transactions = 0;
    unsigned conversationsOpened = 0;
};

Server* server = nullptr;

std::wstring atomName(ATOM atom) {
    wchar_t name[256] = {};
    UINT length = GlobalGetAtomNameW(atom, name, 256);
    return std::wstring(name, length);
}

bool sameName(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

std::wstring formatName(UINT format) {
    if (format == CF_TEXT)
        return L"CF_TEXT";
    if (format == CF_UNICODETEXT)
        return L"CF_UNICODETEXT";
    return std::to_wstring(format);
}

bool sameLetter(wchar_t a, wchar_t b) {
    return std::towupper(a) == std::towupper(b);
}

// A block of cells by its rows and columns, counted from 1; one cell is a block of one.
struct Block {
    unsigned long top;
    unsigned long left;
    unsigned long bottom;
    unsigned long right;
};

// "<row letter><row><column letter><column>" in the stand-in's letters, in either case, with the
// row in 1..1048576 and the column in 1..16384, as Excel's sheets have; nothing for anything
// Excel would refuse. It is taken off the front of item.
std::optional<std::pair<unsigned long, unsigned long>> takeCell(std::wstring_view& item) {
    auto number = [&](unsigned long limit) -> std::optional<unsigned long> {
        std::size_t digits = 0;
        unsigned long value = 0;
        for (;
             digits < item.size() && item[digits] >= L'0' && item[digits] <= L'9' && value <= limit;
             ++digits)
            value = value * 10 + static_cast<unsigned long>(item[digits] - L'0');
        if (digits == 0 || value < 1 || value > limit)
            return std::nullopt;
        item.remove_prefix(digits);
        return value;
    };
    auto letter = [&](wchar_t wanted) {
        if (item.empty() || !sameLetter(item[0], wanted))
            return false;
        item.remove_prefix(1);
        return true;
    };
    const auto& letters = server->options.letters;
    if (!letter(letters[0]))
        return std::nullopt;
    auto row = number(1048576);
    if (!row || !letter(letters[1]))
        return std::nullopt;
    auto column = number(16384);
    if (!column)
        return std::nullopt;
    return std::pair{*row, *column};
}

// A cell, or two cells with a colon between them for the block they span.
std::optional<Block> blockNamed(std::wstring_view item) {
    auto first = takeCell(item);
    if (!first)
        return std::nullopt;
    auto last = first;
    if (!item.empty()) {
        if (item[0] != L':')
            return std::nullopt;
        item.remove_prefix(1);
        last = takeCell(item);
        if (!last || !item.empty())
            return std::nullopt;
    }
    return Block{std::min(first->first, last->first), std::min(first->second, last->second),
                 std::max(first->first, last->first), std::max(first->second, last->second)};
}

// The same cell whatever letters or form of the sheet's name named it.
std::wstring cellKey(const std::wstring& sheet, unsigned long row, unsigned long column) {
    return sheet + L"!R" + std::to_wstring(row) + L"C" + std::to_wstring(column);
}

// The block's values, each row's cells TAB-separated and each row ended by CR LF.
std::wstring blockText(const std::wstring& sheet, const Block& block) {
    std::wstring text;
    for (auto row = block.top; row <= block.bottom; ++row) {
        for (auto column = block.left; column <= block.right; ++column) {
            if (column != block.left)
                text += L'\t';
            text += server->cells[cellKey(sheet, row, column)];
        }
        text += L"\r\n";
    }
    return text;
}

// A block's text as the log shows it: without the line end of its last row.
std::wstring logged(std::wstring text) {
    if (text.ends_with(L"\r\n"))
        text.resize(text.size() - 2);
    return text;
}

// Spreads text over the block from its top left: rows end at CR LF, or at a CR or LF alone, and
// cells at a TAB; what falls outside the block is lost, as it is in a one-cell item.
void spread(const std::wstring& sheet, const Block& block, std::wstring_view text) {
    auto row = block.top;
    auto column = block.left;
    std::wstring value;
    auto store = [&] {
        if (row <= block.bottom && column <= block.right)
            server->cells[cellKey(sheet, row, column)] = value;
        value.clear();
    };
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == L'\t') {
            store();
            ++column;
        } else if (text[at] == L'\r' || text[at] == L'\n') {
            if (text[at] == L'\r' && at + 1 < text.size() && text[at + 1] == L'\n')
                ++at;
            store();
            ++row;
            column = block.left;
        } else {
            value += text[at];
        }
    }
    // A text that ends a row has no cell after it.
    if (!value.empty() || column != block.left || row == block.top)
        store();
}

bool acceptsFormat(UINT format) {
    return format == CF_TEXT || (format == CF_UNICODETEXT && !server->options.textOnly);
}

std::optional<std::wstring> decodeValue(UINT format, const unsigned char* value, std::size_t size) {
    if (format == CF_UNICODETEXT) {
        std::wstring text(size / sizeof(wchar_t), L'\0');
        std::memcpy(text.data(), value, text.size() * sizeof(wchar_t));
        return text.substr(0, text.find(L'\0'));
    }
    if (format != CF_TEXT)
        return std::nullopt;
    auto* chars = reinterpret_cast<const char*>(value);
    return e2e::fromAnsi({chars, strnlen(chars, size)});
}

sheetpush::win32::UniqueGlobal replyData(UINT format, const std::wstring& text) {
    std::string ansi = e2e::ansi(text);
    const void* bytes = format == CF_TEXT ? static_cast<const void*>(ansi.c_str()) : text.c_str();
    std::size_t size = format == CF_TEXT ? ansi.size() + 1 : (text.size() + 1) * sizeof(wchar_t);
    sheetpush::win32::UniqueGlobal memory(
        GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, dataHeaderSize + size));
    sheetpush::win32::GlobalLockGuard lock(memory.get());
    if (!lock.data())
        return {};
    DDEDATA header{};
    header.fResponse = 1;
    header.fRelease = 1;
    header.fAckReq = server->options.ackReq;
    header.cfFormat = static_cast<short>(format);
    auto* target = static_cast<unsigned char*>(lock.data());
    std::memcpy(target, &header, dataHeaderSize);
    std::memcpy(target + dataHeaderSize, bytes, size);
    return memory;
}

void logEntry(const Conversation& conversation, const wchar_t* kind, const std::wstring& item,
              const std::wstring& format, const wchar_t* outcome, const std::wstring& text) {
    if (server->log)
        server->log->write(
            {conversation.id, kind, conversation.topic, item, format, outcome, text});
}

void postAck(HWND from, const Conversation& conversation, WORD status, ATOM item, LPARAM reused,
             UINT receivedMessage) {
    LPARAM lParam = receivedMessage == WM_DDE_REQUEST
                        ? PackDDElParam(WM_DDE_ACK, status, item)
                        : ReuseDDElParam(reused, receivedMessage, WM_DDE_ACK, status, item);
    if (!PostMessageW(conversation.client, WM_DDE_ACK, reinterpret_cast<WPARAM>(from), lParam)) {
        FreeDDElParam(WM_DDE_ACK, lParam);
        GlobalDeleteAtom(item);
    }
}

// Counts a transaction and applies the fault modes; past the last one it vanishes at once,
// without ending its conversations, as a crashing Excel would.
void beginTransaction() {
    if (server->options.stopAfter && server->transactions >= *server->options.stopAfter)
        ExitProcess(0);
    ++server->transactions;
    if (server->options.delayMs)
        Sleep(server->options.delayMs);
}

const wchar_t* refusalOutcome() {
    return server->options.busy ? L"busy" : L"nack";
}

WORD refusalStatus() {
    return server->options.busy ? ackBusy : 0;
}

void onPoke(HWND window, Conversation& conversation, LPARAM lParam) {
    UINT_PTR handle = 0;
    UINT_PTR atom = 0;
    UnpackDDElParam(WM_DDE_POKE, lParam, &handle, &atom);
    beginTransaction();
    auto memory = reinterpret_cast<HGLOBAL>(handle);
    auto item = atomName(static_cast<ATOM>(atom));
    DDEPOKE header{};
    std::optional<std::wstring> text;
    {
        sheetpush::win32::GlobalLockGuard lock(memory);
        if (lock.size() >= pokeHeaderSize) {
            auto* bytes = static_cast<const unsigned char*>(lock.data());
            std::memcpy(&header, bytes, pokeHeaderSize);
            text = decodeValue(static_cast<UINT>(header.cfFormat), bytes + pokeHeaderSize,
                               lock.size() - pokeHeaderSize);
        }
    }
    auto format = static_cast<UINT>(header.cfFormat);
    auto block = blockNamed(item);
    const auto& locked = server->options.lockedFrom;
    bool accepted = block && text && acceptsFormat(format) && !server->options.busy &&
                    !server->options.refusePokes && !(locked && block->bottom >= *locked);
    // What the block kept is logged; a refused text as it came.
    std::wstring kept = text.value_or(L"");
    if (accepted) {
        spread(conversation.topic, *block, *text);
        kept = logged(blockText(conversation.topic, *block));
        if (header.fRelease)
            GlobalFree(memory);
    }
    logEntry(conversation, L"poke", item, formatName(format), accepted ? L"ok" : refusalOutcome(),
             kept);
    postAck(window, conversation, accepted ? ackAccepted : refusalStatus(), static_cast<ATOM>(atom),
            lParam, WM_DDE_POKE);
}

void onRequest(HWND window, Conversation& conversation, LPARAM lParam) {
    auto format = static_cast<UINT>(LOWORD(lParam));
    auto atom = static_cast<ATOM>(HIWORD(lParam));
    beginTransaction();
    auto item = atomName(atom);
    auto block = blockNamed(item);
    bool accepted = block && acceptsFormat(format) && !server->options.busy;
    std::wstring value = accepted ? blockText(conversation.topic, *block) : L"";
    logEntry(conversation, L"request", item, formatName(format),
             accepted ? L"ok" : refusalOutcome(), logged(value));
    if (!accepted) {
        postAck(window, conversation, refusalStatus(), atom, 0, WM_DDE_REQUEST);
        return;
    }
    auto data = replyData(format, value);
    LPARAM packed = PackDDElParam(WM_DDE_DATA, reinterpret_cast<UINT_PTR>(data.get()), atom);
    if (!PostMessageW(conversation.client, WM_DDE_DATA, reinterpret_cast<WPARAM>(window), packed)) {
        FreeDDElParam(WM_DDE_DATA, packed);
        GlobalDeleteAtom(atom);
        return;
    }
    data.detach();
    if (server->options.strayAck)
        postAck(window, conversation, ackAccepted, GlobalAddAtomW(item.c_str()), 0, WM_DDE_REQUEST);
}

// Whatever a client acknowledges or sends that a sheet does not serve is freed and refused.
void onOther(HWND window, Conversation& conversation, UINT message, LPARAM lParam) {
    UINT_PTR low = 0;
    UINT_PTR high = 0;
    if (message == WM_DDE_ACK) {
        UnpackDDElParam(WM_DDE_ACK, lParam, &low, &high);
        FreeDDElParam(WM_DDE_ACK, lParam);
        logEntry(conversation, L"ack", atomName(static_cast<ATOM>(high)), L"",
                 low & ackAccepted ? L"ok" : L"nack", L"");
        GlobalDeleteAtom(static_cast<ATOM>(high));
    } else if (message == WM_DDE_ADVISE) {
        UnpackDDElParam(WM_DDE_ADVISE, lParam, &low, &high);
        postAck(window, conversation, 0, static_cast<ATOM>(high), lParam, WM_DDE_ADVISE);
    } else if (message == WM_DDE_UNADVISE) {
        postAck(window, conversation, 0, static_cast<ATOM>(HIWORD(lParam)), 0, WM_DDE_REQUEST);
    }
}

LRESULT CALLBACK conversationProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto found = server->conversations.find(window);
    if (found == server->conversations.end() || message < WM_DDE_FIRST || message > WM_DDE_LAST ||
        reinterpret_cast<HWND>(wParam) != found->second.client)
        return DefWindowProcW(window, message, wParam, lParam);
    Conversation& conversation = found->second;
    switch (message) {
    case WM_DDE_POKE:
        onPoke(window, conversation, lParam);
        break;
    case WM_DDE_REQUEST:
        onRequest(window, conversation, lParam);
        break;
    case WM_DDE_TERMINATE:
        logEntry(conversation, L"terminate", L"", L"", L"ok", L"");
        PostMessageW(conversation.client, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(window), 0);
        server->conversations.erase(found);
        DestroyWindow(window);
        break;
    default:
        onOther(window, conversation, message, lParam);
    }
    return 0;
}

// The topic a sheet is answered with: its name, or with /qualified its name behind the
// workbook's.
std::wstring answeredTopic(const std::wstring& sheet) {
    const auto& workbook = server->options.qualifiedBy;
    return workbook ? L"[" + *workbook + L"]" + sheet : sheet;
}

void openConversation(HWND client, const std::wstring& topic) {
    HWND window = CreateWindowExW(0, conversationClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (!window)
        return;
    Conversation conversation{client, topic,
                              std::to_wstring(GetCurrentProcessId()) + L"." +
                                  std::to_wstring(++server->conversationsOpened)};
    server->conversations[window] = conversation;
    logEntry(conversation, L"connect", L"", L"", L"ok", L"");
    SendMessageW(
        client, WM_DDE_ACK, reinterpret_cast<WPARAM>(window),
        MAKELPARAM(GlobalAddAtomW(serviceName), GlobalAddAtomW(answeredTopic(topic).c_str())));
}

// The client owns the atoms of its initiation; a zero atom asks for any service or topic.
void onInitiate(HWND client, LPARAM lParam) {
    Sleep(server->options.initiateDelayMs);
    ATOM service = LOWORD(lParam);
    ATOM topic = HIWORD(lParam);
    if (service && !sameName(atomName(service), serviceName))
        return;
    std::wstring asked = topic ? atomName(topic) : L"";
    if (server->options.anyTopic) {
        openConversation(client, server->options.sheets.front());
        return;
    }
    bool served = false;
    for (const auto& sheet : server->options.sheets) {
        if (topic && !sameName(asked, sheet) && !sameName(asked, answeredTopic(sheet)))
            continue;
        served = true;
        openConversation(client, sheet);
    }
    if (!served)
        logEntry({client, asked, L"-"}, L"refuse-topic", L"", L"", L"nack", L"");
}

LRESULT CALLBACK mainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DDE_INITIATE) {
        onInitiate(reinterpret_cast<HWND>(wParam), lParam);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool registerClass(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = name;
    return RegisterClassExW(&windowClass) != 0;
}

int run(const std::vector<std::wstring>& arguments) {
    Server state;
    server = &state;
    state.options = parseOptions(arguments);
    state.log = std::make_unique<TransactionLog>(state.options.logPath);
    if (!registerClass(mainClass, mainProcedure) ||
        !registerClass(conversationClass, conversationProcedure))
        return 1;
    // A hidden top-level window: only such windows hear an initiation.
    sheetpush::win32::UniqueWindow main(CreateWindowExW(0, mainClass, L"Excel", WS_POPUP, 0, 0, 0,
                                                        0, nullptr, nullptr,
                                                        GetModuleHandleW(nullptr), nullptr));
    if (!main)
        return 1;
    std::wstring process = std::to_wstring(GetCurrentProcessId());
    if (state.options.workbook)
        state.log->write({process, L"commandline", L"", L"", L"", L"", GetCommandLineW()});
    state.log->write({process, L"ready", L"", L"", L"", L"", L""});
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}

} // namespace

} // namespace standin

int wmain(int argc, wchar_t** argv) {
    return standin::run({argv + 1, argv + argc});
}
