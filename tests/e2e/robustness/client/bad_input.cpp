// Every kind of bad value a client can pass, in every parameter: each call ends with its
// expected result or a clean automation error, the server stays up, and the next call works.

#include "link.hpp"
#include "processes.hpp"
#include "scenarios.hpp"
#include "support/client_objects.hpp"
#include "support/standin_log.hpp"

#include <objbase.h>

#include <functional>
#include <optional>

namespace robustness {

namespace {

using sheetpush::com::makeObject;

enum class Slot { txt, Col, Row, Sheet, XLS, ExcelShow };

const char* slotName(Slot slot) {
    constexpr const char* names[] = {"txt", "Col", "Row", "Sheet", "XLS", "ExcelShow"};
    return names[static_cast<int>(slot)];
}

// A value of each parameter that the server takes without complaint.
std::wstring goodValue(Slot slot) {
    switch (slot) {
    case Slot::txt:
        return L"from the default value";
    case Slot::Col:
    case Slot::Row:
        return L"7";
    case Slot::Sheet:
        return L"Sheet1";
    case Slot::XLS:
        return L"book.xls";
    case Slot::ExcelShow:
        return L"1";
    }
    return L"";
}

VARIANT ofType(VARTYPE type, double value) {
    VARIANT variant{};
    variant.vt = type;
    if (type == VT_DATE)
        variant.date = value;
    else if (type == VT_R8)
        variant.dblVal = value;
    else if (type == VT_I8)
        variant.llVal = static_cast<LONGLONG>(value);
    else if (type == VT_BOOL)
        variant.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    else
        variant.lVal = static_cast<LONG>(value);
    return variant;
}

struct BadValue {
    const char* what;
    std::function<VARIANT(Slot)> make;
};

// 1 MB of UTF-16. (Under Wine, a poke of twice that ends the receiving program.)
const std::wstring megabyte(1 << 19, L'x');
const std::wstring withNul(L"Sheet1\0ab", 9);
const std::wstring loneSurrogate = L"a\xD800z";
const std::wstring longName(300, L's');
// 31 January 2024, noon.
constexpr double noonDate = 45322.5;

std::vector<BadValue> badValues() {
    return {
        {"Empty", [](Slot) { return VARIANT{}; }},
        {"Null", [](Slot) { return ofType(VT_NULL, 0); }},
        {"an array",
         [](Slot) {
             VARIANT v{};
             v.vt = VT_ARRAY | VT_VARIANT;
             v.parray = SafeArrayCreateVector(VT_VARIANT, 0, 2);
             return v;
         }},
        {"an object with a default value",
         [](Slot slot) {
             static std::wstring values[6];
             values[static_cast<int>(slot)] = goodValue(slot);
             VARIANT v{};
             v.vt = VT_DISPATCH;
             v.pdispVal =
                 makeObject<e2e::DefaultValueObject>(values[static_cast<int>(slot)].c_str())
                     .detach();
             return v;
         }},
        {"an object without one",
         [](Slot) {
             VARIANT v{};
             v.vt = VT_DISPATCH;
             v.pdispVal = makeObject<e2e::DefaultValueObject>(nullptr).detach();
             return v;
         }},
        {"an object without IDispatch",
         [](Slot) {
             VARIANT v{};
             v.vt = VT_UNKNOWN;
             CreateStreamOnHGlobal(nullptr, TRUE, reinterpret_cast<IStream**>(&v.punkVal));
             return v;
         }},
        {"a 1 MB string", [](Slot) { return text(megabyte); }},
        {"a string with an embedded NUL", [](Slot) { return text(withNul); }},
        {"a lone surrogate", [](Slot) { return text(loneSurrogate); }},
        {"\"1E400\"", [](Slot) { return text(L"1E400"); }},
        {"a negative number", [](Slot) { return number(-5); }},
        {"a number beyond 32 bits", [](Slot) { return ofType(VT_I8, 5e9); }},
        {"a date", [](Slot) { return ofType(VT_DATE, noonDate); }},
        {"a Boolean", [](Slot) { return ofType(VT_BOOL, 1); }},
        {"a 300-character name", [](Slot) { return text(longName); }},
    };
}

// How a case must end: True with the cell (column, row, sheet) holding a text; False after a
// link failure message that holds a fragment, and for unsent with nothing reaching Excel; or an
// automation error of a number.
struct Expected {
    enum class Kind { accepted, failureMessage, unsent, launchFailure, error } kind;
    std::wstring detail;
    LONG at = 0;
    HRESULT code = S_OK;
};

Expected accepted(std::wstring cellText = L"", LONG at = 0) {
    return {Expected::Kind::accepted, std::move(cellText), at};
}
Expected message(std::wstring fragment) {
    return {Expected::Kind::failureMessage, std::move(fragment)};
}
Expected unsent(std::wstring fragment) {
    return {Expected::Kind::unsent, std::move(fragment)};
}
// False after the launch failure message: nothing can be launched for this workbook.
Expected launchMessage() {
    return {Expected::Kind::launchFailure, L"لم أستطع تشغيل الملف"};
}
Expected error(HRESULT code) {
    return {Expected::Kind::error, L"", 0, code};
}

constexpr HRESULT runtimeTypeMismatch = static_cast<HRESULT>(0x800A000D);
constexpr HRESULT runtimeInvalidUseOfNull = static_cast<HRESULT>(0x800A005E);
constexpr HRESULT runtimeNoDefaultMember = static_cast<HRESULT>(0x800A01B6);

// The date's text in the user's locale, the one the server formats it in.
std::wstring dateText() {
    VARIANT date = ofType(VT_DATE, noonDate);
    sheetpush::win32::UniqueVariant formatted;
    VariantChangeTypeEx(formatted.get(), &date, LOCALE_USER_DEFAULT, 0, VT_BSTR);
    return std::wstring(sheetpush::win32::bstrView(formatted->bstrVal));
}

// The expectations, one row per value: txt, Col, Row, Sheet, XLS, ExcelShow. A number field
// keeps the leading number of its text, or 0 when it overflows; a negative number keeps its
// sign in the reference, which Excel refuses; a column or row of 0 or beyond the
// sheet's size names no cell; a sheet that is not open, or a name that cannot be an atom,
// leaves no conversation for the poke, and the message names the link.
std::vector<std::vector<Expected>> expectations() {
    return {
        // Empty: an empty text; an empty number field reads 0; an empty sheet name names none.
        {accepted(L""), message(L"C0"), message(L"R0C"), message(L"Excel|"), accepted(),
         accepted()},
        {error(runtimeInvalidUseOfNull), error(runtimeInvalidUseOfNull),
         error(runtimeInvalidUseOfNull), error(runtimeInvalidUseOfNull), accepted(),
         error(DISP_E_TYPEMISMATCH)},
        {error(runtimeTypeMismatch), error(runtimeTypeMismatch), error(runtimeTypeMismatch),
         error(runtimeTypeMismatch), launchMessage(), error(DISP_E_TYPEMISMATCH)},
        {accepted(goodValue(Slot::txt)), accepted(L"", 7), accepted(L"", 7), accepted(), accepted(),
         accepted()},
        {error(runtimeNoDefaultMember), error(runtimeNoDefaultMember),
         error(runtimeNoDefaultMember), error(runtimeNoDefaultMember), launchMessage(),
         error(DISP_E_TYPEMISMATCH)},
        {error(runtimeTypeMismatch), error(runtimeTypeMismatch), error(runtimeTypeMismatch),
         error(runtimeTypeMismatch), launchMessage(), error(DISP_E_TYPEMISMATCH)},
        {accepted(megabyte), message(L"C0"), message(L"R0C"), message(L"Excel|xxxx"), accepted(),
         error(DISP_E_TYPEMISMATCH)},
        // A NUL would cut a cell's text or a sheet's name short: neither is sent.
        {unsent(L"لم يُرسل النص: فيه حرف فارغ"), message(L"C0"), message(L"R0C"),
         unsent(L"لا يصلح اسم الورقة"), launchMessage(), error(DISP_E_TYPEMISMATCH)},
        // No ANSI code page carries a lone surrogate, so no command line can hold one.
        {accepted(loneSurrogate), message(L"C0"), message(L"R0C"), message(L"Excel|a"),
         launchMessage(), error(DISP_E_TYPEMISMATCH)},
        {accepted(L"1E400"), message(L"C0"), message(L"R0C"), message(L"Excel|1E400"), accepted(),
         error(DISP_E_OVERFLOW)},
        {accepted(L"-5"), message(L"C-5"), message(L"R-5"), message(L"Excel|-5"), accepted(),
         accepted()},
        {accepted(L"5000000000"), message(L"C5000000000"), message(L"R5000000000"),
         message(L"Excel|5000000000"), accepted(), error(DISP_E_OVERFLOW)},
        {accepted(dateText()), accepted(L"", 1), accepted(L"", 1), message(L"Excel|" + dateText()),
         accepted(), accepted()},
        {accepted(L"True"), message(L"C0"), message(L"R0C"), message(L"Excel|True"), accepted(),
         accepted()},
        {accepted(longName), message(L"C0"), message(L"R0C"),
         message(L"Excel|" + longName.substr(0, 20)), accepted(), error(DISP_E_TYPEMISMATCH)},
    };
}

class Runner {
public:
    Runner(e2e::Checks& checks, const std::wstring& work) : checks_(checks), work_(work) {}

