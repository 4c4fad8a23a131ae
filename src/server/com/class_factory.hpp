#pragma once

#include "server/com/com_ptr.hpp"

#include <objbase.h>

#include <functional>

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

// The class object published for local activation, for as long as this registration lives.
// Several clients share one process (multiple use); publishing starts only with
// CoResumeClassObjects.
class ClassObjectRegistration {
public:
    ClassObjectRegistration(REFCLSID clsid, ObjectMaker make);
    ClassObjectRegistration(const ClassObjectRegistration&) = delete;
    ClassObjectRegistration& operator=(const ClassObjectRegistration&) = delete;
    ~ClassObjectRegistration();

    HRESULT status() const { return status_; }

private:
    DWORD cookie_ = 0;
    HRESULT status_;
};

} // namespace sheetpush::com
