#include "server/com/class_factory.hpp"

#include "server/com/boundary.hpp"
#include "server/com/server_lifetime.hpp"

namespace sheetpush::com {

HRESULT ClassFactory::QueryInterface(REFIID iid, void** out) {
    if (!out)
        return E_POINTER;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    *out = static_cast<IClassFactory*>(this);
    return S_OK;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    return guarded([&] { return make_(iid, out); });
}

HRESULT ClassFactory::LockServer(BOOL lock) {
    lockServer(lock != FALSE);
    return S_OK;
}

ClassObjectRegistration::ClassObjectRegistration(REFCLSID clsid, ObjectMaker make) {
    auto factory = makeObject<ClassFactory>(std::move(make));
    status_ = CoRegisterClassObject(clsid, factory.get(), CLSCTX_LOCAL_SERVER,
                                    REGCLS_MULTIPLEUSE | REGCLS_SUSPENDED, &cookie_);
}

ClassObjectRegistration::~ClassObjectRegistration() {
    if (SUCCEEDED(status_))
        CoRevokeClassObject(cookie_);
}

} // namespace sheetpush::com
