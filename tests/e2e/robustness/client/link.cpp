#include "link.hpp"

#include "sheetpush_h.h"

namespace robustness {

using sheetpush::win32::bstrView;

Link::Link() {
    CoCreateInstance(CLSID_ExcelLinke, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                     reinterpret_cast<void**>(dispatch_.put()));
}

Link::Link(IClassFactory& factory) {
    factory.CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(dispatch_.put()));
}

void Link::call(DISPID id, std::vector<VARIANT> arguments, Outcome& outcome) {
    if (!dispatch_) {
        outcome.called = E_POINTER;
        return;
    }
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPPARAMS parameters{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    EXCEPINFO exception{};
    UINT argumentError = 0;
    outcome.called =
        dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters,
                          outcome.result.put(), &exception, &argumentError);
    if (exception.pfnDeferredFillIn)
        exception.pfnDeferredFillIn(&exception);
    outcome.scode = exception.scode;
    outcome.description = bstrView(exception.bstrDescription);
    outcome.source = bstrView(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);
}

bool Link::push(const std::wstring& value, LONG column, LONG row, const std::wstring& sheet) {
    VARIANT txt = text(value), name = text(sheet);
    Outcome outcome;
    call(sheetpushId, {txt, number(column), number(row), name}, outcome);
    VariantClear(&txt);
    VariantClear(&name);
    return outcome.returnedTrue();
}

std::wstring Link::read(LONG column, LONG row, const std::wstring& sheet) {
    VARIANT name = text(sheet);
    Outcome outcome;
    call(importId, {number(column), number(row), name}, outcome);
    VariantClear(&name);
    if (FAILED(outcome.called) || outcome.result->vt != VT_BSTR)
        return L"<failed>";
    return std::wstring(bstrView(outcome.result->bstrVal));
}

} // namespace robustness
