#include "support/late_bound.hpp"

#include "support/client_objects.hpp"
#include "win32_base/raii.hpp"

namespace e2e {

bool callSheetpush(IDispatch& link, DISPID id, const std::wstring& value, LONG column, LONG row,
                   const std::wstring& sheet) {
    // DISPPARAMS holds the arguments last to first.
    VARIANT arguments[] = {text(sheet), number(row), number(column), text(value)};
    DISPPARAMS parameters{arguments, nullptr, 4, 0};
    sheetpush::win32::UniqueVariant result;
    HRESULT called = link.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters,
                                 result.get(), nullptr, nullptr);
    for (auto& argument : arguments)
        VariantClear(&argument);
    return SUCCEEDED(called) && result->vt == VT_BOOL && result->boolVal == VARIANT_TRUE;
}

} // namespace e2e
