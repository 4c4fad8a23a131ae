#include "server/com/class_factory.hpp"

#include "server/com/boundary.hpp"
#include "server/com/server_lifetime.hpp"

#include <utility>

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

ClassObjectRegistration::ClassObjectRegistration(REFCLSID clsid, ObjectMaker make)
    : clsid_(clsid), factory_(makeObject<ClassFactory>(std::move(make))) {}

ClassObjectRegistration::~ClassObjectRegistration() {
    withdraw();
    CoDisconnectObject(factory_.get(), 0);
}

HRESULT ClassObjectRegistration::publish() {
    if (cookie_)
        return S_OK;
    DWORD cookie = 0;
    HRESULT result = CoRegisterClassObject(clsid_, factory_.get(), CLSCTX_LOCAL_SERVER,
                                           REGCLS_MULTIPLEUSE | REGCLS_SUSPENDED, &cookie);
    if (FAILED(result))
        return result;
    cookie_ = cookie;
    return CoResumeClassObjects();
}

void ClassObjectRegistration::withdraw() {
    if (cookie_)
        CoRevokeClassObject(*std::exchange(cookie_, std::nullopt));
}

} // namespace sheetpush::com