    bool ready() const { return link_.ready(); }

    void run(const BadValue& value, Slot slot, const Expected& expected) {
        label_ = std::string(value.what) + " as " + slotName(slot);
        Watchdog watchdog(label_.c_str());
        std::optional<BoxCloser> closer;
        if (expected.kind == Expected::Kind::failureMessage ||
            expected.kind == Expected::Kind::unsent)
            closer.emplace(work_, linkFailureTitle);
        if (expected.kind == Expected::Kind::launchFailure)
            closer.emplace(work_, launchFailureTitle);
        VARIANT bad = value.make(slot);
        Outcome outcome;
        const auto logged = e2e::standinEvents(log()).size();
        call(slot, bad, outcome);
        VariantClear(&bad);
        if (expected.kind == Expected::Kind::unsent)
            checks_.equal(e2e::standinEvents(log()).size(), logged,
                          label_ + ": nothing reached Excel");
        if (closer)
            checkMessage(*closer, expected, outcome);
        else if (expected.kind == Expected::Kind::error)
            checkError(expected.code, outcome);
        else
            checkAccepted(slot, expected, outcome);
        checks_.expect(link_.push(L"next call", 1, 1, L"Sheet1"),
                       label_ + ": the next call succeeds");
        ++row_;
    }

private:
    std::wstring log() const { return work_ + L"\\standin.log"; }

