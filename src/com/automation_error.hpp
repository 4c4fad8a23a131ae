#pragma once

#include "vocabulary/result.hpp"

#include <oaidl.h>

namespace sheetpush::com {

// The HRESULT an automation server reports for a runtime error number: the number in the code
// part under FACILITY_CONTROL, which late-bound clients turn back into the plain number.
HRESULT errorCode(std::int32_t number);

// Whose failure it is: the class's ProgID, which clients see as the error's source, and the
// interface whose method failed.
struct ErrorSource {
    const wchar_t* progId;
    IID iid;
};

// Reports a failed call. The error object is set for every caller (vtable callers ask for it
// through ISupportErrorInfo); a dispatch caller's EXCEPINFO gets the number and description and
// the call answers DISP_E_EXCEPTION, a vtable call answers the error's own HRESULT.
HRESULT reportFailure(const Failure& failure, const ErrorSource& source, EXCEPINFO* exception);

// The failure a dispatch call's exception describes; numbers that are not runtime errors are
// reported as "no default member", the meaning of a failed default-value call.
Failure failureFrom(HRESULT result, EXCEPINFO& exception);

// Frees the strings a dispatch call placed in an EXCEPINFO.
class ExceptionInfo {
public:
    ExceptionInfo() = default;
    ExceptionInfo(const ExceptionInfo&) = delete;
    ExceptionInfo& operator=(const ExceptionInfo&) = delete;
    ~ExceptionInfo();

    EXCEPINFO* get() { return &value_; }

private:
    EXCEPINFO value_{};
};

} // namespace sheetpush::com
