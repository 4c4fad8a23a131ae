// A local server that does nothing: the same class factory, apartment and lifetime as
// Sheetpush.exe, no start-up procedure, and an IDispatch whose every call returns at once. The
// benchmark measures Sheetpush against it.

#include "bare_server.hpp"
#include "server/com/class_factory.hpp"
#include "server/com/server_lifetime.hpp"

#include <oaidl.h>

namespace {

using namespace sheetpush::com;

class BareObject final : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid != IID_IUnknown && iid != IID_IDispatch) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        *out = static_cast<IDispatch*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return refs_.add(); }
    ULONG STDMETHODCALLTYPE Release() override { return refs_.release(this); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return S_OK;
    }

private:
    RefCount<BareObject> refs_;
    ProcessReference process_;
};

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    HRESULT served = S_OK;
    {
        ClassObjectRegistration registration(CLSID_BareServer, [](REFIID iid, void** out) {
            return makeObject<BareObject>()->QueryInterface(iid, out);
        });
        served = serveUntilReleased(registration);
    }
    CoUninitialize();
    return FAILED(served) ? 1 : 0;
}
