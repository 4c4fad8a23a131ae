// A local server that does nothing: the same class factory, apartment and lifetime as
// Sheetpush.exe, no start-up procedure, and an IDispatch whose every call returns at once. The
// benchmark measures Sheetpush against it.

#include "bare_server.hpp"
#include "local_server/class_factory.hpp"
#include "local_server/server_lifetime.hpp"
#include "support/plain_dispatch.hpp"
#include "win32_base/raii.hpp"

namespace {

using namespace sheetpush::com;

class BareObject final : public e2e::PlainDispatch<BareObject> {
public:
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return S_OK;
    }

private:
    ProcessReference process_;
};

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    sheetpush::win32::ComApartment apartment;
    if (FAILED(apartment.status()))
        return 1;
    const ObjectMaker make = [](REFIID iid, void** out) {
        return makeObject<BareObject>()->QueryInterface(iid, out);
    };
    ClassObjectRegistration registration({{CLSID_BareServer, make}});
    return FAILED(serveUntilReleased(registration)) ? 1 : 0;
}
