#pragma once

#include "server/com/com_ptr.hpp"

#include <objbase.h>

#include <functional>
#include <optional>

namespace sheetpush::com {

// Makes a new object and queries it for the interface asked for.
using ObjectMaker = std::function<HRESULT(REFIID, void**)>;

// Hands out a new object for every creation request.
class ClassFactory final : public IClassFactory {
public:
    explicit ClassFactory(ObjectMaker make) : make_(std::move(make)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return refs_.add(); }
    ULONG STDMETHODCALLTYPE Release() override { return refs_.release(this); }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    RefCount<ClassFactory> refs_;
    ObjectMaker make_;
};

// The class object, published for local activation while the server takes new clients. Several
// clients share one process (multiple use). Withdrawn, no new client finds it, while clients that
// already hold it can still ask it for objects; when the registration goes, their hold is cut, so
// that a late call fails at once rather than wait on a server that has stopped serving.
class ClassObjectRegistration {
public:
    ClassObjectRegistration(REFCLSID clsid, ObjectMaker make);
    ClassObjectRegistration(const ClassObjectRegistration&) = delete;
    ClassObjectRegistration& operator=(const ClassObjectRegistration&) = delete;
    ~ClassObjectRegistration();

    HRESULT publish();
    void withdraw();

private:
    CLSID clsid_;
    ComPtr<ClassFactory> factory_;
    std::optional<DWORD> cookie_;
};

} // namespace sheetpush::com