    void call(Slot slot, VARIANT bad, Outcome& outcome) {
        auto argument = [&](Slot place, VARIANT good) { return place == slot ? bad : good; };
        VARIANT txt = text(L"bad input"), sheet = text(L"Sheet1"), book = text(L"book.xls");
        if (slot == Slot::XLS || slot == Slot::ExcelShow)
            link_.call(linkingId, {argument(Slot::XLS, book), argument(Slot::ExcelShow, number(1))},
                       outcome);
        else
            link_.call(sheetpushId,
                       {argument(Slot::txt, txt), argument(Slot::Col, number(2)),
                        argument(Slot::Row, number(row_)), argument(Slot::Sheet, sheet)},
                       outcome);
        VariantClear(&txt);
        VariantClear(&sheet);
        VariantClear(&book);
    }

    void checkMessage(BoxCloser& closer, const Expected& expected, const Outcome& outcome) {
        auto shown = closer.text();
        checks_.expect(outcome.returnedFalse(), label_ + ": False");
        if (expected.kind == Expected::Kind::launchFailure)
            checks_.equal(shown, expected.detail, label_ + ": the launch failure message");
        else
            checks_.expect(shown && shown->rfind(linkFailureText, 0) == 0 &&
                               shown->find(expected.detail) != std::wstring::npos,
                           label_ + ": the link failure message names " + utf8(expected.detail));
        if (shown && shown->size() < 400)
            std::printf("     box: %s\n", utf8(*shown).c_str());
    }

    void checkError(HRESULT code, const Outcome& outcome) {
        checks_.equal(e2e::hex(outcome.error()), e2e::hex(code), label_ + ": the automation error");
        checks_.equal(outcome.result->vt, VT_EMPTY, label_ + ": no result");
        if (outcome.called == DISP_E_EXCEPTION)
            checks_.expect(!outcome.description.empty() &&
                               outcome.source == L"Sheetpush.ExcelLinke",
                           label_ + ": the error has a description and its source");
    }

    void checkAccepted(Slot slot, const Expected& expected, const Outcome& outcome) {
        checks_.expect(outcome.returnedTrue(), label_ + ": True");
        if (slot == Slot::XLS || slot == Slot::ExcelShow)
            return;
        LONG column = slot == Slot::Col && expected.at ? expected.at : 2;
        LONG row = slot == Slot::Row && expected.at ? expected.at : row_;
        std::wstring wanted = slot == Slot::txt ? expected.detail : L"bad input";
        checks_.equal(link_.read(column, row, L"Sheet1"), cell(wanted),
                      label_ + ": the text is in its cell");
    }

    e2e::Checks& checks_;
    std::wstring work_;
    Link link_;
    std::string label_;
    LONG row_ = 12;
};

} // namespace

void badInput(e2e::Checks& checks, const std::wstring& work) {
    Process standin = startStandin(L"", work + L"\\standin.log");
    checks.expect(standin.started(), "the stand-in runs");
    Runner runner(checks, work);
    if (!runner.ready()) {
        checks.expect(false, "the server's object is created");
        return;
    }
    auto values = badValues();
    auto table = expectations();
    for (std::size_t value = 0; value < values.size(); ++value)
        for (int slot = 0; slot < 6; ++slot)
            runner.run(values[value], static_cast<Slot>(slot), table[value][slot]);
}

} // namespace robustness
