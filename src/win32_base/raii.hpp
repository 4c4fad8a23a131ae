#pragma once

#include <windows.h>

#include <objbase.h>
#include <oleauto.h>

#include <cstddef>
#include <string_view>
#include <utility>

namespace sheetpush::win32 {

// Sole owner of one system resource, released by Traits::close. Traits gives the value type,
// the value that owns nothing, and the release call. The verbs are those of ComPtr: get, put
// for an out-parameter, detach to hand the resource over, reset.
template <class Traits> class UniqueResource {
public:
    using Value = typename Traits::Value;

    UniqueResource() = default;
    explicit UniqueResource(Value owned) : value_(owned) {}
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : value_(other.detach()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        reset(other.detach());
        return *this;
    }
    ~UniqueResource() { reset(); }

    Value get() const { return value_; }
    explicit operator bool() const { return value_ != Traits::none(); }

    // The address for an out-parameter that hands over a resource; releases the current one.
    Value* put() {
        reset();
        return &value_;
    }
    // Hands the resource over to whoever takes it next (another process, the system).
    Value detach() { return std::exchange(value_, Traits::none()); }

    void reset(Value owned = Traits::none()) {
        Value old = std::exchange(value_, owned);
        if (old != Traits::none())
            Traits::close(old);
    }

private:
    Value value_ = Traits::none();
};

// The traits of a resource that one call releases, and that owns nothing while zero.
template <class Handle, auto releaseCall> struct ReleasedBy {
    using Value = Handle;
    static Handle none() { return Handle{}; }
    static void close(Handle handle) { releaseCall(handle); }
};

// A search handle owns nothing while it is INVALID_HANDLE_VALUE.
struct FindHandleTraits {
    using Value = HANDLE;
    static HANDLE none() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE handle) { FindClose(handle); }
};

inline void releaseScreenDc(HDC dc) {
    ReleaseDC(nullptr, dc);
}

// A global atom: one reference of the global atom table.
using UniqueAtom = UniqueResource<ReleasedBy<ATOM, GlobalDeleteAtom>>;
// A block from GlobalAlloc.
using UniqueGlobal = UniqueResource<ReleasedBy<HGLOBAL, GlobalFree>>;
// A block from LocalAlloc, as some system calls return them.
using UniqueLocal = UniqueResource<ReleasedBy<HLOCAL, LocalFree>>;
using UniqueWindow = UniqueResource<ReleasedBy<HWND, DestroyWindow>>;
using UniqueHandle = UniqueResource<ReleasedBy<HANDLE, CloseHandle>>;
// A mutex the calling thread holds, taken by a wait on it.
using HeldMutex = UniqueResource<ReleasedBy<HANDLE, ReleaseMutex>>;
using UniqueFindHandle = UniqueResource<FindHandleTraits>;
using UniqueHkey = UniqueResource<ReleasedBy<HKEY, RegCloseKey>>;
// A loaded library, or an executable opened as data.
using UniqueModule = UniqueResource<ReleasedBy<HMODULE, FreeLibrary>>;
using UniqueIcon = UniqueResource<ReleasedBy<HICON, DestroyIcon>>;
// A pen, brush, font or bitmap of one's own; stock objects are never put in one.
using UniqueGdiObject = UniqueResource<ReleasedBy<HGDIOBJ, DeleteObject>>;
// The device context of the whole screen, from GetDC(nullptr).
using UniqueScreenDc = UniqueResource<ReleasedBy<HDC, releaseScreenDc>>;
// A device context of one's own, from CreateCompatibleDC.
using UniqueMemoryDc = UniqueResource<ReleasedBy<HDC, DeleteDC>>;
using UniqueBstr = UniqueResource<ReleasedBy<BSTR, SysFreeString>>;
using UniqueSafeArray = UniqueResource<ReleasedBy<SAFEARRAY*, SafeArrayDestroy>>;

// A BSTR holding a copy of text, NULs included; owns nothing when the allocation failed.
inline UniqueBstr copyBstr(std::wstring_view text) {
    return UniqueBstr(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
}

// The text of a BSTR up to its recorded length, which may include NULs; a null BSTR is empty.
inline std::wstring_view bstrView(BSTR text) {
    return {text, SysStringLen(text)};
}

// An owned VARIANT, initialised empty and cleared with VariantClear.
class UniqueVariant {
public:
    UniqueVariant() { VariantInit(&value_); }
    UniqueVariant(const UniqueVariant&) = delete;
    UniqueVariant& operator=(const UniqueVariant&) = delete;
    ~UniqueVariant() { VariantClear(&value_); }

    VARIANT* get() { return &value_; }
    const VARIANT* get() const { return &value_; }
    VARIANT* operator->() { return &value_; }
    const VARIANT* operator->() const { return &value_; }
    // The address for an out-parameter; clears the value it holds.
    VARIANT* put() {
        VariantClear(&value_);
        return &value_;
    }

private:
    VARIANT value_;
};

// The calling thread's place in a single-threaded COM apartment, for the lifetime of this object.
class ComApartment {
public:
    ComApartment() : status_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (SUCCEEDED(status_))
            CoUninitialize();
    }
    HRESULT status() const { return status_; }

private:
    HRESULT status_;
};

// A global memory block locked for the lifetime of this object. size() is the block's real
// size, which may exceed what was asked for but never falls short of it.
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL memory)
        : memory_(memory), data_(memory ? GlobalLock(memory) : nullptr),
          size_(data_ ? GlobalSize(memory) : 0) {}
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    ~GlobalLockGuard() {
        if (data_)
            GlobalUnlock(memory_);
    }

    void* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    HGLOBAL memory_;
    void* data_;
    std::size_t size_;
};

// The elements of a safe array, in place, for the lifetime of this object; data() is null when
// the array could not be locked.
class SafeArrayData {
public:
    explicit SafeArrayData(SAFEARRAY* array) : array_(array) {
        if (array_ && FAILED(SafeArrayAccessData(array_, &data_)))
            data_ = nullptr;
    }
    SafeArrayData(const SafeArrayData&) = delete;
    SafeArrayData& operator=(const SafeArrayData&) = delete;
    ~SafeArrayData() {
        if (data_)
            SafeArrayUnaccessData(array_);
    }

    void* data() const { return data_; }

private:
    SAFEARRAY* array_;
    void* data_ = nullptr;
};

} // namespace sheetpush::win32
