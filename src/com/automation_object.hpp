#pragma once

#include "local_server/com_ptr.hpp"
#include "vocabulary/variant.hpp"

#include <oaidl.h>

namespace sheetpush::com {

// Asks a client's object for its default value (DISPID_VALUE); exception describes a failure.
HRESULT fetchDefaultValue(IDispatch& object, VARIANT& value, EXCEPINFO& exception);

// An object a client passed as an argument; its default value is fetched from the client's
// object (DISPID_VALUE) only when the core asks for it.
class DispatchObject : public AutomationObject {
public:
    explicit DispatchObject(ComPtr<IDispatch> object) : object_(std::move(object)) {}
    Result<Variant> defaultValue() override;

private:
    ComPtr<IDispatch> object_;
};

} // namespace sheetpush::com
