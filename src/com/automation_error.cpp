#include "com/automation_error.hpp"

#include "local_server/com_ptr.hpp"
#include "vocabulary/error_numbers.hpp"
#include "win32_base/raii.hpp"
#include "win32_base/wide_text.hpp"

namespace sheetpush::com {

namespace {

void setErrorObject(const Failure& failure, const ErrorSource& source) {
    ComPtr<ICreateErrorInfo> created;
    if (FAILED(CreateErrorInfo(created.put())))
        return;
    created->SetGUID(source.iid);
    created->SetSource(const_cast<LPOLESTR>(source.progId));
    created->SetDescription(const_cast<LPOLESTR>(win32::wide(failure.description).c_str()));
    if (auto info = created.query<IErrorInfo>())
        SetErrorInfo(0, info.get());
}

} // namespace

HRESULT errorCode(std::int32_t number) {
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, static_cast<WORD>(number));
}

HRESULT reportFailure(const Failure& failure, const ErrorSource& source, EXCEPINFO* exception) {
    setErrorObject(failure, source);
    if (!exception)
        return errorCode(failure.number);
    *exception = {};
    exception->bstrSource = win32::copyBstr(source.progId).detach();
    exception->bstrDescription = win32::copyBstr(win32::wide(failure.description)).detach();
    exception->scode = errorCode(failure.number);
    return DISP_E_EXCEPTION;
}

Failure failureFrom(HRESULT result, EXCEPINFO& exception) {
    if (result == DISP_E_EXCEPTION) {
        if (exception.pfnDeferredFillIn)
            exception.pfnDeferredFillIn(&exception);
        std::int32_t number = exception.wCode;
        if (!number && HRESULT_FACILITY(exception.scode) == FACILITY_CONTROL)
            number = HRESULT_CODE(exception.scode);
        if (number)
            return {number, win32::utf16(win32::bstrView(exception.bstrDescription))};
    }
    return error::noDefaultMember();
}

ExceptionInfo::~ExceptionInfo() {
    SysFreeString(value_.bstrSource);
    SysFreeString(value_.bstrDescription);
    SysFreeString(value_.bstrHelpFile);
}

} // namespace sheetpush::com
