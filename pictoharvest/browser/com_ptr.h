#pragma once
// One counted reference to a COM object; the reference goes back when the
// holder goes, so no caller ever releases by hand.
#include <unknwn.h>

#include <cstddef>
#include <utility>

namespace ph {

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    ComPtr(const ComPtr& other) : pointer_(other.pointer_) {
        if (pointer_) pointer_->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(pointer_, other.pointer_);
        return *this;
    }
    ~ComPtr() { Reset(); }

    // Takes over a reference the caller already holds (an out parameter's).
    static ComPtr Adopt(T* pointer) {
        ComPtr result;
        result.pointer_ = pointer;
        return result;
    }
    // Adds a reference of its own to a borrowed pointer.
    static ComPtr Share(T* pointer) {
        if (pointer) pointer->AddRef();
        return Adopt(pointer);
    }

    T* Get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

    void Reset() {
        if (T* old = std::exchange(pointer_, nullptr)) old->Release();
    }
    // For out parameters: drops the current reference first.
    T** Put() {
        Reset();
        return &pointer_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

private:
    T* pointer_ = nullptr;
};

}  // namespace ph
