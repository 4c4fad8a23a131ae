#pragma once

#include <windows.h>

#include <cstddef>
#include <utility>

namespace sheetpush::win32 {

// Sole owner of one system resource, released by Traits::close. Traits gives the value type,
// the value that owns nothing, and the release call.
template <class Traits> class UniqueResource {
public:
    using Value = typename Traits::Value;

    UniqueResource() = default;
    explicit UniqueResource(Value owned) : value_(owned) {}
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : value_(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~UniqueResource() { reset(); }

    Value get() const { return value_; }
    explicit operator bool() const { return value_ != Traits::none(); }

    // Hands the resource over to whoever takes it next (another process, the system).
    Value release() { return std::exchange(value_, Traits::none()); }

    void reset(Value owned = Traits::none()) {
        Value old = std::exchange(value_, owned);
        if (old != Traits::none())
            Traits::close(old);
    }

private:
    Value value_ = Traits::none();
};

struct AtomTraits {
    using Value = ATOM;
    static ATOM none() { return 0; }
    static void close(ATOM atom) { GlobalDeleteAtom(atom); }
};

struct GlobalMemoryTraits {
    using Value = HGLOBAL;
    static HGLOBAL none() { return nullptr; }
    static void close(HGLOBAL memory) { GlobalFree(memory); }
};

struct WindowTraits {
    using Value = HWND;
    static HWND none() { return nullptr; }
    static void close(HWND window) { DestroyWindow(window); }
};

struct KernelHandleTraits {
    using Value = HANDLE;
    static HANDLE none() { return nullptr; }
    static void close(HANDLE handle) { CloseHandle(handle); }
};

struct FindHandleTraits {
    using Value = HANDLE;
    static HANDLE none() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE handle) { FindClose(handle); }
};

struct RegistryKeyTraits {
    using Value = HKEY;
    static HKEY none() { return nullptr; }
    static void close(HKEY key) { RegCloseKey(key); }
};

// A global atom: one reference of the global atom table.
using UniqueAtom = UniqueResource<AtomTraits>;
// A block from GlobalAlloc.
using UniqueGlobal = UniqueResource<GlobalMemoryTraits>;
using UniqueWindow = UniqueResource<WindowTraits>;
using UniqueHandle = UniqueResource<KernelHandleTraits>;
using UniqueFindHandle = UniqueResource<FindHandleTraits>;
using UniqueHkey = UniqueResource<RegistryKeyTraits>;

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

} // namespace sheetpush::win32
