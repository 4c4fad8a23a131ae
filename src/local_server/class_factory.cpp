#include "local_server/class_factory.hpp"

#include "local_server/server_lifetime.hpp"
#include "win32_base/boundary.hpp"

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
    return win32::guardedMethod([&] { return make_(iid, out); });
}

HRESULT ClassFactory::LockServer(BOOL lock) {
    lockServer(lock != FALSE);
    return S_OK;
}

ClassObjectRegistration::ClassObjectRegistration(const std::vector<ServedClass>& classes) {
    for (const auto& served : classes)
        classes_.push_back({served.clsid, makeObject<ClassFactory>(served.make), std::nullopt});
}

ClassObjectRegistration::~ClassObjectRegistration() {
    withdraw();
    for (auto& served : classes_)
        CoDisconnectObject(served.factory.get(), 0);
}

HRESULT ClassObjectRegistration::publish() {
    for (auto& served : classes_) {
        if (served.cookie)
            continue;
        DWORD cookie = 0;
        HRESULT result =
            CoRegisterClassObject(served.clsid, served.factory.get(), CLSCTX_LOCAL_SERVER,
                                  REGCLS_MULTIPLEUSE | REGCLS_SUSPENDED, &cookie);
        if (FAILED(result))
            return result;
        served.cookie = cookie;
    }
    return CoResumeClassObjects();
}

void ClassObjectRegistration::withdraw() {
    for (auto& served : classes_)
        if (served.cookie)
            CoRevokeClassObject(*std::exchange(served.cookie, std::nullopt));
}

} // namespace sheetpush::com
