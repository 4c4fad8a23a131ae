#include "server/com/automation_object.hpp"

#include "platform/win32/com_raii.hpp"
#include "server/com/automation_error.hpp"
#include "server/com/variant_conversion.hpp"

namespace sheetpush::com {

Result<Variant> DispatchObject::defaultValue() {
    DISPPARAMS noArguments{};
    win32::UniqueVariant value;
    ExceptionInfo exception;
    UINT argumentError = 0;
    HRESULT result = object_->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT,
                                     DISPATCH_PROPERTYGET | DISPATCH_METHOD, &noArguments,
                                     value.get(), exception.get(), &argumentError);
    if (FAILED(result))
        return failureFrom(result, *exception.get());
    return coreValue(*value.get());
}

} // namespace sheetpush::com
