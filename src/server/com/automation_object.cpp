#include "server/com/automation_object.hpp"

#include "platform/win32/raii.hpp"
#include "server/com/automation_error.hpp"
#include "server/com/variant_conversion.hpp"

namespace sheetpush::com {

HRESULT fetchDefaultValue(IDispatch& object, VARIANT& value, EXCEPINFO& exception) {
    DISPPARAMS noArguments{};
    UINT argumentError = 0;
    return object.Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT,
                         DISPATCH_PROPERTYGET | DISPATCH_METHOD, &noArguments, &value, &exception,
                         &argumentError);
}

Result<Variant> DispatchObject::defaultValue() {
    win32::UniqueVariant value;
    ExceptionInfo exception;
    HRESULT result = fetchDefaultValue(*object_.get(), *value.get(), *exception.get());
    if (FAILED(result))
        return failureFrom(result, *exception.get());
    return coreValue(*value.get());
}

} // namespace sheetpush::com
