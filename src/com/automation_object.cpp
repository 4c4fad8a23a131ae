#include "com/automation_object.hpp"

#include "com/automation_error.hpp"
#include "com/variant_conversion.hpp"
#include "win32_base/raii.hpp"

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
