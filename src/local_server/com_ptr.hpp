#pragma once

#include <unknwn.h>

#include <atomic>
#include <utility>

namespace sheetpush::com {

// One counted reference to a COM object, released when the owner goes.
template <class T> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a new reference of its own.
    explicit ComPtr(T* shared) : value_(shared) {
        if (value_)
            value_->AddRef();
    }
    ComPtr(const ComPtr& other) : ComPtr(other.value_) {}
    ComPtr(ComPtr&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(value_, other.value_);
        return *this;
    }
    ~ComPtr() {
        if (value_)
            value_->Release();
    }

    // Adopts a reference that the caller already owns, such as a fresh object's first one.
    static ComPtr adopt(T* owned) {
        ComPtr pointer;
        pointer.value_ = owned;
        return pointer;
    }

    T* get() const { return value_; }
    T* operator->() const { return value_; }
    explicit operator bool() const { return value_ != nullptr; }

    // The address for an out-parameter that hands over a reference; drops the current one.
    T** put() {
        *this = nullptr;
        return &value_;
    }
    // Hands the reference to an out-parameter of the caller's caller.
    T* detach() { return std::exchange(value_, nullptr); }

    template <class U> ComPtr<U> query() const {
        ComPtr<U> other;
        if (value_)
            value_->QueryInterface(__uuidof(U), reinterpret_cast<void**>(other.put()));
        return other;
    }

private:
    T* value_ = nullptr;
};

// The reference count of an object implementing COM interfaces; the object deletes itself when
// the last reference goes, as COM requires.
template <class Object> class RefCount {
public:
    ULONG add() { return ++count_; }
    ULONG release(Object* self) {
        ULONG left = --count_;
        if (left == 0)
            delete self;
        return left;
    }

private:
    std::atomic<ULONG> count_{1};
};

// A new object, its first reference owned by the pointer returned.
template <class Object, class... Args> ComPtr<Object> makeObject(Args&&... args) {
    return ComPtr<Object>::adopt(new Object(std::forward<Args>(args)...));
}

} // namespace sheetpush::com
