// Drives the link window's send and request, and the DDE conversation beneath them, against the
// Excel stand-in with the real Windows seams. One scenario per run:
//
//   E2eDriver.exe <scenario> <work folder> [sheet]
//
// Every message box the scenario shows is also written, in UTF-8, to <work folder>\shown<i>.txt
// so that the calling script can compare it with what the closer read off the screen.

#include "test_platform.hpp"

#include "support/checks.hpp"
#include "support/files.hpp"
#include "support/standin_log.hpp"
#include "support/text.hpp"
#include "vocabulary/error_numbers.hpp"
#include "win32/raw_dde_conversation.hpp"
#include "win32_base/wide_text.hpp"
#include "window/link_window.hpp"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace e2e {

namespace {

using sheetpush::Failure;
using sheetpush::LinkWindow;
using sheetpush::win32::RawDdeConversation;
namespace error = sheetpush::error;
using namespace std::chrono_literals;

constexpr char16_t fixedPrompt[] = u"فشلت عملية الربط ، تأكد من تواجد الهدف";
constexpr char16_t messageTitle[] = u"الربط مع الأكسل";
constexpr char16_t arabicSheet[] = u"ورقة1";

std::u16string refused(std::u16string_view item) {
    return u"رفض التطبيق «Excel» العملية على البند «" + std::u16string(item) + u"»";
}

struct Context {
    Checks checks;
    TestPlatform platform;
    std::wstring folder;
    std::u16string sheet;
};

struct Cell {
    std::u16string row;
    std::u16string column;
    std::u16string text;
};

void place(LinkWindow& window, std::u16string_view sheet, const Cell& cell) {
    window.sheet.setText(std::u16string(sheet));
    window.row.setText(cell.row);
    window.column.setText(cell.column);
}

std::string named(std::string_view what, const Cell& cell) {
    return std::string(what) + " R" + utf8(cell.row) + "C" + utf8(cell.column);
}

// The link window's two operations, for the checks below to run.
std::function<bool()> send(LinkWindow& window) {
    return [&window] { return window.send(); };
}

std::function<bool()> request(LinkWindow& window) {
    return [&window] { return window.request(); };
}

// One operation that must fail: False, exactly one new message, and that message is the fixed
// prompt, a carriage return and the description (exactly the one given, when one is given).
void expectFailure(Context& context, const std::function<bool()>& operation, std::string_view what,
                   const std::optional<std::u16string>& description) {
    auto before = context.platform.shown().size();
    context.checks.expect(!operation(), std::string(what) + ": returns False");
    const auto& shown = context.platform.shown();
    context.checks.equal(shown.size(), before + 1, std::string(what) + ": one message");
    if (shown.size() != before + 1)
        return;
    const auto& message = shown.back();
    std::u16string lead = std::u16string(fixedPrompt) + u"\r";
    context.checks.expect(message.prompt.starts_with(lead) && message.prompt.size() > lead.size(),
                          std::string(what) + ": prompt is the fixed text, CR, a description");
    if (description)
        context.checks.equal(message.prompt, lead + *description,
                             std::string(what) + ": description");
    context.checks.equal(message.title, messageTitle, std::string(what) + ": title");
    context.checks.equal(message.flags, 0x180040u, std::string(what) + ": right-to-left flags");
}

void expectSuccess(Context& context, const std::function<bool()>& operation,
                   std::string_view what) {
    auto before = context.platform.shown().size();
    context.checks.expect(operation(), std::string(what) + ": returns True");
    context.checks.equal(context.platform.shown().size(), before,
                         std::string(what) + ": no message");
}

// Poke then request, Arabic text included, with no other posted message run in between. The
// texts fit the Arabic ANSI code page, so that a CF_TEXT partner can carry them too.
void roundTrip(Context& context) {
    LinkWindow window(context.platform);
    const std::vector<Cell> cells = {
        {u"3", u"2", u"مرحبا بالعالم 123"},
        {u"4", u"1", u""},
        {u"1048576", u"16384", u"آخر خلية"},
        {u" 7 ", u"&H3", u"نص؛ آخر"},
    };
    context.platform.postMarker();
    for (const auto& cell : cells) {
        place(window, context.sheet, cell);
        window.cellText.setText(cell.text);
        expectSuccess(context, send(window), named("send", cell));
        context.checks.equal(window.cellText.text(), cell.text,
                             named("send keeps the cell text", cell));
    }
    for (const auto& cell : cells) {
        place(window, context.sheet, cell);
        window.cellText.setText(u"قديم");
        expectSuccess(context, request(window), named("request", cell));
        context.checks.equal(window.cellText.text(), cell.text + u"\r\n",
                             named("request gives the reply as sent", cell));
    }
    // The cell text holds the last cell's text as the request gave it, line end and all.
    place(window, context.sheet, {u"5", u"5", u""});
    expectSuccess(context, send(window), "send of a text as request gave it");
    expectSuccess(context, request(window), "request of the text written back");
    context.checks.equal(window.cellText.text(), cells.back().text + u"\r\n",
                         "the text written back arrived without the line end it was read with");
    context.checks.expect(!context.platform.markerDispatched(),
                          "no other posted message ran during the transfers");
    context.platform.pumpMessages();
    context.checks.expect(context.platform.markerDispatched(), "the thread's messages still run");
}

// A send that must fail before anything reaches the stand-in: its log gains nothing.
void expectUnsent(Context& context, LinkWindow& window, std::string_view what,
                  const std::u16string& description) {
    const auto log = context.folder + L"\\standin.log";
    const auto logged = standinEvents(log).size();
    expectFailure(context, send(window), what, description);
    context.checks.equal(standinEvents(log).size(), logged,
                         std::string(what) + ": nothing reached the stand-in");
}

// Refused items, an unknown sheet and texts that Excel would cut short, losing the rest while it
// says it wrote them: each with its own message, then a success.
void refusals(Context& context) {
    LinkWindow window(context.platform);
    struct Case {
        Cell cell;
        std::u16string sheet;
        std::optional<std::u16string> description;
    };
    const std::vector<Case> cases = {
        {{u"", u"", u"x"}, arabicSheet, refused(u"R0C0")},
        {{u"1048577", u"1", u"x"}, arabicSheet, refused(u"R1048577C1")},
        {{u"1", u"16385", u"x"}, arabicSheet, refused(u"R1C16385")},
        // A negative row keeps its sign, so that the text cannot land in another cell.
        {{u"-3", u"2", u"x"}, u"Sheet1", refused(u"R-3C2")},
        {{u"1", u"1", u"x"}, u"لا توجد", std::nullopt},
    };
    for (const auto& item : cases) {
        place(window, item.sheet, item.cell);
        window.cellText.setText(item.cell.text);
        expectFailure(context, send(window), named("send", item.cell), item.description);
    }
    place(window, arabicSheet, cases[0].cell);
    window.cellText.setText(u"باق");
    expectFailure(context, request(window), "request R0C0", refused(u"R0C0"));
    context.checks.equal(window.cellText.text(), u"باق", "a failed request leaves the cell text");
    place(window, arabicSheet, {u"2", u"2", u""});
    for (const auto& [what, text] :
         {std::pair{"a TAB inside", u"قبل\tبعد"}, std::pair{"a CR LF inside", u"سطر1\r\nسطر2"}}) {
        window.cellText.setText(text);
        expectUnsent(context, window, std::string("send of a text with ") + what,
                     u"لم يُرسل النص: فيه علامة جدولة أو نهاية سطر، والأكسل يحذف كل ما بعدها");
    }
    place(window, arabicSheet, {u"1", u"1", u""});
    window.cellText.setText(u"بعد الفشل");
    expectSuccess(context, send(window), "send after failures");
}

// Pokes that the stand-in took since the log held logged events.
std::size_t pokesTaken(const Context& context, std::size_t logged) {
    const auto events = standinEvents(context.folder + L"\\standin.log");
    return static_cast<std::size_t>(std::count_if(
        events.begin() + static_cast<long>(std::min(logged, events.size())), events.end(),
        [](const StandinEvent& event) { return event.kind == L"poke" && event.outcome == L"ok"; }));
}

// A table of two bands, the code page's letters in the first and Arabic ones in the last row.
sheetpush::TextTable arabicInTheLastBand() {
    sheetpush::TextTable table{3000, 1,
                               std::vector<std::u16string>(3000, std::u16string(60, u'a'))};
    table.cells.back() = u"مرحبا";
    return table;
}

// A partner that takes CF_TEXT alone, under a code page without Arabic letters: a text that the
// code page cannot carry is refused, not sent as "?" or as a look-alike, and a table whose later
// band holds one is not half written, whether the conversation has yet to choose its format or
// has chosen CF_TEXT.
void ansiRefusal(Context& context) {
    LinkWindow window(context.platform);
    place(window, context.sheet, {u"1", u"1", u""});
    const auto log = context.folder + L"\\standin.log";
    auto logged = standinEvents(log).size();
    expectFailure(
        context, [&] { return window.sendTable(arabicInTheLastBand()); },
        "a table with Arabic letters in its last band, on a new conversation", std::nullopt);
    context.checks.equal(pokesTaken(context, logged), std::size_t{0},
                         "a table with Arabic letters in its last band: no band written");
    window.cellText.setText(u"plain text");
    expectSuccess(context, send(window), "send of a text the code page carries");
    logged = standinEvents(log).size();
    expectFailure(
        context, [&] { return window.sendTable(arabicInTheLastBand()); },
        "a table with Arabic letters in its last band, on a CF_TEXT conversation", std::nullopt);
    context.checks.equal(standinEvents(log).size(), logged,
                         "a table with Arabic letters in its last band: nothing sent");
    for (const auto& [what, text] :
         {std::pair{"Arabic letters", u"مرحباab"}, std::pair{"fullwidth letters", u"ｆｕｌｌ"}}) {
        window.cellText.setText(text);
        expectUnsent(context, window, std::string("send of ") + what,
                     u"لم يُرسل النص: لا يقبل التطبيق «Excel» إلا نصًا بترميز ANSI، وفي النص "
                     u"أحرف لا يحملها");
    }
}

void noStandin(Context& context) {
    LinkWindow window(context.platform);
    place(window, arabicSheet, {u"1", u"1", u""});
    window.cellText.setText(u"لا أحد");
    expectFailure(context, send(window), "send with no partner", std::nullopt);
    expectFailure(context, request(window), "request with no partner", std::nullopt);
    context.checks.equal(window.cellText.text(), u"لا أحد", "the cell text unchanged");
}

// Excel is found among other windows that hang on the question or answer it for another sheet.
void initiation(Context& context) {
    LinkWindow window(context.platform);
    place(window, arabicSheet, {u"2", u"2", u""});
    window.cellText.setText(u"إلى الورقة المطلوبة");
    expectSuccess(context, send(window), "send to the sheet asked for");
}

// Excels that write their cells in French and in German letters, and one that names its sheet
// qualified by its workbook: a text written to a cell reads back, and the item field shows the
// cell in R1C1 all along.
void languages(Context& context) {
    LinkWindow window(context.platform);
    for (std::u16string sheet : {u"Feuil1", u"Tabelle1", u"Sheet1"}) {
        const std::u16string text = u"نص إلى " + sheet;
        place(window, sheet, {u"3", u"2", u""});
        window.cellText.setText(text);
        expectSuccess(context, send(window), "send to " + utf8(sheet));
        window.cellText.setText(u"");
        expectSuccess(context, request(window), "request from " + utf8(sheet));
        context.checks.equal(window.cellText.text(), text + u"\r\n",
                             "the cell of " + utf8(sheet) + " reads back");
        context.checks.equal(window.cellText.linkItem, u"R3C2",
                             "the item field of " + utf8(sheet) + " shows R3C2");
    }
}

bool failedWith(const sheetpush::Status& status, std::int32_t number) {
    return !status.ok() && status.failure().number == number;
}

// The conversation itself: each failure's number and description.
void conversation(Context& context) {
    auto& checks = context.checks;
    RawDdeConversation dde;
    auto poked = dde.poke(u"R1C1", u"x", 2s);
    checks.expect(failedWith(poked, error::ddeNoConversation), "poke before connect");
    auto unknown = dde.connect(u"Excel", u"NoSuchSheet", 2s);
    checks.expect(failedWith(unknown, error::ddeNoPartner), "unknown topic: number");
    if (!unknown.ok())
        checks.equal(unknown.failure().description,
                     u"لا يوجد تطبيق «Excel» يجيب على الموضوع «NoSuchSheet»",
                     "unknown topic: description");
    checks.expect(dde.connect(u"Excel", arabicSheet, 2s).ok(), "connect");
    auto negative = dde.poke(u"R-3C2", u"x", 2s);
    checks.expect(failedWith(negative, error::ddeRefused), "negative row: number");
    if (!negative.ok())
        checks.equal(negative.failure().description, refused(u"R-3C2"),
                     "negative row: description");
    auto zero = dde.request(u"R0C0", 2s);
    checks.expect(!zero.ok() && zero.failure().number == error::ddeRefused, "request R0C0");
    // Arabic-Indic digits have no place in the Arabic ANSI code page: only Unicode carries them.
    checks.expect(dde.poke(u"R2C2", u"قيمة ١٢٣", 2s).ok(), "poke R2C2");
    checks.expect(dde.connect(u"Excel", arabicSheet, 2s).ok(), "connect again on the same topic");
    auto value = dde.request(u"R2C2", 2s);
    checks.expect(value.ok() && value.value() == u"قيمة ١٢٣\r\n", "request R2C2");
    // The stand-in keeps what Excel keeps: one cell, what stands before a TAB; a block, its text
    // spread over it, and read back in the same form.
    const struct {
        std::u16string_view item;
        std::u16string_view poked;
        std::u16string_view read;
        std::u16string_view reply;
    } kept[] = {
        {u"R3C3", u"قبل\tبعد", u"R3C3", u"قبل\r\n"},
        {u"R4C4", u"سطر1\r\nسطر2", u"R4C4", u"سطر1\r\n"},
        {u"R5C1:R6C3", u"a\tb\r\nc\td\te\tlost\r\nlost\r\n", u"R5C1:R6C3",
         u"a\tb\t\r\nc\td\te\r\n"},
        {u"R8C1:R8C2", u"f\tg", u"R8C2", u"g\r\n"},
    };
    for (const auto& cell : kept) {
        const auto what = "the stand-in keeps what Excel keeps of " + utf8(cell.poked);
        checks.expect(dde.poke(cell.item, cell.poked, 2s).ok(), what + ": poke");
        auto reply = dde.request(cell.read, 2s);
        checks.expect(reply.ok() && reply.value() == cell.reply, what + ": request");
    }
}

void busy(Context& context) {
    RawDdeConversation dde;
    context.checks.expect(dde.connect(u"Excel", arabicSheet, 2s).ok(), "connect");
    auto poked = dde.poke(u"R1C1", u"x", 2s);
    context.checks.expect(failedWith(poked, error::ddeBusy), "busy poke: number");
    auto asked = dde.request(u"R1C1", 2s);
    context.checks.expect(!asked.ok() && asked.failure().number == error::ddeBusy,
                          "busy request: number");
    LinkWindow window(context.platform);
    place(window, arabicSheet, {u"1", u"1", u""});
    expectFailure(context, send(window), "send to a busy partner",
                  u"التطبيق «Excel» مشغول ولم ينفذ العملية على البند «R1C1»");
}

// The stand-in answers one transaction and vanishes on the next.
void vanish(Context& context) {
    LinkWindow window(context.platform);
    place(window, arabicSheet, {u"1", u"1", u""});
    window.cellText.setText(u"أول");
    expectSuccess(context, send(window), "first send");
    expectFailure(context, send(window), "send to a vanished partner",
                  u"أنهى التطبيق «Excel» المحادثة على الموضوع «ورقة1»");
}

// A partner slower than the ten-second time-out: False, and then the thread carries on.
void timeout(Context& context) {
    LinkWindow window(context.platform);
    place(window, arabicSheet, {u"1", u"1", u""});
    context.platform.postMarker();
    expectFailure(context, send(window), "send to a slow partner",
                  u"انتهت مهلة انتظار رد التطبيق «Excel» على البند «R1C1»");
    context.checks.expect(!context.platform.markerDispatchedBeforeLastBox(),
                          "no other posted message ran while waiting");
    context.platform.pumpMessages();
    context.checks.expect(context.platform.markerDispatched(), "the thread's messages still run");
    place(window, u"Sheet2", {u"1", u"1", u""});
    expectSuccess(context, send(window), "send to another partner afterwards");
}

// An answer that comes after its transaction gave up must not answer the next one.
void lateAnswer(Context& context) {
    RawDdeConversation dde;
    context.checks.expect(dde.connect(u"Excel", arabicSheet, 5s).ok(), "connect");
    auto late = dde.poke(u"R0C0", u"x", 300ms);
    context.checks.expect(failedWith(late, error::ddeTimeout), "short time-out: number");
    context.checks.expect(dde.connect(u"Excel", arabicSheet, 5s).ok(), "reconnect");
    auto next = dde.poke(u"R1C1", u"y", 5s);
    context.checks.expect(next.ok(), "the next poke gets its own answer");
    auto refusedLate = dde.poke(u"R0C0", u"z", 5s);
    context.checks.expect(failedWith(refusedLate, error::ddeRefused),
                          "a refusal after a late answer is still a refusal");
}

// The partner follows each WM_DDE_DATA with a stray positive acknowledgement.
void strayAck(Context& context) {
    LinkWindow window(context.platform);
    place(window, arabicSheet, {u"1", u"1", u""});
    expectSuccess(context, request(window), "request R1C1");
    place(window, arabicSheet, {u"", u"", u"x"});
    expectFailure(context, send(window), "send R0C0 after a request", refused(u"R0C0"));
    place(window, arabicSheet, {u"1", u"1", u"ثم"});
    window.cellText.setText(u"ثم");
    expectSuccess(context, request(window), "request before send");
    window.cellText.setText(u"ثم");
    expectSuccess(context, send(window), "send after a request");
    expectSuccess(context, request(window), "request after send");
    context.checks.equal(window.cellText.text(), u"ثم\r\n", "the request after the stray");
}

// The stray acknowledgement names the item just requested; a poke to that same item, which
// the partner refuses, must not take the stray for its answer.
void strayFence(Context& context) {
    RawDdeConversation dde;
    context.checks.expect(dde.connect(u"Excel", arabicSheet, 5s).ok(), "connect");
    for (int round = 1; round <= 20; ++round) {
        auto value = dde.request(u"R5C5", 5s);
        auto poked = dde.poke(u"R5C5", u"x", 5s);
        if (!value.ok() || !failedWith(poked, error::ddeRefused)) {
            context.checks.expect(false, "round " + std::to_string(round) +
                                             ": request answered, then the poke refused");
            return;
        }
    }
    context.checks.expect(true, "20 rounds: every poke after a request got its own refusal");
}

// A hundred pokes on one sheet, a change of sheet, the same sheet in other letters, the first
// sheet again, and a stand-in restarted by the script.
void reuse(Context& context) {
    LinkWindow window(context.platform);
    bool all = true;
    for (int i = 1; i <= 100; ++i) {
        place(window, arabicSheet, {u"1", u"1", u""});
        window.cellText.setText(u"رقم " + sheetpush::win32::utf16(std::to_wstring(i)));
        all = window.send() && all;
    }
    context.checks.expect(all, "a hundred sends on one sheet");
    place(window, u"Sheet1", {u"1", u"1", u""});
    expectSuccess(context, send(window), "send on another sheet");
    place(window, u"SHEET1", {u"1", u"1", u""});
    expectSuccess(context, send(window), "send on that sheet in capitals");
    place(window, arabicSheet, {u"1", u"1", u""});
    expectSuccess(context, send(window), "send back on the first sheet");
    writeFile(context.folder + L"\\phase1.done", "");
    context.checks.expect(waitForFile(context.folder + L"\\restarted", 60000),
                          "stand-in restarted");
    expectSuccess(context, send(window), "send after the restart");
}

void writeShown(const Context& context) {
    int index = 0;
    for (const auto& message : context.platform.shown())
        writeFile(context.folder + L"\\shown" + std::to_wstring(++index) + L".txt",
                  utf8(message.prompt));
}

const std::map<std::wstring, void (*)(Context&)> scenarios = {
    {L"roundtrip", roundTrip},
    {L"refusals", refusals},
    {L"nostandin", noStandin},
    {L"conversation", conversation},
    {L"busy", busy},
    {L"vanish", vanish},
    {L"timeout", timeout},
    {L"lateanswer", lateAnswer},
    {L"strayack", strayAck},
    {L"strayfence", strayFence},
    {L"reuse", reuse},
    {L"initiation", initiation},
    {L"ansirefusal", ansiRefusal},
    {L"languages", languages},
};

} // namespace

} // namespace e2e

int wmain(int argc, wchar_t** argv) {
    if (argc < 3 || !e2e::scenarios.contains(argv[1])) {
        std::printf("usage: E2eDriver <scenario> <work folder> [sheet]\n");
        return 2;
    }
    e2e::Context context;
    context.folder = argv[2];
    context.sheet = argc > 3 ? sheetpush::win32::utf16(argv[3]) : e2e::arabicSheet;
    e2e::scenarios.at(argv[1])(context);
    e2e::writeShown(context);
    return context.checks.exitCode();
}
