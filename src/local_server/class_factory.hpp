#pragma once

#include "local_server/com_ptr.hpp"

#include <objbase.h>

#include <functional>
#include <optional>
#include <vector>

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

// A class the server makes objects of.
struct ServedClass {
    CLSID clsid;
    ObjectMaker make;
};

// The class objects, published for local activation while the server takes new clients. Several
// clients share one process (multiple use). Withdrawn, no new client finds them, while clients
// that already hold one can still ask it for objects; when the registration goes, their hold is
// cut, so that a late call fails at once rather than wait on a server that has stopped serving.
class ClassObjectRegistration {
public:
    explicit ClassObjectRegistration(const std::vector<ServedClass>& classes);
    ClassObjectRegistration(const ClassObjectRegistration&) = delete;
    ClassObjectRegistration& operator=(const ClassObjectRegistration&) = delete;
    ~ClassObjectRegistration();

    // Every class object is registered before any is let out, so that a client finds all or none.
    HRESULT publish();
    void withdraw();

private:
    struct ClassObject {
        CLSID clsid;
        ComPtr<ClassFactory> factory;
        std::optional<DWORD> cookie;
    };
    std::vector<ClassObject> classes_;
};

} // namespace sheetpush::com
